#include "core/file_save.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <QFile>
#include <QSaveFile>

QString WhyUnwritten(QFileDevice& file) {
  file.flush();
  return file.errorString();
}

bool NotARegularFile(const QString& path) {
  struct stat st {};
  return stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode);
}

std::optional<QString> WhyNotOnDisk(QFileDevice& file) {
  if (fsync(file.handle()) == 0) return std::nullopt;
  return QString::fromLocal8Bit(std::strerror(errno));
}

std::optional<QString> SaveFile(const QString& path, const std::function<bool(QIODevice&)>& write) {
  if (NotARegularFile(path)) return QStringLiteral("%1 is no regular file").arg(path);
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return file.errorString();
  // commit() takes no notice of a last flush that wrote only part of the buffer, and
  // would put the cut file in the target's place: the buffer is flushed and checked here.
  if (!write(file) || !file.flush()) return WhyUnwritten(file);
  if (auto why = WhyNotOnDisk(file)) return why;
  if (!file.commit()) return file.errorString();
  return std::nullopt;
}

std::optional<QString> SaveFile(const QString& path, QByteArrayView bytes) {
  return SaveFile(path, [bytes](QIODevice& file) {
    // A short write is followed by another for the rest, which either ends the job or says why it cannot.
    for (qsizetype done = 0; done < bytes.size();) {
      const qint64 n = file.write(bytes.data() + done, bytes.size() - done);
      if (n <= 0) return false;
      done += n;
    }
    return true;
  });
}
