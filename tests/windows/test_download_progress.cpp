// The progress window of "Download Frames...": what its text says as files and bytes
// come, and where it opens.
#include <QLocale>
#include <QProgressDialog>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "support/qt_app_environment.h"
#include "windows/download_progress.h"

namespace {

TEST(DownloadProgress, SaysNothingOfRateOrTimeLeftBeforeBytesCome) {
  QLocale::setDefault(QLocale::c());
  const struct {
    int Done, Total;
    long long Bytes, ElapsedMs;
    const char* Text;
  } kCases[] = {
      {0, 168, 0, 0, "0 / 168 files"},
      {0, 168, 0, 900, "0 / 168 files"},
      {40, 168, 0, 300, "40 / 168 files"},  // all from the cache so far
      {0, 168, 2048, 500, "0 / 168 files, 2.00 KiB"},
      {12, 168, 3565158, 3000, "12 / 168 files, 3.40 MiB at 1.13 MiB/s, about 0:39 left"},
  };
  for (const auto& c : kCases)
    EXPECT_EQ(DownloadProgressText(c.Done, c.Total, c.Bytes, c.ElapsedMs).toStdString(), c.Text) << c.Done;
}

// Centred on the window, inside the screen even when the window reaches past it, and
// wide enough from the start for every text it will show.
TEST(DownloadProgress, OpensCentredOnTheWindowInsideTheScreenAtItsFullWidth) {
  QWidget probe;
  const QRect free = probe.screen()->availableGeometry();
  const QRect windows[] = {QRect(free.left() + 100, free.top() + 80, 500, 300),
                           QRect(free.left() - 400, free.top() - 300, 600, 400)};
  for (const QRect& at : windows) {
    QWidget window;
    window.setGeometry(at);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const std::unique_ptr<QProgressDialog> progress(ShowDownloadProgress(168, &window));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(progress.get()));
    const QRect placed = progress->frameGeometry();
    EXPECT_TRUE(free.contains(placed)) << placed.x() << "," << placed.y();
    if (free.contains(window.frameGeometry())) {
      EXPECT_NEAR(placed.center().x(), window.frameGeometry().center().x(), 2);
      EXPECT_NEAR(placed.center().y(), window.frameGeometry().center().y(), 2);
    }
    const int width = progress->width();
    progress->setLabelText(DownloadProgressText(167, 168, 58'000'000'000LL, 3'000'000));
    QCoreApplication::processEvents();
    EXPECT_EQ(progress->width(), width);
  }
}

}  // namespace
