// The main window's save dialog for pictures (SavePictureDialog1). Like the window's
// designed dialog it keeps its file name, filter and initial folder between uses: each
// command sets what it needs and leaves the rest as the last use left it.
#pragma once

#include <QString>

// Filters are written as pairs "description|pattern", several pairs joined by "|".
inline const QString kTifFilter = QStringLiteral("TIF Image File (*.tif)|*.tif");
inline const QString kBmpFilter = QStringLiteral("BMP Image File (*.bmp)|*.bmp");
inline const QString kTextFilter = QStringLiteral("Text File (*.txt)|*.txt");

class SavePictureDialog {
 public:
  virtual ~SavePictureDialog() = default;
  // Asks the user for a file; true when confirmed, FileName then holds the chosen path.
  virtual bool Execute() = 0;

  QString FileName;
  QString Filter = kTifFilter;
  QString InitialDir;  // empty: the current folder
};
