// A picture box: shows its 24-bit picture scaled to the box's width, keeping the
// picture's shape, smoothly filtered. The picture keeps its own size (the main
// window's are 730 x 730) whatever the box's, so drawing into it and saving it are
// unaffected by how large the window is.
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
