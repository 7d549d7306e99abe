#include "export/export_commands.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>
#include <memory>

#include "astro/time_scales.h"
#include "core/file_save.h"
#include "export/command_frame.h"
#include "export/year_table_check.h"
#include "nasa/computed_year_table.h"
#include "nasa/image_decode.h"
#include "nasa/nasa_urls.h"

namespace {

// NASA's frames are pictures: a body that does not decode (an error page sent with
// status 200, a file cut short) never replaces a file.
bool IsPicture(const QByteArray& bytes) { return static_cast<bool>(CheckImage(bytes)); }

QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

const QString kTextEditor = QStringLiteral("the text editor");

// name in folder, the folder made when it is not there yet.
QString InFolder(const QString& folder, const QString& name) {
  QDir().mkpath(folder);
  return QDir(folder).filePath(name);
}

QString InWorkingFolder(const ExportContext& ctx, const QString& name) { return InFolder(ctx.WorkingFolder, name); }

// What the status bar says after Target was handed to a program: Done when one
// started, else that none could be.
QString HandedOff(bool started, const QString& done, const QString& target) {
  return started ? done : QStringLiteral("No program could be started to open %1").arg(target);
}

// A file saved and handed to a program: where it went and what opened it.
QString SavedAndOpened(bool started, const QString& path, const QString& program) {
  return HandedOff(started, QStringLiteral("Saved %1 and opened it in %2").arg(Native(path), program), Native(path));
}

// Fetches the command's frame into the working folder under its NASA name, then
// hands the file's path to open when it is there; open says whether a program started.
void FetchFrameToWorkingFolder(const ExportContext& ctx, const QString& program,
                               std::function<bool(const QString&)> open) {
  const CommandFrame frame = FrameOfCommand(ctx);
  const QString path = InWorkingFolder(ctx, frame.FileName);
  const Downloader fetch = ctx.Fetch;  // a copy: the work may outlive the window
  ctx.RunInBackground(
      frame.FileName,
      [fetch, frame, path](const DownloadControl& control) {
        return fetch.DownloadToFile(frame.Url.toStdString(), path, IsPicture, frame.Sized(control));
      },
      [path, program, tell = ctx.Tell, open = std::move(open)](const DownloadResult& result) {
        if (result.Ok && QFileInfo::exists(path)) tell(SavedAndOpened(open(path), path, program));
      });
}

bool SaveLines(const QByteArray& text, const QString& fileName, QString& error) {
  QByteArray crlf;
  ForEachTextLine(text, [&crlf](QByteArrayView line) { crlf.append(line).append("\r\n"); });
  const std::optional<QString> failed = SaveFile(fileName, crlf);
  if (failed) error = *failed;
  return !failed;
}

QString CannotCreate(const QString& fileName, const QString& reason) {
  return QStringLiteral("Cannot create file \"%1\". %2").arg(Native(fileName), reason);
}

// The pictures folder (made when needed) when it exists, else the user's documents
// folder, with a closing separator.
QString PicturesFolder(const ExportContext& ctx) {
  QString folder = ctx.WorkingFolder;
  if (!QDir().mkpath(folder)) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (!documents.isEmpty()) folder = documents;
  }
  return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
}

}  // namespace

namespace {

void OpenInBrowser(const ExportContext& ctx, const QString& url) {
  ctx.Tell(HandedOff(ctx.Shell.OpenDocument(url), QStringLiteral("Opened %1 in the browser").arg(url), url));
}

}  // namespace

void NasaWebsite(const ExportContext& ctx) {
  OpenInBrowser(ctx, QString::fromStdString(SvsPageUrl(ctx.Site, ctx.CurrentDateTime, ctx.Latitude)));
}

namespace {

// A year NASA has not published: the program's own table of it, in NASA's layout,
// offered for saving under a name that says who computed it.
void SaveComputedYearTable(const ExportContext& ctx) {
  const int year = YearOf(ctx.CurrentDateTime);
  SavePictureDialog& dialog = ctx.SavePictureDialog1;
  dialog.InitialDir = ctx.TextFolder;
  dialog.FileName = QString::fromStdString(ComputedYearTableFileName(year));
  dialog.Filter = kTextFilter;
  if (!dialog.Execute()) return;
  QByteArray text;
  for (const std::string& line : ComputedYearTable(year)) text += QByteArray::fromStdString(line) + '\n';
  QString error;
  if (!SaveLines(text, dialog.FileName, error)) {
    ctx.ReportError(CannotCreate(dialog.FileName, error));
    return;
  }
  ctx.Tell(SavedAndOpened(ctx.Shell.OpenInNotepad(dialog.FileName), dialog.FileName, kTextEditor));
}

}  // namespace

void FullYearData(const ExportContext& ctx) {
  if (!HasNasaSeries(ctx.CurrentDateTime)) {
    SaveComputedYearTable(ctx);
    return;
  }
  const QString url = QString::fromStdString(MoonInfoUrl(ctx.Site, ctx.CurrentDateTime, ctx.Latitude));
  const QString fileName = InFolder(ctx.TextFolder, QUrl(url).fileName());
  if (QFileInfo::exists(fileName))
    ctx.Tell(HandedOff(ctx.Shell.OpenInNotepad(fileName),
                       QStringLiteral("Opened %1 in %2").arg(Native(fileName), kTextEditor), Native(fileName)));
  else
    DownloadTextAndOpen(ctx, fileName, url, NasaSeriesFor(ctx.CurrentDateTime).Year);
}

