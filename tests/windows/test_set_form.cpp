// TSetForm: layout, what FormShow displays, the rules by which Save takes the typed
// magnitudes, the redraw after Save, and the finder link.
#include <QComboBox>
#include <QCoreApplication>
#include <QEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QPushButton>
#include <QCompleter>
#include <QSpinBox>
#include <QStringListModel>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/hand_off_recorder.h"
#include "support/qt_app_environment.h"
#include "support/widget_events.h"
#include "windows/link_label.h"
#include "windows/set_unit.h"

namespace {


class SetForm : public ::testing::Test {
 protected:
  void SetUp() override {
    SavedLocale = QLocale();
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    State.Latitude = 41.2979L;
    State.Longitude = -73.0756L;
  }
  void TearDown() override { QLocale::setDefault(SavedLocale); }

  // Types into the window as it shows the current place and presses Save.
  void Save(const QString& lat, int northSouth, const QString& lon, int eastWest) {
    Form.show();
    Form.LatEdit->setText(lat);
    Form.NorthSouthBox->setCurrentIndex(northSouth);
    Form.LonEdit->setText(lon);
    Form.EastWestBox->setCurrentIndex(eastWest);
    Form.SaveBut->click();
  }

  QLocale SavedLocale;
  struct {
    long double Latitude = 0, Longitude = 0;
  } State;  // the place the window keeps
  int Redraws = 0;
  long double LatitudeAtRedraw = 0;
  HandOffRecorder Shell;
  TSetForm Form{State.Latitude, State.Longitude,
                [this] {
                  ++Redraws;
                  LatitudeAtRedraw = State.Latitude;
                },
                Shell};
};

constexpr int kNorth = 0, kSouth = 1, kEast = 0, kWest = 1;

TEST_F(SetForm, LayoutAsDesigned) {
  EXPECT_EQ(Form.windowTitle(), "Set Latitude and Longitude");
  EXPECT_EQ(Form.size(), QSize(449, 281));
  EXPECT_EQ(Form.minimumSize(), Form.maximumSize()) << "fixed size";
  EXPECT_EQ(Form.Panel1->geometry(), QRect(0, 0, 449, 281));
  EXPECT_EQ(Form.LatEdit->geometry(), QRect(20, 90, 80, 26));
  EXPECT_EQ(Form.NorthSouthBox->geometry(), QRect(110, 90, 80, 26));
  EXPECT_EQ(Form.LonEdit->geometry(), QRect(250, 90, 80, 26));
  EXPECT_EQ(Form.EastWestBox->geometry(), QRect(340, 90, 80, 26));
  EXPECT_EQ(Form.SaveBut->geometry(), QRect(40, 190, 75, 25));
  EXPECT_EQ(Form.CloseBut->geometry(), QRect(170, 190, 75, 25));
  EXPECT_EQ(Form.SaveBut->text(), "Save");
  EXPECT_EQ(Form.CloseBut->text(), "Close");
  EXPECT_EQ(Form.NorthSouthBox->itemText(0), "North");
  EXPECT_EQ(Form.NorthSouthBox->itemText(1), "South");
  EXPECT_EQ(Form.EastWestBox->itemText(0), "East");
  EXPECT_EQ(Form.EastWestBox->itemText(1), "West");
  EXPECT_EQ(Form.LatLabel->text(), "Latitude°");
  EXPECT_EQ(Form.LonLabel->text(), "Longitude°");
  EXPECT_LE(Form.LatLabel->geometry().bottom(), Form.LatEdit->y()) << "the label sits above its box";
  EXPECT_EQ(Form.LatLabel->x(), Form.LatEdit->x());
  EXPECT_EQ(Form.LatEdit->font().pixelSize(), 16);
  EXPECT_EQ(Form.LatLabel->font().pixelSize(), 13);
  EXPECT_EQ(Form.GoLatLonFinderLab->text(), "Latitude and Longitude Finder");
  EXPECT_EQ(Form.GoLatLonFinderLab->pos(), QPoint(40, 242));
  EXPECT_EQ(Form.GoLatLonFinderLab->toolTip(), "Go to Latitude and Longitude Finder");
  EXPECT_TRUE(Form.GoLatLonFinderLab->font().underline());
  EXPECT_EQ(Form.GoLatLonFinderLab->font().pixelSize(), 16);
  EXPECT_EQ(FontColor(*Form.GoLatLonFinderLab), QColor(Qt::black));
}

TEST_F(SetForm, FormShowDisplaysMagnitudesAndHemispheres) {
  State.Latitude = -33.86786L;
  State.Longitude = 151.20736L;
  Form.show();
  EXPECT_EQ(Form.LatEdit->text(), "33.8679");
  EXPECT_EQ(Form.NorthSouthBox->currentIndex(), kSouth);
  EXPECT_EQ(Form.LonEdit->text(), "151.2074");
  EXPECT_EQ(Form.EastWestBox->currentIndex(), kEast);
  EXPECT_EQ(Form.focusWidget(), Form.CloseBut);
  Form.hide();

  // Exactly 0 shows as North for the latitude and as West for the longitude.
  State.Latitude = 0;
  State.Longitude = 0;
  Form.show();
  EXPECT_EQ(Form.LatEdit->text(), "0.0000");
  EXPECT_EQ(Form.NorthSouthBox->currentIndex(), kNorth);
  EXPECT_EQ(Form.LonEdit->text(), "0.0000");
  EXPECT_EQ(Form.EastWestBox->currentIndex(), kWest);
}

TEST_F(SetForm, SaveTakesMagnitudesAndTheListsHemispheres) {
  struct Case {
    const char* Lat;
    int NorthSouth;
    const char* Lon;
    int EastWest;
    long double Latitude, Longitude;  // expected afterwards
  };
  const Case cases[] = {
      {"41.5", kNorth, "73.5", kWest, 41.5L, -73.5L},
      {"90", kNorth, "180", kWest, 90.0L, -180.0L},         // the limits themselves are taken
      {"90", kSouth, "180", kEast, -90.0L, 180.0L},
      {" 7.25 ", kSouth, "0", kEast, -7.25L, 0.0L},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.Lat) + " / " + c.Lon);
    State.Latitude = 41.2979L;
    State.Longitude = -73.0756L;
    Redraws = 0;
    Save(c.Lat, c.NorthSouth, c.Lon, c.EastWest);
    // Within a double's rounding: the values pass through a double parse.
    EXPECT_NEAR(static_cast<double>(State.Latitude), static_cast<double>(c.Latitude), 1e-12);
    EXPECT_NEAR(static_cast<double>(State.Longitude), static_cast<double>(c.Longitude), 1e-12);
    EXPECT_EQ(Redraws, 1) << "every save redraws, changed or not";
    EXPECT_FALSE(Form.isVisible()) << "saving closes the window";
  }
}

