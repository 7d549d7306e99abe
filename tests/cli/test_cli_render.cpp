// orvanel-cli render: both pictures from a frame made here (a grey disc on black),
// the labels it prints, the Moon drawn by the program when no frame is given, and
// refusals of bad input.
#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <cstdlib>

#include <sys/stat.h>

#include "nasa/image_decode.h"
#include "support/program_runner.h"
#include "support/test_folders.h"
#include "support/test_images.h"

namespace {

class renderCli : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("TZ", "America/New_York", 1);  // the child's local time: UTC-4 in June
    ::setenv("LC_ALL", "C.UTF-8", 1);        // English month names and "." decimals
    ASSERT_TRUE(Folder->isValid());
    FramePath = Folder->filePath("moon.0019.jpg").toStdString();
    QFile file(QString::fromStdString(FramePath));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(FrameBytes);
  }

  ProgramRun Render(std::vector<std::string> extra) {
    std::vector<std::string> args = {"render", "2024-06-09T18:00Z", "--frame", FramePath, "--out", OutDir()};
    args.insert(args.end(), extra.begin(), extra.end());
    return RunProgram(ORVANEL_CLI_PATH, args, true);
  }

  std::string OutDir() const { return Folder->filePath("out").toStdString(); }
  QImage Picture(const char* name) const {
    return QImage(QString::fromStdString(OutDir()) + "/" + name).convertToFormat(QImage::Format_RGB888);
  }

  std::unique_ptr<QTemporaryDir> Folder = MakeTestFolder();
  QByteArray FrameBytes = MakeJpeg(730, 730);
  std::string FramePath;
};

int Count(const QImage& image, QRgb color) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) == color;
  return n;
}

// The place and hour of NASA's New Haven example: the status text and the
// parallactic angle (-47.3420 degrees) are the reference values given for them.
TEST_F(renderCli, WritesBothPicturesAndPrintsTheLabels) {
  const ProgramRun run = Render({"--lat", "41.307", "--lon", "-73.144", "--rotate"});
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_EQ(OutputLines(run.Output), (std::vector<std::string>{
                                         "UTCLab\t Jun 9, 2024  18:00  UTC",
                                         "LocLab\t Jun 9, 2024  14:00  Local",
                                         "ParallacticLab\tParallactic Rotated 47.3\u00B0 CCW",
                                         "ParallacticLab2\tParallactic Rotated 47.3\u00B0 CCW",
                                         "StatusBar1\t 61.93\u00B0  SE = 117.53\u00B0",
                                     }));
  const QImage moon = Picture("moon.png"), chart = Picture("chart.png");
  ASSERT_EQ(moon.size(), QSize(730, 730));
  ASSERT_EQ(chart.size(), QSize(730, 730));
  // Moon view: turned (black corners), the disc in the middle, the overlays.
  EXPECT_EQ(moon.pixel(0, 0), qRgb(0, 0, 0));
  EXPECT_EQ(moon.pixel(729, 729), qRgb(0, 0, 0));
  EXPECT_NEAR(qGray(moon.pixel(300, 250)), kDiscGrey, 3);  // JPEG noise
  EXPECT_GT(Count(moon, qRgb(255, 0, 0)), 200);
  EXPECT_GT(Count(moon, qRgb(0, 0, 255)), 200);
  EXPECT_GT(Count(moon, qRgb(128, 128, 128)), 1500);
  // Chart: sky above the horizon, ground below, the curve and the tiny moon's disc.
  EXPECT_GT(Count(chart, qRgb(11, 78, 173)), 150000);
  EXPECT_GT(Count(chart, qRgb(12, 14, 30)), 150000);
  EXPECT_GT(Count(chart, qRgb(255, 255, 0)), 300);
  EXPECT_NEAR(qGray(chart.pixel(345, 155)), kDiscGrey, 3);  // the tiny moon at 61.9 degrees, 18:00
}

// Without lines and turning the Moon view is the decoded frame itself.
TEST_F(renderCli, WithoutLinesTheMoonViewIsTheFrame) {
  const ProgramRun run = Render({"--no-lines"});
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  QImage frame;
  ASSERT_TRUE(DecodeJpeg(FrameBytes, frame));
  EXPECT_EQ(Picture("moon.png"), frame.convertToFormat(QImage::Format_RGB888));
  EXPECT_NE(run.Output.find("ParallacticLab\tNot Parallactic Rotated\n"), std::string::npos);
}

