// Build-time generator of the About window's 27 Moon pictures.
//
//   gen_about_moons MOONINFO_2024.txt OUTPUT_FOLDER
//
// Picture i shows the Moon as NASA's 2024 table gives it at frame 6268 + 24 i, that is
// hour 6267 + 24 i of 2024 (daily from the full moon of 18 September): the illuminated
// fraction (column Phase) and whether the Moon waxes or wanes (column Age) decide where
// the terminator falls. Each picture is a 109 x 109 JPEG written with libjpeg as
// OUTPUT_FOLDER/about_moons/moonNNNN.jpg, listed in OUTPUT_FOLDER/about_moons.qrc under
// the prefix "/JPG" with the alias "moonNNNN".
//
// Every data line of the table must read "DD Mon YYYY HH:MM UT" and eleven numbers, and
// each hour the pictures need must be there exactly once; header lines (starting with
// "Date") and blank lines are skipped. On any problem the tool prints
// "file:line: message" and exits with status 1 without writing the .qrc.
#include <cstddef>
#include <cstdio>
// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include <array>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kPictureCount = 27;
constexpr int kFirstFrame = 6268;
constexpr int kFramesPerPicture = 24;
constexpr int kTableYear = 2024;
constexpr int kSize = 109;
constexpr double kCentre = (kSize - 1) / 2.0;
constexpr double kRadius = 50.0;
constexpr int kSubsamples = 4;  // per axis, to smooth the limb and the terminator
constexpr double kHalfSynodicMonth = 29.530589 / 2;  // days; NASA's Age passes it at full moon
constexpr int kJpegQuality = 92;

struct InputError {
  std::size_t Line;
  std::string Message;
};

struct PhaseRow {
  double Phase;  // illuminated fraction, percent
  double Age;    // days since new moon
};

int HourOfTable(int picture) { return kFirstFrame + kFramesPerPicture * picture - 1; }

int MonthNumber(const std::string& name) {
  static const std::array<const char*, 12> names{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (std::size_t i = 0; i < names.size(); ++i)
    if (name == names[i]) return static_cast<int>(i) + 1;
  return 0;
}

// Zero-based UTC hour of the year of "DD Mon YYYY HH:MM"; -1 for another year.
int HourOfYear(int day, const std::string& monthName, int year, const std::string& time, std::size_t line) {
  using namespace std::chrono;
  const int month = MonthNumber(monthName);
  const year_month_day date{std::chrono::year(year), std::chrono::month(static_cast<unsigned>(month)),
                            std::chrono::day(static_cast<unsigned>(day))};
  int hour = 0, minute = 0;
  char colon = 0;
  std::istringstream clock(time);
  if (month == 0 || !date.ok() || !(clock >> hour >> colon >> minute) || colon != ':' || hour < 0 || hour > 23 ||
      minute != 0 || clock.peek() != EOF)
    throw InputError{line, "not a whole UTC hour: '" + std::to_string(day) + " " + monthName + " " +
                               std::to_string(year) + " " + time + "'"};
  if (year != kTableYear) return -1;
  const auto days = (sys_days(date) - sys_days(std::chrono::year(year) / January / 1)).count();
  return static_cast<int>(days) * 24 + hour;
}

bool IsHeader(const std::string& line) {
  std::istringstream in(line);
  std::string first;
  return in >> first && first == "Date";
}

// Phase and Age of the hours the pictures show, read from NASA's yearly table.
std::map<int, PhaseRow> ReadPhases(std::istream& in) {
  std::map<int, PhaseRow> wanted;
  std::map<int, bool> seen;
  for (int i = 0; i < kPictureCount; ++i) seen[HourOfTable(i)] = false;
  std::string line;
  std::size_t number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos || IsHeader(line)) continue;
    std::istringstream fields(line);
    int day = 0, year = 0;
    std::string month, time, ut;
    std::array<double, 11> values{};
    if (!(fields >> day >> month >> year >> time >> ut) || ut != "UT")
      throw InputError{number, "expected 'DD Mon YYYY HH:MM UT' at the start of the line"};
    for (double& v : values)
      if (!(fields >> v) || !std::isfinite(v)) throw InputError{number, "expected eleven numbers after the date"};
    if (std::string rest; fields >> rest) throw InputError{number, "more than eleven numbers after the date"};
    const int hour = HourOfYear(day, month, year, time, number);
    const auto it = seen.find(hour);
    if (it == seen.end()) continue;
    if (it->second) throw InputError{number, "hour " + std::to_string(hour) + " of 2024 appears twice"};
    const PhaseRow row{values[0], values[1]};
    if (row.Phase < 0 || row.Phase > 100) throw InputError{number, "Phase outside 0 ... 100"};
    if (row.Age < 0 || row.Age > 30) throw InputError{number, "Age outside 0 ... 30 days"};
    it->second = true;
    wanted[hour] = row;
  }
  for (const auto& [hour, found] : seen)
    if (!found) throw InputError{number, "hour " + std::to_string(hour) + " of 2024 is missing"};
  return wanted;
}

