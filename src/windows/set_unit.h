// TSetForm: the small window in which the user finds a place by name or enters the
// observer's latitude and longitude as magnitudes with a hemisphere list each, with the
// place's time zone and elevation. Saving changes the program-wide Latitude and
// Longitude in memory (the settings store gets them when the main window closes),
// announces the place's name, zone and elevation (PlaceSaved) and redraws the hour shown.
// A negative number typed for a latitude or longitude means the other hemisphere: the
// list switches to it (-33.87 with North becomes 33.87 South).
#pragma once

#include <QDialog>

#include <functional>
#include <vector>

#include "core/city_search.h"


class QComboBox;
class QCompleter;
class QSpinBox;
class QStringListModel;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class HandOff;
class LinkLabel;

// What goes with the place besides its latitude and longitude.
struct PlaceDetails {
  QString Name;        // the city picked ("Tokyo, Tokyo, Japan"), empty for typed numbers
  QString Zone;        // IANA zone name, empty for this computer's zone
  int ElevationM = 0;  // metres above sea level
};

class TSetForm : public QDialog {
  Q_OBJECT
 public:
  // ShowBoth redraws the hour shown after a save; Shell opens the finder site.
  TSetForm(long double& Latitude, long double& Longitude, std::function<void()> ShowBoth, HandOff& Shell,
           QWidget* parent = nullptr);

  // The place's name, zone and elevation as the window shows them next.
  void SetPlaceDetails(const PlaceDetails& details);
  PlaceDetails Details() const;

  QFrame* Panel1 = nullptr;
  QLineEdit* PlaceSearchEdit = nullptr;  // completes city names: "tok" offers Tokyo
  QCompleter* PlaceCompleter = nullptr;
  QComboBox* ZoneBox = nullptr;  // "This computer's zone", then every IANA zone
  QSpinBox* ElevationBox = nullptr;
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
  // Fills latitude, longitude and zone from the completion line chosen.
  void PickPlace(const QString& completionLine);
  void CloseButClick();
  void GoLatLonFinder();
  void LabelGoRed();
  void LabelGoBlack();

 signals:
  void PlaceSaved(const PlaceDetails& details);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void CreateControls();
  void CreatePlaceControls();
  void OfferPlaces(const QString& text);
  void ShowHemisphere(QLineEdit* edit, QComboBox* hemispheres, int negativeIndex);

  long double& Latitude;   // the program's observer place, degrees north
  long double& Longitude;  // degrees east
  std::function<void()> ShowBoth;
  HandOff& Shell;
  QString PlaceName;
  std::vector<CityMatch> Offered;  // the cities behind the completer's lines
  QStringListModel* OfferedLines = nullptr;
};

// A completion line: "Tokyo, Tokyo, Japan (35.6850 N, 139.7514 E, Asia/Tokyo)".
QString PlaceCompletionLine(const CityMatch& city);

// A site where the user can look up the latitude and longitude of a place.
inline constexpr const char* kLatLonFinderUrl = "https://www.openstreetmap.org/";