// Without --frame the Moon view is the program's own Moon: at 18:00 on 9 June 2024
// (NASA: Phase 11.8 %, Diam 1832.9") a waxing crescent on the right of a 640-pixel
// disc, the left of the disc only in faint earthshine.
// The waxing crescent is lit on its western limb: on the right with north up, on the
// left south of the equator, where the picture is south up as NASA's south series is.
TEST_F(renderCli, WithoutAFrameTheProgramDrawsTheMoon) {
  for (const auto& [lat, litSide] : {std::pair{"41.3", 1}, std::pair{"-33.87", -1}}) {
    const std::vector<std::string> args = {"render", "2024-06-09T18:00Z", "--out", OutDir(), "--no-lines",
                                           "--lat", lat};
    const ProgramRun run = RunProgram(ORVANEL_CLI_PATH, args, true);
    ASSERT_EQ(run.ExitCode, 0) << run.Output;
    const QImage moon = Picture("moon.png");
    ASSERT_EQ(moon.size(), QSize(730, 730));
    const int halfWidth = 640 / 2;
    EXPECT_EQ(moon.pixel(365 - halfWidth - 3, 365), qRgb(0, 0, 0)) << lat;  // sky just off the limbs
    EXPECT_EQ(moon.pixel(365 + halfWidth + 3, 365), qRgb(0, 0, 0)) << lat;
    EXPECT_GT(qGray(moon.pixel(365 + litSide * (halfWidth - 10), 365)), 60) << lat;  // the sunlit crescent
    const int earthshine = qGray(moon.pixel(365 - litSide * (halfWidth - 20), 365));
    EXPECT_GT(earthshine, 3) << lat;
    EXPECT_LT(earthshine, 30) << lat;
  }
}

TEST_F(renderCli, BadInputIsRefusedWithStatus2) {
  const std::string out = OutDir();
  const std::string fifo = Folder->filePath("moon.fifo").toStdString();
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  const std::vector<std::vector<std::string>> cases = {
      {"render", "4000-01-01T00:00Z", "--frame", FramePath, "--out", out},  // after the covered range
      {"render", "1599-12-31T23:00Z", "--frame", FramePath, "--out", out},
      {"render", "2024-06-09T18:00Z"},  // no --out
      {"render", "2024-06-09T18:00Z", "--frame", FramePath},
      {"render", "2024-06-09T18:00Z", "--frame", out + "/missing.jpg", "--out", out},
      {"render", "2024-06-09T18:00Z", "--frame", FramePath, "--out", out, "--lat", "95"},
      {"render", "2024-06-09T18:00Z", "--frame", FramePath, "--out", out, "--lon", "x"},
      {"render", "2024-06-09T18:00Z", "--frame", FramePath, "--out", out, "--size", "1e30"},
      {"render", "2024-06-09T18:00Z", "--frame", FramePath, "--out", out, "--dpr", "0"},
      // 65536 device pixels across: a picture of 16 GiB.
      {"render", "2024-06-09T18:00Z", "--frame", FramePath, "--out", out, "--size", "8192", "--dpr", "8"},
      {"render", "2024-06-09T18:00Z", "--frame", fifo, "--out", out},  // once waited for a writer
  };
  for (const auto& args : cases) {
    const ProgramRun run = RunProgram(ORVANEL_CLI_PATH, args, true);
    EXPECT_EQ(run.ExitCode, 2) << args[1] << " " << run.Output;
    EXPECT_NE(run.Output.find("orvanel-cli render: "), std::string::npos) << run.Output;
  }
  QFile notJpeg(Folder->filePath("bad.jpg"));
  ASSERT_TRUE(notJpeg.open(QIODevice::WriteOnly));
  notJpeg.write("not a picture");
  notJpeg.close();
  const ProgramRun run = RunProgram(ORVANEL_CLI_PATH,
                                    {"render", "2024-06-09T18:00Z", "--frame", notJpeg.fileName().toStdString(),
                                     "--out", out}, true);
  EXPECT_EQ(run.ExitCode, 2);
  EXPECT_NE(run.Output.find("not a JPEG frame"), std::string::npos);
  EXPECT_FALSE(QFile::exists(QString::fromStdString(out) + "/moon.png"));
}

}  // namespace

// At mid-totality of 2025-03-14 the drawn Moon lies in the umbra: dark and copper-red.
TEST_F(renderCli, TheDrawnMoonShowsTheEarthsShadowDuringAnEclipse) {
  const std::vector<std::string> args = {"render", "2025-03-14T06:59Z", "--out", OutDir(), "--no-lines"};
  const ProgramRun run = RunProgram(ORVANEL_CLI_PATH, args, true);
  ASSERT_EQ(run.ExitCode, 0) << run.Output;
  const QRgb centre = Picture("moon.png").pixel(365, 365);
  EXPECT_GT(qRed(centre), 2 * qGreen(centre));
  EXPECT_LT(qGray(centre), 60);
}
