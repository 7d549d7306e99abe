#include "core/file_save.h"

#include <sys/stat.h>

#include <QFile>
#include <QSaveFile>

bool NotARegularFile(const QString& path) {
  struct stat st {};
  return stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode);
}

std::optional<QString> SaveFile(const QString& path, const std::function<bool(QIODevice&)>& write) {
  if (NotARegularFile(path)) return QStringLiteral("%1 is no regular file").arg(path);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  if (!write(file)) return file.errorString();
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}

std::optional<QString> SaveFile(const QString& path, QByteArrayView bytes) {
  return SaveFile(path, [bytes](QIODevice& file) { return file.write(bytes.data(), bytes.size()) == bytes.size(); });
}
