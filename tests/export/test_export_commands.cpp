// The menu commands against a local NASA server, a recorded hand-off and a scripted
// save dialog. Expected addresses are written out from NASA's published folder layout.
#include <sys/stat.h>

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <tiffio.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "core/file_save.h"
#include "export/command_frame.h"
#include "export/export_commands.h"
#include "support/file_size_limit.h"
#include "support/hand_off_recorder.h"
#include "support/qt_app_environment.h"
#include "support/scripted_save_dialog.h"
#include "nasa/frame_naming.h"
#include "nasa/nasa_urls.h"
#include "support/local_http_server.h"
#include "support/test_folders.h"

namespace {

// Hour 3858 of the year (frame 3859), 10 June 2024 18:00 UTC and the same hour of 2025.
constexpr long double k2024Hour = 45292.0L + 3858.0L / 24;
constexpr long double k2025Hour = 45658.0L + 3858.0L / 24;

const std::string kNorth2024 = "/vis/a000000/a005100/a005187/";
const std::string kSouth2024 = "/vis/a000000/a005100/a005188/";
const std::string kNorth2025 = "/vis/a000000/a005400/a005415/";
const std::string kSouth2025 = "/vis/a000000/a005400/a005416/";
const std::string kMoonFrame2024 = kNorth2024 + "frames/5760x3240_16x9_30p/plain/moon.3859.tif";

QImage TestPicture(int width, int height) {
  QImage image(width, height, QImage::Format_RGB888);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixelColor(x, y, QColor((x * 37) % 256, (y * 53) % 256, (x + y) % 256));
  return image;
}

// An uncompressed 8-bit RGB TIFF of picture, written by libtiff.
QByteArray TiffBytes(const QImage& picture) {
  QTemporaryDir dir;
  const QString path = dir.filePath("frame.tif");
  TIFF* tif = TIFFOpen(path.toLocal8Bit().constData(), "w");
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, static_cast<uint32_t>(picture.width()));
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, static_cast<uint32_t>(picture.height()));
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 3);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 1);
  for (int y = 0; y < picture.height(); ++y)
    TIFFWriteScanline(tif, const_cast<uchar*>(picture.constScanLine(y)), static_cast<uint32_t>(y), 0);
  TIFFClose(tif);
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  return file.readAll();
}

QByteArray ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// NASA's published yearly table of year.
QByteArray NasaTable(int year) {
  return ReadAll(QStringLiteral(ORVANEL_TEST_DATA_DIR "/nasa/mooninfo_%1.txt").arg(year));
}

std::uint32_t LittleEndian(const QByteArray& bytes, int offset, int size) {
  std::uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
  return value;
}

class ExportCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(Work.isValid());
    Server = std::make_unique<LocalHttpServer>([this](httplib::Server& s) {
      s.Get(R"(/.*)", [this](const httplib::Request& request, httplib::Response& response) {
        std::lock_guard<std::mutex> lock(Mutex);
        Requests.push_back(request.path);
        const auto file = Files.find(request.path);
        if (file == Files.end())
          response.status = 404;
        else
          response.set_content(file->second, "application/octet-stream");
      });
    });
    Site = MakeNasaSite(Server->BaseUrl(), Work.path().toStdString());
    State.CurrentDateTime = k2024Hour;
    State.Latitude = 41.3L;
    State.View = ViewKind::Moon;
  }

  void Serve(const std::string& path, const QByteArray& bytes) {
    std::lock_guard<std::mutex> lock(Mutex);
    Files[path] = bytes.toStdString();
  }
  std::vector<std::string> RequestsMade() {
    std::lock_guard<std::mutex> lock(Mutex);
    return Requests;
  }
  std::string Url(const std::string& path) const { return Server->BaseUrl() + path; }
  QString InWork(const QString& name) const { return QDir(Work.path()).filePath(name); }

  ExportContext Context() {
    // Downloads run at once here, so every command has ended when it returns.
    return ExportContext{State.CurrentDateTime,
                         State.Latitude,
                         State.View,
                         Site,
                         Fetch,
                         Chart,
                         Shell,
                         Dialog,
                         Work.path(),
                         Work.path(),
                         [this](const QString& done) { Told.push_back(done); },
                         [this](const QString& message) { Errors.push_back(message); },
                         [this](const QString& what, const DownloadWork& work, const auto& then) {
                           const DownloadResult result = work(Control);
                           Downloads.push_back({what, result.Reason});
                           then(result);
                         }};
  }

  QTemporaryDir Work{QDir(qEnvironmentVariable("ORVANEL_TEST_TMP", QDir::tempPath())).filePath("export-XXXXXX")};
  // What the window passes of the hour shown.
  struct {
    long double CurrentDateTime = 0;
    long double Latitude = 0;
    ViewKind View = ViewKind::Moon;
  } State;
  QImage Chart = TestPicture(730, 730);
  HandOffRecorder Shell;
  ScriptedSaveDialog Dialog;
  std::vector<QString> Told;  // what the commands said they did
  std::vector<QString> Errors;
  DownloadControl Control;                           // what the runner gives every download
  std::vector<std::pair<QString, QString>> Downloads;  // each download's name and failure reason
  std::unique_ptr<LocalHttpServer> Server;
  NasaSite Site;
  Downloader Fetch;
  std::mutex Mutex;
  std::map<std::string, std::string> Files;
  std::vector<std::string> Requests;
};

