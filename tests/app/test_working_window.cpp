// The working window end to end: the real TForm1 offscreen, with a local server in
// NASA's place that serves test frames (a grey disc JPEG for every hour, pattern
// TIFFs for the chart, orbit and globe views) and refuses the hours a test marks.
#include <gtest/gtest.h>

#include <QAction>
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
#include <QTimer>
#include <atomic>
#include <mutex>
#include <chrono>
#include <set>
#include <thread>

#include "app/image_box.h"
#include "app/main_form.h"
#include "astro/time_scales.h"
#include "core/system_time_zone.h"
#include "support/fixed_zone.h"
#include "astro/moon_ephemeris.h"
#include "nasa/frame_naming.h"
#include "support/local_http_server.h"
#include "support/test_images.h"
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
  }
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
  EXPECT_NEAR(static_cast<double>(form.State.CurrentDateTime), static_cast<double>(At(2024, 6, 9, 18)), 1e-9);
  EXPECT_EQ(form.State.CurrentMoonRecord.HourNumber, 3858);
  EXPECT_EQ(form.Memo1->toPlainText().split('\n').size(), 30);
  EXPECT_TRUE(form.Memo1->toPlainText().contains("moon.3859.jpg\n"));
  EXPECT_NE(Log->Last().find("/a005187/frames/730x730_1x1_30p/moon.3859.jpg"), std::string::npos);
  EXPECT_TRUE(form.UTCLab->text().contains("2024")) << form.UTCLab->text().toStdString();
  // The grey disc is in the middle of the Moon view; the chart has its sky and ground.
  EXPECT_EQ(qGray(PixelAt(form.Image2, 300, 250)), 128);
  EXPECT_EQ(PixelAt(form.Image1, 600, 20), qRgb(11, 78, 173));
  EXPECT_EQ(PixelAt(form.Image1, 600, 700), qRgb(12, 14, 30));
  EXPECT_EQ(form.MonthCal->selectedDate(), QDate(2024, 6, 9));
}

TEST_F(WorkingWindow, NavigationCrossesYearsAndWrapsOnlyAt1600And3999) {
  TForm1 form(MakeServices());
  form.State.GlobStep = 1;
  form.State.CurrentDateTime = At(2025, 12, 31, 23);
  form.NextBut->click();
  WaitForShow(form);
  EXPECT_NEAR(form.State.CurrentDateTime, At(2026, 1, 1, 0), kSecond);
  EXPECT_EQ(form.State.CurrentMoonRecord.HourNumber, 0);
  EXPECT_NE(Log->Last().find("/a005587/frames/730x730_1x1_30p/moon.0001.jpg"), std::string::npos);

  form.State.CurrentDateTime = At(1600, 1, 1, 0);
  form.PrevBut->click();
  WaitForShow(form);
  EXPECT_NEAR(form.State.CurrentDateTime, At(3999, 12, 31, 23), kSecond);
  form.State.GlobStep = 2;
  form.NextBut->click();
  WaitForShow(form);
  EXPECT_NEAR(form.State.CurrentDateTime, At(1600, 1, 1, 2), kSecond);
}

// A year NASA has not published: the program's own values, the Moon it draws, no
// request to NASA, and the commands that need NASA's files switched off.
TEST_F(WorkingWindow, AYearWithoutNasaSeriesShowsComputedValuesAndTheDrawnMoon) {
  TForm1 form(MakeServices());
  form.State.GlobStep = 1;
  form.State.CurrentDateTime = At(2026, 12, 31, 23);
  form.NextBut->click();
  WaitForShow(form);
  const std::size_t requests = Log->Count();
  form.NextBut->click();  // 2027-01-01 01:00
  WaitForShow(form);
  EXPECT_EQ(Log->Count(), requests);
  const QStringList panel = form.Memo1->toPlainText().split('\n');
  ASSERT_EQ(panel.size(), 30);
  EXPECT_EQ(panel[9], "Computed Data:");
  const MoonHourValues computed = ComputeMoonHourValues(At(2027, 1, 1, 1));
  EXPECT_EQ(form.State.CurrentMoonRecord.AxisA, computed.AxisA);
  EXPECT_TRUE(form.StatusBar1->text().contains("no hourly series for 2027")) << form.StatusBar1->text().toStdString();
  EXPECT_GT(qGray(PixelAt(form.Image2, 365, 365)), 20);  // the drawn Moon's disc
  for (const char* name :
       {"LinktoClipboard1Action", "SaveAsTifFile1Action", "NasaWebsiteAction", "DownloadFrames1Action"}) {
    const QAction* action = form.findChild<QAction*>(name);
    ASSERT_NE(action, nullptr) << name;
    EXPECT_FALSE(action->isEnabled()) << name;
    EXPECT_TRUE(action->toolTip().contains("2027")) << name;
  }
  EXPECT_TRUE(form.findChild<QAction*>("SaveScreen1Action")->isEnabled());
}

