// The About window's built-in Moon pictures: 27 JPEGs of 109 x 109 under the names of
// NASA's daily frames, each showing the lit part of the disc that NASA's 2024 table
// gives for its hour, on the correct side.
#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QLocale>
#include <QStringList>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <cmath>

#include "support/qt_app_environment.h"
#include "windows/about_unit.h"

namespace {

constexpr double kCentre = 54.0;  // the disc's centre in the 109-pixel picture
constexpr double kRadius = 50.0;  // the disc's radius in pixels
// Lit ground, maria included, is far brighter than the earthshine side (about 30).
constexpr int kLitGray = 72;

struct NasaPhase {
  double Phase;  // percent lit
  double Age;    // days since new moon
};

// NASA's row for zero-based hour `hour` of 2024, read straight from the table.
NasaPhase NasaRow(int hour) {
  QFile table(QStringLiteral(ORVANEL_TEST_DATA_DIR) + "/nasa/mooninfo_2024.txt");
  EXPECT_TRUE(table.open(QIODevice::ReadOnly | QIODevice::Text));
  const QStringList lines = QString::fromLatin1(table.readAll()).split('\n');
  const QString line = lines.value(hour + 1);  // after the header line
  const QDateTime at = QDateTime(QDate(2024, 1, 1), QTime(0, 0), QTimeZone::utc()).addSecs(hour * 3600LL);
  EXPECT_TRUE(line.startsWith(QLocale::c().toString(at, "dd MMM yyyy HH:mm") + " UT")) << line.toStdString();
  const QStringList fields = line.split(' ', Qt::SkipEmptyParts);
  return {fields.value(5).toDouble(), fields.value(6).toDouble()};
}

bool Lit(const QImage& picture, int x, int y) { return qGray(picture.pixel(x, y)) > kLitGray; }

// The share of the disc's pixels that are lit.
double LitFraction(const QImage& picture) {
  int inside = 0, lit = 0;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (std::hypot(x - kCentre, y - kCentre) <= kRadius) {
        ++inside;
        lit += Lit(picture, x, y);
      }
  return static_cast<double>(lit) / inside;
}

// Where the terminator crosses row y: the outer edge of the first lit pixel seen from the
// dark side (the west for a waxing Moon, the east for a waning one); NaN for a dark row.
double TerminatorX(const QImage& picture, int y, bool waxing) {
  const double halfChord = std::sqrt(kRadius * kRadius - (y - kCentre) * (y - kCentre));
  for (int step = 0; step < picture.width(); ++step) {
    const int x = waxing ? step : picture.width() - 1 - step;
    if (std::abs(x - kCentre) < halfChord - 1 && Lit(picture, x, y)) return waxing ? x - 0.5 : x + 0.5;
  }
  return std::nan("");
}

TEST(AboutMoons, TwentySevenPicturesUnderNasasFrameNames) {
  EXPECT_EQ(AboutMoonName(0), "moon6268");
  EXPECT_EQ(AboutMoonName(1), "moon6292");
  EXPECT_EQ(AboutMoonName(26), "moon6892");
  for (int i = 0; i < kAboutMoonCount; ++i) {
    SCOPED_TRACE(i);
    QFile resource(AboutMoonResource(i));
    ASSERT_TRUE(resource.open(QIODevice::ReadOnly));
    EXPECT_TRUE(resource.readAll().startsWith("\xFF\xD8\xFF")) << "a JPEG stream";
    const QImage picture(AboutMoonResource(i), "JPG");
    EXPECT_EQ(picture.size(), QSize(109, 109));
  }
  EXPECT_FALSE(QFile::exists(":/JPG/moon6916")) << "no 28th picture";
}

// For an illuminated fraction k the terminator is the half ellipse x = -(2k - 1) sqrt(R^2 - y^2)
// (waxing; mirrored when waning). Tolerances: the lit share within the disc's edge pixels,
// which are part sky (about 1/R = 0.02), and the terminator within a pixel and a half of
// anti-aliasing and JPEG smoothing.
TEST(AboutMoons, EachPictureShowsNasasPhaseOfItsHour) {
  for (int i = 0; i < kAboutMoonCount; ++i) {
    const int hour = 6268 + 24 * i - 1;
    SCOPED_TRACE(AboutMoonName(i).toStdString());
    const NasaPhase nasa = NasaRow(hour);
    const QImage picture(AboutMoonResource(i), "JPG");
    const double k = nasa.Phase / 100;
    EXPECT_NEAR(LitFraction(picture), k, 0.04);
    if (nasa.Phase < 3 || nasa.Phase > 97) continue;  // the terminator hugs the limb
    const bool waxing = nasa.Age < 29.530589 / 2;
    for (const int dy : {-30, 0, 30}) {
      const double halfChord = std::sqrt(kRadius * kRadius - dy * dy);
      const double expected = kCentre + (waxing ? -1 : 1) * (2 * k - 1) * halfChord;
      EXPECT_NEAR(TerminatorX(picture, static_cast<int>(kCentre) + dy, waxing), expected, 1.5) << "row " << dy;
    }
  }
}

}  // namespace
