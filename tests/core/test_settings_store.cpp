// The settings file: defaults on first run, a faithful round trip, and a damaged
// file that cannot make the program step by zero hours or select no view.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <functional>
#include <memory>

#include <sys/stat.h>

#include "core/settings_store.h"
#include "support/file_size_limit.h"

namespace {

class SettingsStore : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // QSettings takes its folder from XDG_CONFIG_HOME the first time it is used.
    Config = new QTemporaryDir();
    qputenv("XDG_CONFIG_HOME", Config->path().toUtf8());
  }
  static void TearDownTestSuite() { delete Config; }
  void SetUp() override { QFile::remove(IniPath()); }

  static QString IniPath() { return Config->path() + "/Quenhalse/Orvanel.ini"; }

  // QSettings reuses what it parsed while a file's size and time stay the same, so
  // every file written here gets a time of its own.
  static void WriteRaw(const QString& text) {
    static int written = 0;
    QDir().mkpath(Config->path() + "/Quenhalse");
    QFile f(IniPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.toUtf8());
    f.setFileTime(QDateTime::currentDateTime().addSecs(++written), QFileDevice::FileModificationTime);
  }

  static QTemporaryDir* Config;
};

QTemporaryDir* SettingsStore::Config = nullptr;

TEST_F(SettingsStore, FirstRunGivesTheDefaults) {
  const StoredSettings s = ReadSettings();
  EXPECT_EQ(s.WindowLeft, 0);
  EXPECT_EQ(s.WindowTop, 5);
  EXPECT_EQ(s.WindowWidth, 1600);
  EXPECT_EQ(s.WindowHeight, 850);
  EXPECT_EQ(s.WindowState, 0);
  EXPECT_FALSE(s.ReverseBox);
  EXPECT_TRUE(s.ShowLinesBox);
  EXPECT_TRUE(s.ShowDataBox);
  EXPECT_EQ(s.GlobStep, 2);
  EXPECT_EQ(s.GlobTypeIndex, 0);
  EXPECT_DOUBLE_EQ(s.Latitude, 41.2979);
  EXPECT_DOUBLE_EQ(s.Longitude, -73.0756);
  EXPECT_EQ(s.FrameCacheMB, 2048);
}

TEST_F(SettingsStore, WritesEveryKeyInTheSettingsGroupAndReadsThemBack) {
  StoredSettings w;
  w.WindowTop = 40;
  w.WindowLeft = 12;
  w.WindowWidth = 1500;
  w.WindowHeight = 800;
  w.WindowState = 2;
  w.AnimateBox = true;
  w.ReverseBox = true;
  w.ShowLinesBox = false;
  w.ShowDataBox = false;
  w.RotateBox = true;
  w.GlobStep = 24;
  w.GlobTypeIndex = 4;
  w.Latitude = -33.8688;
  w.Longitude = 151.2093;
  w.PictureFolder = "/data/moon pictures";
  w.TextFolder = "/data/tables";
  w.FrameCacheMB = 512;
  w.PlaceName = "Sydney, New South Wales, Australia";
  w.PlaceZone = "Australia/Sydney";
  w.ElevationM = 58;
  w.NamesBox = true;
  w.Eyepiece = 2;
  WriteSettings(w);

  QSettings raw(IniPath(), QSettings::IniFormat);
  raw.beginGroup("SETTINGS");
  EXPECT_EQ(raw.childKeys().size(), 22);
  EXPECT_EQ(raw.value("AnimateBox").toString(), "true");
  EXPECT_EQ(raw.value("RotateBox").toString(), "true");
  EXPECT_EQ(raw.value("GlobStep").toInt(), 24);
  raw.endGroup();

  const StoredSettings r = ReadSettings();
  EXPECT_EQ(r.WindowTop, 40);
  EXPECT_EQ(r.WindowLeft, 12);
  EXPECT_EQ(r.WindowWidth, 1500);
  EXPECT_EQ(r.WindowHeight, 800);
  EXPECT_EQ(r.WindowState, 2);
  EXPECT_TRUE(r.ReverseBox);
  EXPECT_FALSE(r.ShowLinesBox);
  EXPECT_FALSE(r.ShowDataBox);
  EXPECT_EQ(r.GlobStep, 24);
  EXPECT_EQ(r.GlobTypeIndex, 4);
  EXPECT_DOUBLE_EQ(r.Latitude, -33.8688);
  EXPECT_DOUBLE_EQ(r.Longitude, 151.2093);
  EXPECT_EQ(r.PictureFolder, "/data/moon pictures");
  EXPECT_EQ(r.TextFolder, "/data/tables");
  EXPECT_EQ(r.FrameCacheMB, 512);
  EXPECT_EQ(r.PlaceName, "Sydney, New South Wales, Australia");
  EXPECT_EQ(r.PlaceZone, "Australia/Sydney");
  EXPECT_EQ(r.ElevationM, 58);
  EXPECT_TRUE(r.NamesBox);
  EXPECT_EQ(r.Eyepiece, 2);
  // Animation and parallactic turning always start off, whatever was saved.
  EXPECT_FALSE(r.AnimateBox);
  EXPECT_FALSE(r.RotateBox);
}

