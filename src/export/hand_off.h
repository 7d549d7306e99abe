// Hand-off to other programs: the browser, the default viewer, an image editor, a text
// editor and the file manager. The menu commands and the secondary windows reach other
// programs only through this interface, so that tests can record what would be opened.
// Each call says whether a program was started for it (a program that starts and
// then fails is not known here), so that the window can say when nothing opened.
#pragma once

#include <QString>

class HandOff {
 public:
  virtual ~HandOff() = default;
  // A web address (https:, mailto:) with the program registered for it.
  virtual bool OpenDocument(const QString& Url) = 0;
  // A local file with the program registered for its type (the default viewer).
  virtual bool OpenWithRegisteredProgram(const QString& FileName) = 0;
  // A local picture in an image editor.
  virtual bool OpenInImageEditor(const QString& FileName) = 0;
  // A local text file in the text editor.
  virtual bool OpenInNotepad(const QString& FileName) = 0;
  // A local folder in the file manager.
  virtual bool OpenFolder(const QString& Folder) = 0;
};