TEST_F(WorkingWindow, TheStepListAppliesToTheNextStep) {
  TForm1 form(MakeServices());
  form.State.CurrentDateTime = At(2024, 6, 9, 18);
  form.StepBox->setCurrentIndex(5);
  form.StepBoxCloseUp();
  EXPECT_EQ(form.State.GlobStep, 6);
  form.NextBut->click();
  WaitForShow(form);
  EXPECT_NEAR(form.State.CurrentDateTime, At(2024, 6, 10, 0), kSecond);
}

// A calendar day is the local one: it begins at local midnight, in standard or
// daylight time as the zone's rules have it.
TEST_F(WorkingWindow, TheCalendarTakesLocalMidnight) {
  const SystemTimeZone eastern(QTimeZone("America/New_York"));
  Zone = &eastern;
  TForm1 form(MakeServices());
  const struct {
    QDate Day;
    long double Utc;
  } cases[] = {{QDate(2024, 12, 8), At(2024, 12, 8, 5)}, {QDate(2024, 6, 15), At(2024, 6, 15, 4)}};
  for (const auto& c : cases) {
    form.MonthCal->setSelectedDate(c.Day);
    form.MonthCalClick();
    WaitForShow(form);
    EXPECT_EQ(form.State.CurrentDateTime, c.Utc);
    EXPECT_EQ(form.State.CurrentMoonRecord.DateTime, c.Utc);
    EXPECT_EQ(form.MonthCal->selectedDate(), c.Day) << "the calendar keeps the local day";
  }
}

TEST_F(WorkingWindow, NowTakesTheClockInUtcAndSetsTheCalendar) {
  FixedOffsetZone fiveBehind(-300);
  Zone = &fiveBehind;
  LocalClock.Now = At(2024, 3, 10, 14, 37);
  TForm1 form(MakeServices());
  form.State.CurrentDateTime = At(2024, 8, 1, 0);
  form.NowBut->click();
  WaitForShow(form);
  EXPECT_EQ(form.State.CurrentDateTime, At(2024, 3, 10, 20));
  EXPECT_EQ(form.MonthCal->selectedDate(), QDate(2024, 3, 10));
}

TEST_F(WorkingWindow, ShowDataOffEmptiesThePanelAndOnRefillsIt) {
  TForm1 form(MakeServices());
  form.State.CurrentDateTime = At(2024, 6, 9, 18);
  form.ShowBoth(form.State.CurrentDateTime);
  WaitForShow(form);
  EXPECT_FALSE(form.Memo1->toPlainText().isEmpty());
  form.ShowDataBox->click();
  WaitForShow(form);
  EXPECT_TRUE(form.Memo1->toPlainText().isEmpty());
  form.ShowDataBox->click();
  WaitForShow(form);
  EXPECT_EQ(form.Memo1->toPlainText().split('\n').size(), 30);
}

