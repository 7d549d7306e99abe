#include "export/desktop_hand_off.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

bool OpenLocal(const QString& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

}  // namespace

bool DesktopHandOff::OpenDocument(const QString& Url) { return QDesktopServices::openUrl(QUrl(Url)); }

bool DesktopHandOff::OpenWithRegisteredProgram(const QString& FileName) { return OpenLocal(FileName); }

bool DesktopHandOff::OpenInImageEditor(const QString& FileName) {
  const QString editor = FindImageEditor();
  if (editor.isEmpty()) return OpenLocal(FileName);
  return QProcess::startDetached(editor, {QFileInfo(FileName).absoluteFilePath()});
}

// The desktop opens a text file with the user's text editor.
bool DesktopHandOff::OpenInNotepad(const QString& FileName) { return OpenLocal(FileName); }

bool DesktopHandOff::OpenFolder(const QString& Folder) { return OpenLocal(Folder); }

QString FindImageEditor(const QStringList& SearchPaths) {
  for (const QString& name : kImageEditors) {
    const QString path = QStandardPaths::findExecutable(name, SearchPaths);
    if (!path.isEmpty()) return path;
  }
  return {};
}
