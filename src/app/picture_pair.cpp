#include "app/picture_pair.h"

#include <QEvent>
#include <QLabel>
#include <algorithm>

#include "app/image_box.h"

namespace {
constexpr int kCaptionGap = 3;  // between a picture and its captions
}

PicturePair::PicturePair(ImageBox* left, ImageBox* right, QWidget* parent)
    : QWidget(parent), Left(left), Right(right) {
  Left->setParent(this);
  Right->setParent(this);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void PicturePair::SetCaptions(QLabel* underLeft, QLabel* rightStart, QLabel* rightEnd) {
  UnderLeft = underLeft;
  RightStart = rightStart;
  RightEnd = rightEnd;
  for (QLabel* l : {UnderLeft, RightStart, RightEnd}) l->setParent(this);
  Arrange();
}

int PicturePair::CaptionHeight() const {
  return kCaptionGap + fontMetrics().height() + kCaptionGap;
}

QSize PicturePair::sizeHint() const { return {2 * kDesignedSide, kDesignedSide + CaptionHeight()}; }

QSize PicturePair::minimumSizeHint() const { return {2 * kMinSide, kMinSide + CaptionHeight()}; }

void PicturePair::resizeEvent(QResizeEvent*) { Arrange(); }

// A caption whose text changed asks for a new layout: its new width may move it.
bool PicturePair::event(QEvent* e) {
  if (e->type() == QEvent::LayoutRequest) Arrange();
  return QWidget::event(e);
}

void PicturePair::Arrange() {
  const int side = std::max(kMinSide, std::min(width() / 2, height() - CaptionHeight()));
  Left->setGeometry(0, 0, side, side);
  Right->setGeometry(side, 0, side, side);
  if (!UnderLeft) return;
  const int top = side + kCaptionGap;
  for (QLabel* l : {UnderLeft, RightStart, RightEnd}) l->resize(l->sizeHint());
  UnderLeft->move((side - UnderLeft->width()) / 2, top);
  RightStart->move(side + kCaptionGap, top);
  RightEnd->move(2 * side - RightEnd->width() - kCaptionGap, top);
}
