// The main window at the sizes people have, from a 960 x 540 screen (1920 x 1080 at
// twice the scale) to the designed 1600 x 850, with the window manager's frame: it
// fits the screen, every control lies inside the window, the two pictures stay square
// and equal, and no caption is cut.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <cmath>

#include "app/image_box.h"
#include "app/main_form.h"
#include "app/picture_pair.h"
#include "app/screen_fit.h"
#include "support/window_test.h"

namespace {

// A window manager's frame at a scale factor: a 24-pixel title bar and 1-pixel
// borders, drawn in the screen's pixels, so fewer logical pixels at a larger scale.
QMargins FrameAt(qreal scale) {
  const int border = static_cast<int>(std::ceil(1 / scale)), title = static_cast<int>(std::ceil(24 / scale));
  return {border, title, border, border};
}

// The frame, title bar included, lies on the screen it was mostly on: at the first
// start (the designed 1600 x 850 at the top left), from a larger screen, and moved
// to another screen; the inner size shrinks only as much as the screen needs.
TEST(FitToScreens, TheFrameLiesOnTheScreenAtEveryScale) {
  const QSize logicalScreens[] = {{960, 540}, {1024, 600}, {1093, 614}, {1280, 720}, {1366, 768}, {1920, 1080}};
  const QRect stored[] = {{0, 5, 1600, 850}, {-40, 300, 1900, 1000}, {200, 100, 700, 400}};
  for (const qreal scale : {1.0, 1.25, 1.5, 2.0})
    for (const QSize screen : logicalScreens)
      for (const QRect& window : stored) {
        const QRect area(QPoint(0, 0), screen), other(QPoint(5000, 0), QSize(2560, 1440));
        const QMargins frame = FrameAt(scale);
        const QRect fitted = FitToScreens(window, {area, other}, frame);
        const QRect outer(fitted.topLeft(), fitted.size().grownBy(frame));
        EXPECT_TRUE(area.contains(outer)) << scale << " " << screen.width() << " " << window.x();
        EXPECT_EQ(fitted.size(), window.size().grownBy(frame).boundedTo(screen).shrunkBy(frame));
      }
}

TEST(FitToScreens, KeepsAWindowOnTheScreensAvailable) {
  const QList<QRect> screens = {QRect(0, 0, 1366, 728), QRect(1366, 0, 1920, 1040)};
  struct Case {
    QRect Stored, Expected;
    QMargins Frame;
  } const cases[] = {
      {{10, 20, 1200, 700}, {10, 20, 1200, 700}, {}},              // fits: unchanged
      {{0, 5, 1600, 32767}, {0, 0, 1366, 728}, {}},                // too large: the screen's size
      {{0, 5, 1600, 850}, {0, 0, 1362, 700}, {2, 24, 2, 4}},       // and its frame too
      {{5000, 4000, 800, 600}, {566, 128, 800, 600}, {}},          // off every screen: onto the first
      {{2000, 100, 1000, 900}, {2000, 100, 1000, 900}, {}},        // on the second screen
      {{3000, 500, 1000, 900}, {2286, 140, 1000, 900}, {}},        // partly beyond the second: moved in
      {{3000, 500, 1000, 900}, {2282, 112, 1000, 900}, {2, 24, 2, 4}},
  };
  for (const Case& c : cases) EXPECT_EQ(FitToScreens(c.Stored, screens, c.Frame), c.Expected) << c.Stored.x();
  EXPECT_EQ(FitToScreens(QRect(1, 2, 3, 4), {}), QRect(1, 2, 3, 4));
}

// The data panel's widest line, 32 characters, is never cut: a narrow panel takes a
// smaller font.
bool WidestPanelLineFits(const TForm1& form) {
  const auto* memo = Child<QPlainTextEdit>(form, "Memo1");
  return memo->fontMetrics().horizontalAdvance(QString(32, QLatin1Char('0'))) + 4 <= memo->viewport()->width();
}

// The smallest window, frame included, fits the smallest screens in logical pixels:
// 960 x 540 and a 1366 x 768 laptop at 150 % (910 x 512), so that the window manager
// never has to make it larger than the screen; the data panel still shows whole lines.
TEST_F(WindowTest, TheSmallestWindowFitsTheSmallestScreens) {
  TForm1 form(MakeServices());
  form.show();
  QCoreApplication::processEvents();
  form.resize(form.minimumSize());
  ProcessUntil([&] { return form.size() == form.minimumSize(); }, 2000);
  QCoreApplication::processEvents();
  EXPECT_TRUE(WidestPanelLineFits(form));
  const struct {
    QSize Screen;
    qreal Scale;
  } screens[] = {{{960, 540}, 1}, {{910, 512}, 1.5}};
  for (const auto& s : screens)
    for (const QSize smallest : {form.minimumSizeHint(), form.minimumSize()})
      EXPECT_TRUE(QRect(QPoint(0, 0), s.Screen).contains(QRect(QPoint(0, 0), smallest.grownBy(FrameAt(s.Scale)))))
          << smallest.width() << " x " << smallest.height() << " on " << s.Screen.width();
}

class WindowFit : public WindowTest, public ::testing::WithParamInterface<QSize> {
 protected:
  // The window at the size, with the longest texts its labels take.
  std::unique_ptr<TForm1> FormAt(QSize size) {
    auto form = std::make_unique<TForm1>(MakeServices());
    Child<QLabel>(*form, "UTCLab")->setText(" Sep 30, 2025  23:00  UTC");
    Child<QLabel>(*form, "LocLab")->setText(" Sep 30, 2025  19:00  Local");
    Child<QLabel>(*form, "ParallacticLab")->setText("Parallactic Rotated 179.9° CCW");
    Child<QLabel>(*form, "ParallacticLab2")->setText("Parallactic Rotated 179.9° CCW");
    form->resize(size);
    form->show();
    ProcessUntil([&] { return form->size() == size; }, 2000);
    QCoreApplication::processEvents();
    return form;
  }
};

TEST_P(WindowFit, EveryControlLiesInsideTheWindowAndThePicturesAreSquare) {
  const auto form = FormAt(GetParam());
  ASSERT_EQ(form->size(), GetParam());
  for (const QWidget* w : form->findChildren<QWidget*>()) {
    if (!w->isVisible() || w->isWindow()) continue;
    const QRect inWindow(w->mapTo(form.get(), QPoint(0, 0)), w->size());
    EXPECT_TRUE(form->rect().contains(inWindow)) << w->objectName().toStdString() << " of "
                                                  << w->metaObject()->className();
  }
  const QRect left = Child<ImageBox>(*form, "Image1")->geometry(), right = Child<ImageBox>(*form, "Image2")->geometry();
  EXPECT_EQ(left.width(), left.height());
  EXPECT_EQ(left.size(), right.size());
  EXPECT_GE(left.width(), PicturePair::kMinSide);
  EXPECT_LE(left.width(), GetParam().width() / 2);
  EXPECT_LE(left.right(), right.left());  // side by side, not overlapping
  // The data panel shows its 23 lines from 720 pixels on; on smaller windows it scrolls.
  const auto* memo = Child<QPlainTextEdit>(*form, "Memo1");
  if (GetParam().height() >= 720) {
    EXPECT_GE(memo->viewport()->height() / memo->fontMetrics().lineSpacing(), 23);
  }
  EXPECT_TRUE(WidestPanelLineFits(*form));
}

TEST_P(WindowFit, NoCaptionIsCut) {
  const auto form = FormAt(GetParam());
  for (const QWidget* w : form->findChildren<QWidget*>()) {
    if (!w->isVisible()) continue;
    const std::string name = w->objectName().toStdString();
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
      EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->contentsRect().width()) << name;
    } else if (qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QComboBox*>(w)) {
      // A combo box's hint holds its longest item ("Chart H", "Chart V").
      EXPECT_GE(w->width(), w->sizeHint().width()) << name;
      EXPECT_GE(w->height(), w->minimumSizeHint().height()) << name;
    }
  }
}

// The screens' free areas less a frame: 960 x 540 and 1024 x 600, and the common sizes.
INSTANTIATE_TEST_SUITE_P(Sizes, WindowFit,
                         ::testing::Values(QSize(958, 515), QSize(1022, 575), QSize(1280, 720), QSize(1366, 768),
                                           QSize(1600, 850)));

TEST_F(WindowTest, ThePicturesGrowWithTheWindowUpToTheirFullSizeAndBeyond) {
  TForm1 form(MakeServices());
  form.resize(1280, 720);
  form.show();
  ProcessUntil([&] { return form.width() == 1280; }, 2000);
  const int small = Child<ImageBox>(form, "Image1")->width();
  form.resize(2200, 1200);
  ProcessUntil([&] { return form.width() == 2200; }, 2000);
  EXPECT_LT(small, 730);
  EXPECT_GT(Child<ImageBox>(form, "Image1")->width(), 730);
  EXPECT_EQ(Child<ImageBox>(form, "Image1")->Picture().size(), QSize(730, 730));  // only the display scales
}

}  // namespace
