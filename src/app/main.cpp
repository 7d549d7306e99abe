// Orvanel: the Moon at any hour from 1600 to 3999.
#include <QApplication>

#include "app/desktop_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return RunDesktopWindow();
}
