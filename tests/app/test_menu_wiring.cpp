// The main window's menus reach the commands and windows with the window's own state:
// the hour and hemisphere shown, and for "Save Screen" the picture under the pointer
// where the pop-up menu was opened.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>

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

TEST_F(MenuWiring, SaveScreenOverTheMoonPictureOffersNasasFrame) {
  ChooseFromPopup(Child<ImageBox>(*Form, "Image2"), QPoint(100, 100), "Save Screen");  // window x 729
  ASSERT_EQ(Dialog->ShownWith.size(), 1u);
  EXPECT_EQ(Dialog->ShownWith[0].FileName, "moon.3859.tif");
  EXPECT_EQ(Dialog->ShownWith[0].Filter, "TIF Image File (*.tif)|*.tif");
}

TEST_F(MenuWiring, SaveScreenOverTheChartOffersTheChartAsBmp) {
  ChooseFromPopup(Child<ImageBox>(*Form, "Image1"), QPoint(300, 100), "Save Screen");
  ASSERT_EQ(Dialog->ShownWith.size(), 1u);
  EXPECT_EQ(Dialog->ShownWith[0].FileName, "Graph.bmp");
  EXPECT_EQ(Dialog->ShownWith[0].Filter, "BMP Image File (*.bmp)|*.bmp");
}

// The pictures folder starts as ~/Pictures/Orvanel; a picture saved elsewhere makes
// its folder the one offered next, and the settings keep it.
TEST_F(MenuWiring, ThePicturesFolderIsTheOneChosenLast) {
  ChooseFromPopup(Child<ImageBox>(*Form, "Image1"), QPoint(10, 10), "Save Screen");
  const QString home = Config()->path();
  ASSERT_EQ(Dialog->ShownWith.size(), 1u);
  EXPECT_EQ(Dialog->ShownWith[0].InitialDir, home + "/Pictures/Orvanel/");
  Dialog->Answers = {home + "/elsewhere/chart.bmp"};
  QDir(home).mkpath("elsewhere");
  ChooseFromPopup(Child<ImageBox>(*Form, "Image1"), QPoint(10, 10), "Save Screen");
  ChooseFromPopup(Child<ImageBox>(*Form, "Image1"), QPoint(10, 10), "Save Screen");
  ASSERT_EQ(Dialog->ShownWith.size(), 3u);
  EXPECT_EQ(Dialog->ShownWith[2].InitialDir, home + "/elsewhere/");
  Form->SaveIniFile();
  EXPECT_EQ(ReadSettings().PictureFolder, home + "/elsewhere");
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
