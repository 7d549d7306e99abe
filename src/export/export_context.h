// What the menu commands of the "Action" and pop-up menus work with. The main window
// builds one for each command from its state, its pictures and the pointer position.
#pragma once

#include <QImage>
#include <QPoint>
#include <QString>

#include <functional>

#include "app/program_state.h"
#include "export/hand_off.h"
#include "export/save_picture_dialog.h"

struct ExportContext {
  const ProgramState& State;               // CurrentDateTime, Latitude (hemisphere), ViewKind
  const QImage& ChartImage;                // the left picture (Image1): the altitude chart
  HandOff& Shell;                          // the programs files and addresses are handed to
  SavePictureDialog& SavePictureDialog1;   // the window's save dialog, kept between commands
  QString WorkingFolder;                   // where fetched frames and the yearly file are kept
  QPoint PointerInWindow;                  // the pointer relative to the main window
  std::function<void(const QString&)> ReportError;  // shows a file-write error to the user
};
