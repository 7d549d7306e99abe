#include "core/settings_store.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr char kGroup[] = "SETTINGS";

std::unique_ptr<QSettings> OpenStore() {
  return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Quenhalse",
                                     "Orvanel");
}

int ReadInt(const QSettings& store, const char* key, int fallback) {
  bool ok = false;
  const int v = store.value(key).toString().trimmed().toInt(&ok);
  return ok ? v : fallback;
}

bool ReadBool(const QSettings& store, const char* key, bool fallback) {
  const QString v = store.value(key).toString().trimmed().toLower();
  if (v == "true" || v == "1") return true;
  if (v == "false" || v == "0") return false;
  return fallback;
}

double ReadDouble(const QSettings& store, const char* key, double fallback, double limit) {
  bool ok = false;
  const double v = store.value(key).toString().trimmed().toDouble(&ok);
  return ok && std::isfinite(v) && std::fabs(v) <= limit ? v : fallback;
}

QString ReadFolder(const QSettings& store, const char* key, const QString& fallback) {
  const QString v = store.value(key).toString().trimmed();
  return v.isEmpty() ? fallback : v;
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
  s.WindowState = ReadInt(store, "WindowState", d.WindowState);
  if (s.WindowState < 0 || s.WindowState > 2) s.WindowState = d.WindowState;
  s.WindowTop = ReadInt(store, "WindowTop", d.WindowTop);
  s.WindowLeft = ReadInt(store, "WindowLeft", d.WindowLeft);
  s.WindowWidth = ReadInt(store, "WindowWidth", d.WindowWidth);
  s.WindowHeight = ReadInt(store, "WindowHeight", d.WindowHeight);
  s.ReverseBox = ReadBool(store, "ReverseBox", d.ReverseBox);
  s.ShowLinesBox = ReadBool(store, "ShowLinesBox", d.ShowLinesBox);
  s.ShowDataBox = ReadBool(store, "ShowDataBox", d.ShowDataBox);
  s.GlobStep = std::clamp(ReadInt(store, "GlobStep", d.GlobStep), 1, 24);
  s.GlobTypeIndex = std::clamp(ReadInt(store, "GlobTypeIndex", d.GlobTypeIndex), 0, kViewKindCount - 1);
  s.Latitude = ReadDouble(store, "Latitude", d.Latitude, 90);
  s.Longitude = ReadDouble(store, "Longitude", d.Longitude, 180);
  s.PictureFolder = ReadFolder(store, "PictureFolder", d.PictureFolder);
  s.TextFolder = ReadFolder(store, "TextFolder", d.TextFolder);
  if (const int mb = ReadInt(store, "FrameCacheMB", d.FrameCacheMB); mb >= kMinFrameCacheMB && mb <= kMaxFrameCacheMB)
    s.FrameCacheMB = mb;
  store.endGroup();
  return s;
}

void WriteSettings(const StoredSettings& s) {
  const auto opened = OpenStore();
  QSettings& store = *opened;
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
  store.endGroup();
  store.sync();
}