// The frame of every view, both years and both hemispheres: Image in Browser opens it and
// Link to Clipboard copies it.
TEST_F(ExportCommands, FrameAddressFollowsViewYearAndHemisphere) {
  struct Case {
    ViewKind View;
    long double Instant;
    long double Latitude;
    std::string Path;
  };
  const Case cases[] = {
      {ViewKind::Moon, k2024Hour, 41.3L, kMoonFrame2024},
      {ViewKind::Globe, k2024Hour, 41.3L, kNorth2024 + "frames/960x960_1x1_30p/globe.3859.tif"},
      {ViewKind::Orbit, k2024Hour, 0.0L, kNorth2024 + "frames/850x850_1x1_30p/orbit.3859.tif"},
      {ViewKind::ChartH, k2024Hour, -0.5L, kSouth2024 + "frames/1920x1080_16x9_30p/fancy/comp.3859.tif"},
      {ViewKind::ChartV, k2024Hour, 41.3L, kNorth2024 + "frames/1080x1920_9x16_30p/comp.3859.tif"},
      {ViewKind::ChartV, k2025Hour, 41.3L, kNorth2025 + "frames/1080x1920_9x16_30p/v1/comp.3859.tif"},
      {ViewKind::Moon, k2025Hour, -33.9L, kSouth2025 + "frames/5760x3240_16x9_30p/plain/moon.3859.tif"},
      {ViewKind::Globe, k2025Hour, -33.9L, kSouth2025 + "frames/960x960_1x1_30p/globe.3859.tif"},
      {ViewKindOf(7), k2024Hour, 41.3L, kMoonFrame2024},  // a stored view index out of range: the Moon
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Path);
    State.View = c.View;
    State.CurrentDateTime = c.Instant;
    State.Latitude = c.Latitude;
    Shell.Calls.clear();
    ImageInBrowser(Context());
    EXPECT_EQ(Shell.Calls, (std::vector<HandOffCall>{{"OpenDocument", Url(c.Path)}}));
    LinktoClipboard(Context());
    EXPECT_EQ(QGuiApplication::clipboard()->text().toStdString(), Url(c.Path));
  }
  EXPECT_TRUE(RequestsMade().empty()) << "addresses alone need no download";
}

TEST_F(ExportCommands, NasaWebsiteOpensThePageOfYearAndHemisphere) {
  NasaWebsite(Context());
  State.Latitude = -12;
  NasaWebsite(Context());
  State.CurrentDateTime = k2025Hour;
  NasaWebsite(Context());
  State.Latitude = 0;
  NasaWebsite(Context());
  EXPECT_EQ(Shell.Calls, (std::vector<HandOffCall>{{"OpenDocument", Url("/5187")},
                                                   {"OpenDocument", Url("/5188")},
                                                   {"OpenDocument", Url("/5416")},
                                                   {"OpenDocument", Url("/5415")}}));
}

