// The drawn Moon's albedo map: the one compiled in is NASA's verified 4k mosaic at
// half size, each cell the mean of four pixels, to within the build's JPEG coding;
// its generator stops on a missing, damaged or wrong-sized mosaic, naming it, and
// leaves no map behind.
#include <gtest/gtest.h>

#include <cmath>

#include <QFile>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>

#include "nasa/image_decode.h"
#include "render/moon_maps.h"

namespace {

namespace fs = std::filesystem;

const std::string kData = ORVANEL_TEST_DATA_DIR "/moon/";

// The generator's JPEG coding (quality 97, full colour resolution) against the
// rounded means, in levels of 255: the largest in any colour of any cell (under 3 %,
// at sharp edges of craters) and the mean over all of them (under one level); the
// cell's rounding of the reflectance's square root adds up to 0.6 level.
constexpr double kLargestLevels = 7.6;
constexpr double kMeanLevels = 1.3;

TEST(MoonMaps, AlbedoIsTheVerifiedMosaicAtHalfSize) {
  QFile file(QString::fromStdString(kData + "lroc_color_poles_4k.jpg"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QImage mosaic;
  ASSERT_TRUE(DecodeJpeg(file.readAll(), mosaic));
  const PaddedMap<AlbedoCell>& map = LoadedMoonMaps().Albedo;
  ASSERT_EQ(map.Width, mosaic.width() / 2);
  ASSERT_EQ(map.Height, mosaic.height() / 2);
  double largest = 0;
  double sum = 0;
  for (int y = 0; y < map.Height; ++y) {
    const uchar* top = mosaic.constScanLine(2 * y);
    const uchar* bottom = mosaic.constScanLine(2 * y + 1);
    for (int x = 0; x < map.Width; ++x)
      for (int c = 0; c < 3; ++c) {
        const int i = 6 * x + c;
        // The cell the program made from the mosaic when it halved it at start-up.
        const int mean = (top[i] + top[i + 3] + bottom[i] + bottom[i + 3] + 2) / 4;
        // The cell holds the square root of the reflectance, the encoded value to kAlbedoPower.
        const double encoded = 255 * std::pow(map.At(x, y)[c] / 255.0, 2 / kAlbedoPower);
        const double off = std::abs(encoded - mean);
        largest = std::max(largest, off);
        sum += off;
      }
  }
  EXPECT_LE(largest, kLargestLevels);
  EXPECT_LE(sum / (3.0 * map.Width * map.Height), kMeanLevels);
  // The border repeats the map: the longitude wraps, the poles repeat their row.
  EXPECT_EQ(map.At(-1, 5), map.At(map.Width - 1, 5));
  EXPECT_EQ(map.At(3, -1), map.At(3, 0));
}

// Runs the generator; its exit status and what it printed.
std::pair<int, std::string> Generate(const std::string& input, const std::string& output) {
  const std::string command = std::string(ORVANEL_GEN_MOON_ALBEDO) + " '" + input + "' '" + output + "' 2>&1";
  FILE* pipe = ::popen(command.c_str(), "r");
  std::string text;
  for (int c; (c = std::fgetc(pipe)) != EOF;) text += static_cast<char>(c);
  const int status = ::pclose(pipe);
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

TEST(GenMoonAlbedo, StopsNamingAMissingDamagedOrWrongSizedMosaic) {
  const fs::path folder = fs::temp_directory_path() / ("gen_moon_albedo_" + std::to_string(::getpid()));
  fs::create_directories(folder);
  const std::string truncated = (folder / "truncated.jpg").string(), output = (folder / "albedo.jpg").string();
  {
    std::ifstream in(kData + "lroc_color_poles_4k.jpg", std::ios::binary);
    std::string head(200000, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    std::ofstream(truncated, std::ios::binary) << head;
  }
  const struct {
    std::string Input;
    const char* Words;
  } kCases[] = {
      {(folder / "missing.jpg").string(), "cannot be read"},
      {truncated, "JPEG"},
      {kData + "lroc_color_poles_1k.jpg", "expected a 4096 x 2048 colour picture"},
      {kData + "lunar_features.csv", "JPEG"},
  };
  for (const auto& c : kCases) {
    const auto [status, errors] = Generate(c.Input, output);
    EXPECT_EQ(status, 1) << errors;
    EXPECT_EQ(errors.rfind(c.Input + ": ", 0), 0u) << errors;
    EXPECT_NE(errors.find(c.Words), std::string::npos) << errors;
    EXPECT_FALSE(fs::exists(output)) << c.Input;
  }
  fs::remove_all(folder);
}

}  // namespace
