// The desktop's own programs behind HandOff: QDesktopServices for addresses, files and
// folders (the browser, the default viewer and text editor, the file manager), and the
// first installed image editor for pictures.
#pragma once

#include <QStringList>

#include "export/hand_off.h"

class DesktopHandOff : public HandOff {
 public:
  bool OpenDocument(const QString& Url) override;
  bool OpenWithRegisteredProgram(const QString& FileName) override;
  bool OpenInImageEditor(const QString& FileName) override;
  bool OpenInNotepad(const QString& FileName) override;
  bool OpenFolder(const QString& Folder) override;
};

// The image editors tried for "Image in Paint Program", in order of preference.
inline const QStringList kImageEditors{"kolourpaint", "pinta", "gimp", "krita"};

// The path of the first installed editor of kImageEditors, searched in SearchPaths
// (the PATH when empty); empty when none is installed.
QString FindImageEditor(const QStringList& SearchPaths = {});
