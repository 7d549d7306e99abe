// Hand-off to other programs: the browser, the default viewer, an image editor, a text
// editor and the file manager. The menu commands and the secondary windows reach other
// programs only through this interface, so that tests can record what would be opened.
// No call reports a result: a program that is missing or fails to start is ignored.
#pragma once

#include <QString>

class HandOff {
 public:
  virtual ~HandOff() = default;
  // A web address (https:, mailto:) with the program registered for it.
  virtual void OpenDocument(const QString& Url) = 0;
  // A local file with the program registered for its type (the default viewer).
  virtual void OpenWithRegisteredProgram(const QString& FileName) = 0;
  // A local picture in an image editor.
  virtual void OpenInImageEditor(const QString& FileName) = 0;
  // A local text file in the text editor.
  virtual void OpenInNotepad(const QString& FileName) = 0;
  // A local folder in the file manager.
  virtual void OpenFolder(const QString& Folder) = 0;
};