// A negative number is the other hemisphere, whichever the list showed: the list
// switches and the box keeps the magnitude ("-33.87" with North is 33.87 South).
TEST_F(SetForm, ANegativeNumberSwitchesTheHemisphere) {
  const struct {
    const char* Lat;
    int NorthSouth;
    const char* Lon;
    int EastWest;
    long double Latitude, Longitude;
  } cases[] = {
      {"-33.87", kNorth, "151.21", kEast, -33.87L, 151.21L},
      {"-33.87", kSouth, "-73.5", kEast, -33.87L, -73.5L},
      {"41.5", kNorth, "\u221273.5", kEast, 41.5L, -73.5L},  // the typographic minus sign
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Lat) + " / " + c.Lon);
    Form.show();
    Form.NorthSouthBox->setCurrentIndex(c.NorthSouth);
    Form.EastWestBox->setCurrentIndex(c.EastWest);
    Form.LatEdit->setText(QString::fromUtf8(c.Lat));
    Form.LonEdit->setText(QString::fromUtf8(c.Lon));
    EXPECT_FALSE(Form.LatEdit->text().startsWith('-')) << "the box shows the magnitude";
    EXPECT_EQ(Form.NorthSouthBox->currentIndex(), c.Latitude < 0 ? kSouth : kNorth);
    EXPECT_EQ(Form.EastWestBox->currentIndex(), c.Longitude < 0 ? kWest : kEast);
    Form.SaveBut->click();
    EXPECT_NEAR(static_cast<double>(State.Latitude), static_cast<double>(c.Latitude), 1e-12);
    EXPECT_NEAR(static_cast<double>(State.Longitude), static_cast<double>(c.Longitude), 1e-12);
  }
}

// Typing "tok" offers Tokyo with its coordinates and zone; picking it fills the
// numbers and the zone, which stay editable, and Save announces name, zone and elevation.
TEST_F(SetForm, APlaceFoundByNameFillsCoordinatesAndZone) {
  Form.show();
  Form.PlaceSearchEdit->setText("tok");
  emit Form.PlaceSearchEdit->textEdited("tok");
  const QStringList offered = qobject_cast<QStringListModel*>(Form.PlaceCompleter->model())->stringList();
  ASSERT_FALSE(offered.isEmpty());
  EXPECT_EQ(offered.front(), "Tokyo, Tokyo, Japan (35.6850 N, 139.7514 E, Asia/Tokyo)");
  emit Form.PlaceCompleter->activated(offered.front());
  EXPECT_EQ(Form.LatEdit->text(), "35.6850");
  EXPECT_EQ(Form.NorthSouthBox->currentIndex(), kNorth);
  EXPECT_EQ(Form.LonEdit->text(), "139.7514");
  EXPECT_EQ(Form.EastWestBox->currentIndex(), kEast);
  EXPECT_EQ(Form.ZoneBox->currentText(), "Asia/Tokyo");
  EXPECT_TRUE(Form.LatEdit->isEnabled() && !Form.LatEdit->isReadOnly());
  Form.ElevationBox->setValue(40);
  std::optional<PlaceDetails> saved;
  QObject::connect(&Form, &TSetForm::PlaceSaved, [&](const PlaceDetails& d) { saved = d; });
  Form.SaveBut->click();
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->Name, "Tokyo, Tokyo, Japan");
  EXPECT_EQ(saved->Zone, "Asia/Tokyo");
  EXPECT_EQ(saved->ElevationM, 40);
  EXPECT_NEAR(static_cast<double>(State.Longitude), 139.7514, 1e-9);
}

