// The table generator on sound and on damaged copies of NASA's yearly files: every
// problem must stop it with "file:line: message" and without an output file.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "support/test_folders.h"

namespace {

using Lines = std::vector<std::string>;

Lines ReadNasaFile(const char* name) {
  std::ifstream in(std::string(ORVANEL_TEST_DATA_DIR) + "/nasa/" + name);
  Lines lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

// The line with its field `index` (0 the day, 5 Phase, 15 AxisA) replaced.
std::string WithField(const std::string& line, std::size_t index, const std::string& value) {
  std::istringstream in(line);
  Lines words;
  for (std::string w; in >> w;) words.push_back(w);
  words.at(index) = value;
  std::string joined;
  for (const std::string& w : words) joined += (joined.empty() ? "" : "  ") + w;
  return joined;
}

struct Result {
  int ExitCode;
  std::string Errors;
};

class GenNasaTables : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = MakeTestFolder();
    ASSERT_TRUE(folder_->isValid());
    y2024_ = ReadNasaFile("mooninfo_2024.txt");
    y2025_ = ReadNasaFile("mooninfo_2025.txt");
    ASSERT_EQ(y2024_.size(), 8786u);
    ASSERT_EQ(y2025_.size(), 8761u);
  }

  std::string PathOf(const char* name) const { return folder_->filePath(name).toStdString(); }

  void Write(const char* name, const Lines& lines, const char* lineEnd = "\n") const {
    std::ofstream out(PathOf(name), std::ios::binary);
    for (const std::string& l : lines) out << l << lineEnd;
  }

  Result Run(const std::string& f2024, const std::string& f2025) const {
    QProcess tool;
    tool.start(ORVANEL_GEN_NASA_TABLES, {QString::fromStdString(PathOf("out.cpp")), QString::fromStdString(f2024),
                                         QString::fromStdString(f2025)});
    EXPECT_TRUE(tool.waitForFinished(60000));
    return {tool.exitCode(), tool.readAllStandardError().toStdString()};
  }

  // Writes the two years, runs the generator and expects it to stop at file:line.
  void ExpectStop(const Lines& y2024, const Lines& y2025, const char* badFile, int line, const char* words) {
    Write("a.txt", y2024);
    Write("b.txt", y2025);
    const Result r = Run(PathOf("a.txt"), PathOf("b.txt"));
    EXPECT_NE(r.ExitCode, 0);
    EXPECT_EQ(r.Errors.rfind(PathOf(badFile) + ":" + std::to_string(line) + ": ", 0), 0u) << r.Errors;
    EXPECT_NE(r.Errors.find(words), std::string::npos) << r.Errors;
    EXPECT_FALSE(QFile::exists(QString::fromStdString(PathOf("out.cpp"))));
  }

  std::unique_ptr<QTemporaryDir> folder_;
  Lines y2024_, y2025_;
};

TEST_F(GenNasaTables, WritesBothTablesFromNasaFiles) {
  Write("a.txt", y2024_);
  Write("b.txt", y2025_);
  const Result r = Run(PathOf("a.txt"), PathOf("b.txt"));
  ASSERT_EQ(r.ExitCode, 0) << r.Errors;
  EXPECT_EQ(r.Errors, "");
  QFile out(QString::fromStdString(PathOf("out.cpp")));
  ASSERT_TRUE(out.open(QIODevice::ReadOnly));
  const QByteArray text = out.readAll();
  // Each year with its first day and its hours packed, 44 bytes an hour unpacked (the
  // values themselves are checked against NASA's text in test_nasa_tables).
  EXPECT_TRUE(text.contains("{2024, 45292, {kRows2024, "));
  EXPECT_TRUE(text.contains(", 386496}},\n    {2025, 45658, {kRows2025, "));
  EXPECT_TRUE(text.contains(", 385440}},\n};"));
}

// CRLF line ends, a header repeated after the last row, blank lines and a 2024 file
// without its extra first hour of 2025 give the same tables.
TEST_F(GenNasaTables, ToleratesNasaFileQuirks) {
  Write("a.txt", y2024_);
  Write("b.txt", y2025_);
  ASSERT_EQ(Run(PathOf("a.txt"), PathOf("b.txt")).ExitCode, 0);
  QFile first(QString::fromStdString(PathOf("out.cpp")));
  ASSERT_TRUE(first.open(QIODevice::ReadOnly));
  const QByteArray expected = first.readAll();
  first.close();

  Lines y2024 = y2024_;
  y2024.pop_back();  // the first hour of 2025
  Lines y2025 = y2025_;
  y2025.push_back(y2025_.front());
  y2025.insert(y2025.begin() + 100, "");
  Write("c.txt", y2024, "\r\n");
  Write("d.txt", y2025, "\r\n");
  const Result r = Run(PathOf("c.txt"), PathOf("d.txt"));
  ASSERT_EQ(r.ExitCode, 0) << r.Errors;
  QFile second(QString::fromStdString(PathOf("out.cpp")));
  ASSERT_TRUE(second.open(QIODevice::ReadOnly));
  EXPECT_EQ(second.readAll(), expected);
}

TEST_F(GenNasaTables, StopsOnAMissingFile) {
  Write("a.txt", y2024_);
  const Result r = Run(PathOf("a.txt"), PathOf("none.txt"));
  EXPECT_NE(r.ExitCode, 0);
  EXPECT_EQ(r.Errors.rfind(PathOf("none.txt") + ":", 0), 0u) << r.Errors;
  EXPECT_FALSE(QFile::exists(QString::fromStdString(PathOf("out.cpp"))));
}

TEST_F(GenNasaTables, StopsOnMalformedLines) {
  Lines bad = y2024_;
  bad[100] = WithField(bad[100], 5, "7x.03");  // a Phase that is no number
  ExpectStop(bad, y2025_, "a.txt", 101, "Phase");

  bad = y2025_;
  bad[200] += "  1.000";  // a twelfth value
  ExpectStop(y2024_, bad, "b.txt", 201, "16 fields");

  bad = y2024_;
  bad[3] = WithField(bad[3], 4, "XX");
  ExpectStop(bad, y2025_, "a.txt", 4, "date or time");

  bad = y2024_;
  bad[1] = WithField(bad[1], 0, "32");
  ExpectStop(bad, y2025_, "a.txt", 2, "no such date");

  bad = y2025_;
  bad[50] = WithField(bad[50], 15, "350.38");  // AxisA with two decimals instead of three
  ExpectStop(y2024_, bad, "b.txt", 51, "AxisA");
}

TEST_F(GenNasaTables, StopsOnMissingRepeatedOrMisorderedHours) {
  Lines bad = y2025_;
  bad.erase(bad.begin() + 500);  // the hour of line 501
  ExpectStop(y2024_, bad, "b.txt", 501, "missing");

  bad = y2024_;
  bad.insert(bad.begin() + 301, bad[300]);  // line 301 twice
  ExpectStop(bad, y2025_, "a.txt", 302, "repeated");

  bad = y2024_;
  std::swap(bad[200], bad[201]);
  ExpectStop(bad, y2025_, "a.txt", 201, "out of order");

  bad = y2024_;
  bad.resize(bad.size() - 10);  // the year ends early
  ExpectStop(bad, y2025_, "a.txt", static_cast<int>(bad.size()), "missing");
}

}  // namespace
