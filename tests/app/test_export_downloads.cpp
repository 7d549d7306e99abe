// The window's downloads can be stopped: the progress dialog's Cancel button ends an
// export, and closing the window ends every download still running, the show's own
// included, so closing never waits for NASA's server. The server here sends the first
// bytes of a frame and then nothing until the test ends.
#include <gtest/gtest.h>

#include <QAction>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>

#include "support/local_http_server.h"
#include "support/scripted_window_test.h"
#include "support/test_signal.h"

namespace {

class ExportDownloads : public ScriptedWindowTest {
 protected:
  void SetUp() override {
    Server = std::make_unique<LocalHttpServer>([this](httplib::Server& s) {
      s.Get(R"(/vis/.*\.(tif|jpg))", [this](const httplib::Request&, httplib::Response& r) {
        r.set_content_provider(1'000'000, "image/tiff", [this](size_t, size_t, httplib::DataSink& sink) {
          sink.write("II*\0", 4);
          Requested.Raise();
          Ended.Wait(std::chrono::seconds(30));
          return false;
        });
      });
    });
    ServerUrl = Server->BaseUrl();
    ScriptedWindowTest::SetUp();
    Target = Config()->path() + "/saved.tif";
    Dialog->Answers = {Target};
    Form->findChild<QAction*>("SaveAsTifFile1Action")->trigger();
    ASSERT_TRUE(Requested.Wait(std::chrono::seconds(10)));
  }
  void TearDown() override {
    Ended.Raise();
    ScriptedWindowTest::TearDown();
    Server.reset();
  }

  std::unique_ptr<LocalHttpServer> Server;
  TestSignal Requested, Ended;
  QString Target;
};

TEST_F(ExportDownloads, TheDialogsCancelButtonStopsTheDownload) {
  auto* dialog = Form->findChild<QProgressDialog*>();
  ASSERT_NE(dialog, nullptr);
  auto* cancel = dialog->findChild<QPushButton*>();
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(cancel->text(), "Cancel Download");
  cancel->click();
  QElapsedTimer clock;
  clock.start();
  EXPECT_TRUE(ProcessUntil([this] { return Child<QLabel>(*Form, "StatusBar1")->text() == " Download of moon.3859.tif: cancelled"; }))
      << Child<QLabel>(*Form, "StatusBar1")->text().toStdString();
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_FALSE(QFile::exists(Target));
}

TEST_F(ExportDownloads, ClosingTheWindowCancelsIt) {
  Requested.Reset();
  Child<QPushButton>(*Form, "NextBut")->click();  // the next hour's frame stalls too
  ASSERT_TRUE(Requested.Wait(std::chrono::seconds(10)));
  QElapsedTimer clock;
  clock.start();
  Form->close();
  Form.reset();
  EXPECT_TRUE(QThreadPool::globalInstance()->waitForDone(2000));
  EXPECT_LT(clock.elapsed(), 1000);
  EXPECT_FALSE(QFile::exists(Target));
}

}  // namespace
