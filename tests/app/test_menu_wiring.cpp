// The main window's menus reach the commands and windows with the window's own state:
// the hour and hemisphere shown, and for "Copy Picture" the picture the pop-up menu
// was opened over.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QDir>
#include <QMenu>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include "app/image_box.h"
#include "app/main_form.h"
#include "core/settings_store.h"
#include "astro/time_scales.h"
#include "support/hand_off_recorder.h"
#include "support/scripted_save_dialog.h"
#include "nasa/frame_naming.h"
#include "support/scripted_window_test.h"
#include "windows/set_unit.h"
#include <QPlainTextEdit>

namespace {

class MenuWiring : public ScriptedWindowTest {
 protected:
  QAction* PopupAction(const QString& caption) {
    for (QAction* a : Child<QMenu>(*Form, "PopupMenu1")->actions())
      if (QString(a->text()).remove(QLatin1Char('&')) == caption) return a;
    ADD_FAILURE() << caption.toStdString();
    return nullptr;
  }

  // Opens the pop-up over box at (x, y) and chooses caption.
  void ChooseFromPopup(QWidget* box, QPoint at, const QString& caption) {
    emit box->customContextMenuRequested(at);
    QAction* action = PopupAction(caption);
    Child<QMenu>(*Form, "PopupMenu1")->hide();
    action->trigger();
    QCoreApplication::processEvents();
  }
};

// "Save Chart…" saves the chart whichever picture the menu was opened over.
TEST_F(MenuWiring, SaveChartOffersTheChartAsBmpOverEitherPicture) {
  for (const char* box : {"Image1", "Image2"})
    ChooseFromPopup(Child<ImageBox>(*Form, box), QPoint(100, 100), "Save Chart…");
  ASSERT_EQ(Dialog->ShownWith.size(), 2u);
  for (const auto& shown : Dialog->ShownWith) {
    EXPECT_EQ(shown.FileName, "Graph.bmp");
    EXPECT_EQ(shown.Filter, "BMP Image File (*.bmp)|*.bmp");
  }
}

// "Copy Picture" copies the picture as the window shows it: the one the pop-up was
// opened over, the one under the pointer for Ctrl+C, else the Moon view; the status
// bar says which.
TEST_F(MenuWiring, CopyPictureCopiesThePictureAsShown) {
  Form->resize(1280, 720);
  Form->show();
  Form->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Form.get()));
  Form->InitialShow();
  WaitForShow(*Form);
  auto* chart = Child<ImageBox>(*Form, "Image1");
  auto* view = Child<ImageBox>(*Form, "Image2");
  const QPoint outside = Child<QWidget>(*Form, "Memo1")->mapToGlobal(QPoint(5, 5));
  const struct {
    QWidget* PopupOver;  // none: Ctrl+C with the pointer at Pointer
    QPoint Pointer;
    ImageBox* Copied;
    const char* Said;
  } cases[] = {
      {nullptr, chart->mapToGlobal(QPoint(5, 5)), chart, "the altitude chart"},
      {nullptr, outside, view, "the Moon view"},
      {chart, outside, chart, "the altitude chart"},
      {view, outside, view, "the Moon view"},
      {Child<QWidget>(*Form, "Panel1"), chart->mapToGlobal(QPoint(5, 5)), view, "the Moon view"},
  };
  for (const auto& c : cases) {
    QCursor::setPos(c.Pointer);
    QGuiApplication::clipboard()->clear();
    if (c.PopupOver) {
      ChooseFromPopup(c.PopupOver, QPoint(20, 20), "Copy Picture");
    } else {
      QTest::keyClick(Form.get(), Qt::Key_C, Qt::ControlModifier);
    }
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), c.Copied->size() * c.Copied->devicePixelRatioF()) << c.Said;
    EXPECT_LT(copied.width(), 730);
    EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB888),
              c.Copied->PictureAsShown().convertToFormat(QImage::Format_RGB888))
        << c.Said;
    EXPECT_TRUE(Child<QLabel>(*Form, "StatusBar1")->text().contains(c.Said))
        << Child<QLabel>(*Form, "StatusBar1")->text().toStdString();
  }
}

