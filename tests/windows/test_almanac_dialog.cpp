// The Almanac window offscreen: a row per local day with "none" where the day has no
// event, the month's phases below, Save CSV and Save iCalendar writing what the core
// produces where the user chose (and saying so, or why not), a row click announcing that
// day's moonrise.
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/almanac_csv.h"
#include "core/system_time_zone.h"
#include "support/qt_app_environment.h"
#include "windows/almanac_dialog.h"

namespace {

std::string ReadAll(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class AlmanacWindow : public ::testing::Test {
 protected:
  QTemporaryDir Folder;
  const SystemTimeZone Oslo{QTimeZone("Europe/Oslo")};
  const MonthAlmanac Tromso = ComputeMonthAlmanac(2027, 1, {69.63508, 18.99203, 0}, Oslo);
  QString Chosen;
  AlmanacDialog Dialog{Tromso, Oslo, "Tromsø, Troms, Norway",
                       [this](const QString&, const QString&, const QString&) {
                         return Chosen.isEmpty() ? QString() : Folder.filePath(Chosen);
                       }};
};

TEST_F(AlmanacWindow, ShowsEveryDayAndSaysWhereADayHasNoEvent) {
  Dialog.show();
  ASSERT_EQ(Dialog.Table->rowCount(), 31);
  ASSERT_EQ(Dialog.Table->columnCount(), 12);
  EXPECT_EQ(Dialog.Table->item(0, 0)->text(), "2027-01-01");
  EXPECT_EQ(Dialog.Table->item(0, 8)->text(), "none") << "no sunrise in the polar night";
  EXPECT_EQ(Dialog.Table->item(0, 1)->text(), QString::fromStdString(AlmanacRowFields(Tromso.Days[0], Oslo)[1]));
  EXPECT_TRUE(Dialog.EventsLabel->text().contains("Full Moon 2027-01-22"));
  EXPECT_TRUE(Dialog.windowTitle().contains("Tromsø"));
}

TEST_F(AlmanacWindow, SavesTheMonthAsCsvAndTheYearAsICalendar) {
  Chosen = "month.csv";
  Dialog.SaveCsvBut->click();
  EXPECT_EQ(ReadAll(Folder.filePath("month.csv")), AlmanacCsv(Tromso, Oslo));
  EXPECT_TRUE(Dialog.StatusLabel->text().startsWith("Saved to")) << Dialog.StatusLabel->text().toStdString();
  Chosen = "year.ics";
  Dialog.SaveIcsBut->click();
  const std::string ics = ReadAll(Folder.filePath("year.ics"));
  EXPECT_EQ(ics.rfind("BEGIN:VCALENDAR\r\n", 0), 0u);
  EXPECT_NE(ics.find("SUMMARY:Full Moon\r\n"), std::string::npos);
  // A folder where the file should go is reported, not claimed as saved.
  Chosen = "no/such/folder/x.csv";
  Dialog.SaveCsvBut->click();
  EXPECT_TRUE(Dialog.StatusLabel->text().startsWith("Could not save")) << Dialog.StatusLabel->text().toStdString();
  // Cancelling writes nothing and says nothing.
  Chosen.clear();
  Dialog.StatusLabel->clear();
  Dialog.SaveCsvBut->click();
  EXPECT_TRUE(Dialog.StatusLabel->text().isEmpty());
}

TEST_F(AlmanacWindow, ARowClickAnnouncesThatDaysMoonrise) {
  std::vector<double> chosen;
  QObject::connect(&Dialog, &AlmanacDialog::MoonriseChosen, [&](double t) { chosen.push_back(t); });
  int withRise = -1, withoutRise = -1;
  for (int d = 0; d < 31; ++d) (Tromso.Days[static_cast<std::size_t>(d)].Moonrise ? withRise : withoutRise) = d;
  ASSERT_GE(withRise, 0);
  ASSERT_GE(withoutRise, 0);
  emit Dialog.Table->cellClicked(withRise, 3);
  ASSERT_EQ(chosen.size(), 1u);
  EXPECT_EQ(chosen[0], Tromso.Days[static_cast<std::size_t>(withRise)].Moonrise->Instant);
  emit Dialog.Table->cellClicked(withoutRise, 0);
  EXPECT_EQ(chosen.size(), 1u) << "a day without moonrise announces nothing";
  EXPECT_TRUE(Dialog.StatusLabel->text().contains("does not rise"));
}

}  // namespace
