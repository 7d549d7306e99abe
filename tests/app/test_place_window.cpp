// The observer's place in the window: a city chosen in the Set window brings its own
// time zone, which every local time then follows, its elevation, and the month
// almanac for it.
#include <gtest/gtest.h>

#include <QAction>
#include <QCalendarWidget>
#include <QDateTime>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimeZone>

#include "core/system_time_zone.h"
#include "support/window_test.h"
#include "windows/almanac_dialog.h"
#include "windows/set_unit.h"

namespace {

long double At(int y, int mo, int d, int h) { return EncodeDateTimeOrZero(y, mo, d, h, 0, 0, 0); }

// "Rise Local 17:05 Mar 2": the event's time and day in zone, through Qt's own zone rules.
QString LocalLine(const char* caption, long double utc, const char* zone) {
  const QDateTime t = QDateTime::fromMSecsSinceEpoch(std::llround((utc - 25569.0L) * 86400000.0L), QTimeZone::utc())
                          .toTimeZone(QTimeZone(zone));
  return QStringLiteral("%1 Local %2 %3 %4")
      .arg(caption, t.toString("HH:mm"), QLocale().monthName(t.date().month(), QLocale::ShortFormat))
      .arg(t.date().day());
}

class PlaceWindow : public WindowTest {
 protected:
  void SetUp() override {
    QFile::remove(IniPath());
    Zone = &NewYork;  // the computer's zone
  }

  // Chooses Tokyo in the Set window, as a user does: typed, picked, saved.
  static void ChooseTokyo(TForm1& form, int elevationM) {
    Child<QAction>(form, "Set1")->trigger();
    auto* set = form.findChild<TSetForm*>();
    ASSERT_NE(set, nullptr);
    set->PlaceSearchEdit->setText("tok");
    emit set->PlaceSearchEdit->textEdited("tok");
    set->PickPlace("Tokyo, Tokyo, Japan (35.6850 N, 139.7514 E, Asia/Tokyo)");
    set->ElevationBox->setValue(elevationM);
    set->SaveBut->click();
  }

