// What the menu commands of the "Action" and pop-up menus work with. The main window
// builds one for each command from its state and its pictures.
#pragma once

#include <QImage>
#include <QString>

#include <functional>

#include "core/view_kind.h"
#include "export/hand_off.h"
#include "export/save_picture_dialog.h"
#include "nasa/downloader.h"
#include "nasa/frame_naming.h"

// A command's download, run with the controls the window cancels it and follows it by.
using DownloadWork = std::function<DownloadResult(const DownloadControl&)>;
// Runs Work away from the window and then Then with its result where the window
// runs, so that a download never freezes it; What names the download for the user
// ("moon.3859.tif"). The window uses a worker thread and lets the user cancel; tests
// run both at once. Neither may refer to the ExportContext, which is gone by then.
using BackgroundRunner =
    std::function<void(const QString& What, DownloadWork Work, std::function<void(const DownloadResult&)> Then)>;

struct ExportContext {
  long double CurrentDateTime;             // the hour shown (UTC)
  long double Latitude;                    // the observer's: the hemisphere of NASA's folders
  ViewKind View;                           // the "Show:" choice
  const NasaSite& Site;                    // NASA's server
  const Downloader& Fetch;                 // outlives every command
  const QImage& ChartImage;                // the left picture (Image1): the altitude chart
  HandOff& Shell;                          // the programs files and addresses are handed to
  SavePictureDialog& SavePictureDialog1;   // the window's save dialog, kept between commands
  QString WorkingFolder;                   // the pictures folder: saved pictures and fetched frames
  QString TextFolder;                      // where NASA's yearly text files are kept
  // What a command did (where the file went), or why nothing opened, in a few words
  // for the status bar.
  std::function<void(const QString&)> Tell;
  std::function<void(const QString&)> ReportError;  // shows a file-write error to the user
  BackgroundRunner RunInBackground;
};