// The pictures folder starts as ~/Pictures/Orvanel; a picture saved elsewhere makes
// its folder the one offered next, and the settings keep it.
TEST_F(MenuWiring, ThePicturesFolderIsTheOneChosenLast) {
  ChooseFromPopup(Child<ImageBox>(*Form, "Image1"), QPoint(10, 10), "Save Chart…");
  const QString home = Config()->path();
  ASSERT_EQ(Dialog->ShownWith.size(), 1u);
  EXPECT_EQ(Dialog->ShownWith[0].InitialDir, home + "/Pictures/Orvanel/");
  Dialog->Answers = {home + "/elsewhere/chart.bmp"};
  QDir(home).mkpath("elsewhere");
  ChooseFromPopup(Child<ImageBox>(*Form, "Image1"), QPoint(10, 10), "Save Chart…");
  ChooseFromPopup(Child<ImageBox>(*Form, "Image1"), QPoint(10, 10), "Save Chart…");
  ASSERT_EQ(Dialog->ShownWith.size(), 3u);
  EXPECT_EQ(Dialog->ShownWith[2].InitialDir, home + "/elsewhere/");
  Form->SaveIniFile();
  EXPECT_EQ(ReadSettings().PictureFolder, home + "/elsewhere");
}

// The status bar says why a command failed until the next one says what it did, and
// says so when no program could be started for a page.
TEST_F(MenuWiring, TheStatusBarTellsEachCommandsOutcome) {
  const auto* status = Child<QLabel>(*Form, "StatusBar1");
  PopupAction("Image to Clipboard")->trigger();  // the server refuses
  ASSERT_TRUE(ProcessUntil([&] { return status->text().startsWith(" Download of moon.3859.tif: "); }))
      << status->text().toStdString();
  PopupAction("Link to Clipboard")->trigger();
  EXPECT_EQ(status->text(), " Copied the link " + QGuiApplication::clipboard()->text() + " to the clipboard");
  Shell.Starts = false;
  PopupAction("NASA Website")->trigger();
  EXPECT_EQ(status->text().toStdString(), " No program could be started to open " + ServerUrl + "/5187");
}

TEST_F(MenuWiring, CommandsUseTheHourAndHemisphereShown) {
  Form->Session().SetPlace(-33.9L, Form->Session().Longitude());
  PopupAction("Link to Clipboard")->trigger();
  const QString link = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(link.contains("/a005188/frames/5760x3240_16x9_30p/plain/moon.3859.tif")) << link.toStdString();
  PopupAction("NASA Website")->trigger();
  ASSERT_EQ(Shell.Calls.size(), 1u);
  EXPECT_EQ(Shell.Calls[0].Kind, "OpenDocument");
  EXPECT_EQ(Shell.Calls[0].Target, ServerUrl + "/5188");
}

TEST_F(MenuWiring, TheSettingsWindowIsCreatedOnceAndSavingRedraws) {
  PopupAction("Set Lat / Lon")->trigger();
  TSetForm* first = Form->findChild<TSetForm*>();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  PopupAction("Set Lat / Lon")->trigger();
  EXPECT_EQ(Form->findChildren<TSetForm*>().size(), 1);
  EXPECT_EQ(Form->findChild<TSetForm*>(), first);
  first->FormShow();
  first->SaveButClick();  // the values shown, saved unchanged: the hour is redrawn
  WaitForShow(*Form);
  EXPECT_EQ(Child<QPlainTextEdit>(*Form, "Memo1")->toPlainText().split('\n').size(), 35);
  EXPECT_EQ(Form->Session().Record().HourNumber, 3858);
}

}  // namespace