// NASA's 2025 movies serve every year: a 2024 hour still opens one.
TEST_F(ExportCommands, MovieInBrowserOpensThe2025MovieOfTheView) {
  MovieInBrowser(Context());
  State.View = ViewKind::Globe;
  State.Latitude = -33.9L;
  MovieInBrowser(Context());
  State.View = ViewKind::ChartH;
  State.Latitude = 10;
  MovieInBrowser(Context());
  State.View = ViewKindOf(-1);  // a stored view index out of range: the Moon's movie
  MovieInBrowser(Context());
  EXPECT_EQ(Shell.Calls,
            (std::vector<HandOffCall>{{"OpenDocument", Url(kNorth2025 + "phases_2025_plain_1080p30.mp4")},
                                      {"OpenDocument", Url(kSouth2025 + "subpnts_2025_s_960p30.mp4")},
                                      {"OpenDocument", Url(kNorth2025 + "Phases_North_Up_2025.mp4")},
                                      {"OpenDocument", Url(kNorth2025 + "phases_2025_plain_1080p30.mp4")}}));
}

TEST_F(ExportCommands, FullYearDataDownloadsOnceAndThenReusesTheFile) {
  const std::string northFile = kNorth2024 + "mooninfo_2024.txt";
  const QByteArray table = NasaTable(2024);
  ASSERT_FALSE(table.contains('\r'));
  Serve(northFile, table);
  const QString local = InWork("mooninfo_2024.txt");

  FullYearData(Context());
  EXPECT_EQ(RequestsMade(), std::vector<std::string>{northFile});
  EXPECT_TRUE(ReadAll(local) == QByteArray(table).replace("\n", "\r\n")) << "kept with CR LF after every line";

  // Again, and from the southern hemisphere: the copy of the year is opened as it is.
  FullYearData(Context());
  State.Latitude = -20;
  FullYearData(Context());
  EXPECT_EQ(RequestsMade().size(), 1u);
  const HandOffCall open{"OpenInNotepad", local.toStdString()};
  EXPECT_EQ(Shell.Calls, (std::vector<HandOffCall>{open, open, open}));
  EXPECT_TRUE(Errors.empty());
}

TEST_F(ExportCommands, FullYearDataOfTheSouth2025UsesItsOwnFolder) {
  State.CurrentDateTime = k2025Hour;
  State.Latitude = -33.9L;
  Serve(kSouth2025 + "mooninfo_2025.txt", NasaTable(2025));
  FullYearData(Context());
  EXPECT_EQ(RequestsMade(), std::vector<std::string>{kSouth2025 + "mooninfo_2025.txt"});
  EXPECT_EQ(Shell.Calls, (std::vector<HandOffCall>{{"OpenInNotepad", InWork("mooninfo_2025.txt").toStdString()}}));
}

TEST_F(ExportCommands, FullYearDataLeavesNothingWhenTheDownloadFails) {
  FullYearData(Context());  // the server has no such file
  EXPECT_EQ(RequestsMade().size(), 1u);
  EXPECT_FALSE(QFile::exists(InWork("mooninfo_2024.txt")));
  EXPECT_TRUE(Shell.Calls.empty());
  EXPECT_TRUE(Errors.empty()) << "a failed download is silent";
}

