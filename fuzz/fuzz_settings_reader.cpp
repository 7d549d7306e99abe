// libFuzzer target: any text as the settings file, read through the program's own
// reader (QSettings in INI format under a private XDG_CONFIG_HOME). Whatever the file
// holds, every value that comes out must be one the window can use.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "core/settings_store.h"

namespace {

QString IniPath() {
  static QTemporaryDir* config = [] {
    auto* dir = new QTemporaryDir();  // lives for the whole run
    qputenv("XDG_CONFIG_HOME", dir->path().toUtf8());
    QDir().mkpath(dir->path() + "/Quenhalse");
    return dir;
  }();
  return config->path() + "/Quenhalse/Orvanel.ini";
}

bool Usable(const StoredSettings& s) {
  const auto folder = [](const QString& f) { return QDir::isAbsolutePath(f) && f.size() <= kMaxSettingLength; };
  return s.GlobStep >= 1 && s.GlobStep <= 24 && s.GlobTypeIndex >= 0 && s.GlobTypeIndex < kViewKindCount &&
         s.WindowState >= 0 && s.WindowState <= 2 && s.WindowWidth > 0 && s.WindowHeight > 0 &&
         std::isfinite(s.Latitude) && std::fabs(s.Latitude) <= 90 && std::isfinite(s.Longitude) &&
         std::fabs(s.Longitude) <= 180 && folder(s.PictureFolder) && folder(s.TextFolder);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static int argc = 1;
  static char name[] = "fuzz_settings_reader";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  // QSettings reuses what it parsed while a file's size and time stay the same, so
  // each input gets a time of its own.
  static int inputs = 0;
  QFile f(IniPath());
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) __builtin_trap();
  f.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
  f.setFileTime(QDateTime::fromSecsSinceEpoch(++inputs), QFileDevice::FileModificationTime);
  f.close();
  if (!Usable(ReadSettings())) __builtin_trap();
  return 0;
}
