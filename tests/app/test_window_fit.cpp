// The main window at the sizes people have: 1280 x 720, 1366 x 768 and the designed
// 1600 x 850. Every control lies inside the window, the two pictures stay square
// and equal, and no caption is cut.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

#include "app/image_box.h"
#include "app/main_form.h"
#include "support/window_test.h"

namespace {

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
  EXPECT_GE(left.width(), 360);
  EXPECT_LE(left.width(), GetParam().width() / 2);
  EXPECT_LE(left.right(), right.left());  // side by side, not overlapping
  // The data panel shows its 23 lines.
  const int lines = Child<QPlainTextEdit>(*form, "Memo1")->viewport()->height() / QFontMetrics(Child<QPlainTextEdit>(*form, "Memo1")->font()).lineSpacing();
  EXPECT_GE(lines, 23);
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

INSTANTIATE_TEST_SUITE_P(Sizes, WindowFit, ::testing::Values(QSize(1280, 720), QSize(1366, 768), QSize(1600, 850)));

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
