#include "export/desktop_hand_off.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

void OpenLocal(const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath())); }

}  // namespace

void DesktopHandOff::OpenDocument(const QString& Url) { QDesktopServices::openUrl(QUrl(Url)); }

void DesktopHandOff::OpenWithRegisteredProgram(const QString& FileName) { OpenLocal(FileName); }

void DesktopHandOff::OpenInImageEditor(const QString& FileName) {
  const QString editor = FindImageEditor();
  if (editor.isEmpty())
    OpenLocal(FileName);
  else
    QProcess::startDetached(editor, {QFileInfo(FileName).absoluteFilePath()});
}

// The desktop opens a text file with the user's text editor.
void DesktopHandOff::OpenInNotepad(const QString& FileName) { OpenLocal(FileName); }

void DesktopHandOff::OpenFolder(const QString& Folder) { OpenLocal(Folder); }

QString FindImageEditor(const QStringList& SearchPaths) {
  for (const QString& name : kImageEditors) {
    const QString path = QStandardPaths::findExecutable(name, SearchPaths);
    if (!path.isEmpty()) return path;
  }
  return {};
}