TEST_F(SettingsStore, OutOfRangeAndOverlongValuesTakeTheirDefaults) {
  const StoredSettings d;
  const QString overlong(kMaxSettingLength + 1, u'x');
  struct Case {
    const char* Line;
    std::function<bool(const StoredSettings&)> Holds;
  } const cases[] = {
      {"GlobStep=0", [&](auto& s) { return s.GlobStep == d.GlobStep; }},
      {"GlobStep=1000", [&](auto& s) { return s.GlobStep == d.GlobStep; }},
      {"GlobTypeIndex=9", [&](auto& s) { return s.GlobTypeIndex == d.GlobTypeIndex; }},
      {"GlobTypeIndex=-1", [&](auto& s) { return s.GlobTypeIndex == d.GlobTypeIndex; }},
      {"WindowWidth=2147483647", [&](auto& s) { return s.WindowWidth == d.WindowWidth; }},
      {"WindowHeight=0", [&](auto& s) { return s.WindowHeight == d.WindowHeight; }},
      {"WindowTop=-2147483648", [&](auto& s) { return s.WindowTop == d.WindowTop; }},
      {"WindowLeft=99999999999", [&](auto& s) { return s.WindowLeft == d.WindowLeft; }},
      {"TextFolder=relative/tables", [&](auto& s) { return s.TextFolder == d.TextFolder; }},
      {"GlobStep=24", [&](auto& s) { return s.GlobStep == 24; }},  // the ends of a range are kept
      {"WindowTop=-32767", [&](auto& s) { return s.WindowTop == -32767; }},
      {"Eyepiece=3", [&](auto& s) { return s.Eyepiece == d.Eyepiece; }},
  };
  for (const Case& c : cases) {
    WriteRaw(QStringLiteral("[SETTINGS]\n%1\n").arg(c.Line));
    EXPECT_TRUE(c.Holds(ReadSettings())) << c.Line;
  }
  WriteRaw("[SETTINGS]\nPictureFolder=/" + overlong + "\nLatitude=1" + QString(kMaxSettingLength, u'0') + "\n");
  EXPECT_EQ(ReadSettings().PictureFolder, d.PictureFolder);
  EXPECT_DOUBLE_EQ(ReadSettings().Latitude, d.Latitude);
}

TEST_F(SettingsStore, NonNumericValuesFallBackToTheDefaults) {
  WriteRaw(
      "[SETTINGS]\nGlobStep=two\nGlobTypeIndex=\nLatitude=north\nLongitude=nan\n"
      "WindowWidth=wide\nShowLinesBox=maybe\nWindowState=7\n");
  const StoredSettings s = ReadSettings();
  EXPECT_EQ(s.GlobStep, 2);
  EXPECT_EQ(s.GlobTypeIndex, 0);
  EXPECT_DOUBLE_EQ(s.Latitude, 41.2979);
  EXPECT_DOUBLE_EQ(s.Longitude, -73.0756);
  EXPECT_EQ(s.WindowWidth, 1600);
  EXPECT_TRUE(s.ShowLinesBox);
  EXPECT_EQ(s.WindowState, 0);
}

TEST_F(SettingsStore, AFrameCacheCapOutsideItsRangeTakesTheDefault) {
  const struct {
    const char* Stored;
    int Read;
  } kCases[] = {{"64", 64}, {"1048576", 1048576}, {"63", 2048}, {"1048577", 2048},
                {"-100", 2048}, {"lots", 2048}, {"", 2048}, {"9999999999", 2048}};
  for (const auto& c : kCases) {
    WriteRaw(QString("[SETTINGS]\nFrameCacheMB=%1\n").arg(c.Stored));
    EXPECT_EQ(ReadSettings().FrameCacheMB, c.Read) << c.Stored;
  }
}