// A frame that cannot be had (refused, corrupt, no server at all) gives the Moon drawn
// by the program, the chart, and a status text saying so; all of the new hour.
TEST_F(WorkingWindow, AFailedFrameShowsTheDrawnMoonAndTheChart) {
  for (const char* fault : {"404", "corrupt", "no server"}) {
    SCOPED_TRACE(fault);
    TForm1 form(MakeServices());
    form.State.CurrentDateTime = At(2024, 6, 9, 18);
    form.ShowBoth(form.State.CurrentDateTime);
    WaitForShow(form);
    const QImage nasa = form.Image2->Picture().copy();
    const QImage chart = form.Image1->Picture().copy();
    {
      std::lock_guard<std::mutex> g(Log->Lock);
      (std::string(fault) == "404" ? Log->Refused : Log->Corrupt).insert("moon.3861.jpg");
    }
    if (std::string(fault) == "no server") ServerUrl = "http://127.0.0.1:1";
    TForm1 other(MakeServices());
    TForm1& shown = std::string(fault) == "no server" ? other : form;
    shown.State.GlobStep = 1;
    shown.State.CurrentDateTime = At(2024, 6, 9, 19);
    shown.NextBut->click();  // 20:00, hour 3860
    WaitForShow(shown);
    EXPECT_TRUE(shown.Memo1->toPlainText().contains("moon.3861.jpg\n"));
    EXPECT_EQ(shown.State.CurrentMoonRecord.HourNumber, 3860);
    EXPECT_TRUE(shown.UTCLab->text().contains("20:00"));
    EXPECT_NE(shown.Image2->Picture(), nasa);
    EXPECT_NE(shown.Image1->Picture(), chart);
    EXPECT_GT(qGray(PixelAt(shown.Image2, 365, 365)), 20);
    EXPECT_TRUE(shown.StatusBar1->text().contains("Moon drawn by Orvanel: NASA's frame is unavailable"))
        << shown.StatusBar1->text().toStdString();
    ServerUrl = Server->BaseUrl();
  }
}

TEST_F(WorkingWindow, ChartViewsLoadTiffFramesAndDrawThemAtTheirPlaces) {
  TForm1 form(MakeServices());
  form.State.CurrentDateTime = At(2024, 6, 9, 18);
  form.TypeBox->setCurrentIndex(4);  // Chart V: 1080 x 1920 shrunk to 411 x 731 at (160, 0)
  form.TypeBoxCloseup();
  WaitForShow(form);
  EXPECT_EQ(form.State.View, ViewKind::ChartV);
  EXPECT_NE(Log->Last().find("/a005187/frames/1080x1920_9x16_30p/comp.3859.tif"), std::string::npos);
  EXPECT_EQ(PixelAt(form.Image2, 100, 300), qRgb(0, 0, 0));  // left of the chart: black
  EXPECT_EQ(PixelAt(form.Image2, 650, 300), qRgb(0, 0, 0));  // right of it
  EXPECT_NE(PixelAt(form.Image2, 400, 300), qRgb(0, 0, 0));  // the pattern
  EXPECT_FALSE(form.RotateBox->isVisible());

  form.TypeBox->setCurrentIndex(3);  // Globe: 960 x 960 shrunk to 730 x 730 at (0, 0)
  form.TypeBoxCloseup();
  WaitForShow(form);
  EXPECT_NE(Log->Last().find("/a005187/frames/960x960_1x1_30p/globe.3859.tif"), std::string::npos);
  EXPECT_NE(PixelAt(form.Image2, 100, 300), qRgb(0, 0, 0));
}

TEST_F(WorkingWindow, FullMoonButtonsLeaveTheInstantHalfAndOneLunationAway) {
  TForm1 form(MakeServices());
  form.State.CurrentDateTime = At(2024, 1, 20, 0);
  form.NextFullMoonBut->click();
  WaitForShow(form);
  const long double shown = form.State.CurrentMoonRecord.DateTime;
  EXPECT_EQ(shown, At(2024, 1, 25, 18));  // 17:55:05 to the nearest hour
  EXPECT_NEAR(form.State.CurrentDateTime, shown + 29.53L, kSecond);

  form.State.CurrentDateTime = At(2024, 1, 20, 0);
  form.PrevFullMoonBut->click();
  WaitForShow(form);
  const long double previous = form.State.CurrentMoonRecord.DateTime;
  EXPECT_LT(previous, At(2024, 1, 20, 0));
  EXPECT_NEAR(form.State.CurrentDateTime, previous - 14.765L, kSecond);
}