TEST_F(SetForm, TheComputersZoneAndTypedNumbersNeedNoName) {
  Form.SetPlaceDetails({"Tokyo, Tokyo, Japan", "Asia/Tokyo", 40});
  Form.show();
  EXPECT_EQ(Form.ZoneBox->currentText(), "Asia/Tokyo");
  Form.ZoneBox->setCurrentIndex(0);
  EXPECT_EQ(Form.ZoneBox->currentText(), "This computer's zone");
  emit Form.LatEdit->textEdited("12");
  const PlaceDetails d = Form.Details();
  EXPECT_TRUE(d.Name.isEmpty()) << "typed numbers are no longer the city";
  EXPECT_TRUE(d.Zone.isEmpty());
  EXPECT_EQ(d.ElevationM, 40);
}

// A value that cannot be taken is marked where it was typed, and Save waits.
TEST_F(SetForm, InvalidInputIsShownAndSaveWaits) {
  const struct {
    const char* Lat;
    const char* Lon;
    bool LatBad, LonBad;
  } cases[] = {
      {"90.0001", "180", true, false}, {"90", "180.5", false, true}, {"", "abc", true, true},
      {"abc", "12.25", true, false},   {"41,5", "1.5", true, false},  {"nan", "inf", true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.Lat) + " / " + c.Lon);
    Redraws = 0;
    Save(c.Lat, kNorth, c.Lon, kEast);
    EXPECT_FALSE(Form.SaveBut->isEnabled());
    EXPECT_EQ(Redraws, 0);
    EXPECT_TRUE(Form.isVisible());
    EXPECT_NEAR(static_cast<double>(State.Latitude), 41.2979, 1e-12);
    EXPECT_EQ(Form.LatEdit->styleSheet().contains("red"), c.LatBad);
    EXPECT_EQ(Form.LonEdit->styleSheet().contains("red"), c.LonBad);
    EXPECT_TRUE(Form.InputMessage->text().contains(c.LatBad ? "latitude" : "longitude"))
        << Form.InputMessage->text().toStdString();
  }
  Form.LatEdit->setText("12.5");
  Form.LonEdit->setText("100");
  EXPECT_TRUE(Form.SaveBut->isEnabled());
  EXPECT_TRUE(Form.InputMessage->text().isEmpty());
  EXPECT_TRUE(Form.LatEdit->styleSheet().isEmpty());
}

TEST_F(SetForm, SaveParsesWithTheLocalesDecimalSeparator) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  Form.show();
  EXPECT_EQ(Form.LatEdit->text(), "41,2979");
  Save("41,5", kSouth, "73.5", kWest);
  EXPECT_FALSE(Form.SaveBut->isEnabled()) << "'.' is no decimal separator here";
  Save("41,5", kSouth, "73,5", kWest);
  EXPECT_NEAR(static_cast<double>(State.Latitude), -41.5, 1e-12);
  EXPECT_NEAR(static_cast<double>(State.Longitude), -73.5, 1e-12);
}

TEST_F(SetForm, SaveRedrawsWithTheNewPlace) {
  Save("12.5", kSouth, "100", kEast);
  EXPECT_EQ(Redraws, 1);
  EXPECT_NEAR(static_cast<double>(LatitudeAtRedraw), -12.5, 1e-12);
}

TEST_F(SetForm, ShowingAgainDisplaysTheSavedValuesToFourDecimals) {
  Save("12.345678", kSouth, "0.00004", kEast);
  Form.show();
  EXPECT_EQ(Form.LatEdit->text(), "12.3457");
  EXPECT_EQ(Form.NorthSouthBox->currentIndex(), kSouth);
  EXPECT_EQ(Form.LonEdit->text(), "0.0000");
  EXPECT_EQ(Form.EastWestBox->currentIndex(), kEast);
}

TEST_F(SetForm, CloseChangesNothing) {
  Form.show();
  Form.LatEdit->setText("10");
  Form.LonEdit->setText("20");
  Form.CloseBut->click();
  EXPECT_FALSE(Form.isVisible());
  EXPECT_EQ(State.Latitude, 41.2979L);
  EXPECT_EQ(State.Longitude, -73.0756L);
  EXPECT_EQ(Redraws, 0);
}

TEST_F(SetForm, FinderLinkOpensTheSiteAndTurnsRedUnderThePointer) {
  Form.show();
  Hover(Form.GoLatLonFinderLab, true);
  EXPECT_EQ(FontColor(*Form.GoLatLonFinderLab), QColor(Qt::red));
  Click(Form.GoLatLonFinderLab);
  Hover(Form.GoLatLonFinderLab, false);
  EXPECT_EQ(FontColor(*Form.GoLatLonFinderLab), QColor(Qt::black));
  EXPECT_EQ(Shell.Calls, (std::vector<HandOffCall>{{"OpenDocument", kLatLonFinderUrl}}));
}

}  // namespace
