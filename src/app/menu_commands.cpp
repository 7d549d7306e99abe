// TForm1's menu handlers: the export commands, the settings window and the About window.
#include <QClipboard>
#include <QCursor>
#include <QFileInfo>
#include <QGuiApplication>
#include <QFutureWatcher>
#include <QMessageBox>
#include <QtConcurrent/QtConcurrentRun>

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
                          [this](const QString& done) { SetStatusText(QStringLiteral(" ") + done); },
                          [this](const QString& message) {
                            SetStatusText(QStringLiteral(" ") + message);
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
void TForm1::SaveChart1Click() { RunCommand(SaveAsBmpFile); }
void TForm1::OpenFolder1Click() { RunCommand(OpenFolder); }

// The picture the menu was opened over, else the one under the pointer (the keys),
// else the Moon view.
ImageBox* TForm1::PictureToCopy() const {
  if (MenuPicture) return MenuPicture;
  for (ImageBox* box : {Image1, Image2})
    if (box->rect().contains(box->mapFromGlobal(QCursor::pos()))) return box;
  return Image2;
}

// The picture as the window shows it, at the screen's resolution: NASA's full frame
// is "Image to Clipboard"'s.
void TForm1::CopyPicture1Click() {
  ImageBox* box = PictureToCopy();
  const QImage shown = box->PictureAsShown();
  QGuiApplication::clipboard()->setImage(shown);
  const QString what = box == Image1 ? QStringLiteral("the altitude chart")
                                     : QStringLiteral("the %1 view").arg(DescriptionOf(Show.View()).Caption);
  SetStatusText(QStringLiteral(" Copied %1 as shown (%2 x %3 pixels) to the clipboard")
                    .arg(what)
                    .arg(shown.width())
                    .arg(shown.height()));
}

void TForm1::About1Click() {
  if (!AboutForm) AboutForm = new TAboutForm(windowTitle(), Svc.Shell, this);
  AboutForm->show();
  AboutForm->raise();
}
