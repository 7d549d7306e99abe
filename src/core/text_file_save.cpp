#include "core/text_file_save.h"

#include <QSaveFile>

std::optional<QString> SaveTextFile(const QString& path, const std::string& text) {
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  if (file.write(text.data(), static_cast<qint64>(text.size())) != static_cast<qint64>(text.size()))
    return file.errorString();
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}
