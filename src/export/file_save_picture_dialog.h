// SavePictureDialog shown as the desktop's file dialog.
#pragma once

#include <QStringList>

#include "export/save_picture_dialog.h"

class QWidget;

class FileSavePictureDialog : public SavePictureDialog {
 public:
  explicit FileSavePictureDialog(QWidget* parent) : Parent(parent) {}
  bool Execute() override;

 private:
  QWidget* Parent;
};

// "TIF Image File (*.tif)|*.tif" as the file dialog's name filters ("TIF Image File (*.tif)").
QStringList NameFilters(const QString& Filter);