// Records the instants the window shows and stops the animation after the n-th.
std::vector<long double> AnimateFor(TForm1& form, std::size_t n) {
  std::vector<long double> shown;
  const auto recording = QObject::connect(&form, &TForm1::Shown, &form, [&form, &shown, n](long double x) {
    shown.push_back(x);
    if (shown.size() != n) return;
    form.NextBut->click();  // ignored while animating
    form.AnimateBox->click();
  });
  form.AnimateBox->click();  // advances one step first, without showing
  EXPECT_TRUE(form.Timer1->isActive());
  EXPECT_FALSE(form.NextBut->isEnabled());
  EXPECT_TRUE(WindowTest::ProcessUntil([&] { return shown.size() >= n && !form.Timer1->isActive(); }));
  EXPECT_TRUE(form.NextBut->isEnabled());
  QObject::disconnect(recording);
  return shown;
}

TEST_F(WorkingWindow, AnimationRunsForwardFrom2025Into2026) {
  TForm1 form(MakeServices());
  form.State.CurrentDateTime = At(2025, 12, 31, 17);
  form.StepBox->setCurrentIndex(2);  // 3 hours
  EXPECT_EQ(AnimateFor(form, 3),
            (std::vector<long double>{At(2025, 12, 31, 20), At(2025, 12, 31, 23), At(2026, 1, 1, 2)}));
  EXPECT_EQ(form.State.CurrentMoonRecord.HourNumber, 2);
  // Unchecking puts CurrentDateTime back on the instant last shown.
  EXPECT_NEAR(form.State.CurrentDateTime, form.State.CurrentMoonRecord.DateTime, kSecond);
}

TEST_F(WorkingWindow, ReverseAnimationRunsBackInto2023WithComputedValues) {
  TForm1 form(MakeServices());
  form.ReverseBox->setChecked(true);
  form.State.CurrentDateTime = At(2024, 1, 1, 2) - 3.0L / 24;  // so the first step lands on 02:00
  form.StepBox->setCurrentIndex(2);
  const std::vector<long double> shown = AnimateFor(form, 2);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_NEAR(shown[0], At(2024, 1, 1, 2), kSecond);
  EXPECT_NEAR(shown[1], At(2023, 12, 31, 23), kSecond);
  EXPECT_FALSE(form.State.CurrentMoonRecord.FromNasa);
}

// The second run finds every frame in the cache. The n-th step starts no earlier than
// n - 1 steps' time after the first, so n steps take at least that long.
TEST_F(WorkingWindow, AnimationOverCachedFramesKeepsToItsSteadyRate) {
  TForm1 form(MakeServices());
  constexpr std::size_t kSteps = 10;
  const long double start = At(2024, 6, 9, 18);
  form.State.CurrentDateTime = start;
  form.StepBox->setCurrentIndex(0);  // 1 hour
  AnimateFor(form, kSteps);
  const std::size_t asked = Log->Count();
  form.State.CurrentDateTime = start;
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
  form.State.GlobStep = 1;
  form.State.CurrentDateTime = At(2024, 6, 9, 18);
  Log->LatencyMs = 300;
  int clicks = 0;
  bool reverseClickedInFlight = false;
  for (int i = 0; i < 3; ++i)
    QTimer::singleShot(50 * i, &form, [&] {
      form.NextBut->click();
      ++clicks;
    });
  QTimer::singleShot(120, &form, [&] {
    form.ReverseBox->click();
    reverseClickedInFlight = form.ShowPending() && form.ReverseBox->isChecked();
  });
  ASSERT_TRUE(ProcessUntil([&] { return clicks == 3 && !form.ShowPending(); }));
  EXPECT_TRUE(reverseClickedInFlight);

  const long double last = At(2024, 6, 9, 21);  // hour 3861, frame moon.3862.jpg
  EXPECT_NEAR(form.State.CurrentDateTime, last, kSecond);
  EXPECT_EQ(form.State.CurrentMoonRecord.HourNumber, 3861);
  EXPECT_TRUE(form.Memo1->toPlainText().contains("moon.3862.jpg\n"));
  EXPECT_TRUE(form.UTCLab->text().contains("21:00")) << form.UTCLab->text().toStdString();
  EXPECT_EQ(qGray(PixelAt(form.Image2, 300, 250)), 128);  // the frame was drawn
}

