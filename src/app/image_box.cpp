#include "app/image_box.h"

#include <QPainter>

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  // A click takes the keyboard from a control (the calendar, a list), so that the
  // window's keys act again.
  setFocusPolicy(Qt::ClickFocus);
}

void ImageBox::SetPicture(const QImage& picture) {
  PictureImage = picture;
  PictureChanged();
}

void ImageBox::PictureChanged() { SetShownPicture(nullptr); }

void ImageBox::SetShownPicture(ShownPictureMaker NewMaker) {
  Maker = std::move(NewMaker);
  Shown = QImage();
  ShownFor.reset();
  update();
}

ShownSize ImageBox::ShownSizeNow() const { return ShownSize{std::min(width(), height()), devicePixelRatioF()}; }

const QImage& ImageBox::MadeForNow() {
  const ShownSize now = ShownSizeNow();
  if (!ShownFor || ShownFor->Side != now.Side || ShownFor->DevicePixelRatio != now.DevicePixelRatio) {
    Shown = Maker(now);
    ShownFor = now;
  }
  return Shown;
}

QImage ImageBox::PictureAsShown() {
  if (Maker) return MadeForNow();
  const ShownSize now = ShownSizeNow();
  QImage shown = PictureImage.scaled(QSize(now.DevicePixels(), now.DevicePixels()), Qt::KeepAspectRatio,
                                     Qt::SmoothTransformation);
  shown.setDevicePixelRatio(now.DevicePixelRatio);
  return shown;
}

void ImageBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (Maker) {
    if (ShownSizeNow().Side < 1) return;
    painter.drawImage(QPoint(0, 0), MadeForNow());
    return;
  }
  if (PictureImage.isNull()) return;
  const QSize shown = PictureImage.size().scaled(size(), Qt::KeepAspectRatio);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, shown != PictureImage.size());
  painter.drawImage(QRect(QPoint(0, 0), shown), PictureImage);
}