// A year without NASA's table: the program's own, offered under its own name in the
// text folder, saved with CR LF in NASA's layout and opened; nothing is fetched, and a
// cancelled dialog writes nothing.
TEST_F(ExportCommands, FullYearDataOfAYearNasaHasNotPublishedSavesTheComputedTable) {
  State.CurrentDateTime = 46388.0L + 100.5L;  // 2027-04-11 12:00
  ASSERT_FALSE(HasNasaSeries(State.CurrentDateTime));
  const QString chosen = InWork("chosen.txt");
  Dialog.Answers = {std::nullopt, chosen};
  FullYearData(Context());
  EXPECT_FALSE(QFile::exists(chosen));
  FullYearData(Context());
  ASSERT_EQ(Dialog.ShownWith.size(), 2u);
  EXPECT_EQ(Dialog.ShownWith[1].FileName, "mooninfo_2027_orvanel.txt");
  EXPECT_EQ(Dialog.ShownWith[1].InitialDir, Work.path());
  const QList<QByteArray> lines = ReadAll(chosen).split('\n');
  ASSERT_EQ(lines.size(), 8762);  // header, 8,760 hours, and the empty rest after the last line end
  EXPECT_EQ(lines[0], NasaTable(2026).split('\n')[0] + "\r");
  EXPECT_TRUE(lines[1].startsWith("01 Jan 2027 00:00 UT")) << lines[1].toStdString();
  EXPECT_TRUE(RequestsMade().empty());
  EXPECT_EQ(Shell.Calls, (std::vector<HandOffCall>{{"OpenInNotepad", chosen.toStdString()}}));
  EXPECT_TRUE(Errors.empty());
}

// Only NASA's table of the year asked for replaces a copy: an error page sent with
// status 200, a table cut short, one whose rows are not NASA's or one of another year
// is reported and leaves the copy as it was.
TEST_F(ExportCommands, TheYearlyTableIsKeptOnlyWhenItIsNasasTable) {
  const std::string path = kNorth2024 + "mooninfo_2024.txt";
  const QByteArray table = NasaTable(2024);
  QList<QByteArray> lines = table.split('\n');
  for (qsizetype i = 1; i < lines.size(); i += 50) lines[i].replace(" UT ", " GMT ");
  struct Case {
    const char* Name;
    QByteArray Body;
    const char* Why;
  };
  const Case cases[] = {
      {"an error page", "<html><body>Service unavailable</body></html>\n", "does not begin with NASA's column names"},
      {"the header alone", table.left(table.indexOf('\n') + 1), "no rows"},
      {"a table cut short", table.left(table.size() / 2), "holds 4392 of the 8784 hours of 2024"},
      {"rows out of layout", lines.join('\n'), "176 of its 8785 lines are not in NASA's layout"},
      {"the table of another year", NasaTable(2025), "it is the table of 2025, not of 2024"},
  };
  const QString local = InWork("mooninfo_2024.txt");
  const QByteArray kept = "the copy kept before";
  {
    QFile file(local);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(kept);
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    Serve(path, c.Body);
    Errors.clear();
    DownloadTextAndOpen(Context(), local, QString::fromStdString(Url(path)), 2024);
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_TRUE(Errors[0].contains(c.Why)) << Errors[0].toStdString();
    EXPECT_EQ(ReadAll(local), kept);
  }
  EXPECT_TRUE(Shell.Calls.empty());
  Serve(path, table);
  DownloadTextAndOpen(Context(), local, QString::fromStdString(Url(path)), 2024);
  EXPECT_EQ(ReadAll(local).size(), table.size() + table.count('\n'));
  EXPECT_EQ(Shell.Calls, (std::vector<HandOffCall>{{"OpenInNotepad", local.toStdString()}}));
}

// A download the window cancels ends the command without a file, a hand-off or the
// clipboard; each download is named for the user by its file.
TEST_F(ExportCommands, CancelledDownloadsLeaveNothingBehind) {
  Serve(kMoonFrame2024, TiffBytes(TestPicture(6, 4)));
  Serve(kNorth2024 + "mooninfo_2024.txt", NasaTable(2024));
  std::atomic<bool> cancelled{true};
  Control.Cancel = &cancelled;
  QGuiApplication::clipboard()->setText("before");
  Dialog.Answers = {InWork("chosen.tif")};
  SaveAsTifFile(Context());
  ImageInViewer(Context());
  ImagetoClipBoard(Context());
  FullYearData(Context());
  const std::pair<QString, QString> frame{"moon.3859.tif", "cancelled"};
  EXPECT_EQ(Downloads, (std::vector<std::pair<QString, QString>>{
                           frame, frame, frame, {"mooninfo_2024.txt", "cancelled"}}));
  EXPECT_TRUE(QDir(Work.path()).isEmpty());
  EXPECT_TRUE(Shell.Calls.empty());
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
  EXPECT_TRUE(Errors.empty());
}

