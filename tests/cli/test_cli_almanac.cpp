// orvanel-cli places, almanac and calendar as a user runs them: the place search's
// lines, the almanac CSV's exact header and formats, a polar night without sunrise and
// days without moonrise or moonset, and the place's own zone. The values themselves are
// checked against an independent ephemeris in the core tests.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QStringList>

#include "cli/cli_in_process.h"

namespace {

const char* kHeader =
    "date,moonrise,moonrise_azimuth,transit,transit_altitude,moonset,moonset_azimuth,illumination,sunrise,sunset,"
    "night_from,night_until";

QStringList Lines(const std::vector<std::string>& args) {
  const ProgramRun run = RunCliInProcess(args);
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  return QString::fromStdString(run.Output).split('\n', Qt::SkipEmptyParts);
}

// Rows of the CSV as fields, after checking the header and every field's format.
std::vector<QStringList> CsvRows(const std::vector<std::string>& args) {
  const QStringList lines = Lines(args);
  EXPECT_EQ(lines.value(0).toStdString(), kHeader);
  const QRegularExpression date("^\\d{4}-\\d{2}-\\d{2}$"), time("^(\\d{2}:\\d{2}:\\d{2})?$"),
      angle("^(-?\\d+\\.\\d{2})?$");
  std::vector<QStringList> rows;
  for (const QString& line : lines.mid(1)) {
    const QStringList f = line.split(',');
    EXPECT_EQ(f.size(), 12) << line.toStdString();
    if (f.size() != 12) continue;
    EXPECT_TRUE(date.match(f[0]).hasMatch()) << line.toStdString();
    for (const int i : {1, 3, 5, 8, 9, 10, 11}) EXPECT_TRUE(time.match(f[i]).hasMatch()) << line.toStdString();
    for (const int i : {2, 4, 6, 7}) EXPECT_TRUE(angle.match(f[i]).hasMatch()) << line.toStdString();
    rows.push_back(f);
  }
  return rows;
}

TEST(CliAlmanac, PlacesPrintsNameProvinceCountryCoordinatesAndZone) {
  const QStringList lines = Lines({"places", "tromso"});
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_EQ(lines.front(), QString::fromUtf8("Tromsø, Troms, Norway\t69.63508\t18.99203\tEurope/Oslo"));
}

TEST(CliAlmanac, TromsoInJanuaryHasAPolarNightAndDaysWithoutMoonriseOrMoonset) {
  const std::vector<QStringList> rows = CsvRows({"almanac", "2027-01", "--place", "Tromsø", "--csv"});
  ASSERT_EQ(rows.size(), 31u);
  EXPECT_EQ(rows[0][0], "2027-01-01");
  // The Sun stays below the horizon at 69.6 N until mid-January.
  for (int d = 0; d < 10; ++d) EXPECT_TRUE(rows[d][8].isEmpty() && rows[d][9].isEmpty()) << d + 1;
  EXPECT_FALSE(rows[30][8].isEmpty());
  int withoutRise = 0, withoutSet = 0;
  for (const QStringList& r : rows) {
    withoutRise += r[1].isEmpty();
    withoutSet += r[5].isEmpty();
    EXPECT_EQ(r[1].isEmpty(), r[2].isEmpty());
  }
  EXPECT_GT(withoutRise, 3);
  EXPECT_GT(withoutSet, 3);
}

TEST(CliAlmanac, TokyoIsInTokyoTimeWhateverTheComputersZone) {
  const ProgramRun run = RunProgram("env", {"TZ=America/New_York", ORVANEL_CLI_PATH, "almanac", "2027-03",
                                            "--place", "Tokyo", "--csv"});
  ASSERT_EQ(run.ExitCode, 0);
  const std::vector<QStringList> rows = CsvRows({"almanac", "2027-03", "--place", "Tokyo", "--csv"});
  ASSERT_EQ(rows.size(), 31u);
  // In March the Sun rises in Tokyo between 05:25 and 06:15 JST and sets 17:30 to 18:10.
  for (const QStringList& r : rows) {
    EXPECT_TRUE(r[8] >= "05:25:00" && r[8] <= "06:15:00") << r[0].toStdString() << " " << r[8].toStdString();
    EXPECT_TRUE(r[9] >= "17:30:00" && r[9] <= "18:10:00") << r[0].toStdString();
  }
  EXPECT_EQ(QString::fromStdString(run.Output).split('\n', Qt::SkipEmptyParts).size(), 32);
}

// The names once ran into each other where they are wider than the times under them.
TEST(CliAlmanac, TheTableHasAColumnUnderEveryName) {
  const ProgramRun run = RunCliInProcess({"almanac", "2027-03", "--place", "Tokyo"});
  ASSERT_EQ(run.ExitCode, 0);
  const QStringList lines = QString::fromStdString(run.Output).split('\n');
  ASSERT_GT(lines.size(), 33);
  const qsizetype names = lines[1].split(' ', Qt::SkipEmptyParts).size();
  const ProgramRun csv = RunCliInProcess({"almanac", "2027-03", "--place", "Tokyo", "--csv"});
  EXPECT_EQ(names, QString::fromStdString(csv.Output).section('\n', 0, 0).split(',').size());
  for (int day = 2; day <= 32; ++day) EXPECT_EQ(lines[day].split(' ', Qt::SkipEmptyParts).size(), names) << day;
}

TEST(CliAlmanac, BadPlacesAndMonthsAreRefused) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"almanac", "2027-13", "--place", "Tokyo"},
        {"almanac", "1599-12", "--place", "Tokyo"},
        {"almanac", "2027-03", "--place", "Qxzzy"},
        {"almanac", "2027-03", "--lat", "35"},
        {"almanac", "2027-03", "--lat", "35", "--lon", "139", "--zone", "Mars/Olympus"},
        {"calendar", "4000", "--ics", "x.ics"}}) {
    EXPECT_EQ(RunCliInProcess(args).ExitCode, 2) << args[1];
  }
}

}  // namespace
