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

void PicturePair::SetControls(QWidget* controls) {
  Controls = controls;
  Controls->setParent(this);
  Arrange();
}

int PicturePair::CaptionHeight() const {
  return kCaptionGap + fontMetrics().height() + kCaptionGap;
}

int PicturePair::ControlsHeight() const { return Controls ? Controls->sizeHint().height() : 0; }

QSize PicturePair::WithControls(int side) const {
  const int controlsWidth = Controls ? Controls->sizeHint().width() : 0;
  return {std::max(2 * side, controlsWidth), side + CaptionHeight() + ControlsHeight()};
}

QSize PicturePair::sizeHint() const { return WithControls(kDesignedSide); }

QSize PicturePair::minimumSizeHint() const { return WithControls(kMinSide); }

void PicturePair::resizeEvent(QResizeEvent*) { Arrange(); }

// A caption whose text changed asks for a new layout: its new width may move it.
bool PicturePair::event(QEvent* e) {
  if (e->type() == QEvent::LayoutRequest) Arrange();
  return QWidget::event(e);
}

// A window wider than the pictures need keeps them in the middle of their space.
void PicturePair::Arrange() {
  const int side = std::max(kMinSide, std::min(width() / 2, height() - CaptionHeight() - ControlsHeight()));
  const int left = std::max(0, width() / 2 - side);
  Left->setGeometry(left, 0, side, side);
  Right->setGeometry(left + side, 0, side, side);
  if (Controls) {
    const QSize controls = Controls->sizeHint();
    Controls->setGeometry(std::max(0, left + side - controls.width() / 2), side + CaptionHeight(), controls.width(),
                          controls.height());
  }
  if (!UnderLeft) return;
  const int top = side + kCaptionGap;
  for (QLabel* l : {UnderLeft, RightStart, RightEnd}) l->resize(l->sizeHint());
  UnderLeft->move(left + (side - UnderLeft->width()) / 2, top);
  RightStart->move(left + side + kCaptionGap, top);
  RightEnd->move(left + 2 * side - RightEnd->width() - kCaptionGap, top);
}
