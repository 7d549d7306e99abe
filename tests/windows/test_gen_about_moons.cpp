// The About pictures' generator on NASA's 2024 table and on damaged copies of it: every
// problem must stop it with "file:line: message" and without the resource list.
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/test_folders.h"

namespace {

using Lines = std::vector<std::string>;

// The file line of zero-based hour h of 2024: the header is line 1.
constexpr std::size_t LineOfHour(int hour) { return static_cast<std::size_t>(hour) + 2; }
constexpr int kFirstPictureHour = 6267;  // frame 6268

struct Result {
  int ExitCode;
  std::string Errors;
};

class GenAboutMoons : public ::testing::Test {
 protected:
  void SetUp() override {
    Folder = MakeTestFolder();
    ASSERT_TRUE(Folder->isValid());
    std::ifstream in(std::string(ORVANEL_TEST_DATA_DIR) + "/nasa/mooninfo_2024.txt");
    for (std::string line; std::getline(in, line);) Table.push_back(line);
    ASSERT_GT(Table.size(), LineOfHour(kFirstPictureHour + 24 * 26));
  }

  std::string TablePath() const { return Folder->filePath("table.txt").toStdString(); }
  QString Qrc() const { return Folder->filePath("about_moons.qrc"); }

  Result Run(const Lines& table) const {
    std::ofstream out(TablePath(), std::ios::binary);
    for (const std::string& line : table) out << line << "\n";
    out.close();
    return RunOn(QString::fromStdString(TablePath()));
  }
  Result RunOn(const QString& table) const {
    QProcess tool;
    tool.start(ORVANEL_GEN_ABOUT_MOONS, {table, Folder->path()});
    EXPECT_TRUE(tool.waitForFinished(60000));
    return {tool.exitCode(), tool.readAllStandardError().toStdString()};
  }

  // Runs on the changed table and expects a stop at `line` with a message containing `words`.
  void ExpectStop(const Lines& table, std::size_t line, const char* words) const {
    const Result r = Run(table);
    EXPECT_NE(r.ExitCode, 0);
    EXPECT_EQ(r.Errors.rfind(TablePath() + ":" + std::to_string(line) + ": ", 0), 0u) << r.Errors;
    EXPECT_NE(r.Errors.find(words), std::string::npos) << r.Errors;
    EXPECT_FALSE(QFile::exists(Qrc()));
  }

  std::string& Line(Lines& table, int hour) const { return table.at(LineOfHour(hour) - 1); }

  std::unique_ptr<QTemporaryDir> Folder;
  Lines Table;
};

TEST_F(GenAboutMoons, DrawsTwentySevenPicturesAndListsThem) {
  const Result r = Run(Table);
  ASSERT_EQ(r.ExitCode, 0) << r.Errors;
  EXPECT_EQ(r.Errors, "");
  QFile qrc(Qrc());
  ASSERT_TRUE(qrc.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(qrc.readAll());
  EXPECT_TRUE(text.contains("<qresource prefix=\"/JPG\">"));
  const QRegularExpression entry(R"re(<file alias="(moon\d+)">(about_moons/moon\d+\.jpg)</file>)re");
  int count = 0;
  for (const QRegularExpressionMatch& m : entry.globalMatch(text)) {
    const QString alias = m.captured(1);
    EXPECT_EQ(alias, QString("moon%1").arg(6268 + 24 * count));
    EXPECT_EQ(m.captured(2), "about_moons/" + alias + ".jpg");
    EXPECT_EQ(QImage(Folder->filePath(m.captured(2)), "JPG").size(), QSize(109, 109));
    ++count;
  }
  EXPECT_EQ(count, 27);
}

// CR LF line ends, blank lines and a repeated header are NASA's quirks, not faults.
TEST_F(GenAboutMoons, ToleratesTheTablesQuirks) {
  Lines table = Table;
  for (std::string& line : table) line += "\r";
  table.insert(table.begin() + 50, "");
  table.push_back(Table.front());
  const Result r = Run(table);
  EXPECT_EQ(r.ExitCode, 0) << r.Errors;
  EXPECT_TRUE(QFile::exists(Qrc()));
}

TEST_F(GenAboutMoons, StopsAtADamagedLineAnywhere) {
  Lines table = Table;
  Line(table, 7) = "01 Jan 2024 07:00 UT  78.03  19.019  1771.3";
  ExpectStop(table, LineOfHour(7), "expected eleven numbers");

  table = Table;
  Line(table, kFirstPictureHour) += "  12";
  ExpectStop(table, LineOfHour(kFirstPictureHour), "more than eleven numbers");

  table = Table;
  Line(table, 100) = "garbage";
  ExpectStop(table, LineOfHour(100), "DD Mon YYYY HH:MM UT");
}

TEST_F(GenAboutMoons, StopsAtImpossibleDatesAndTimes) {
  Lines table = Table;
  Line(table, 30) = "31 Feb 2024 06:00 UT" + Table.at(LineOfHour(30) - 1).substr(20);
  ExpectStop(table, LineOfHour(30), "not a whole UTC hour");
  table = Table;
  Line(table, 31) = "02 Jan 2024 07:30 UT" + Table.at(LineOfHour(31) - 1).substr(20);
  ExpectStop(table, LineOfHour(31), "not a whole UTC hour");
}

TEST_F(GenAboutMoons, StopsAtValuesOutsideTheirRange) {
  Lines table = Table;
  const std::string& row = Table.at(LineOfHour(kFirstPictureHour + 24) - 1);
  Line(table, kFirstPictureHour + 24) = row.substr(0, 20) + "  100.50" + row.substr(27);
  ExpectStop(table, LineOfHour(kFirstPictureHour + 24), "Phase outside");
}

TEST_F(GenAboutMoons, StopsWhenAPicturesHourIsMissingOrTwice) {
  Lines table = Table;
  table.erase(table.begin() + static_cast<long>(LineOfHour(kFirstPictureHour + 48) - 1));
  ExpectStop(table, table.size(), "hour 6315 of 2024 is missing");

  table = Table;
  table.insert(table.begin() + 10, Table.at(LineOfHour(kFirstPictureHour) - 1));
  ExpectStop(table, LineOfHour(kFirstPictureHour) + 1, "hour 6267 of 2024 appears twice");
}

TEST_F(GenAboutMoons, StopsWhenTheTableCannotBeOpened) {
  const QString missing = Folder->filePath("missing.txt");
  const Result r = RunOn(missing);
  EXPECT_NE(r.ExitCode, 0);
  EXPECT_EQ(r.Errors.rfind(missing.toStdString() + ":0: ", 0), 0u) << r.Errors;
  EXPECT_FALSE(QFile::exists(Qrc()));
}

}  // namespace
