// The working window end to end: the real TForm1 offscreen, with a local server in
// NASA's place that serves test frames (a grey disc JPEG for every hour, pattern
// TIFFs for the chart, orbit and globe views) and refuses the hours a test marks.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QTest>
#include <QTimer>
#include <atomic>
#include <mutex>
#include <chrono>
#include <functional>
#include <set>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "app/image_box.h"
#include "app/main_form.h"
#include "astro/time_scales.h"
#include "core/system_time_zone.h"
#include "support/fixed_zone.h"
#include "astro/moon_ephemeris.h"
#include "nasa/frame_naming.h"
#include "support/local_http_server.h"
#include "support/test_images.h"
#include "support/test_signal.h"
#include "support/window_test.h"

namespace {

long double At(int y, int mo, int d, int h, int mi = 0) {
  return EncodeDateTimeOrZero(y, mo, d, h, mi, 0, 0);
}

// Steps are sums of 1/24 day: compare instants to the second.
constexpr long double kSecond = 1.0L / 86400.0L;

// What the stand-in server has been asked for, and the frames it refuses.
struct ServerLog {
  std::mutex Lock;
  std::vector<std::string> Paths;
  std::set<std::string> Refused;  // frame file names answered with 404
  std::set<std::string> Corrupt;  // frame file names answered with half a JPEG
  std::atomic<int> LatencyMs{0};  // how long the server takes to answer
  std::atomic<bool> Holding{false};  // the answers wait for Release (or the test's end)
  TestSignal Release;

  void Add(const std::string& path) {
    std::lock_guard<std::mutex> g(Lock);
    Paths.push_back(path);
  }
  std::size_t Count() {
    std::lock_guard<std::mutex> g(Lock);
    return Paths.size();
  }
  std::string Last() {
    std::lock_guard<std::mutex> g(Lock);
    return Paths.empty() ? std::string() : Paths.back();
  }
  bool IsRefused(const std::string& path) { return EndsWithOneOf(path, Refused); }
  bool IsCorrupt(const std::string& path) { return EndsWithOneOf(path, Corrupt); }
  bool EndsWithOneOf(const std::string& path, const std::set<std::string>& names) {
    std::lock_guard<std::mutex> g(Lock);
    for (const std::string& name : names)
      if (path.size() >= name.size() && path.compare(path.size() - name.size(), name.size(), name) == 0)
        return true;
    return false;
  }
};

class WorkingWindow : public WindowTest {
 protected:
  static void SetUpTestSuite() {
    WindowTest::SetUpTestSuite();
    Jpeg = new QByteArray(MakeJpeg(730, 730));
    Log = new ServerLog();
    Server = new LocalHttpServer([](httplib::Server& s) {
      s.Get(R"(/vis/.*)", [](const httplib::Request& req, httplib::Response& res) {
        Log->Add(req.path);
        std::this_thread::sleep_for(std::chrono::milliseconds(Log->LatencyMs.load()));
        if (Log->Holding) Log->Release.Wait(std::chrono::seconds(60));
        if (Log->IsRefused(req.path)) {
          res.status = 404;
          return;
        }
        if (req.path.find(".jpg") != std::string::npos) {
          res.set_content(Jpeg->constData(), Log->IsCorrupt(req.path) ? Jpeg->size() / 2 : Jpeg->size(), "image/jpeg");
        } else {
          const QByteArray tiff = TiffFor(req.path);
          res.set_content(tiff.constData(), tiff.size(), "image/tiff");
        }
      });
    });
  }
  static void TearDownTestSuite() {
    delete Server;
    delete Log;
    delete Jpeg;
    WindowTest::TearDownTestSuite();
  }
  void SetUp() override {
    ServerUrl = Server->BaseUrl();
    std::lock_guard<std::mutex> g(Log->Lock);
    Log->Refused.clear();
    Log->Corrupt.clear();
    Log->LatencyMs = 0;
    Log->Holding = false;
    Log->Release.Reset();
  }
  void TearDown() override { Log->Release.Raise(); }
  static QByteArray TiffFor(const std::string& path) {
    if (path.find("1920x1080") != std::string::npos) return MakeTiffRgb8(1920, 1080);
    if (path.find("1080x1920") != std::string::npos) return MakeTiffRgb8(1080, 1920);
    if (path.find("960x960") != std::string::npos) return MakeTiffRgb8(960, 960);
    return MakeTiffRgb8(850, 850);
  }