void DownloadTextAndOpen(const ExportContext& ctx, const QString& FileName, const QString& Url, int Year) {
  auto lines = std::make_shared<QByteArray>();
  const Downloader fetch = ctx.Fetch;  // a copy: the work may outlive the window
  HandOff& shell = ctx.Shell;
  ctx.RunInBackground(
      QFileInfo(FileName).fileName(),
      [fetch, url = Url.toStdString(), lines](DownloadControl control) {
        control.ExpectedBytes = kYearTableBytes;
        return fetch.Fetch(url, *lines, control);
      },
      [&shell, tell = ctx.Tell, report = ctx.ReportError, lines, FileName, Year](const DownloadResult& result) {
        if (!result.Ok) return;
        QString error;
        if (!IsNasaYearTable(*lines, Year, error)) {
          report(QStringLiteral("NASA's yearly table \"%1\" was not saved: %2.")
                     .arg(QDir::toNativeSeparators(FileName), error));
          return;
        }
        if (!SaveLines(*lines, FileName, error)) {
          report(CannotCreate(FileName, error));
          return;
        }
        tell(SavedAndOpened(shell.OpenInNotepad(FileName), FileName, kTextEditor));
      });
}

void MovieInBrowser(const ExportContext& ctx) {
  OpenInBrowser(ctx, QString::fromStdString(MovieUrl(ctx.Site, ctx.View, ctx.Latitude)));
}

void ImageInBrowser(const ExportContext& ctx) { OpenInBrowser(ctx, FrameOfCommand(ctx).Url); }

void ImageInViewer(const ExportContext& ctx) {
  HandOff& shell = ctx.Shell;
  FetchFrameToWorkingFolder(ctx, QStringLiteral("the viewer"),
                            [&shell](const QString& path) { return shell.OpenWithRegisteredProgram(path); });
}

void ImageInPaintProgram(const ExportContext& ctx) {
  HandOff& shell = ctx.Shell;
  FetchFrameToWorkingFolder(ctx, QStringLiteral("the image editor"),
                            [&shell](const QString& path) { return shell.OpenInImageEditor(path); });
}

void ImagetoClipBoard(const ExportContext& ctx) {
  auto frame = std::make_shared<QImage>();
  const Downloader fetch = ctx.Fetch;  // a copy: the work may outlive the window
  const CommandFrame shown = FrameOfCommand(ctx);
  ctx.RunInBackground(
      shown.FileName,
      [fetch, shown, frame](const DownloadControl& control) {
        QByteArray bytes;
        DownloadResult result = fetch.Fetch(shown.Url.toStdString(), bytes, shown.Sized(control));
        if (result.Ok && !DecodeTiff(bytes, *frame)) result = CorruptData(result.HttpStatus);
        return result;
      },
      [frame, name = shown.FileName, tell = ctx.Tell](const DownloadResult& result) {
        if (!result.Ok) return;
        QGuiApplication::clipboard()->setImage(frame->convertToFormat(QImage::Format_RGB888));
        tell(QStringLiteral("Copied NASA's frame %1 (%2 x %3) to the clipboard")
                 .arg(name)
                 .arg(frame->width())
                 .arg(frame->height()));
      });
}

void LinktoClipboard(const ExportContext& ctx) {
  const QString url = FrameOfCommand(ctx).Url;
  QGuiApplication::clipboard()->setText(url);
  ctx.Tell(QStringLiteral("Copied the link %1 to the clipboard").arg(url));
}

void SaveAsTifFile(const ExportContext& ctx) {
  const CommandFrame frame = FrameOfCommand(ctx);
  ctx.SavePictureDialog1.InitialDir = PicturesFolder(ctx);
  ctx.SavePictureDialog1.FileName = frame.FileName;
  ctx.SavePictureDialog1.Filter = kTifFilter;
  if (!ctx.SavePictureDialog1.Execute()) return;
  const Downloader fetch = ctx.Fetch;  // a copy: the work may outlive the window
  const QString path = ctx.SavePictureDialog1.FileName;
  ctx.RunInBackground(
      frame.FileName,
      [fetch, frame, path](const DownloadControl& control) {
        return fetch.DownloadToFile(frame.Url.toStdString(), path, IsPicture, frame.Sized(control));
      },
      [path, tell = ctx.Tell](const DownloadResult& result) {
        if (result.Ok) tell(QStringLiteral("Saved %1").arg(Native(path)));
      });
}

void SaveAsBmpFile(const ExportContext& ctx) {
  SavePictureDialog& dialog = ctx.SavePictureDialog1;
  dialog.InitialDir = PicturesFolder(ctx);
  dialog.FileName = kChartFileName;
  dialog.Filter = kBmpFilter;
  if (!dialog.Execute()) return;
  // Qt writes a 32-bit picture as a 24-bit BMP.
  const QImage chart = ctx.ChartImage.convertToFormat(QImage::Format_RGB32);
  if (const std::optional<QString> why =
          SaveFile(dialog.FileName, [&chart](QIODevice& file) { return chart.save(&file, "BMP"); })) {
    ctx.ReportError(CannotCreate(dialog.FileName, *why));
    return;
  }
  ctx.Tell(QStringLiteral("Saved the chart as %1").arg(Native(dialog.FileName)));
}

void OpenFolder(const ExportContext& ctx) {
  const QString folder = Native(ctx.WorkingFolder);
  if (!QDir().mkpath(ctx.WorkingFolder)) {
    ctx.Tell(QStringLiteral("The folder %1 cannot be made").arg(folder));
    return;
  }
  ctx.Tell(HandedOff(ctx.Shell.OpenFolder(ctx.WorkingFolder), QStringLiteral("Opened the folder %1").arg(folder),
                     folder));
}
