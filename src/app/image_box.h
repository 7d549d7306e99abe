// A picture box: shows its 24-bit picture scaled to the box's width, keeping the
// picture's shape, smoothly filtered. The picture keeps its own size (the main
// window's are 730 x 730) whatever the box's, so drawing into it and saving it are
// unaffected by how large the window is. A box given a maker shows instead what the
// maker draws for the box's size and screen, drawn again when either changes, so
// that text and lines stay legible when small and sharp when large.
#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "render/view_options.h"

// Draws a box's picture for a square of Shown.Side logical pixels at Shown's device
// pixel ratio (DrawAltitudeChart, DrawShownView).
using ShownPictureMaker = std::function<QImage(const ShownSize& Shown)>;

class ImageBox : public QWidget {
  Q_OBJECT
 public:
  explicit ImageBox(QWidget* parent = nullptr);

  QImage& Picture() { return PictureImage; }
  const QImage& Picture() const { return PictureImage; }
  // Both show the picture scaled again, dropping the maker.
  void SetPicture(const QImage& picture);
  void PictureChanged();  // after drawing into Picture() directly
  // Shows what Maker draws at the box's size; Picture() stays as it is, for saving.
  void SetShownPicture(ShownPictureMaker Maker);
  // The square the picture is shown in: its side and the screen's pixel ratio.
  ShownSize ShownSizeNow() const;
  // What the box shows, at the screen's resolution (its pixel ratio set).
  QImage PictureAsShown();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The maker's picture for the box as it is now, drawn again only when that changed.
  const QImage& MadeForNow();

  QImage PictureImage;
  ShownPictureMaker Maker;
  QImage Shown;  // the maker's last picture, kept while the box's size and screen stay
  std::optional<ShownSize> ShownFor;
};
