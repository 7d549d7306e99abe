#include "core/settings_store.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTimeZone>
#include <cmath>
#include <memory>

namespace {

constexpr char kGroup[] = "SETTINGS";

std::unique_ptr<QSettings> OpenStore() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Quenhalse",
                                     "Orvanel");
}

// A screen position or size beyond this is no window of ours (X11 coordinates are 16-bit).
constexpr int kMaxWindowCoordinate = 32767;

// The stored text of key, trimmed; empty when missing or too long to be ours.
QString ReadText(const QSettings& store, const char* key) {
  const QString v = store.value(key).toString();
  return v.size() > kMaxSettingLength ? QString() : v.trimmed();
}

// The stored integer within low ... high, else fallback.
int ReadInt(const QSettings& store, const char* key, int fallback, int low, int high) {
  bool ok = false;
  const int v = ReadText(store, key).toInt(&ok);
  return ok && v >= low && v <= high ? v : fallback;
}

bool ReadBool(const QSettings& store, const char* key, bool fallback) {
  const QString v = ReadText(store, key).toLower();
  if (v == "true" || v == "1") return true;
  if (v == "false" || v == "0") return false;
  return fallback;
}

double ReadDouble(const QSettings& store, const char* key, double fallback, double limit) {
  bool ok = false;
  const double v = ReadText(store, key).toDouble(&ok);
  return ok && std::isfinite(v) && std::fabs(v) <= limit ? v : fallback;
}

// Folders come from the folder dialogs, so anything but an absolute path is damage.
QString ReadFolder(const QSettings& store, const char* key, const QString& fallback) {
  const QString v = ReadText(store, key);
  return QDir::isAbsolutePath(v) ? v : fallback;
}

// A zone QTimeZone does not know (another computer's, a typing error) is this computer's.
QString ReadZone(const QSettings& store, const char* key) {
  const QString v = ReadText(store, key);
  return QTimeZone::isTimeZoneIdAvailable(v.toUtf8()) ? v : QString();
}

// Why the settings file could not take new values, or empty. The owner's write
// permission is asked of the file and its folder themselves, so a file the user made
// read-only stays as it is even for a user (root) whom the system would let write.
QString WhyNotWritable(const QString& path) {
  const QFileInfo file(path);
  const QFileInfo folder(file.absolutePath());
  if (file.isDir()) return QStringLiteral("a folder stands in the place of the settings file %1").arg(path);
  if (file.exists() && !(file.permissions() & QFileDevice::WriteOwner))
    return QStringLiteral("the settings file %1 is read-only").arg(path);
  if (folder.exists() && !(folder.permissions() & QFileDevice::WriteOwner))
    return QStringLiteral("the folder %1 is read-only").arg(folder.filePath());
  return {};
}

QString OrvanelFolderIn(QStandardPaths::StandardLocation location) {
  QString base = QStandardPaths::writableLocation(location);
  if (base.isEmpty()) base = QDir::homePath();
  return QDir(base).filePath(QStringLiteral("Orvanel"));
}

}  // namespace

QString DefaultPictureFolder() { return OrvanelFolderIn(QStandardPaths::PicturesLocation); }

QString DefaultTextFolder() { return OrvanelFolderIn(QStandardPaths::DocumentsLocation); }

StoredSettings ReadSettings() {
  const auto opened = OpenStore();
  QSettings& store = *opened;
  store.beginGroup(kGroup);
  const StoredSettings d;
  StoredSettings s;
  s.WindowState = ReadInt(store, "WindowState", d.WindowState, 0, 2);
  s.WindowTop = ReadInt(store, "WindowTop", d.WindowTop, -kMaxWindowCoordinate, kMaxWindowCoordinate);
  s.WindowLeft = ReadInt(store, "WindowLeft", d.WindowLeft, -kMaxWindowCoordinate, kMaxWindowCoordinate);
  s.WindowWidth = ReadInt(store, "WindowWidth", d.WindowWidth, 1, kMaxWindowCoordinate);
  s.WindowHeight = ReadInt(store, "WindowHeight", d.WindowHeight, 1, kMaxWindowCoordinate);
  s.ReverseBox = ReadBool(store, "ReverseBox", d.ReverseBox);
  s.ShowLinesBox = ReadBool(store, "ShowLinesBox", d.ShowLinesBox);
  s.ShowDataBox = ReadBool(store, "ShowDataBox", d.ShowDataBox);
  s.GlobStep = ReadInt(store, "GlobStep", d.GlobStep, 1, 24);
  s.GlobTypeIndex = ReadInt(store, "GlobTypeIndex", d.GlobTypeIndex, 0, kViewKindCount - 1);
  s.Latitude = ReadDouble(store, "Latitude", d.Latitude, 90);
  s.Longitude = ReadDouble(store, "Longitude", d.Longitude, 180);
  s.PictureFolder = ReadFolder(store, "PictureFolder", d.PictureFolder);
  s.TextFolder = ReadFolder(store, "TextFolder", d.TextFolder);
  s.FrameCacheMB = ReadInt(store, "FrameCacheMB", d.FrameCacheMB, kMinFrameCacheMB, kMaxFrameCacheMB);
  s.PlaceName = ReadText(store, "PlaceName");
  s.PlaceZone = ReadZone(store, "PlaceZone");
  s.ElevationM = ReadInt(store, "ElevationM", d.ElevationM, kMinElevationM, kMaxElevationM);
  store.endGroup();
  return s;
}

QString WriteSettings(const StoredSettings& s) {
  const auto opened = OpenStore();
  QSettings& store = *opened;
  if (const QString why = WhyNotWritable(store.fileName()); !why.isEmpty()) return why;
  store.beginGroup(kGroup);
  store.setValue("WindowTop", s.WindowTop);
  store.setValue("WindowLeft", s.WindowLeft);
  store.setValue("WindowWidth", s.WindowWidth);
  store.setValue("WindowHeight", s.WindowHeight);
  store.setValue("WindowState", s.WindowState);
  store.setValue("AnimateBox", s.AnimateBox);
  store.setValue("ReverseBox", s.ReverseBox);
  store.setValue("ShowLinesBox", s.ShowLinesBox);
  store.setValue("ShowDataBox", s.ShowDataBox);
  store.setValue("RotateBox", s.RotateBox);
  store.setValue("GlobStep", s.GlobStep);
  store.setValue("GlobTypeIndex", s.GlobTypeIndex);
  store.setValue("Latitude", s.Latitude);
  store.setValue("Longitude", s.Longitude);
  store.setValue("PictureFolder", s.PictureFolder);
  store.setValue("TextFolder", s.TextFolder);
  store.setValue("FrameCacheMB", s.FrameCacheMB);
  store.setValue("PlaceName", s.PlaceName);
  store.setValue("PlaceZone", s.PlaceZone);
  store.setValue("ElevationM", s.ElevationM);
  store.endGroup();
  store.sync();
  return store.status() == QSettings::NoError ? QString()
                                              : QStringLiteral("%1 could not be written").arg(store.fileName());
}