  const SystemTimeZone NewYork{QTimeZone("America/New_York")};
};

// 2027-03-01 20:00 UTC is 05:00 on 2 March in Tokyo and 15:00 on 1 March in New York.
TEST_F(PlaceWindow, TokyoChosenOnANewYorkComputerShowsTokyosTimeEverywhere) {
  {
    TForm1 form(MakeServices());
    form.ReadIniFile();
    ChooseTokyo(form, 40);
    form.Session().GoTo(At(2027, 3, 1, 20));
    WaitForShow(form);
    EXPECT_EQ(Child<QCalendarWidget>(form, "MonthCal")->selectedDate(), QDate(2027, 3, 2));
    EXPECT_EQ(Child<QLabel>(form, "LocLab")->text(), " Mar 2, 2027  05:00  Local\n(Asia/Tokyo, UTC+09:00)");
    const MoonRecord& r = form.Session().Record();
    const QStringList panel = Child<QPlainTextEdit>(form, "Memo1")->toPlainText().split('\n');
    EXPECT_TRUE(panel.contains(LocalLine("Rise", r.Rise, "Asia/Tokyo"))) << panel.join('\n').toStdString();
    EXPECT_TRUE(panel.contains(LocalLine("Set ", r.Set, "Asia/Tokyo")));
    EXPECT_TRUE(std::any_of(panel.begin(), panel.end(), [](const QString& l) { return l.startsWith("Sunrise Local"); }));
    // The Moon from 40 m above the sea is a little nearer than from the ellipsoid.
    EXPECT_GT(r.Topocentric.Diam, TopocentricMoon(HourValuesOf(r), r.DateTime, ObserverPlace{r.Latitude, r.Longitude, 0}).Diam);
    form.close();
  }
  QSettings raw(IniPath(), QSettings::IniFormat);
  EXPECT_EQ(raw.value("SETTINGS/PlaceZone").toString(), "Asia/Tokyo");
  EXPECT_EQ(raw.value("SETTINGS/PlaceName").toString(), "Tokyo, Tokyo, Japan");
  EXPECT_EQ(raw.value("SETTINGS/ElevationM").toInt(), 40);

  TForm1 next(MakeServices());
  next.ReadIniFile();
  next.Session().GoToCalendarDay(QDate(2027, 3, 2));
  WaitForShow(next);
  EXPECT_EQ(next.Session().HourShown(), At(2027, 3, 1, 15)) << "Tokyo's midnight";
}

// The present is the same instant whatever the place's zone and the computer's.
TEST_F(PlaceWindow, NowIsThePresentWhateverThePlacesZone) {
  UtcClock.Now = EncodeDateTimeOrZero(2027, 3, 1, 20, 37, 0, 0);
  TForm1 form(MakeServices());
  form.ReadIniFile();
  ChooseTokyo(form, 0);
  form.Session().GoTo(At(2027, 8, 1, 0));
  WaitForShow(form);
  Child<QPushButton>(form, "NowBut")->click();
  WaitForShow(form);
  EXPECT_EQ(form.Session().HourShown(), At(2027, 3, 1, 21));
  EXPECT_EQ(Child<QCalendarWidget>(form, "MonthCal")->selectedDate(), QDate(2027, 3, 2)) << "06:00 in Tokyo";
}

// Without a zone of its own the place keeps the computer's, named as such.
TEST_F(PlaceWindow, APlaceWithoutAZoneKeepsTheComputers) {
  TForm1 form(MakeServices());
  form.ReadIniFile();
  form.Session().GoTo(At(2027, 1, 10, 3));
  WaitForShow(form);
  EXPECT_EQ(Child<QLabel>(form, "LocLab")->text(), " Jan 9, 2027  22:00  Local\n(America/New_York, UTC-05:00)");
}

// The almanac is the month of the place's day shown; a row goes to an hour of that
// day within the hour of its moonrise: 23:38 on 26 April is nearer midnight, the next day.
TEST_F(PlaceWindow, TheAlmanacIsThePlacesMonthAndARowShowsItsMoonrise) {
  TForm1 form(MakeServices());
  form.ReadIniFile();
  ChooseTokyo(form, 0);
  const struct {
    long double Shown;
    int Row;
    QDate Day;
  } cases[] = {{At(2027, 2, 28, 20), 9, QDate(2027, 3, 10)}, {At(2027, 3, 31, 20), 25, QDate(2027, 4, 26)}};
  for (const auto& c : cases) {
    form.Session().GoTo(c.Shown);  // the 1st in Tokyo
    WaitForShow(form);
    Child<QAction>(form, "Almanac1Action")->trigger();
    auto* almanac = form.findChild<AlmanacDialog*>();
    ASSERT_NE(almanac, nullptr);
    EXPECT_EQ(almanac->Table->rowCount(), c.Day.daysInMonth());
    EXPECT_TRUE(almanac->windowTitle().contains("Tokyo")) << almanac->windowTitle().toStdString();
    almanac->RowClick(c.Row);
    WaitForShow(form);
    const MoonRecord& r = form.Session().Record();
    EXPECT_EQ(Child<QCalendarWidget>(form, "MonthCal")->selectedDate(), c.Day);
    EXPECT_LT(std::fabs(static_cast<double>(form.Session().HourShown() - r.Rise)) * 24, 1) << "the hour of moonrise";
    delete almanac;
  }
}

// The covered range's first hour is still 31 December 1599 in New York, and the first
// of January 1600 in Tokyo begins in 1599 in UTC: the window stays inside the range.
TEST_F(PlaceWindow, DaysAtTheCoveredRangesEndsStayInsideIt) {
  TForm1 form(MakeServices());
  form.ReadIniFile();
  form.Session().GoTo(At(1600, 1, 1, 0));
  WaitForShow(form);
  Child<QAction>(form, "Almanac1Action")->trigger();
  auto* almanac = form.findChild<AlmanacDialog*>();
  ASSERT_NE(almanac, nullptr);
  EXPECT_TRUE(almanac->windowTitle().contains("1600-01")) << almanac->windowTitle().toStdString();
  delete almanac;
  ChooseTokyo(form, 0);
  form.Session().GoToCalendarDay(QDate(1600, 1, 1));
  WaitForShow(form);
  EXPECT_EQ(form.Session().HourShown(), At(1600, 1, 1, 0));
}

}  // namespace
