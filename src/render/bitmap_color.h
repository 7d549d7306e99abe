// Colours of the Moon view: 24-bit values laid out as 0x00BBGGRR (red in the low
// byte), the order the program's colour constants have always used. The bitmaps
// themselves are QImage::Format_BGR888, whose bytes in memory are blue, green, red.
#pragma once

#include <QColor>
#include <cstdint>

using ColorRef = std::uint32_t;

constexpr ColorRef RGBColor(int red, int green, int blue) {
  return static_cast<ColorRef>((red & 0xFF) | (green & 0xFF) << 8 | (blue & 0xFF) << 16);
}
constexpr int RedOf(ColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(ColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(ColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

inline QColor ToQColor(ColorRef c) { return QColor(RedOf(c), GreenOf(c), BlueOf(c)); }

inline constexpr ColorRef kRed = RGBColor(255, 0, 0);
inline constexpr ColorRef kBlue = RGBColor(0, 0, 255);
inline constexpr ColorRef kGrey = RGBColor(128, 128, 128);
inline constexpr ColorRef kSilver = RGBColor(192, 192, 192);
inline constexpr ColorRef kWhite = RGBColor(255, 255, 255);
inline constexpr ColorRef kYellow = RGBColor(255, 255, 0);
inline constexpr ColorRef kBlack = RGBColor(0, 0, 0);
inline constexpr ColorRef kSky = RGBColor(11, 78, 173);    // the chart above the horizon
inline constexpr ColorRef kGround = RGBColor(12, 14, 30);  // the chart below the horizon
