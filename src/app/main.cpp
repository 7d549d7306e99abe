// Orvanel: the Moon at any hour of 2024 and 2025.
#include <QApplication>

#include "app/main_form.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Orvanel");
  QApplication::setOrganizationName("Quenhalse");
  TForm1 form;
  form.ReadIniFile();
  form.show();
  form.InitialShow();
  return QApplication::exec();
}
