// "Download Frames..." end to end: the window's command, its range dialog and the
// progress window, against a local server in NASA's place and the test's cache folder.
#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QDateTimeEdit>
#include <cerrno>
#include <cstring>

#include "support/file_size_limit.h"
#include "support/frame_server.h"
#include "support/window_test.h"
#include "windows/download_frames_dialog.h"

namespace {

const long double kShown = EncodeDateTimeOrZero(2024, 6, 9, 18, 0, 0, 0);

class DownloadFrames : public WindowTest {
 protected:
  // The server outlives each test's window, cache and pools, which close their
  // kept-alive connections as they go, so that stopping it waits for none.
  static void SetUpTestSuite() {
    WindowTest::SetUpTestSuite();
    Server = new FrameServer();
  }
  static void TearDownTestSuite() {
    delete Server;
    WindowTest::TearDownTestSuite();
  }
  void SetUp() override {
    ServerUrl = Server->BaseUrl();
    Server->LatencyMs = 0;
    Form = std::make_unique<TForm1>(MakeServices());
    Form->Session().GoTo(kShown);
    WaitForShow(*Form);
    Server->Requests = 0;
  }
  void TearDown() override { Form.reset(); }

  // Chooses the command and accepts its dialog with To `hours` after the From it offers.
  DownloadFramesDialog* Download(int hours) {
    Form->findChild<QAction*>("DownloadFrames1Action")->trigger();
    auto* dialog = Form->findChild<DownloadFramesDialog*>();
    if (!dialog) return nullptr;
    dialog->ToEdit->setDateTime(dialog->FromEdit->dateTime().addSecs(3600LL * hours));
    dialog->Buttons->button(QDialogButtonBox::Ok)->click();
    return dialog;
  }
  QString Status() const { return Child<QLabel>(*Form, "StatusBar1")->text(); }
  void WaitForTally() const {
    ASSERT_TRUE(ProcessUntil([this] { return Status().startsWith(" Download Frames: "); })) << Status().toStdString();
  }
  int CachedFiles() const { return FilesUnder(CacheDir->path()); }

  static FrameServer* Server;
  std::unique_ptr<TForm1> Form;
};

FrameServer* DownloadFrames::Server = nullptr;

// The hour shown is on disk already: five more hours are fetched.
TEST_F(DownloadFrames, FetchesTheRangeIntoTheCacheAndTalliesInTheStatusBar) {
  const DownloadFramesDialog* dialog = Download(5);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(dialog->Choice().From, kShown);
  EXPECT_NE(Form->findChild<QProgressDialog*>("DownloadProgress"), nullptr);
  WaitForTally();
  EXPECT_EQ(Status(), " Download Frames: fetched 5, already cached 1, failed 0");
  EXPECT_EQ(Server->Requests, 5);
  EXPECT_EQ(CachedFiles(), 6);
  EXPECT_TRUE(ProcessUntil([this] { return !Form->findChild<QProgressDialog*>("DownloadProgress"); }));
}

// A disk without room for the frames: the batch ends at the first that cannot be
// written (a frame not yet started by then is not tried), none is left in part, and
// the tally says why.
TEST_F(DownloadFrames, AFullDiskFailsTheFramesAndSaysWhy) {
  const FileSizeLimit full(100);
  ASSERT_NE(Download(2), nullptr);
  WaitForTally();
  const QRegularExpression tally(R"(^ Download Frames: fetched 0, already cached 1, (failed 2|failed 1, 1 not tried) )"
                                 R"(\(the last: cannot write )");
  EXPECT_TRUE(tally.match(Status()).hasMatch()) << Status().toStdString();
  EXPECT_TRUE(Status().endsWith(QStringLiteral(": %1)").arg(std::strerror(EFBIG)))) << Status().toStdString();
  EXPECT_EQ(CachedFiles(), 1);
}

TEST_F(DownloadFrames, CancelStopsTheBatchAndAbandonsTheFilesInFlight) {
  Server->LatencyMs = 100;
  ASSERT_NE(Download(7 * 24), nullptr);
  auto* progress = Form->findChild<QProgressDialog*>("DownloadProgress");
  ASSERT_NE(progress, nullptr);
  EXPECT_FALSE(progress->isModal());
  ASSERT_TRUE(ProcessUntil([progress] { return progress->value() >= kPrefetchRequests; }));
  EXPECT_TRUE(progress->labelText().contains(QString("%1 / 169 files").arg(progress->value())))
      << progress->labelText().toStdString();
  const int done = progress->value();
  progress->findChild<QPushButton*>()->click();
  WaitForTally();
  EXPECT_TRUE(Status().endsWith(", cancelled")) << Status().toStdString();
  // Nothing starts after the click, and what was in flight is abandoned, never kept in part.
  EXPECT_LE(Server->Requests, done + 3 * kPrefetchRequests);
  EXPECT_LE(CachedFiles(), Server->Requests + 1);
}

// A range larger than the cache can hold would push out its own first frames: it is
// refused before anything is fetched, with the room it needs.
TEST_F(DownloadFrames, ARangeLargerThanTheCacheIsRefusedUpFront) {
  ASSERT_NE(Download(2000), nullptr);  // 2,001 frames of up to 1.6 MB against the 2 GiB cap
  WaitForTally();
  EXPECT_TRUE(Status().contains("the 2001 frames need up to")) << Status().toStdString();
  EXPECT_EQ(Form->findChild<QProgressDialog*>("DownloadProgress"), nullptr);
  EXPECT_EQ(Server->Requests, 0);
}

}  // namespace