TEST_F(SettingsStore, ExportFoldersDefaultToOrvanelInPicturesAndDocuments) {
  WriteRaw("[SETTINGS]\nPictureFolder=  \n");
  const StoredSettings s = ReadSettings();
  EXPECT_EQ(s.PictureFolder, QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) + "/Orvanel");
  EXPECT_EQ(s.TextFolder, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + "/Orvanel");
}

// A file written before the place had a name, a zone and an elevation keeps its
// latitude and longitude and opens with the computer's zone at sea level; a zone this
// computer does not know and an impossible elevation are read the same way.
TEST_F(SettingsStore, AFileFromBeforeThePlacesZoneOpensWithTheComputersZone) {
  for (const QString& extra : {QString(), QString("PlaceZone=Atlantis/Capital\nElevationM=12000\n")}) {
    WriteRaw("[SETTINGS]\nLatitude=35.6850\nLongitude=139.7514\nGlobStep=6\n" + extra);
    const StoredSettings s = ReadSettings();
    EXPECT_DOUBLE_EQ(s.Latitude, 35.685);
    EXPECT_DOUBLE_EQ(s.Longitude, 139.7514);
    EXPECT_EQ(s.GlobStep, 6);
    EXPECT_TRUE(s.PlaceName.isEmpty());
    EXPECT_TRUE(s.PlaceZone.isEmpty()) << "empty is the computer's zone";
    EXPECT_EQ(s.ElevationM, 0);
  }
}

TEST_F(SettingsStore, AnImpossiblePlaceFallsBackToTheDefaultPlace) {
  WriteRaw("[SETTINGS]\nLatitude=123.4\nLongitude=-200\n");
  EXPECT_DOUBLE_EQ(ReadSettings().Latitude, 41.2979);
  EXPECT_DOUBLE_EQ(ReadSettings().Longitude, -73.0756);
}

// Whatever stops the file from being written, the call says why and the file keeps
// every byte it held.
TEST_F(SettingsStore, AFileThatCannotBeWrittenIsReportedAndKeptAsItWas) {
  const QString folder = Config->path() + "/Quenhalse";
  const QByteArray stored = "[SETTINGS]\nGlobStep=7\nOther=kept\n";
  struct Case {
    const char* What;
    QFile::Permissions File, Folder;
  } const cases[] = {
      {"read-only file", QFile::ReadOwner, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner},
      {"read-only folder", QFile::ReadOwner | QFile::WriteOwner, QFile::ReadOwner | QFile::ExeOwner},
  };
  for (const Case& c : cases) {
    WriteRaw(QString::fromUtf8(stored));
    QFile::setPermissions(IniPath(), c.File);
    QFile::setPermissions(folder, c.Folder);
    EXPECT_FALSE(WriteSettings(StoredSettings{}).isEmpty()) << c.What;
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QFile::setPermissions(IniPath(), QFile::ReadOwner | QFile::WriteOwner);
    QFile f(IniPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), stored) << c.What;
  }
  QFile::remove(IniPath());
  ASSERT_TRUE(QDir().mkpath(IniPath()));
  EXPECT_TRUE(WriteSettings(StoredSettings{}).contains("folder")) << "a folder in the file's place";
  QDir(IniPath()).removeRecursively();
}

TEST_F(SettingsStore, WritingKeepsTheKeysItDoesNotKnow) {
  WriteRaw("[SETTINGS]\nOther=kept\n[ELSEWHERE]\nMore=kept too\n");
  EXPECT_EQ(WriteSettings(StoredSettings{}), QString());
  QSettings raw(IniPath(), QSettings::IniFormat);
  EXPECT_EQ(raw.value("SETTINGS/Other").toString(), "kept");
  EXPECT_EQ(raw.value("ELSEWHERE/More").toString(), "kept too");
}

