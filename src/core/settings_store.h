// The persisted settings: an INI file through QSettings (organisation "Quenhalse",
// application "Orvanel", group "SETTINGS"), opened and closed inside each read or write.
#pragma once

#include <QRect>
#include <QString>

#include "astro/default_place.h"
#include "core/view_kind.h"

// ~/Pictures/Orvanel and ~/Documents/Orvanel (the system's pictures and documents
// folders), the export folders until the user chooses others.
QString DefaultPictureFolder();
QString DefaultTextFolder();

struct StoredSettings {
  int WindowTop = 5;
  int WindowLeft = 0;
  int WindowWidth = 1600;
  int WindowHeight = 850;
  int WindowState = 0;  // 0 normal, 1 minimised, 2 maximised
  bool AnimateBox = false;
  bool ReverseBox = false;
  bool ShowLinesBox = true;
  bool ShowDataBox = true;
  bool RotateBox = false;
  int GlobStep = 2;
  int GlobTypeIndex = 0;
  double Latitude = static_cast<double>(kDefaultLatitude);
  double Longitude = static_cast<double>(kDefaultLongitude);
  QString PictureFolder = DefaultPictureFolder();  // where pictures are saved, last chosen
  QString TextFolder = DefaultTextFolder();        // where NASA's yearly text files are kept
  int FrameCacheMB = 2048;  // the frame cache's cap on disk, MiB
};

// The frame cache's cap the settings accept, MiB: 64 MiB to 1 TiB.
inline constexpr int kMinFrameCacheMB = 64;
inline constexpr int kMaxFrameCacheMB = 1 << 20;

// Reads every key, a missing or unreadable one giving its default. A damaged file
// cannot make the program step by zero or negative hours or select no view:
// "GlobStep" is brought into 1 ... 24 and "GlobTypeIndex" into the views' numbers; a latitude
// or longitude that is no finite number within +-90 / +-180 takes its default.
// "AnimateBox" and "RotateBox" are written on every exit but never read back. An empty
// "PictureFolder" or "TextFolder" takes its default, and so does a "FrameCacheMB"
// outside kMinFrameCacheMB ... kMaxFrameCacheMB.
StoredSettings ReadSettings();

// Writes the seventeen keys in the program's order.
void WriteSettings(const StoredSettings& s);
