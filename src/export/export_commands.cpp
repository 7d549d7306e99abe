#include "export/export_commands.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSaveFile>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

#include "export/command_frame.h"
#include "nasa/downloader.h"
#include "nasa/frame_naming.h"

namespace {

QString InWorkingFolder(const ExportContext& ctx, const QString& name) { return QDir(ctx.WorkingFolder).filePath(name); }

// Fetches the command's frame into the working folder under its NASA name; the path
// when the file is there afterwards, empty otherwise.
QString FetchFrameToWorkingFolder(const ExportContext& ctx) {
  const CommandFrame frame = FrameOfCommand(ctx.State);
  const QString path = InWorkingFolder(ctx, frame.FileName);
  if (!DownloadToFile(frame.Url.toStdString(), path) || !QFileInfo::exists(path)) return {};
  return path;
}

bool SaveLines(const QStringList& lines, const QString& fileName, QString& error) {
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly)) {
    error = file.errorString();
    return false;
  }
  for (const QString& line : lines) file.write((line + QStringLiteral("\r\n")).toUtf8());
  if (!file.commit()) {
    error = file.errorString();
    return false;
  }
  return true;
}

QString CannotCreate(const QString& fileName, const QString& reason) {
  return QStringLiteral("Cannot create file \"%1\". %2").arg(QDir::toNativeSeparators(fileName), reason);
}

// The working folder when it exists, else the user's documents folder, with a closing separator.
QString ChartFolder(const ExportContext& ctx) {
  QString folder = ctx.WorkingFolder;
  if (!QDir(folder).exists()) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty()) folder = documents;
  }
  return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace

void NasaWebsite(const ExportContext& ctx) {
  ctx.Shell.OpenDocument(QString::fromStdString(SvsPageUrl(ctx.State.CurrentDateTime, ctx.State.Latitude)));
}

void FullYearData(const ExportContext& ctx) {
  const QString url = QString::fromStdString(MoonInfoUrl(ctx.State.CurrentDateTime, ctx.State.Latitude));
  const QString fileName = InWorkingFolder(ctx, QUrl(url).fileName());
  if (QFileInfo::exists(fileName))
    ctx.Shell.OpenInNotepad(fileName);
  else
    DownloadTextAndOpen(ctx, fileName, url);
}

void DownloadTextAndOpen(const ExportContext& ctx, const QString& FileName, const QString& Url) {
  QStringList lines;
  if (!DownloadStrings(Url.toStdString(), lines)) return;
  QString error;
  if (!SaveLines(lines, FileName, error)) {
    ctx.ReportError(CannotCreate(FileName, error));
    return;
  }
  ctx.Shell.OpenInNotepad(FileName);
}

void MovieInBrowser(const ExportContext& ctx) {
  ctx.Shell.OpenDocument(QString::fromStdString(MovieUrl(ctx.State.ViewKind, ctx.State.Latitude)));
}

void ImageInBrowser(const ExportContext& ctx) { ctx.Shell.OpenDocument(FrameOfCommand(ctx.State).Url); }

void ImageInViewer(const ExportContext& ctx) {
  const QString path = FetchFrameToWorkingFolder(ctx);
  if (!path.isEmpty()) ctx.Shell.OpenWithRegisteredProgram(path);
}

void ImageInMSPaint(const ExportContext& ctx) {
  const QString path = FetchFrameToWorkingFolder(ctx);
  if (!path.isEmpty()) ctx.Shell.OpenInImageEditor(path);
}

void ImagetoClipBoard(const ExportContext& ctx) {
  QImage frame;
  if (!DownloadTiff(FrameOfCommand(ctx.State).Url.toStdString(), frame)) return;
  QGuiApplication::clipboard()->setImage(frame.convertToFormat(QImage::Format_RGB888));
}

void LinktoClipboard(const ExportContext& ctx) { QGuiApplication::clipboard()->setText(FrameOfCommand(ctx.State).Url); }

void SaveAsTifFile(const ExportContext& ctx) {
  const CommandFrame frame = FrameOfCommand(ctx.State);
  ctx.SavePictureDialog1.FileName = frame.FileName;
  ctx.SavePictureDialog1.Filter = kTifFilter;
  if (ctx.SavePictureDialog1.Execute()) DownloadToFile(frame.Url.toStdString(), ctx.SavePictureDialog1.FileName);
}

void SaveScreen(const ExportContext& ctx) {
  if (ctx.PointerInWindow.x() >= kSaveScreenFrameX)
    SaveAsTifFile(ctx);
  else
    SaveAsBmpFile(ctx);
}

void SaveAsBmpFile(const ExportContext& ctx) {
  SavePictureDialog& dialog = ctx.SavePictureDialog1;
  dialog.InitialDir = ChartFolder(ctx);
  dialog.FileName = kChartFileName;
  dialog.Filter = kBmpFilter;
  if (!dialog.Execute()) return;
  // Qt writes a 32-bit picture as a 24-bit BMP.
  if (!ctx.ChartImage.convertToFormat(QImage::Format_RGB32).save(dialog.FileName, "BMP"))
    ctx.ReportError(CannotCreate(dialog.FileName, QStringLiteral("The picture could not be written.")));
}

void OpenFolder(const ExportContext& ctx) { ctx.Shell.OpenFolder(ctx.WorkingFolder); }