TEST_F(ExportCommands, FullYearDataReportsAFileThatCannotBeWritten) {
  Serve(kNorth2024 + "mooninfo_2024.txt", NasaTable(2024));
  ExportContext ctx = Context();
  QFile blocker(InWork("a-file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // no folder can be made inside it
  ctx.TextFolder = InWork("a-file/texts");
  FullYearData(ctx);
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_TRUE(Errors[0].contains("a-file/texts/mooninfo_2024.txt")) << Errors[0].toStdString();
  EXPECT_TRUE(Shell.Calls.empty());
}

TEST_F(ExportCommands, ImageInViewerAndEditorFetchTheFrameIntoTheWorkingFolder) {
  const QByteArray tiff = TiffBytes(TestPicture(8, 5));
  Serve(kMoonFrame2024, tiff);
  const QString local = InWork("moon.3859.tif");

  ImageInViewer(Context());
  EXPECT_EQ(ReadAll(local), tiff);
  QFile::remove(local);
  ImageInPaintProgram(Context());
  EXPECT_EQ(ReadAll(local), tiff);
  EXPECT_EQ(Shell.Calls, (std::vector<HandOffCall>{{"OpenWithRegisteredProgram", local.toStdString()},
                                                   {"OpenInImageEditor", local.toStdString()}}));
}

TEST_F(ExportCommands, ImageInViewerAndEditorHandOffNothingWhenTheDownloadFails) {
  ImageInViewer(Context());
  ImageInPaintProgram(Context());
  EXPECT_EQ(RequestsMade().size(), 2u);
  EXPECT_TRUE(Shell.Calls.empty());
  EXPECT_TRUE(QDir(Work.path()).isEmpty());
}

TEST_F(ExportCommands, ImageToClipboardPutsTheDecodedFrameThere) {
  const QImage picture = TestPicture(9, 7);
  State.View = ViewKind::Orbit;
  Serve(kNorth2024 + "frames/850x850_1x1_30p/orbit.3859.tif", TiffBytes(picture));
  ImagetoClipBoard(Context());
  const QImage copied = QGuiApplication::clipboard()->image();
  ASSERT_EQ(copied.size(), picture.size());
  EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB888), picture);
}

TEST_F(ExportCommands, ImageToClipboardLeavesTheClipboardAloneOnFailure) {
  QGuiApplication::clipboard()->setText("before");
  ImagetoClipBoard(Context());  // not on the server
  Serve(kMoonFrame2024, "not a TIFF");
  ImagetoClipBoard(Context());
  EXPECT_EQ(RequestsMade().size(), 2u);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "before");
}

// NASA's bytes are saved as they came: the file is not decoded or re-encoded.
TEST_F(ExportCommands, SaveAsTifFileSavesNasasBytesAtTheChosenPath) {
  QByteArray tiff = TiffBytes(TestPicture(6, 4));
  tiff.append("trailing bytes a re-encoder would drop");
  Serve(kMoonFrame2024, tiff);
  const QString chosen = InWork("my frame.tif");
  Dialog.Answers = {chosen};
  SaveAsTifFile(Context());
  ASSERT_EQ(Dialog.ShownWith.size(), 1u);
  EXPECT_EQ(Dialog.ShownWith[0].FileName, "moon.3859.tif");
  EXPECT_EQ(Dialog.ShownWith[0].Filter, "TIF Image File (*.tif)|*.tif");
  EXPECT_EQ(Dialog.ShownWith[0].InitialDir, Work.path() + "/") << "offered in the pictures folder";
  EXPECT_EQ(ReadAll(chosen), tiff);
}

TEST_F(ExportCommands, SaveAsTifFileWritesNothingWhenCancelledOrWhenTheDownloadFails) {
  Dialog.Answers = {std::nullopt, InWork("frame.tif")};
  SaveAsTifFile(Context());
  EXPECT_TRUE(RequestsMade().empty()) << "a cancelled dialog does nothing";
  SaveAsTifFile(Context());  // confirmed, but the server has no frame
  EXPECT_EQ(RequestsMade().size(), 1u);
  EXPECT_TRUE(QDir(Work.path()).isEmpty());
  EXPECT_TRUE(Errors.empty());
}