  static QByteArray* Jpeg;
  static ServerLog* Log;
  static LocalHttpServer* Server;
};

QByteArray* WorkingWindow::Jpeg = nullptr;
ServerLog* WorkingWindow::Log = nullptr;
LocalHttpServer* WorkingWindow::Server = nullptr;

QRgb PixelAt(const ImageBox* box, int x, int y) { return box->Picture().pixel(x, y); }

TEST_F(WorkingWindow, StartUpShowsTheCurrentHourWithFramePanelAndChart) {
  TForm1 form(MakeServices());
  form.ReadIniFile();
  form.InitialShow();
  WaitForShow(form);
  EXPECT_NEAR(static_cast<double>(form.Session().HourShown()), static_cast<double>(At(2024, 6, 9, 18)), 1e-9);
  EXPECT_EQ(form.Session().Record().HourNumber, 3858);
  EXPECT_EQ(Child<QPlainTextEdit>(form, "Memo1")->toPlainText().split('\n').size(), 35);
  EXPECT_TRUE(Child<QPlainTextEdit>(form, "Memo1")->toPlainText().contains("moon.3859.jpg\n"));
  EXPECT_NE(Log->Last().find("/a005187/frames/730x730_1x1_30p/moon.3859.jpg"), std::string::npos);
  EXPECT_TRUE(Child<QLabel>(form, "UTCLab")->text().contains("2024")) << Child<QLabel>(form, "UTCLab")->text().toStdString();
  // The grey disc is in the middle of the Moon view; the chart has its sky and ground.
  EXPECT_EQ(qGray(PixelAt(Child<ImageBox>(form, "Image2"), 300, 250)), 128);
  EXPECT_EQ(PixelAt(Child<ImageBox>(form, "Image1"), 600, 20), qRgb(11, 78, 173));
  EXPECT_EQ(PixelAt(Child<ImageBox>(form, "Image1"), 600, 700), qRgb(12, 14, 30));
  EXPECT_EQ(Child<QCalendarWidget>(form, "MonthCal")->selectedDate(), QDate(2024, 6, 9));
}

TEST_F(WorkingWindow, NavigationCrossesYearsAndWrapsOnlyAt1600And3999) {
  TForm1 form(MakeServices());
  form.Session().SetStep(1);
  form.Session().GoTo(At(2025, 12, 31, 23));
  Child<QPushButton>(form, "NextBut")->click();
  WaitForShow(form);
  EXPECT_NEAR(form.Session().HourShown(), At(2026, 1, 1, 0), kSecond);
  EXPECT_EQ(form.Session().Record().HourNumber, 0);
  EXPECT_NE(Log->Last().find("/a005587/frames/730x730_1x1_30p/moon.0001.jpg"), std::string::npos);

  form.Session().GoTo(At(1600, 1, 1, 0));
  Child<QPushButton>(form, "PrevBut")->click();
  WaitForShow(form);
  EXPECT_NEAR(form.Session().HourShown(), At(3999, 12, 31, 23), kSecond);
  form.Session().SetStep(2);
  Child<QPushButton>(form, "NextBut")->click();
  WaitForShow(form);
  EXPECT_NEAR(form.Session().HourShown(), At(1600, 1, 1, 2), kSecond);
}

// A year NASA has not published: the program's own values, the Moon it draws, no
// request to NASA, and the commands that need NASA's files switched off.
TEST_F(WorkingWindow, AYearWithoutNasaSeriesShowsComputedValuesAndTheDrawnMoon) {
  TForm1 form(MakeServices());
  form.Session().SetStep(1);
  form.Session().GoTo(At(2026, 12, 31, 23));
  Child<QPushButton>(form, "NextBut")->click();
  WaitForShow(form);
  const std::size_t requests = Log->Count();
  Child<QPushButton>(form, "NextBut")->click();  // 2027-01-01 01:00
  WaitForShow(form);
  EXPECT_EQ(Log->Count(), requests);
  const QStringList panel = Child<QPlainTextEdit>(form, "Memo1")->toPlainText().split('\n');
  ASSERT_EQ(panel.size(), 35);
  EXPECT_EQ(panel[9], "Computed Data:");
  const MoonHourValues computed = ComputeMoonHourValues(At(2027, 1, 1, 1));
  EXPECT_EQ(form.Session().Record().AxisA, computed.AxisA);
  EXPECT_TRUE(Child<QLabel>(form, "StatusBar1")->text().contains("no hourly series for 2027")) << Child<QLabel>(form, "StatusBar1")->text().toStdString();
  EXPECT_GT(qGray(PixelAt(Child<ImageBox>(form, "Image2"), 365, 365)), 20);  // the drawn Moon's disc
  for (const char* name :
       {"LinktoClipboard1Action", "SaveAsTifFile1Action", "NasaWebsiteAction", "DownloadFrames1Action"}) {
    const QAction* action = form.findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name;
    EXPECT_FALSE(action->isEnabled()) << name;
    EXPECT_TRUE(action->toolTip().contains("2027")) << name;
  }
  const QCheckBox* nasaInEclipse = Child<QCheckBox>(form, "NasaInEclipseBox");
  EXPECT_FALSE(nasaInEclipse->isEnabled());
  EXPECT_TRUE(nasaInEclipse->toolTip().contains("2027"));
  // Full Year Data offers the program's own table of the year.
  for (const char* name : {"SaveChart1Action", "FullYearDataAction"})
    EXPECT_TRUE(form.findChild<QAction*>(name)->isEnabled()) << name;
}

TEST_F(WorkingWindow, TheStepListAppliesToTheNextStep) {
  TForm1 form(MakeServices());
  form.Session().GoTo(At(2024, 6, 9, 18));
  Child<QComboBox>(form, "StepBox")->setCurrentIndex(5);
  emit Child<QComboBox>(form, "StepBox")->activated(5);
  EXPECT_EQ(form.Session().Step(), 6);
  Child<QPushButton>(form, "NextBut")->click();
  WaitForShow(form);
  EXPECT_NEAR(form.Session().HourShown(), At(2024, 6, 10, 0), kSecond);
}

// A calendar day is the local one: it begins at local midnight, in standard or
// daylight time as the zone's rules have it. The hour shown is the first whole UTC hour
// of the day: Kathmandu's midnight is 18:15 UTC, whose hour is 23:45 the day before.
TEST_F(WorkingWindow, TheCalendarTakesLocalMidnight) {
  const struct {
    const char* Zone;
    QDate Day;
    long double Utc;
  } cases[] = {{"America/New_York", QDate(2024, 12, 8), At(2024, 12, 8, 5)},
               {"America/New_York", QDate(2024, 6, 15), At(2024, 6, 15, 4)},
               {"Asia/Kathmandu", QDate(2024, 6, 15), At(2024, 6, 14, 19)}};
  for (const auto& c : cases) {
    const SystemTimeZone zone{QTimeZone(c.Zone)};
    Zone = &zone;
    TForm1 form(MakeServices());
    Child<QCalendarWidget>(form, "MonthCal")->setSelectedDate(c.Day);
    emit Child<QCalendarWidget>(form, "MonthCal")->clicked(c.Day);
    WaitForShow(form);
    EXPECT_EQ(form.Session().HourShown(), c.Utc) << c.Zone;
    EXPECT_EQ(form.Session().Record().DateTime, c.Utc);
    EXPECT_EQ(Child<QCalendarWidget>(form, "MonthCal")->selectedDate(), c.Day) << "the calendar keeps the local day";
  }
}

TEST_F(WorkingWindow, NowTakesTheClockInUtcAndSetsTheCalendar) {
  FixedOffsetZone fiveBehind(-300);
  Zone = &fiveBehind;
  UtcClock.Now = At(2024, 3, 10, 19, 37);  // 14:37 local
  TForm1 form(MakeServices());
  form.Session().GoTo(At(2024, 8, 1, 0));
  Child<QPushButton>(form, "NowBut")->click();
  WaitForShow(form);
  EXPECT_EQ(form.Session().HourShown(), At(2024, 3, 10, 20));
  EXPECT_EQ(Child<QCalendarWidget>(form, "MonthCal")->selectedDate(), QDate(2024, 3, 10));
}

TEST_F(WorkingWindow, ShowDataOffEmptiesThePanelAndOnRefillsIt) {
  TForm1 form(MakeServices());
  form.Session().GoTo(At(2024, 6, 9, 18));
  WaitForShow(form);
  EXPECT_FALSE(Child<QPlainTextEdit>(form, "Memo1")->toPlainText().isEmpty());
  Child<QCheckBox>(form, "ShowDataBox")->click();
  WaitForShow(form);
  EXPECT_TRUE(Child<QPlainTextEdit>(form, "Memo1")->toPlainText().isEmpty());
  Child<QCheckBox>(form, "ShowDataBox")->click();
  WaitForShow(form);
  EXPECT_EQ(Child<QPlainTextEdit>(form, "Memo1")->toPlainText().split('\n').size(), 35);
}

// A frame that cannot be had (refused, corrupt, no server at all) gives the Moon drawn
// by the program, the chart, and a status text saying so; all of the new hour.
TEST_F(WorkingWindow, AFailedFrameShowsTheDrawnMoonAndTheChart) {
  for (const char* fault : {"404", "corrupt", "no server"}) {
    SCOPED_TRACE(fault);
    TForm1 form(MakeServices());
    form.Session().GoTo(At(2024, 6, 9, 18));
    WaitForShow(form);
    const QImage nasa = Child<ImageBox>(form, "Image2")->Picture().copy();
    const QImage chart = Child<ImageBox>(form, "Image1")->Picture().copy();
    {
      std::lock_guard<std::mutex> g(Log->Lock);
      (std::string(fault) == "404" ? Log->Refused : Log->Corrupt).insert("moon.3861.jpg");
    }
    if (std::string(fault) == "no server") ServerUrl = "http://127.0.0.1:1";
    TForm1 other(MakeServices());
    TForm1& shown = std::string(fault) == "no server" ? other : form;
    shown.Session().SetStep(1);
    shown.Session().GoTo(At(2024, 6, 9, 19));
    Child<QPushButton>(shown, "NextBut")->click();  // 20:00, hour 3860
    WaitForShow(shown);
    EXPECT_TRUE(Child<QPlainTextEdit>(shown, "Memo1")->toPlainText().contains("moon.3861.jpg\n"));
    EXPECT_EQ(shown.Session().Record().HourNumber, 3860);
    EXPECT_TRUE(Child<QLabel>(shown, "UTCLab")->text().contains("20:00"));
    EXPECT_NE(Child<ImageBox>(shown, "Image2")->Picture(), nasa);
    EXPECT_NE(Child<ImageBox>(shown, "Image1")->Picture(), chart);
    EXPECT_GT(qGray(PixelAt(Child<ImageBox>(shown, "Image2"), 365, 365)), 20);
    EXPECT_TRUE(Child<QLabel>(shown, "StatusBar1")->text().contains("Moon drawn by Orvanel: NASA's frame is unavailable"))
        << Child<QLabel>(shown, "StatusBar1")->text().toStdString();
    ServerUrl = Server->BaseUrl();
  }
}

TEST_F(WorkingWindow, ChartViewsLoadTiffFramesAndDrawThemAtTheirPlaces) {
  TForm1 form(MakeServices());
  form.Session().GoTo(At(2024, 6, 9, 18));
  Child<QComboBox>(form, "TypeBox")->setCurrentIndex(4);  // Chart V: 1080 x 1920 shrunk to 411 x 731 at (160, 0)
  emit Child<QComboBox>(form, "TypeBox")->activated(4);
  WaitForShow(form);
  EXPECT_EQ(form.Session().View(), ViewKind::ChartV);
  EXPECT_NE(Log->Last().find("/a005187/frames/1080x1920_9x16_30p/comp.3859.tif"), std::string::npos);
  EXPECT_EQ(PixelAt(Child<ImageBox>(form, "Image2"), 100, 300), qRgb(0, 0, 0));  // left of the chart: black
  EXPECT_EQ(PixelAt(Child<ImageBox>(form, "Image2"), 650, 300), qRgb(0, 0, 0));  // right of it
  EXPECT_NE(PixelAt(Child<ImageBox>(form, "Image2"), 400, 300), qRgb(0, 0, 0));  // the pattern
  EXPECT_FALSE(Child<QCheckBox>(form, "RotateBox")->isVisible());

  Child<QComboBox>(form, "TypeBox")->setCurrentIndex(3);  // Globe: 960 x 960 shrunk to 730 x 730 at (0, 0)
  emit Child<QComboBox>(form, "TypeBox")->activated(3);
  WaitForShow(form);
  EXPECT_NE(Log->Last().find("/a005187/frames/960x960_1x1_30p/globe.3859.tif"), std::string::npos);
  EXPECT_NE(PixelAt(Child<ImageBox>(form, "Image2"), 100, 300), qRgb(0, 0, 0));
}

// A lunation jump shows the full moon and nothing else: the frame, the chart view's
// frame and the commands are all of the full moon's hour, in its own year, and the
// next jumps go on from it one lunation at a time.
TEST_F(WorkingWindow, AFullMoonJumpShowsTheFullMoonEverywhere) {
  TForm1 form(MakeServices());
  form.Session().GoTo(At(2024, 12, 20, 0));
  WaitForShow(form);
  form.Session().NextFullMoon();
  WaitForShow(form);
  const long double full = At(2025, 1, 13, 22);  // 22:27 UTC to the nearest hour
  EXPECT_NEAR(form.Session().HourShown(), full, kSecond);
  EXPECT_NEAR(form.Session().Record().DateTime, full, kSecond);
  EXPECT_NE(Log->Last().find("/a005415/frames/730x730_1x1_30p/moon.0311.jpg"), std::string::npos) << Log->Last();

  Child<QComboBox>(form, "TypeBox")->setCurrentIndex(IndexOf(ViewKind::ChartH));
  emit Child<QComboBox>(form, "TypeBox")->activated(IndexOf(ViewKind::ChartH));
  WaitForShow(form);
  EXPECT_NE(Log->Last().find("/a005415/frames/1920x1080_16x9_30p/fancy/comp.0311.tif"), std::string::npos)
      << Log->Last();
  form.findChild<QAction*>("LinktoClipboard1Action")->trigger();
  EXPECT_TRUE(QGuiApplication::clipboard()->text().endsWith("/a005415/frames/1920x1080_16x9_30p/fancy/comp.0311.tif"))
      << QGuiApplication::clipboard()->text().toStdString();

  form.Session().NextFullMoon();
  WaitForShow(form);
  EXPECT_NEAR(form.Session().HourShown(), At(2025, 2, 12, 14), kSecond);  // 13:53
  form.Session().PreviousFullMoon();
  WaitForShow(form);
  EXPECT_NEAR(form.Session().HourShown(), full, kSecond);
  form.Session().PreviousFullMoon();
  WaitForShow(form);
  EXPECT_NEAR(form.Session().HourShown(), At(2024, 12, 15, 9), kSecond);  // 09:02
}

// Records the instants the window shows and stops the animation after the n-th.
std::vector<long double> AnimateFor(TForm1& form, std::size_t n) {
  std::vector<long double> shown;
  const auto recording = QObject::connect(&form.Session(), &ShowSession::Shown, &form, [&form, &shown, n](const ShownHour& h) {
    if (h.StandIn) return;
    shown.push_back(h.Hour);
    if (shown.size() != n) return;
    Child<QPushButton>(form, "NextBut")->click();  // ignored while animating
    Child<QCheckBox>(form, "AnimateBox")->click();
  });
  Child<QCheckBox>(form, "AnimateBox")->click();
  EXPECT_TRUE(form.Session().Animating());
  EXPECT_FALSE(Child<QPushButton>(form, "NextBut")->isEnabled());
  EXPECT_TRUE(WindowTest::ProcessUntil([&] { return shown.size() >= n && !form.Session().Animating(); }));
  EXPECT_TRUE(Child<QPushButton>(form, "NextBut")->isEnabled());
  QObject::disconnect(recording);
  return shown;
}

TEST_F(WorkingWindow, AnimationRunsForwardFrom2025Into2026) {
  TForm1 form(MakeServices());
  form.Session().GoTo(At(2025, 12, 31, 17));
  WaitForShow(form);
  Child<QComboBox>(form, "StepBox")->setCurrentIndex(2);  // 3 hours
  EXPECT_EQ(AnimateFor(form, 3),
            (std::vector<long double>{At(2025, 12, 31, 20), At(2025, 12, 31, 23), At(2026, 1, 1, 2)}));
  EXPECT_EQ(form.Session().Record().HourNumber, 2);
  EXPECT_NEAR(form.Session().HourShown(), At(2026, 1, 1, 2), kSecond);
}

TEST_F(WorkingWindow, ReverseAnimationRunsBackInto2023WithComputedValues) {
  TForm1 form(MakeServices());
  Child<QCheckBox>(form, "ReverseBox")->setChecked(true);
  form.Session().GoTo(At(2024, 1, 1, 5));
  WaitForShow(form);
  Child<QComboBox>(form, "StepBox")->setCurrentIndex(2);
  const std::vector<long double> shown = AnimateFor(form, 2);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_NEAR(shown[0], At(2024, 1, 1, 2), kSecond);
  EXPECT_NEAR(shown[1], At(2023, 12, 31, 23), kSecond);
  EXPECT_FALSE(form.Session().Record().FromNasa);
}

// The second run finds every frame in the cache. The n-th step starts no earlier than
// n - 1 steps' time after the first, so n steps take at least that long.
TEST_F(WorkingWindow, AnimationOverCachedFramesKeepsToItsSteadyRate) {
  TForm1 form(MakeServices());
  constexpr std::size_t kSteps = 10;
  const long double start = At(2024, 6, 9, 18);
  form.Session().GoTo(start);
  WaitForShow(form);
  Child<QComboBox>(form, "StepBox")->setCurrentIndex(0);  // 1 hour
  AnimateFor(form, kSteps);
  const std::size_t asked = Log->Count();
  form.Session().GoTo(start);
  WaitForShow(form);
  QElapsedTimer clock;
  clock.start();
  AnimateFor(form, kSteps);
  EXPECT_GE(clock.nsecsElapsed(), (kSteps - 1) * 1'000'000'000LL / kAnimationStepsPerSecond);
  EXPECT_EQ(Log->Count(), asked) << "the second run fetched frames";
}

// Clicks faster than the server answers: the window stays usable while frames are on
// their way, and it ends showing the last hour asked for, with the panel, the labels
// and the pictures all of that hour.
TEST_F(WorkingWindow, TheNewestRequestWinsAndEverythingShowsOneHour) {
  TForm1 form(MakeServices());
  form.Session().SetStep(1);
  form.Session().GoTo(At(2024, 6, 9, 18));
  Log->LatencyMs = 300;
  int clicks = 0;
  bool reverseClickedInFlight = false;
  for (int i = 0; i < 3; ++i)
    QTimer::singleShot(50 * i, &form, [&] {
      Child<QPushButton>(form, "NextBut")->click();
      ++clicks;
    });
  QTimer::singleShot(120, &form, [&] {
    Child<QCheckBox>(form, "ReverseBox")->click();
    reverseClickedInFlight = form.Session().Pending() && Child<QCheckBox>(form, "ReverseBox")->isChecked();
  });
  ASSERT_TRUE(ProcessUntil([&] { return clicks == 3 && !form.Session().Pending(); }));
  EXPECT_TRUE(reverseClickedInFlight);

  const long double last = At(2024, 6, 9, 21);  // hour 3861, frame moon.3862.jpg
  EXPECT_NEAR(form.Session().HourShown(), last, kSecond);
  EXPECT_EQ(form.Session().Record().HourNumber, 3861);
  EXPECT_TRUE(Child<QPlainTextEdit>(form, "Memo1")->toPlainText().contains("moon.3862.jpg\n"));
  EXPECT_TRUE(Child<QLabel>(form, "UTCLab")->text().contains("21:00")) << Child<QLabel>(form, "UTCLab")->text().toStdString();
  EXPECT_EQ(qGray(PixelAt(Child<ImageBox>(form, "Image2"), 300, 250)), 128);  // the frame was drawn
}

// A slow frame: the hour shows at once with the drawn Moon, and NASA's frame
// replaces it when it comes.
TEST_F(WorkingWindow, ASlowFrameHasTheDrawnMoonStandInUntilItComes) {
  TForm1 form(MakeServices());
  form.Session().SetStandInAfter(50);
  Log->Holding = true;
  form.Session().GoTo(At(2024, 6, 9, 18));  // hour 3858
  ASSERT_TRUE(ProcessUntil([&] { return Child<QLabel>(form, "StatusBar1")->text().contains("stands in"); }))
      << Child<QLabel>(form, "StatusBar1")->text().toStdString();
  EXPECT_TRUE(form.Session().Pending());
  EXPECT_TRUE(Child<QPlainTextEdit>(form, "Memo1")->toPlainText().contains("moon.3859.jpg\n"));
  EXPECT_NE(qGray(PixelAt(Child<ImageBox>(form, "Image2"), 300, 250)), 128);  // not NASA's frame yet
  Log->Release.Raise();
  ASSERT_TRUE(ProcessUntil([&] { return !form.Session().Pending(); }));
  EXPECT_EQ(qGray(PixelAt(Child<ImageBox>(form, "Image2"), 300, 250)), 128);
  EXPECT_FALSE(Child<QLabel>(form, "StatusBar1")->text().contains("stands in"));
}

// The failure names the file and the reason in the status bar; the window goes on.
TEST_F(WorkingWindow, AFailedFrameSaysWhichAndWhyInTheStatusBar) {
  {
    std::lock_guard<std::mutex> g(Log->Lock);
    Log->Refused.insert("moon.3861.jpg");
  }
  TForm1 form(MakeServices());
  form.Session().SetStep(1);
  form.Session().GoTo(At(2024, 6, 9, 19));
  Child<QPushButton>(form, "NextBut")->click();
  WaitForShow(form);
  EXPECT_EQ(Child<QLabel>(form, "StatusBar1")->text(),
            " Moon drawn by Orvanel: NASA's frame is unavailable. Could not load moon.3861.jpg: HTTP 404");
  Child<QPushButton>(form, "NextBut")->click();
  WaitForShow(form);
  EXPECT_EQ(form.Session().Record().HourNumber, 3861);
  EXPECT_FALSE(Child<QLabel>(form, "StatusBar1")->text().contains("Could not load"));
}

// After a step the hours ahead are fetched; the steps onto them, forwards and back,
// find them in the cache, so no frame is ever asked for twice.
TEST_F(WorkingWindow, StepsOntoPrefetchedHoursAskForNoFrameTwice) {
  Prefetching = true;
  const std::size_t before = Log->Count();
  TForm1 form(MakeServices());
  form.Session().SetStep(2);
  form.Session().GoTo(At(2024, 6, 9, 18));  // the hour already shown: no direction yet, nothing fetched ahead
  WaitForShow(form);
  Child<QPushButton>(form, "NextBut")->click();
  WaitForShow(form);
  Prefetch->WaitForDone();
  const std::size_t afterFirst = Log->Count();
  EXPECT_EQ(afterFirst - before, 2u + kPrefetchAhead);
  for (QPushButton* button : {Child<QPushButton>(form, "NextBut"), Child<QPushButton>(form, "NextBut"), Child<QPushButton>(form, "NextBut"), Child<QPushButton>(form, "PrevBut"), Child<QPushButton>(form, "PrevBut")}) {
    button->click();
    WaitForShow(form);
  }
  Prefetch->WaitForDone();
  EXPECT_EQ(form.Session().Record().HourNumber, 3858 + 4);
  std::lock_guard<std::mutex> g(Log->Lock);
  const std::vector<std::string> asked(Log->Paths.begin() + static_cast<long>(before), Log->Paths.end());
  EXPECT_EQ(std::set<std::string>(asked.begin(), asked.end()).size(), asked.size());
}

// Stopping an animation leaves the hour it showed as the hour shown, in either
// direction: the next step goes on from there.
TEST_F(WorkingWindow, StoppingAnAnimationKeepsTheHourShown) {
  for (const bool reverse : {false, true}) {
    TForm1 form(MakeServices());
    Child<QCheckBox>(form, "ReverseBox")->setChecked(reverse);
    form.Session().GoTo(At(2024, 6, 10, 0));
    WaitForShow(form);
    Child<QComboBox>(form, "StepBox")->setCurrentIndex(2);  // 3 hours
    const long double last = AnimateFor(form, 2).back();
    EXPECT_NEAR(last, reverse ? At(2024, 6, 9, 18) : At(2024, 6, 10, 6), kSecond);
    EXPECT_EQ(form.Session().HourShown(), last);
    Child<QPushButton>(form, "NextBut")->click();
    WaitForShow(form);
    EXPECT_NEAR(form.Session().HourShown(), last + 3.0L / 24, kSecond) << "reverse " << reverse;
  }
}

// A view or a place chosen while the animation waits for a frame: that frame, fetched
// and computed for the settings before, is never painted with the new ones (NASA's
// frame is not the Moon from here; a record of New Haven is not Sydney's).
TEST_F(WorkingWindow, AChangeWhileAnimatingIsNeverPaintedWithTheHourBefore) {
  const struct {
    const char* What;
    std::function<void(TForm1&)> Change;
    std::function<bool(const ShownHour&)> Fits;
  } kCases[] = {
      {"view",
       [](TForm1& form) {
         auto* views = Child<QComboBox>(form, "TypeBox");
         views->setCurrentIndex(IndexOf(ViewKind::FromHere));
         emit views->activated(IndexOf(ViewKind::FromHere));
       },
       [](const ShownHour& h) { return h.View == ViewKind::FromHere && h.Frames.Drawn; }},
      {"place",
       [](TForm1& form) {
         form.Session().SetPlace(-33.9L, 151.2L);
         form.Session().ShowAgain();
       },
       [](const ShownHour& h) { return h.Record.Latitude == -33.9L; }},
  };
  for (const auto& c : kCases) {
    Log->Holding = false;
    Log->Release.Reset();
    TForm1 form(MakeServices());
    form.Session().GoTo(At(2024, 6, 9, 18));
    WaitForShow(form);
    Log->Holding = true;
    Child<QCheckBox>(form, "AnimateBox")->click();
    ASSERT_TRUE(form.Session().Pending());
    const long double onItsWay = form.Session().HourShown();
    c.Change(form);
    std::vector<ShownHour> shown;
    QObject::connect(&form.Session(), &ShowSession::Shown, &form, [&](const ShownHour& h) {
      if (!h.StandIn) shown.push_back(h);
    });
    Log->Release.Raise();
    ASSERT_TRUE(ProcessUntil([&] { return shown.size() >= 2; }));
    Child<QCheckBox>(form, "AnimateBox")->click();
    WaitForShow(form);
    EXPECT_EQ(shown.front().Hour, onItsWay) << c.What;
    for (const ShownHour& h : shown) EXPECT_TRUE(c.Fits(h)) << c.What << " " << static_cast<double>(h.Hour);
  }
}

// A server that takes connections and never answers: the kernel completes them on
// a socket that listens and never accepts.
class StalledServer {
 public:
  StalledServer() {
    Socket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(Socket, reinterpret_cast<sockaddr*>(&address), length) != 0 || ::listen(Socket, 64) != 0 ||
        ::getsockname(Socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
      ADD_FAILURE() << "no listening socket";
    Url = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
  }
  ~StalledServer() { ::close(Socket); }
  std::string Url;

 private:
  int Socket;
};

// Two quick steps against a stalled server: the second hour gets its stand-in in
// time whatever the first one's transfer does, and closing waits for neither.
TEST_F(WorkingWindow, AStalledServerNeverHoldsTheHourOrTheClosing) {
  const StalledServer stalled;
  ServerUrl = stalled.Url;
  QElapsedTimer clock;
  {
    TForm1 form(MakeServices());
    form.show();
    form.Session().SetStandInAfter(100);
    form.Session().SetStep(1);
    Child<QPushButton>(form, "NextBut")->click();
    Child<QPushButton>(form, "NextBut")->click();
    clock.start();
    ASSERT_TRUE(ProcessUntil([&] { return Child<QLabel>(form, "UTCLab")->text().contains("20:00"); }, 2000))
        << Child<QLabel>(form, "UTCLab")->text().toStdString();
    EXPECT_LT(clock.elapsed(), 2000);
    EXPECT_TRUE(Child<QLabel>(form, "StatusBar1")->text().contains("stands in"));
    EXPECT_EQ(form.Session().Record().HourNumber, 3860);
    clock.restart();
    form.close();
  }
  Pools.Show.waitForDone();
  EXPECT_LT(clock.elapsed(), 1000);
}

// E goes to the next lunar eclipse's greatest eclipse, where NASA's frame (which has
// no shadow) gives way to the drawn Moon with the Earth's umbra on it, unless the user
// asks for NASA's frame; the panel names the eclipse.
TEST_F(WorkingWindow, EclipsesAreShownDrawnWithTheShadowUnlessNasasFrameIsAskedFor) {
  TForm1 form(MakeServices());
  form.show();
  form.Session().GoTo(At(2025, 3, 1, 0));
  WaitForShow(form);
  const std::size_t requests = Log->Count();
  QTest::keyClick(&form, Qt::Key_E);
  WaitForShow(form);
  EXPECT_NEAR(form.Session().HourShown(), At(2025, 3, 14, 7), kSecond);  // greatest 06:58:43
  EXPECT_EQ(Log->Count(), requests) << "NASA's frame of an eclipse hour was fetched";
  EXPECT_TRUE(Child<QLabel>(form, "StatusBar1")->text().contains("Lunar eclipse"));
  EXPECT_TRUE(Child<QPlainTextEdit>(form, "Memo1")->toPlainText().contains("Total lunar eclipse"));
  const QColor umbra = Child<ImageBox>(form, "Image2")->Picture().pixelColor(250, 300);
  EXPECT_GT(umbra.red(), umbra.blue()) << "the umbra is copper-red";
  EXPECT_LT(umbra.value(), 128);

  Child<QCheckBox>(form, "NasaInEclipseBox")->click();
  WaitForShow(form);
  EXPECT_NE(Log->Last().find("moon.1736.jpg"), std::string::npos) << Log->Last();
  EXPECT_EQ(qGray(PixelAt(Child<ImageBox>(form, "Image2"), 300, 250)), 128);  // NASA's grey disc
  QTest::keyClick(&form, Qt::Key_E);
  WaitForShow(form);
  EXPECT_NEAR(form.Session().HourShown(), At(2025, 9, 7, 18), kSecond);  // greatest 18:11
  QTest::keyClick(&form, Qt::Key_E, Qt::ShiftModifier);
  WaitForShow(form);
  EXPECT_NEAR(form.Session().HourShown(), At(2025, 3, 14, 7), kSecond);
}

// From an eclipse's or a full moon's own hour, reached by stepping, a jump goes to the
// next or the previous one, not to the one already shown.
TEST_F(WorkingWindow, AnEventStepFromTheEventsHourGoesPastIt) {
  const struct {
    bool Eclipse;
    long double From;
    bool Forward;
    long double Expected;
  } cases[] = {
      {true, At(2025, 3, 14, 7), false, At(2024, 9, 18, 3)},  // greatest 06:58:43; before it 02:44:13
      {true, At(2025, 9, 7, 18), true, At(2026, 3, 3, 12)},   // greatest 18:11:45; after it 11:33:39
      {false, At(2025, 3, 14, 7), false, At(2025, 2, 12, 14)},  // full moon 06:55:55; before it 13:54:36
      {false, At(2025, 9, 7, 18), true, At(2025, 10, 7, 4)},    // full moon 18:10:03; after it 03:48:38
  };
  for (const auto& c : cases) {
    TForm1 form(MakeServices());
    form.Session().GoTo(c.From);
    WaitForShow(form);
    ShowSession& s = form.Session();
    if (c.Eclipse) c.Forward ? s.NextEclipse() : s.PreviousEclipse();
    else c.Forward ? s.NextFullMoon() : s.PreviousFullMoon();
    WaitForShow(form);
    EXPECT_NEAR(form.Session().HourShown(), c.Expected, kSecond) << c.Eclipse << c.Forward;
  }
}

}  // namespace

