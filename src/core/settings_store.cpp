#include "core/settings_store.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTimeZone>
#include <QTemporaryDir>
#include <QVariant>
#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "core/file_save.h"
#include "core/regular_file.h"
#include "core/settings_store_lines.h"

namespace {

constexpr char kGroup[] = "SETTINGS";

// Where QSettings keeps the user's INI file, worked out without opening it.
QString SettingsPath() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Quenhalse/Orvanel.ini";
}

// The program's file holds a few hundred bytes. A far larger one is not its own, and
// is not read: QSettings takes a file whole into memory, which a huge one exhausts.
constexpr qint64 kMaxSettingsBytes = 1 << 20;

bool TooLargeForSettings(const QString& path) { return QFileInfo(path).size() > kMaxSettingsBytes; }

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
  if (NotARegularFile(path))
    return QStringLiteral("%1 is no regular file; the settings were not written to it").arg(path);
  if (TooLargeForSettings(path))
    return QStringLiteral("%1 is too large to be the settings file; the settings were not written to it").arg(path);
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
  const StoredSettings d;
  if (NotARegularFile(SettingsPath()) || TooLargeForSettings(SettingsPath())) return d;
  QSettings store(QSettings::IniFormat, QSettings::UserScope, "Quenhalse", "Orvanel");
  store.beginGroup(kGroup);
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
  s.NamesBox = ReadBool(store, "NamesBox", d.NamesBox);
  s.Eyepiece = ReadInt(store, "Eyepiece", d.Eyepiece, 0, 2);
  store.endGroup();
  return s;
}

namespace {

// The twenty-two keys and their values, in the program's order.
std::vector<std::pair<QByteArray, QVariant>> KeysOf(const StoredSettings& s) {
  return {{"WindowTop", s.WindowTop},         {"WindowLeft", s.WindowLeft},
          {"WindowWidth", s.WindowWidth},     {"WindowHeight", s.WindowHeight},
          {"WindowState", s.WindowState},     {"AnimateBox", s.AnimateBox},
          {"ReverseBox", s.ReverseBox},       {"ShowLinesBox", s.ShowLinesBox},
          {"ShowDataBox", s.ShowDataBox},     {"RotateBox", s.RotateBox},
          {"GlobStep", s.GlobStep},           {"GlobTypeIndex", s.GlobTypeIndex},
          {"Latitude", s.Latitude},           {"Longitude", s.Longitude},
          {"PictureFolder", s.PictureFolder}, {"TextFolder", s.TextFolder},
          {"FrameCacheMB", s.FrameCacheMB},   {"PlaceName", s.PlaceName},
          {"PlaceZone", s.PlaceZone},         {"ElevationM", s.ElevationM},
          {"NamesBox", s.NamesBox},           {"Eyepiece", s.Eyepiece}};
}

// Each key's line as QSettings itself writes it (its quoting and escapes), so that
// QSettings reads the value back: written to a scratch file and taken from there.
std::optional<std::vector<IniLine>> QSettingsLines(const std::vector<std::pair<QByteArray, QVariant>>& values) {
  const QTemporaryDir scratch;
  if (!scratch.isValid()) return std::nullopt;
  const QString path = scratch.filePath("scratch.ini");
  {
    QSettings store(path, QSettings::IniFormat);
    store.beginGroup(kGroup);
    for (const auto& [key, value] : values) store.setValue(QString::fromLatin1(key), value);
    store.endGroup();
    store.sync();
    if (store.status() != QSettings::NoError) return std::nullopt;
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
  std::vector<IniLine> lines;
  for (const QByteArray& line : file.readAll().split('\n'))
    for (const auto& [key, value] : values)
      if (line.startsWith(key + '=')) lines.emplace_back(key, line);
  return lines.size() == values.size() ? std::optional(lines) : std::nullopt;
}

// Writes the keys chosen by pick (from the file as it is now) into the settings file.
QString WriteKeys(const StoredSettings& s, const std::function<bool(const QByteArray& file, const QByteArray& key,
                                                                       const QVariant& value)>& pick) {
  const QFileInfo link(SettingsPath());
  // A link (a dotfile manager's) keeps pointing at the file, which is written where it is.
  const QString path = link.isSymLink() ? link.symLinkTarget() : link.filePath();
  if (const QString why = WhyNotWritable(path); !why.isEmpty()) return why;
  const QString failed = QStringLiteral("%1 could not be written").arg(path);
  const std::optional<QByteArray> file = ReadRegularFile(path);  // a FIFO put there since the last look is refused
  if (!file) return failed;
  std::vector<std::pair<QByteArray, QVariant>> chosen;
  for (const auto& [key, value] : KeysOf(s))
    if (pick(*file, key, value)) chosen.emplace_back(key, value);
  if (chosen.empty()) return {};
  const std::optional<std::vector<IniLine>> lines = QSettingsLines(chosen);
  if (!lines || !QDir().mkpath(QFileInfo(path).absolutePath())) return failed;
  if (const std::optional<QString> why = SaveFile(path, SetIniLines(*file, kGroup, *lines)))
    return QStringLiteral("%1: %2").arg(failed, *why);
  return {};
}

}  // namespace

QString WriteSettings(const StoredSettings& s) {
  return WriteKeys(s, [](const QByteArray&, const QByteArray&, const QVariant&) { return true; });
}

QString MergeSettings(const StoredSettings& asRead, const StoredSettings& now) {
  const auto before = KeysOf(asRead);
  return WriteKeys(now, [&before](const QByteArray& file, const QByteArray& key, const QVariant& value) {
    const auto read = std::find_if(before.begin(), before.end(), [&key](const auto& k) { return k.first == key; });
    return read->second != value || !HasIniKey(file, kGroup, key);
  });
}