// A whole answer with status 200 that is no picture (an error page) never replaces
// the file the user chose.
TEST_F(ExportCommands, SaveAsTifFileKeepsAGoodFileWhenTheAnswerIsNoPicture) {
  const QString target = InWork("frame.tif");
  {
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the frame saved before");
  }
  Serve(kMoonFrame2024, "<html><body>Service unavailable</body></html>");
  Dialog.Answers = {target};
  SaveAsTifFile(Context());
  EXPECT_EQ(RequestsMade().size(), 1u);
  EXPECT_EQ(ReadAll(target), "the frame saved before");
  EXPECT_EQ(QDir(Work.path()).entryList(QDir::Files), QStringList{"frame.tif"});
}

TEST_F(ExportCommands, SaveAsTifFileOffersTheTifFilterAgainAfterTheChartsBmp) {
  Dialog.Answers = {std::nullopt, std::nullopt};
  SaveAsBmpFile(Context());
  SaveAsTifFile(Context());
  ASSERT_EQ(Dialog.ShownWith.size(), 2u);
  EXPECT_EQ(Dialog.ShownWith[0].FileName, "Graph.bmp");
  EXPECT_EQ(Dialog.ShownWith[0].Filter, "BMP Image File (*.bmp)|*.bmp");
  EXPECT_EQ(Dialog.ShownWith[0].InitialDir, Work.path() + "/");
  EXPECT_EQ(Dialog.ShownWith[1].FileName, "moon.3859.tif");
  EXPECT_EQ(Dialog.ShownWith[1].Filter, "TIF Image File (*.tif)|*.tif");
}

TEST_F(ExportCommands, SaveChartWritesTheChartAs24BitBmp) {
  const QString chosen = InWork("chart.bmp");
  Dialog.Answers = {chosen};
  SaveAsBmpFile(Context());
  const QByteArray bmp = ReadAll(chosen);
  ASSERT_GE(bmp.size(), 54);
  EXPECT_EQ(bmp.left(2), "BM");
  EXPECT_EQ(LittleEndian(bmp, 18, 4), 730u);  // width
  EXPECT_EQ(LittleEndian(bmp, 22, 4), 730u);  // height, bottom-up
  EXPECT_EQ(LittleEndian(bmp, 28, 2), 24u);   // bits per pixel
  EXPECT_EQ(LittleEndian(bmp, 30, 4), 0u);    // uncompressed
  QImage read;
  ASSERT_TRUE(read.loadFromData(bmp, "BMP"));
  EXPECT_EQ(read.convertToFormat(QImage::Format_RGB888), Chart);
  EXPECT_TRUE(Errors.empty());
}

// Pictures go to the pictures folder and the yearly text to the text folder, each
// made when it is not there yet.
TEST_F(ExportCommands, TheFoldersAreMadeWhenNeeded) {
  ExportContext ctx = Context();
  ctx.WorkingFolder = InWork("Pictures/Orvanel");
  ctx.TextFolder = InWork("Documents/Orvanel");
  SaveAsBmpFile(ctx);
  SaveAsTifFile(ctx);
  ASSERT_EQ(Dialog.ShownWith.size(), 2u);
  for (const auto& shown : Dialog.ShownWith) EXPECT_EQ(shown.InitialDir, ctx.WorkingFolder + "/");
  EXPECT_TRUE(QDir(ctx.WorkingFolder).exists());

  Serve(kNorth2024 + "mooninfo_2024.txt", NasaTable(2024));
  FullYearData(ctx);
  EXPECT_TRUE(QFile::exists(QDir(ctx.TextFolder).filePath("mooninfo_2024.txt")));
}

// A FIFO chosen as the chart's file is no file to replace: it stays a FIFO.
TEST_F(ExportCommands, SaveChartReportsAChartThatCannotBeWritten) {
  const QString fifo = InWork("fifo.bmp");
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  for (const QString& chosen : {InWork("missing-folder/chart.bmp"), fifo}) {
    Errors.clear();
    Dialog.Answers = {chosen};
    SaveAsBmpFile(Context());
    ASSERT_EQ(Errors.size(), 1u) << chosen.toStdString();
    EXPECT_TRUE(Errors[0].contains(chosen)) << Errors[0].toStdString();
  }
  EXPECT_TRUE(std::filesystem::is_fifo(fifo.toStdString()));
}

