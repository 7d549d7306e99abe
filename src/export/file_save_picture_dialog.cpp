#include "export/file_save_picture_dialog.h"

#include <QFileDialog>

bool FileSavePictureDialog::Execute() {
  QFileDialog dialog(Parent, QString(), InitialDir);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilters(NameFilters(Filter));
  dialog.selectFile(FileName);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  FileName = dialog.selectedFiles().constFirst();
  return true;
}

QStringList NameFilters(const QString& Filter) {
  const QStringList parts = Filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    const QString& description = parts[i];
    const QString& pattern = parts[i + 1];
    filters << (description.contains(pattern) ? description : description + " (" + pattern + ")");
  }
  return filters;
}
