// TSetForm: the small window in which the user enters the observer's latitude and
// longitude as magnitudes with a hemisphere list each. Saving changes the program-wide
// Latitude and Longitude in memory (the settings store gets them when the main window
// closes) and redraws the hour shown.
#pragma once

#include <QDialog>

#include <functional>


class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class HandOff;
class LinkLabel;

class TSetForm : public QDialog {
  Q_OBJECT
 public:
  // ShowBoth redraws the hour shown after a save; Shell opens the finder site.
  TSetForm(long double& Latitude, long double& Longitude, std::function<void()> ShowBoth, HandOff& Shell,
           QWidget* parent = nullptr);

  QFrame* Panel1 = nullptr;
  QLabel* LatLabel = nullptr;
  QLineEdit* LatEdit = nullptr;
  QComboBox* NorthSouthBox = nullptr;
  QLabel* LonLabel = nullptr;
  QLineEdit* LonEdit = nullptr;
  QComboBox* EastWestBox = nullptr;
  QPushButton* SaveBut = nullptr;
  QPushButton* CloseBut = nullptr;
  LinkLabel* GoLatLonFinderLab = nullptr;
  QLabel* InputMessage = nullptr;  // what is wrong with a typed value, empty when nothing is

 public slots:
  void FormShow();
  void SaveButClick();
  void CheckInput();
  void CloseButClick();
  void GoLatLonFinder();
  void LabelGoRed();
  void LabelGoBlack();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();

  long double& Latitude;   // the program's observer place, degrees north
  long double& Longitude;  // degrees east
  std::function<void()> ShowBoth;
  HandOff& Shell;
};

// A site where the user can look up the latitude and longitude of a place.
inline constexpr const char* kLatLonFinderUrl = "https://www.openstreetmap.org/";
