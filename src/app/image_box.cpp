#include "app/image_box.h"

#include <QPainter>

ImageBox::ImageBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ImageBox::SetPicture(const QImage& picture) {
  PictureImage = picture;
  update();
}

void ImageBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().window());
  if (PictureImage.isNull()) return;
  const QSize shown = PictureImage.size().scaled(size(), Qt::KeepAspectRatio);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, shown != PictureImage.size());
  painter.drawImage(QRect(QPoint(0, 0), shown), PictureImage);
}
