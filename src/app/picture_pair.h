// The main window's two pictures side by side, as large as the space allows while
// both stay square and equal, with what belongs under them: the captions, one centred
// under the left picture and one at each end of the line under the right picture,
// and under those the controls of the show. A wide window has room to the sides of
// two squares but little beneath them, so the controls go there rather than beside.
#pragma once

#include <QWidget>

class QLabel;
class ImageBox;

class PicturePair : public QWidget {
  Q_OBJECT
 public:
  // The side of each picture: never smaller than kMinSide, as large as the space
  // allows (beyond the pictures' 730 pixels on large screens).
  static constexpr int kMinSide = 320;
  static constexpr int kDesignedSide = 730;

  PicturePair(ImageBox* left, ImageBox* right, QWidget* parent = nullptr);
  // The captions: under the left picture's middle, and at the start and the end of the
  // line under the right picture.
  void SetCaptions(QLabel* underLeft, QLabel* rightStart, QLabel* rightEnd);
  // The controls under the captions, at their preferred height, centred under the pictures.
  void SetControls(QWidget* controls);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  int CaptionHeight() const;
  int ControlsHeight() const;
  QSize WithControls(int side) const;  // the whole for pictures of side
  void Arrange();

  ImageBox* Left;
  ImageBox* Right;
  QLabel* UnderLeft = nullptr;
  QLabel* RightStart = nullptr;
  QLabel* RightEnd = nullptr;
  QWidget* Controls = nullptr;
};
