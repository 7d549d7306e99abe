// A picture box: shows its 24-bit picture unscaled from the top-left corner and
// clips it to the box, as the main window's two pictures need.
#pragma once

#include <QImage>
#include <QWidget>

class ImageBox : public QWidget {
  Q_OBJECT
 public:
  explicit ImageBox(QWidget* parent = nullptr);

  QImage& Picture() { return PictureImage; }
  const QImage& Picture() const { return PictureImage; }
  void SetPicture(const QImage& picture);
  // Call after drawing into Picture() directly.
  void PictureChanged() { update(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage PictureImage;
};
