#include "core/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>

std::optional<QByteArray> ReadRegularFile(const QString& path) {
  const int fd = open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT ? std::optional<QByteArray>(QByteArray()) : std::nullopt;
  struct stat st {};
  QFile file;
  std::optional<QByteArray> bytes;
  if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && file.open(fd, QIODevice::ReadOnly)) bytes = file.readAll();
  close(fd);
  return bytes;
}