// Dark seas as (x, y, radius) on the disc of radius 1, x to the east (right), y down,
// roughly where the large maria lie on the near side.
struct Mare {
  double X, Y, R;
};
constexpr std::array<Mare, 7> kMaria{{{-0.35, -0.45, 0.25},
                                      {0.20, -0.40, 0.15},
                                      {0.35, -0.10, 0.18},
                                      {0.70, -0.35, 0.10},
                                      {-0.60, 0.00, 0.30},
                                      {-0.20, 0.40, 0.15},
                                      {0.60, 0.15, 0.12}}};

struct Rgb {
  double R, G, B;
};

// Colour of a point (x, y) of the disc of radius 1. The terminator is the half ellipse
// x = -c sqrt(1 - y^2) with c = 2k - 1 for the illuminated fraction k: for a waxing Moon
// the part east of it is lit, for a waning Moon its mirror image west of x = c sqrt(1 - y^2).
Rgb DiscColour(double x, double y, double litFraction, bool waxing) {
  const double limb = std::sqrt(std::max(0.0, 1 - y * y));
  const double c = 2 * litFraction - 1;
  const bool lit = waxing ? x >= -c * limb : x <= c * limb;
  if (!lit) return {28, 28, 34};  // earthshine
  const double mu = std::sqrt(std::max(0.0, 1 - x * x - y * y));
  double brightness = 215 * (0.75 + 0.25 * mu);  // limb darkening
  for (const Mare& m : kMaria)
    if ((x - m.X) * (x - m.X) + (y - m.Y) * (y - m.Y) < m.R * m.R) {
      brightness *= 0.72;
      break;
    }
  return {brightness, brightness * 0.98, brightness * 0.94};
}

std::vector<unsigned char> DrawMoon(const PhaseRow& row) {
  const double k = row.Phase / 100;
  const bool waxing = row.Age < kHalfSynodicMonth;
  std::vector<unsigned char> pixels(kSize * kSize * 3, 0);
  for (int py = 0; py < kSize; ++py)
    for (int px = 0; px < kSize; ++px) {
      Rgb sum{0, 0, 0};
      for (int sy = 0; sy < kSubsamples; ++sy)
        for (int sx = 0; sx < kSubsamples; ++sx) {
          const double x = (px - 0.5 + (sx + 0.5) / kSubsamples - kCentre) / kRadius;
          const double y = (py - 0.5 + (sy + 0.5) / kSubsamples - kCentre) / kRadius;
          if (x * x + y * y > 1) continue;  // black sky
          const Rgb c = DiscColour(x, y, k, waxing);
          sum = {sum.R + c.R, sum.G + c.G, sum.B + c.B};
        }
      const double n = kSubsamples * kSubsamples;
      unsigned char* p = &pixels[(py * kSize + px) * 3];
      p[0] = static_cast<unsigned char>(std::lround(sum.R / n));
      p[1] = static_cast<unsigned char>(std::lround(sum.G / n));
      p[2] = static_cast<unsigned char>(std::lround(sum.B / n));
    }
  return pixels;
}

bool WriteJpeg(const std::string& path, const std::vector<unsigned char>& pixels) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);  // libjpeg's own handler reports and exits on an error
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = kSize;
  cinfo.image_height = kSize;
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, kJpegQuality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(&pixels[cinfo.next_scanline * kSize * 3]);
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return std::fclose(file) == 0;
}

std::string PictureName(int picture) { return "moon" + std::to_string(kFirstFrame + kFramesPerPicture * picture); }

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: gen_about_moons MOONINFO_2024.txt OUTPUT_FOLDER\n";
    return 1;
  }
  const std::string table = argv[1], output = argv[2];
  std::ifstream in(table);
  if (!in) {
    std::cerr << table << ":0: cannot open the file\n";
    return 1;
  }
  std::map<int, PhaseRow> phases;
  try {
    phases = ReadPhases(in);
  } catch (const InputError& e) {
    std::cerr << table << ":" << e.Line << ": " << e.Message << "\n";
    return 1;
  }

  std::error_code error;
  std::filesystem::create_directories(output + "/about_moons", error);
  if (error) {
    std::cerr << output << "/about_moons:0: cannot create the folder: " << error.message() << "\n";
    return 1;
  }
  std::ostringstream qrc;
  qrc << "<RCC>\n  <qresource prefix=\"/JPG\">\n";
  for (int i = 0; i < kPictureCount; ++i) {
    const std::string relative = "about_moons/" + PictureName(i) + ".jpg";
    if (!WriteJpeg(output + "/" + relative, DrawMoon(phases.at(HourOfTable(i))))) {
      std::cerr << output << "/" << relative << ":0: cannot write the picture\n";
      return 1;
    }
    qrc << "    <file alias=\"" << PictureName(i) << "\">" << relative << "</file>\n";
  }
  qrc << "  </qresource>\n</RCC>\n";

  std::ofstream out(output + "/about_moons.qrc");
  out << qrc.str();
  if (!out.flush()) {
    std::cerr << output << "/about_moons.qrc:0: cannot write the file\n";
    return 1;
  }
  return 0;
}
