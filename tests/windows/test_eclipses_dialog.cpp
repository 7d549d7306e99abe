// The Eclipses window, offscreen: the century it lists for the hour shown, what a row
// says for New York, a row chosen, and spans it refuses.
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <optional>

#include "astro/time_scales.h"
#include "support/fixed_zone.h"
#include "support/qt_app_environment.h"
#include "windows/eclipses_dialog.h"

namespace {

const long double kShown = EncodeDateTimeOrZero(2025, 3, 1, 12, 0, 0, 0);
const FixedOffsetZone kNewYorkZone(-4 * 60);

QString Cell(const EclipsesDialog& d, int row, int column) { return d.Table->item(row, column)->text(); }

}  // namespace

TEST(EclipsesDialog, CenturiesRunFromTheirFirstYearToTheirHundredth) {
  const struct {
    int Year;
    YearSpan Expected;
  } cases[] = {{2025, {2001, 2100}}, {2100, {2001, 2100}}, {2101, {2101, 2200}}, {1620, {1601, 1700}},
               {1600, {1600, 1600}}, {3999, {3901, 3999}}};
  for (const auto& c : cases) {
    const YearSpan s = CenturyOf(EncodeDate(c.Year, 6, 1));
    EXPECT_EQ(s.First, c.Expected.First) << c.Year;
    EXPECT_EQ(s.Last, c.Expected.Last) << c.Year;
  }
}

TEST(EclipsesDialog, ListsTheCenturyAndStartsAtTheNextEclipse) {
  EclipsesDialog d(kShown, 40.71L, -74.01L, kNewYorkZone);
  EXPECT_EQ(d.FromYearBox->value(), 2001);
  EXPECT_EQ(d.ToYearBox->value(), 2100);
  EXPECT_EQ(d.Table->rowCount(), 228);  // the Canon's count for 2001 ... 2100
  const int row = d.Table->currentRow();
  ASSERT_GE(row, 0);
  EXPECT_EQ(Cell(d, row, 0), "2025-03-14 06:58");
  EXPECT_EQ(Cell(d, row, 1), "total");
  EXPECT_EQ(Cell(d, row, 2), "1.179");
  EXPECT_EQ(Cell(d, row, 4), "yes");
  // 2025-09-07 is seen from Asia, Africa and Europe, not from New York.
  EXPECT_EQ(Cell(d, row + 1, 0), "2025-09-07 18:11");
  EXPECT_EQ(Cell(d, row + 1, 4), "no");
  EXPECT_TRUE(d.Contacts->text().contains("U2  06:26 UTC  02:26 local  Moon ")) << d.Contacts->text().toStdString();
}

TEST(EclipsesDialog, AChosenRowGivesItsGreatestEclipse) {
  EclipsesDialog d(kShown, 40.71L, -74.01L, kNewYorkZone);
  std::optional<long double> chosen;
  QObject::connect(&d, &EclipsesDialog::EclipseChosen, [&](long double greatest) { chosen = greatest; });
  d.Table->setCurrentCell(d.Table->currentRow() + 1, 0);
  d.GoButton->click();
  ASSERT_TRUE(chosen.has_value());
  EXPECT_NEAR(*chosen, EncodeDateTimeOrZero(2025, 9, 7, 18, 11, 48, 0), 1.0L / 1440);  // NASA's greatest
}

TEST(EclipsesDialog, ListsAnotherSpanAndRefusesBackwardOrTooLongOnes) {
  EclipsesDialog d(kShown, 40.71L, -74.01L, kNewYorkZone);
  d.FromYearBox->setValue(2025);
  d.ToYearBox->setValue(2026);
  EXPECT_EQ(d.Table->rowCount(), 4);
  EXPECT_TRUE(d.InputMessage->text().isEmpty());
  d.ToYearBox->setValue(2024);
  EXPECT_EQ(d.Table->rowCount(), 0);
  EXPECT_FALSE(d.GoButton->isEnabled());
  EXPECT_FALSE(d.InputMessage->text().isEmpty());
  d.FromYearBox->setValue(1600);
  d.ToYearBox->setValue(1600 + kEclipseListMaxYears);
  EXPECT_EQ(d.Table->rowCount(), 0);
  EXPECT_FALSE(d.InputMessage->text().isEmpty());
}
