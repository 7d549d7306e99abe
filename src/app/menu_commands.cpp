// TForm1's menu handlers: the export commands, the settings window and the About window.
#include <QCursor>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QMessageBox>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "app/image_box.h"
#include "app/main_form.h"
#include "export/export_commands.h"
#include "export/file_save_picture_dialog.h"
#include "windows/about_unit.h"

// A command's download runs on a worker; what it then does with the result (a file
// handed to a program, the clipboard) runs here, as long as the window exists.
void TForm1::RunInBackground(std::function<bool()> work, std::function<void(bool)> then) {
  auto* watcher = new QFutureWatcher<bool>(this);
  connect(watcher, &QFutureWatcherBase::finished, this, [watcher, then = std::move(then)] {
    watcher->deleteLater();
    then(watcher->result());
  });
  watcher->setFuture(QtConcurrent::run(&Svc.Pools.Exports, std::move(work)));
}

// The commands tell the two pictures apart by where the pointer is across the window
// as designed: from kSaveScreenFrameX on, the NASA picture. The pictures' places now
// follow the window's size, so the pointer over the right picture is given from there.
QPoint TForm1::PointerForCommands() const {
  const QPoint p = PopupOrigin.value_or(mapFromGlobal(QCursor::pos()));
  const QPoint inRight = Image2->mapFrom(this, p);
  return {inRight.x() >= 0 ? kSaveScreenFrameX + inRight.x() : std::min(p.x(), kSaveScreenFrameX - 1), p.y()};
}

void TForm1::RunCommand(void (*command)(const ExportContext&)) {
  const ExportContext ctx{Show.HourShown(),
                          Show.Latitude(),
                          Show.View(),
                          Svc.Site,
                          Svc.Fetch,
                          Image1->Picture(),
                          Svc.Shell,
                          *SavePictureDialog1,
                          PictureFolder,
                          TextFolder,
                          PointerForCommands(),
                          [this](const QString& message) {
                            QMessageBox::critical(this, QStringLiteral("Orvanel"), message);
                          },
                          [this](const QString& what, DownloadWork work, auto then) {
                            RunDownload(what, std::move(work), std::move(then));
                          }};
  command(ctx);
  // A picture saved elsewhere makes that folder the one offered next time.
  const QFileInfo chosen(SavePictureDialog1->FileName);
  if (chosen.isAbsolute()) PictureFolder = chosen.absolutePath();
}

void TForm1::NasaWebsiteClick() { RunCommand(NasaWebsite); }
void TForm1::FullYearDataClick() { RunCommand(FullYearData); }
void TForm1::MovieInBrowser1Click() { RunCommand(MovieInBrowser); }
void TForm1::ImageInBrowser1Click() { RunCommand(ImageInBrowser); }
void TForm1::ImageInViewer1Click() { RunCommand(ImageInViewer); }
void TForm1::ImageInPaint1Click() { RunCommand(ImageInPaintProgram); }
void TForm1::ImagetoClipBoard1Click() { RunCommand(ImagetoClipBoard); }
void TForm1::LinktoClipboard1Click() { RunCommand(LinktoClipboard); }
void TForm1::SaveAsTifFile1Click() { RunCommand(SaveAsTifFile); }
void TForm1::SaveScreen1Click() { RunCommand(SaveScreen); }
void TForm1::OpenFolder1Click() { RunCommand(OpenFolder); }

void TForm1::About1Click() {
  if (!AboutForm) AboutForm = new TAboutForm(windowTitle(), Svc.Shell, this);
  AboutForm->show();
  AboutForm->raise();
}