// A slow frame: the hour shows at once with the drawn Moon, and NASA's frame
// replaces it when it comes.
TEST_F(WorkingWindow, ASlowFrameHasTheDrawnMoonStandInUntilItComes) {
  TForm1 form(MakeServices());
  Log->LatencyMs = 2500;
  form.ShowBoth(At(2024, 6, 9, 18));  // hour 3858
  ASSERT_TRUE(ProcessUntil([&] { return form.State.CurrentMoonRecord.HourNumber == 3858; }));
  EXPECT_TRUE(form.ShowPending());
  EXPECT_TRUE(form.StatusBar1->text().contains("stands in")) << form.StatusBar1->text().toStdString();
  EXPECT_TRUE(form.Memo1->toPlainText().contains("moon.3859.jpg\n"));
  EXPECT_NE(qGray(PixelAt(form.Image2, 300, 250)), 128);  // not NASA's frame yet
  ASSERT_TRUE(ProcessUntil([&] { return !form.ShowPending(); }));
  EXPECT_EQ(qGray(PixelAt(form.Image2, 300, 250)), 128);
  EXPECT_FALSE(form.StatusBar1->text().contains("stands in"));
}

// The failure names the file and the reason in the status bar; the window goes on.
TEST_F(WorkingWindow, AFailedFrameSaysWhichAndWhyInTheStatusBar) {
  {
    std::lock_guard<std::mutex> g(Log->Lock);
    Log->Refused.insert("moon.3861.jpg");
  }
  TForm1 form(MakeServices());
  form.State.GlobStep = 1;
  form.State.CurrentDateTime = At(2024, 6, 9, 19);
  form.NextBut->click();
  WaitForShow(form);
  EXPECT_EQ(form.StatusBar1->text(),
            " Moon drawn by Orvanel: NASA's frame is unavailable. Could not load moon.3861.jpg: HTTP 404");
  form.NextBut->click();
  WaitForShow(form);
  EXPECT_EQ(form.State.CurrentMoonRecord.HourNumber, 3861);
  EXPECT_FALSE(form.StatusBar1->text().contains("Could not load"));
}

// After a step the hours ahead are fetched; the steps onto them, forwards and back,
// find them in the cache, so no frame is ever asked for twice.
TEST_F(WorkingWindow, StepsOntoPrefetchedHoursAskForNoFrameTwice) {
  Prefetching = true;
  const std::size_t before = Log->Count();
  TForm1 form(MakeServices());
  form.State.GlobStep = 2;
  form.State.CurrentDateTime = At(2024, 6, 9, 18);
  form.ShowBoth(form.State.CurrentDateTime);  // a jump: no direction yet, nothing fetched ahead
  WaitForShow(form);
  form.NextBut->click();
  WaitForShow(form);
  Prefetch->WaitForDone();
  const std::size_t afterFirst = Log->Count();
  EXPECT_EQ(afterFirst - before, 2u + kPrefetchAhead);
  for (QPushButton* button : {form.NextBut, form.NextBut, form.NextBut, form.PrevBut, form.PrevBut}) {
    button->click();
    WaitForShow(form);
  }
  Prefetch->WaitForDone();
  EXPECT_EQ(form.State.CurrentMoonRecord.HourNumber, 3858 + 4);
  std::lock_guard<std::mutex> g(Log->Lock);
  const std::vector<std::string> asked(Log->Paths.begin() + static_cast<long>(before), Log->Paths.end());
  EXPECT_EQ(std::set<std::string>(asked.begin(), asked.end()).size(), asked.size());
}

}  // namespace

