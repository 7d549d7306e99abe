// DownloadFramesDialog: which of NASA's hourly frames "Download Frames..." fetches
// into the frame cache: a range of hours, a view and a hemisphere. Its times are UTC,
// the hours NASA's frames are made for (the window's UTC label shows the same).
// It offers the hour shown to a week later, in the window's view and hemisphere, and
// takes only ranges inside NASA's published years.
#pragma once

#include <QDialog>

#include "core/view_kind.h"

class QComboBox;
class QDateTimeEdit;
class QDialogButtonBox;
class QLabel;

inline constexpr long double kDownloadFramesDefaultDays = 7;

// The frames asked for: hourly from From to To (days, UTC) of View in the hemisphere
// of Latitude (NASA's frames differ by hemisphere alone, so a pole stands for it).
struct FrameRangeChoice {
  long double From;
  long double To;
  ViewKind View;
  long double Latitude;
};

class DownloadFramesDialog : public QDialog {
  Q_OBJECT
 public:
  // shown is the hour the window shows, view its view (the drawn Moon offers NASA's
  // Moon frames) and latitude the observer's, degrees north.
  DownloadFramesDialog(long double shown, ViewKind view, long double latitude, QWidget* parent = nullptr);

  FrameRangeChoice Choice() const;

  QDateTimeEdit* FromEdit = nullptr;
  QDateTimeEdit* ToEdit = nullptr;
  QComboBox* ViewBox = nullptr;        // NASA's views, in their numbers' order
  QComboBox* HemisphereBox = nullptr;  // North, South
  QLabel* InputMessage = nullptr;      // what is wrong with the range, empty when nothing is
  QDialogButtonBox* Buttons = nullptr;

 private:
  void CheckInput();
};
