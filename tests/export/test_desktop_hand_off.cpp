// The parts of the real hand-off and save dialog that decide something: which image
// editor is used and how the window's filters read in the file dialog.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "export/desktop_hand_off.h"
#include "export/file_save_picture_dialog.h"

namespace {

void MakeProgram(const QTemporaryDir& dir, const QString& name) {
  QFile file(dir.filePath(name));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("#!/bin/sh\n");
  file.close();
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(FindImageEditor, TakesTheFirstInstalledOfTheList) {
  QTemporaryDir bin;
  ASSERT_TRUE(bin.isValid());
  EXPECT_EQ(FindImageEditor({bin.path()}), QString()) << "none installed: the default viewer serves";
  MakeProgram(bin, "krita");
  EXPECT_EQ(FindImageEditor({bin.path()}), bin.filePath("krita"));
  MakeProgram(bin, "gimp");
  EXPECT_EQ(FindImageEditor({bin.path()}), bin.filePath("gimp"));
  MakeProgram(bin, "kolourpaint");
  MakeProgram(bin, "pinta");
  EXPECT_EQ(FindImageEditor({bin.path()}), bin.filePath("kolourpaint"));
}

TEST(FindImageEditor, IgnoresFilesThatCannotBeRun) {
  QTemporaryDir bin;
  QFile file(bin.filePath("kolourpaint"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  MakeProgram(bin, "pinta");
  EXPECT_EQ(FindImageEditor({bin.path()}), bin.filePath("pinta"));
}

TEST(NameFilters, ReadTheWindowsFiltersAsFileDialogFilters) {
  EXPECT_EQ(NameFilters(kTifFilter), QStringList{"TIF Image File (*.tif)"});
  EXPECT_EQ(NameFilters(kBmpFilter), QStringList{"BMP Image File (*.bmp)"});
  EXPECT_EQ(NameFilters("Text|*.txt|All files (*)|*"), (QStringList{"Text (*.txt)", "All files (*)"}));
  EXPECT_EQ(NameFilters(""), QStringList{});
}

}  // namespace
