// The range dialog of "Download Frames...": what it offers from the window's hour,
// view and hemisphere, and the ranges it refuses.
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "astro/time_scales.h"
#include "support/qt_app_environment.h"
#include "windows/download_frames_dialog.h"

namespace {

const long double kShown = EncodeDateTimeOrZero(2024, 6, 9, 18, 0, 0, 0);
constexpr long double kMinute = 1.0L / 1440;

bool Accepts(const DownloadFramesDialog& d) { return d.Buttons->button(QDialogButtonBox::Ok)->isEnabled(); }

TEST(DownloadFramesDialog, OffersTheHourShownToAWeekLaterInTheWindowsViewAndHemisphere) {
  const struct {
    ViewKind Window;
    long double Latitude;
    ViewKind Offered;
    bool South;
  } kCases[] = {{ViewKind::Orbit, 41.3L, ViewKind::Orbit, false},
                {ViewKind::Drawn, -33.9L, ViewKind::Moon, true},
                {ViewKind::ChartV, 0.0L, ViewKind::ChartV, false}};
  for (const auto& c : kCases) {
    const DownloadFramesDialog d(kShown, c.Window, c.Latitude);
    const FrameRangeChoice r = d.Choice();
    EXPECT_NEAR(r.From, kShown, kMinute);
    EXPECT_NEAR(r.To, EncodeDateTimeOrZero(2024, 6, 16, 18, 0, 0, 0), kMinute);
    EXPECT_EQ(d.FromEdit->dateTime().toString(Qt::ISODate), "2024-06-09T18:00:00Z");
    EXPECT_EQ(r.View, c.Offered);
    EXPECT_EQ(r.Latitude < 0, c.South);
    EXPECT_TRUE(Accepts(d));
    EXPECT_TRUE(d.InputMessage->text().isEmpty());
  }
}

TEST(DownloadFramesDialog, RefusesABackwardRangeAndYearsWithoutNasaFrames) {
  DownloadFramesDialog d(kShown, ViewKind::Moon, 41.3L);
  d.ToEdit->setDateTime(d.FromEdit->dateTime().addSecs(-3600));
  EXPECT_FALSE(Accepts(d));
  EXPECT_EQ(d.InputMessage->text(), "To must not come before From.");
  d.ToEdit->setDateTime(QDateTime(QDate(2023, 12, 31), QTime(23, 0), Qt::UTC));
  d.FromEdit->setDateTime(QDateTime(QDate(2023, 12, 1), QTime(0, 0), Qt::UTC));
  EXPECT_FALSE(Accepts(d));
  EXPECT_TRUE(d.InputMessage->text().startsWith("NASA publishes frames only for 2024 to "))
      << d.InputMessage->text().toStdString();
  d.FromEdit->setDateTime(QDateTime(QDate(2025, 12, 31), QTime(20, 0), Qt::UTC));
  d.ToEdit->setDateTime(QDateTime(QDate(2026, 1, 1), QTime(2, 0), Qt::UTC));
  EXPECT_TRUE(Accepts(d));
}

// Digits typed into a part of a date after a click on it replace that part, as they
// do after Tab: "2024-06-09 18:00 UTC", clicked in each part and typed over.
TEST(DownloadFramesDialog, DigitsTypedIntoAClickedPartReplaceIt) {
  const struct {
    int Column;  // the character clicked
    const char* Typed;
    const char* Expected;
  } kCases[] = {{2, "2025", "2025-06-09T18:00:00Z"},
                {6, "11", "2024-11-09T18:00:00Z"},
                {9, "12", "2024-06-12T18:00:00Z"},
                {12, "7", "2024-06-09T07:00:00Z"}};
  for (const auto& c : kCases) {
    DownloadFramesDialog d(kShown, ViewKind::Moon, 41.3L);
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    QLineEdit* line = d.FromEdit->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    const QFontMetrics metrics(line->font());
    line->setCursorPosition(0);
    const int textLeft = line->inputMethodQuery(Qt::ImCursorRectangle).toRect().center().x();
    const int x = textLeft + metrics.horizontalAdvance(line->text().left(c.Column)) + 2;
    QTest::mouseClick(line, Qt::LeftButton, Qt::NoModifier, QPoint(x, line->height() / 2));
    QTest::keyClicks(d.FromEdit, c.Typed);
    EXPECT_EQ(d.FromEdit->dateTime().toString(Qt::ISODate).toStdString(), c.Expected) << c.Typed;
  }
}

}  // namespace