QByteArray ReadBytes(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

// Two windows on one account: the second to close writes back only what it changed,
// so the first one's choice stays; keys of others keep every byte, a line QSettings
// cannot read included, and the write is called the success it is.
TEST_F(SettingsStore, ClosingMergesWhatThisWindowChanged) {
  {
    QDir().mkpath(Config->path() + "/Quenhalse");
    QFile f(IniPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[SETTINGS]\nGlobStep=3\nLatitude=10\nStray \xff\xfe line\nOther=caf\xe9 \xff\n");
  }
  const StoredSettings asRead = ReadSettings();
  StoredSettings first = asRead;
  first.GlobStep = 7;
  ASSERT_EQ(MergeSettings(asRead, first), QString());
  StoredSettings second = asRead;
  second.Latitude = 20;
  EXPECT_EQ(MergeSettings(asRead, second), QString());
  const StoredSettings now = ReadSettings();
  EXPECT_EQ(now.GlobStep, 7);
  EXPECT_DOUBLE_EQ(now.Latitude, 20);
  const QByteArray bytes = ReadBytes(IniPath());
  EXPECT_TRUE(bytes.contains("\nStray \xff\xfe line\nOther=caf\xe9 \xff\n")) << bytes.toStdString();
}

// The file is written where a link points (a dotfile manager's) and the link stays;
// a FIFO in the file's place is reported and left alone, and reading passes over it
// without waiting.
TEST_F(SettingsStore, OnlyARegularFileIsWritten) {
  const auto elsewhere = std::make_unique<QTemporaryDir>();
  const QString real = elsewhere->filePath("orvanel.ini");
  QDir().mkpath(Config->path() + "/Quenhalse");
  {
    QFile f(real);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[SETTINGS]\nGlobStep=4\n");
  }
  ASSERT_TRUE(QFile::link(real, IniPath()));
  StoredSettings s = ReadSettings();
  EXPECT_EQ(s.GlobStep, 4);
  s.GlobStep = 9;
  EXPECT_EQ(WriteSettings(s), QString());
  EXPECT_TRUE(QFileInfo(IniPath()).isSymLink());
  EXPECT_TRUE(ReadBytes(real).contains("GlobStep=9"));
  QFile::remove(IniPath());

  const QString fifo = elsewhere->filePath("fifo");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  // No device here: a faulty write run as root would replace it for the whole system.
  for (const QString& target : {fifo}) {
    ASSERT_TRUE(QFile::link(target, IniPath()));
    EXPECT_EQ(ReadSettings().GlobStep, StoredSettings().GlobStep) << target.toStdString();
    EXPECT_TRUE(WriteSettings(StoredSettings{}).contains("no regular file")) << target.toStdString();
    EXPECT_TRUE(QFileInfo(IniPath()).isSymLink()) << target.toStdString();
    QFile::remove(IniPath());
  }
  EXPECT_EQ(QFileInfo(fifo).isFile(), false);
  EXPECT_TRUE(QFileInfo::exists(fifo));
}

// A disk filling up while the settings are written: the failure is reported (with
// the system's reason when the file itself could not take them) and the file keeps
// what it held, nothing the first time.
TEST_F(SettingsStore, ADiskFillingUpIsReportedAndKeepsTheFile) {
  ASSERT_EQ(WriteSettings(StoredSettings{}), QString());
  const qint64 whole = QFileInfo(IniPath()).size();
  const struct {
    QByteArray Before;
    qint64 Room;
    std::string Reason;
  } cases[] = {
      {"", whole / 2, ""},
      {"[ELSEWHERE]\nMore=kept too\n", whole + 10, std::strerror(EFBIG)},
  };
  for (const auto& c : cases) {
    QFile::remove(IniPath());
    if (!c.Before.isEmpty()) WriteRaw(QString::fromUtf8(c.Before));
    QString why;
    {
      const FileSizeLimit full(static_cast<rlim_t>(c.Room));
      why = WriteSettings(StoredSettings{});
    }
    EXPECT_FALSE(why.isEmpty()) << c.Room;
    EXPECT_TRUE(why.endsWith(QString::fromStdString(c.Reason))) << why.toStdString();
    EXPECT_EQ(QFileInfo::exists(IniPath()) ? ReadBytes(IniPath()) : QByteArray(), c.Before) << c.Room;
  }
}

// A file far larger than any settings file (here a sparse terabyte) is neither read
// into memory nor replaced: the defaults are used and the write is refused.
TEST_F(SettingsStore, AHugeFileIsNotTakenForTheSettings) {
  WriteRaw("[SETTINGS]\nGlobStep=4\n");
  ASSERT_TRUE(QFile::resize(IniPath(), 1LL << 40));
  EXPECT_EQ(ReadSettings().GlobStep, StoredSettings().GlobStep);
  EXPECT_TRUE(WriteSettings(StoredSettings{}).contains("too large"));
  EXPECT_EQ(QFileInfo(IniPath()).size(), 1LL << 40);
}

}  // namespace
