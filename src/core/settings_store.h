// The persisted settings: an INI file (organisation "Quenhalse", application
// "Orvanel", group "SETTINGS"), read through QSettings and written by changing only
// the lines of the keys written, so every other byte of the file stays as it was.
// The file is written where it is, through a link to a regular file, always by a
// temporary file renamed over it; anything but a regular file in its place (a folder,
// a FIFO, a device) is never opened and never replaced.
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
  QString PlaceName;        // the city chosen in the Set window ("Tokyo, Tokyo, Japan"), or none
  QString PlaceZone;        // the place's IANA zone; empty for this computer's zone
  int ElevationM = 0;       // the place's height above sea level, metres
  bool NamesBox = false;    // the features' names on the Moon view
  int Eyepiece = 0;         // "Moon from here" as the eye (0), a star diagonal (1) or straight through (2) shows it

  long long FrameCacheBytes() const { return FrameCacheMB * (1LL << 20); }
};

// The frame cache's cap the settings accept, MiB: 64 MiB to 1 TiB.
inline constexpr int kMinFrameCacheMB = 64;
inline constexpr int kMaxFrameCacheMB = 1 << 20;

// The elevations a place may have, metres: the Dead Sea's shore to above Everest.
inline constexpr int kMinElevationM = -500;
inline constexpr int kMaxElevationM = 9000;

// A stored value longer than this is no value of ours and is ignored.
inline constexpr int kMaxSettingLength = 512;

// Reads every key; a missing, unreadable, out-of-range or overlong value gives the
// key's default, so a damaged file cannot make the program step by zero hours, select
// no view or open an impossible window: "GlobStep" lies in 1 ... 24, "GlobTypeIndex"
// among the views' numbers, a latitude or longitude is a finite number within +-90 /
// +-180, window positions and sizes are 16-bit screen values (the window fits them to
// the screens), "FrameCacheMB" lies in kMinFrameCacheMB ... kMaxFrameCacheMB.
// "AnimateBox" and "RotateBox" are written on every exit but never read back. A
// "PictureFolder" or "TextFolder" that is no absolute path takes its default.
// "PlaceZone" must name a zone this computer knows, else the place keeps the computer's
// zone; "ElevationM" lies in kMinElevationM ... kMaxElevationM. A file written before
// these three keys existed opens with the computer's zone, no name and 0 m. "Eyepiece"
// lies in 0 ... 2.
StoredSettings ReadSettings();

// Writes the twenty-two keys, keeping every other line of the file byte for byte.
// Returns why the file could not be written (read-only, a folder or a FIFO in its
// place, ...), or an empty text; when it cannot be written, the file keeps what it held.
QString WriteSettings(const StoredSettings& s);

// Writes only the keys whose value in now differs from asRead (what this window read
// at its start) and those the file lacks, into the file as it is now, so that what
// another window saved meanwhile stays. Returns as WriteSettings does.
QString MergeSettings(const StoredSettings& asRead, const StoredSettings& now);