// A disk too full for the chart: the message names the system's reason and the file
// chosen keeps what it held.
TEST_F(ExportCommands, SaveChartOnAFullDiskKeepsTheOldFile) {
  const QString chosen = InWork("chart.bmp");
  ASSERT_FALSE(SaveFile(chosen, QByteArray("old")));
  Dialog.Answers = {chosen};
  {
    const FileSizeLimit full(1000);
    SaveAsBmpFile(Context());
  }
  ASSERT_EQ(Errors.size(), 1u);
  EXPECT_TRUE(Errors[0].endsWith(QString::fromLocal8Bit(std::strerror(EFBIG)))) << Errors[0].toStdString();
  EXPECT_EQ(FolderEntries(QFileInfo(chosen).path()), QStringList{"chart.bmp"});
  QFile file(chosen);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), "old");
}

// Each command says what it did, naming the file or the address, or that no program
// could be started for what it opens.
TEST_F(ExportCommands, EveryCommandSaysWhatItDidOrWhyNothingOpened) {
  Serve(kMoonFrame2024, TiffBytes(TestPicture(8, 6)));
  Serve(kNorth2024 + "mooninfo_2024.txt", NasaTable(2024));
  const QString frameUrl = QString::fromStdString(Url(kMoonFrame2024));
  const QString frame = InWork("moon.3859.tif"), table = InWork("mooninfo_2024.txt");
  const struct {
    void (*Command)(const ExportContext&);
    QString Done;    // said when a program starts
    QString Target;  // named when none can
  } handedOff[] = {
      {NasaWebsite, "Opened " + QString::fromStdString(Url("/5187")) + " in the browser",
       QString::fromStdString(Url("/5187"))},
      {ImageInBrowser, "Opened " + frameUrl + " in the browser", frameUrl},
      {ImageInViewer, "Saved " + frame + " and opened it in the viewer", frame},
      {ImageInPaintProgram, "Saved " + frame + " and opened it in the image editor", frame},
      {FullYearData, "Saved " + table + " and opened it in the text editor", table},
      {OpenFolder, "Opened the folder " + Work.path(), Work.path()},
  };
  for (const bool starts : {true, false}) {
    Shell.Starts = starts;
    for (const auto& c : handedOff) {
      Told.clear();
      c.Command(Context());
      EXPECT_EQ(Told, std::vector<QString>{starts ? c.Done : "No program could be started to open " + c.Target});
    }
  }
  Told.clear();
  Dialog.Answers = {InWork("saved.tif"), InWork("saved.bmp")};
  for (auto* command : {LinktoClipboard, ImagetoClipBoard, SaveAsTifFile, SaveAsBmpFile}) command(Context());
  EXPECT_EQ(Told, (std::vector<QString>{"Copied the link " + frameUrl + " to the clipboard",
                                        "Copied NASA's frame moon.3859.tif (8 x 6) to the clipboard",
                                        "Saved " + InWork("saved.tif"), "Saved the chart as " + InWork("saved.bmp")}));
  EXPECT_TRUE(Errors.empty());
}

TEST_F(ExportCommands, OpenFolderOpensTheWorkingFolder) {
  OpenFolder(Context());
  EXPECT_EQ(Shell.Calls, (std::vector<HandOffCall>{{"OpenFolder", Work.path().toStdString()}}));
}

TEST_F(ExportCommands, FrameOfCommandNamesKeyFileAndAddress) {
  State.View = ViewKind::ChartH;
  const CommandFrame frame = FrameOfCommand(Context());
  EXPECT_EQ(frame.Key, 1920);
  EXPECT_EQ(frame.FileName, "comp.3859.tif");
  EXPECT_EQ(frame.Url.toStdString(), Url(kNorth2024 + "frames/1920x1080_16x9_30p/fancy/comp.3859.tif"));
}

}  // namespace
