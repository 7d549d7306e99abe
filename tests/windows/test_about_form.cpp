// TAboutForm: layout, title, the CRC line of the running executable, the Moon animation
// (driven through its timer slot, and once by the real timer while hidden), the hover
// colours and the links.
#include <QCoreApplication>
#include <QEnterEvent>
#include <QEventLoop>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

#include "support/hand_off_recorder.h"
#include "support/qt_app_environment.h"
#include "support/widget_events.h"
#include "nasa/image_decode.h"
#include "windows/about_unit.h"
#include "windows/bitwise_crc32.h"
#include "windows/file_crc32.h"
#include "windows/link_label.h"

namespace {

const QColor kMoneyGreen(192, 220, 192);
const QColor kRed(255, 0, 0);


QImage Picture(int index) {
  QFile resource(AboutMoonResource(index));
  QImage image;
  if (resource.open(QIODevice::ReadOnly)) DecodeJpeg(resource.readAll(), image);
  return image.convertToFormat(QImage::Format_RGB888);
}

QImage Shown(const QLabel* label) { return label->pixmap().toImage().convertToFormat(QImage::Format_RGB888); }

class AboutForm : public ::testing::Test {
 protected:
  HandOffRecorder Shell;
  TAboutForm Form{"Orvanel  v1.0.0.0", Shell};
};

TEST_F(AboutForm, LayoutAsDesigned) {
  EXPECT_EQ(Form.size(), QSize(394, 206));
  EXPECT_TRUE(Form.CreditLab->text().contains("NASA's Scientific Visualization Studio"));
  EXPECT_LE(Form.CreditLab->geometry().right(), Form.width());
  EXPECT_EQ(Form.minimumSize(), Form.maximumSize()) << "fixed size";
  EXPECT_EQ(Form.palette().color(QPalette::Window), QColor(Qt::black));
  EXPECT_EQ(Form.Image1->geometry(), QRect(20, 20, 109, 109));
  EXPECT_EQ(Form.TitleLab->pos(), QPoint(150, 20));
  EXPECT_EQ(Form.TitleLab->font().pixelSize(), 19);
  EXPECT_TRUE(Form.TitleLab->font().bold());
  EXPECT_EQ(FontColor(*Form.TitleLab), QColor(240, 202, 166));
  EXPECT_EQ(Form.CrcLab->pos(), QPoint(150, 50));
  EXPECT_EQ(FontColor(*Form.CrcLab), QColor(Qt::white));
  EXPECT_EQ(Form.CrcLab->toolTip(), "Go to Online CRC-32 Check");
  EXPECT_EQ(Form.CopyrightLab->pos(), QPoint(150, 75));
  EXPECT_EQ(Form.NasaMoonLab->pos(), QPoint(150, 95));
  EXPECT_EQ(Form.NasaMoonLab->toolTip(), "Go to NASA's Moon Phase and Libration, 2026");
  EXPECT_EQ(Form.WebsiteLab->pos(), QPoint(150, 115));
  EXPECT_EQ(Form.WebsiteLab->toolTip(), "Go to Home Page");
  EXPECT_EQ(Form.SvsLab->pos(), QPoint(150, 145));
  EXPECT_EQ(Form.SvsBut->geometry(), QRect(240, 140, 75, 25));
  EXPECT_LE(Form.SvsLab->geometry().right(), Form.SvsBut->x()) << "the offer does not run under the button";
  for (const QLabel* label : {static_cast<QLabel*>(Form.CrcLab), Form.CopyrightLab, static_cast<QLabel*>(Form.NasaMoonLab),
                              static_cast<QLabel*>(Form.WebsiteLab), static_cast<QLabel*>(Form.SvsLab)}) {
    SCOPED_TRACE(label->text().toStdString());
    EXPECT_EQ(label->font().pixelSize(), 13);
    EXPECT_FALSE(label->text().isEmpty());
  }
  for (const QLabel* label : {Form.CopyrightLab, static_cast<QLabel*>(Form.NasaMoonLab),
                              static_cast<QLabel*>(Form.WebsiteLab), static_cast<QLabel*>(Form.SvsLab)})
    EXPECT_EQ(FontColor(*label), kMoneyGreen);
  EXPECT_EQ(Form.NasaMoonLab->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(Form.WebsiteLab->cursor().shape(), Qt::PointingHandCursor);
  EXPECT_EQ(Form.SvsLab->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(AboutForm, TitleIsTheMainWindowsCaption) {
  EXPECT_EQ(Form.windowTitle(), "Orvanel  v1.0.0.0");
  EXPECT_EQ(Form.TitleLab->text(), "Orvanel  v1.0.0.0");
}

// The CRC is that of the running executable, found by its full path.
TEST_F(AboutForm, CrcLineShowsTheExecutablesCrc) {
  QFile self(QCoreApplication::applicationFilePath());
  ASSERT_TRUE(self.open(QIODevice::ReadOnly));
  const QString expected = QString("%1").arg(BitwiseCrc32(self.readAll()), 8, 16, QChar('0')).toUpper();
  EXPECT_EQ(Form.CrcLab->text(), "File CRC = " + expected);
}

TEST_F(AboutForm, ShowsTheFirstPictureUntilTheFirstTick) {
  EXPECT_FALSE(Form.AboutTimer->isActive());
  EXPECT_EQ(Form.AboutTimer->interval(), 200);
  EXPECT_EQ(Form.AboutFrameCounter, 0);
  EXPECT_EQ(Shown(Form.Image1), Picture(0));
  Form.show();
  EXPECT_TRUE(Form.AboutTimer->isActive()) << "showing starts the animation";
  EXPECT_EQ(Form.AboutFrameCounter, 0);
}

TEST_F(AboutForm, AnimationCyclesThroughAllPictures) {
  Form.show();
  for (int tick = 0; tick < 2 * kAboutMoonCount + 1; ++tick) {
    const int index = tick % kAboutMoonCount;
    SCOPED_TRACE(tick);
    Form.AboutTimerTimer();
    EXPECT_EQ(Shown(Form.Image1), Picture(index));
    EXPECT_EQ(Form.AboutFrameCounter, (index + 1) % kAboutMoonCount);
  }
  EXPECT_NE(Picture(0), Picture(13)) << "the pictures differ";
}

TEST_F(AboutForm, AnimationGoesOnWhileHiddenAndContinuesAfterShow) {
  Form.show();
  for (int tick = 0; tick < 5; ++tick) Form.AboutTimerTimer();
  Form.hide();
  EXPECT_TRUE(Form.AboutTimer->isActive()) << "closing the window does not stop the timer";

  // One real tick of the timer while the window is hidden.
  QEventLoop loop;
  QObject::connect(Form.AboutTimer, &QTimer::timeout, &loop, &QEventLoop::quit);
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);  // guards against a timer that never fires
  loop.exec();
  EXPECT_EQ(Form.AboutFrameCounter, 6);
  EXPECT_EQ(Shown(Form.Image1), Picture(5));

  Form.show();
  EXPECT_EQ(Form.AboutFrameCounter, 6) << "showing again does not restart the cycle";
  Form.AboutTimerTimer();
  EXPECT_EQ(Shown(Form.Image1), Picture(6));
}

TEST_F(AboutForm, LinksTurnRedUnderThePointerAndBack) {
  Hover(Form.CrcLab, true);
  EXPECT_EQ(FontColor(*Form.CrcLab), kRed);
  Hover(Form.CrcLab, false);
  EXPECT_EQ(FontColor(*Form.CrcLab), QColor(Qt::white));
  for (LinkLabel* label : {Form.NasaMoonLab, Form.WebsiteLab, Form.SvsLab}) {
    SCOPED_TRACE(label->text().toStdString());
    Hover(label, true);
    EXPECT_EQ(FontColor(*label), kRed);
    Hover(label, false);
    EXPECT_EQ(FontColor(*label), kMoneyGreen);
  }
}

TEST_F(AboutForm, LinksOpenTheirAddresses) {
  Form.show();
  Click(Form.CrcLab);
  Click(Form.NasaMoonLab);
  Click(Form.WebsiteLab);
  Click(Form.SvsLab);
  Form.SvsBut->click();
  EXPECT_EQ(Shell.Calls, (std::vector<HandOffCall>{{"OpenDocument", kCrcCheckerUrl},
                                                   {"OpenDocument", "https://svs.gsfc.nasa.gov/5587/"},
                                                   {"OpenDocument", "https://github.com/quenhalse/orvanel"},
                                                   {"OpenDocument", "https://svs.gsfc.nasa.gov/"},
                                                   {"OpenDocument", "https://svs.gsfc.nasa.gov/"}}));
  EXPECT_EQ(Form.WebsiteLab->text(), "github.com/quenhalse/orvanel");
}

}  // namespace
