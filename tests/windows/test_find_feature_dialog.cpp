// "Find Feature...": the name completes as it is typed, the answer says whether the
// feature can be seen at the hour shown, and the sunrise and sunset buttons hand
// the window the hour to go to.
#include <QAbstractItemModel>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

#include "astro/selenographic_sun.h"
#include "astro/time_scales.h"
#include "core/feature_sun_events.h"
#include "nasa/hour_values.h"
#include "support/qt_app_environment.h"
#include "windows/find_feature_dialog.h"

namespace {

// 2026-12-17 12:00 UTC, near first quarter: the morning terminator near longitude -11.
const long double kFirstQuarter = EncodeDateTimeOrZero(2026, 12, 17, 12, 0, 0, 0);

double SunOver(const LunarFeature& f, long double hour) {
  const MoonHourValues v = HourValuesAt(hour).Values;
  return AltitudeOverPlaceDeg(f.LatitudeDeg, f.LongitudeDeg, double(v.Slat), double(v.Slon));
}

TEST(FindFeatureDialog, CompletesTheNameAndSaysWhetherTheFeatureCanBeSeen) {
  FindFeatureDialog d(kFirstQuarter, HourValuesAt);
  QCompleter* completer = d.NameEdit->completer();
  ASSERT_NE(completer, nullptr);
  // Case, accents and the apostrophe's form are ignored alike by the completer and the lookup.
  for (const auto& [typed, name] : {std::pair{"copern", "Copernicus"}, {"MADLER", "M\u00e4dler"},
                                    {"d\u2019alem", "d'Alembert"}}) {
    completer->setCompletionPrefix(QString::fromUtf8(typed));
    EXPECT_EQ(completer->currentCompletion(), QString::fromUtf8(name)) << typed;
  }

  int found = 0;
  QObject::connect(&d, &FindFeatureDialog::FeatureFound, [&found](const LunarFeature*) { ++found; });
  const struct {
    const char* Typed;
    const char* Says;
  } kCases[] = {
      {"Nowhere", "No feature of that name."},  // typed first, before any name has matched
      {"mare crisium", "On the near side, sunlit"},  // east: long in sunlight at first quarter
      {"Copernicus", "On the near side, in darkness"},  // west of the terminator: still night
      {"Tsiolkovskiy", "On the far side: it cannot be seen"},
      {"ANGSTR\u00d6M", "Angstr\u00f6m: crater"},
      {"angstrom", "Angstr\u00f6m: crater"},  // the same feature: not found again
      {"d\u2019alembert", "d'Alembert: crater"},
      {"Nowhere Crater", "No feature of that name."},
      {"", ""},
  };
  for (const auto& c : kCases) {
    d.NameEdit->setText(QString::fromUtf8(c.Typed));
    EXPECT_TRUE(d.AnswerLab->text().contains(QString::fromUtf8(c.Says))) << d.AnswerLab->text().toStdString();
    EXPECT_EQ(d.AnswerLab->text().isEmpty(), *c.Says == '\0') << c.Typed;
    EXPECT_EQ(d.SunriseBut->isEnabled(), d.Feature() != nullptr) << c.Typed;
  }
  EXPECT_EQ(found, 5);
}

TEST(FindFeatureDialog, NextSunriseAndSunsetHandOverTheHourOfTheEvent) {
  FindFeatureDialog d(kFirstQuarter, HourValuesAt);
  d.NameEdit->setText(QStringLiteral("Copernicus"));
  const LunarFeature& f = *d.Feature();
  std::vector<long double> go;
  QObject::connect(&d, &FindFeatureDialog::GoToHour, [&go](long double hour) { go.push_back(hour); });
  for (QPushButton* button : {d.SunriseBut, d.SunsetBut}) {
    go.clear();
    button->click();
    ASSERT_EQ(go.size(), 1u);
    const long double hour = go.front();
    EXPECT_GT(hour, kFirstQuarter);
    const double before = SunOver(f, hour - 1.0L / 24), at = SunOver(f, hour);
    EXPECT_EQ(before > 0, button == d.SunsetBut);
    EXPECT_EQ(at > 0, button == d.SunriseBut);
  }
  // Near the end of the years covered the search stops there, and says so.
  FindFeatureDialog end(EncodeDateTimeOrZero(3999, 12, 31, 12, 0, 0, 0), HourValuesAt);
  end.NameEdit->setText(QStringLiteral("Copernicus"));
  QObject::connect(&end, &FindFeatureDialog::GoToHour, [&go](long double hour) { go.push_back(hour); });
  go.clear();
  end.SunriseBut->click();
  EXPECT_TRUE(go.empty());
  EXPECT_EQ(end.AnswerLab->text(), QStringLiteral("The Sun does not rise over Copernicus before the end of 3999."));
  // Shown the hour of sunrise, the dialog says the feature is on the terminator.
  d.SetShownHour(*NextSunEvent(SunEvent::Sunrise, f.LatitudeDeg, f.LongitudeDeg, kFirstQuarter, HourValuesAt));
  EXPECT_TRUE(d.AnswerLab->text().contains(QStringLiteral("on the terminator"))) << d.AnswerLab->text().toStdString();
}

}  // namespace
