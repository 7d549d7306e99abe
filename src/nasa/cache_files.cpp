// POSIX calls with O_NOFOLLOW and lstat, since Qt's file classes follow links.
#include "nasa/cache_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "nasa/frame_naming.h"

namespace fs = std::filesystem;

namespace {

QByteArray Native(const QString& path) { return QFile::encodeName(path); }

QString SystemReason() { return QString::fromLocal8Bit(std::strerror(errno)); }

// The folders and the file of path below root, each as a whole path, outermost first.
QStringList StepsBelow(const QString& root, const QString& path) {
  QStringList steps;
  const QStringList parts = path.mid(root.size()).split(u'/', Qt::SkipEmptyParts);
  QString step = root;
  for (const QString& part : parts) steps << (step += u'/' + part);
  return steps;
}

// Removes the first link on the way from root to path; false when there was one.
bool NoLinkOnTheWay(const QString& root, const QString& path) {
  for (const QString& step : StepsBelow(root, path)) {
    struct stat st {};
    if (lstat(Native(step).constData(), &st) != 0) return true;  // nothing further exists
    if (S_ISLNK(st.st_mode)) {
      unlink(Native(step).constData());
      return false;
    }
  }
  return true;
}

// A read-only handle on the regular file at path, or -1; O_NONBLOCK so that a FIFO
// planted there cannot stall the open.
int OpenRegular(const QString& root, const QString& path, struct stat& st) {
  if (!NoLinkOnTheWay(root, path)) return -1;
  const int fd = open(Native(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return -1;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return -1;
  }
  return fd;
}

// False when the file holds more than maxBytes (it may grow while it is read).
bool ReadAll(int fd, QByteArray& bytes, long long maxBytes) {
  char buffer[64 << 10];
  for (;;) {
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n == 0) return true;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 || bytes.size() + n > maxBytes) return false;
    bytes.append(buffer, n);
  }
}

bool WriteAll(int fd, const QByteArray& bytes) {
  for (qsizetype done = 0; done < bytes.size();) {
    const ssize_t n = write(fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += n;
  }
  return true;
}

// Makes the folders of path below root; the reason when one cannot be made.
std::optional<QString> MakeFolders(const QString& root, const QString& path) {
  if (!QDir().mkpath(root)) return QStringLiteral("cannot make the folder %1").arg(root);
  QStringList steps = StepsBelow(root, path);
  steps.removeLast();
  for (const QString& folder : steps) {
    if (mkdir(Native(folder).constData(), 0755) == 0) continue;
    struct stat st {};
    if (errno != EEXIST || lstat(Native(folder).constData(), &st) != 0)
      return QStringLiteral("cannot make the folder %1: %2").arg(folder, SystemReason());
    if (!S_ISDIR(st.st_mode)) return QStringLiteral("%1 is no folder").arg(folder);
  }
  return std::nullopt;
}

// The temporary name a frame is written under until it is complete.
const QString kPartInfix = QStringLiteral(".part.");
constexpr int kPartSuffixLength = 6;  // mkstemp's XXXXXX

// A write cut off (the program ended in it) leaves its part file behind. One an hour
// old is no write in progress of this or another process: writing a frame takes seconds.
bool IsAbandonedPart(const QString& root, const QString& path, const struct stat& st) {
  constexpr time_t kAbandonedAfterSeconds = 3600;
  const qsizetype infix = path.lastIndexOf(kPartInfix);
  return infix > 0 && path.size() - infix - kPartInfix.size() == kPartSuffixLength &&
         IsCacheFrame(root, path.left(infix)) && st.st_mtim.tv_sec < time(nullptr) - kAbandonedAfterSeconds;
}

}  // namespace

bool IsCacheFrame(const QString& root, const QString& path) {
  return path.startsWith(root + QStringLiteral("/vis/")) && !path.contains(QStringLiteral("/..")) &&
         FrameFileBytes(QFileInfo(path).fileName().toStdString()).has_value();
}

std::optional<QByteArray> ReadCacheFile(const QString& root, const QString& path, long long maxBytes) {
  struct stat st {};
  const int fd = OpenRegular(root, path, st);
  if (fd < 0) return std::nullopt;
  if (st.st_size > maxBytes) {
    close(fd);
    return std::nullopt;
  }
  QByteArray bytes;
  bytes.reserve(static_cast<qsizetype>(st.st_size));
  const bool read = ReadAll(fd, bytes, maxBytes);
  if (read) futimens(fd, nullptr);
  close(fd);
  if (!read) return std::nullopt;
  return bytes;
}

void MarkCacheFileUsed(const QString& root, const QString& path) {
  struct stat st {};
  const int fd = OpenRegular(root, path, st);
  if (fd < 0) return;
  futimens(fd, nullptr);
  close(fd);
}

std::optional<QString> WriteCacheFile(const QString& root, const QString& path, const QByteArray& bytes) {
  NoLinkOnTheWay(root, path);
  if (auto why = MakeFolders(root, path)) return why;
  QByteArray part = Native(path + kPartInfix + QString(kPartSuffixLength, u'X'));
  const int fd = mkstemp(part.data());
  if (fd < 0) return QStringLiteral("cannot write %1: %2").arg(path, SystemReason());
  const bool written = WriteAll(fd, bytes) && fchmod(fd, 0644) == 0;
  const QString writeReason = written ? QString() : SystemReason();
  const bool closed = close(fd) == 0;
  // rename replaces a file at path, never writes through one; a folder there makes it fail.
  if (written && closed && rename(part.constData(), Native(path).constData()) == 0) return std::nullopt;
  const QString why = written && closed ? SystemReason() : writeReason.isEmpty() ? SystemReason() : writeReason;
  unlink(part.constData());
  return QStringLiteral("cannot write %1: %2").arg(path, why);
}

void RemoveCacheFile(const QString& path) {
  struct stat st {};
  if (lstat(Native(path).constData(), &st) == 0 && !S_ISDIR(st.st_mode)) unlink(Native(path).constData());
}

std::vector<CacheFileEntry> ScanCacheFrames(const QString& root) {
  std::vector<CacheFileEntry> files;
  std::error_code ec;
  // A folder it may not read is passed over rather than ending the scan, which would
  // leave the frames after it out of the count.
  constexpr auto kOptions = fs::directory_options::skip_permission_denied;
  for (fs::recursive_directory_iterator it(Native(root).toStdString(), kOptions, ec), end; !ec && it != end;
       it.increment(ec)) {
    std::error_code gone;  // another process may remove a file while we look
    const fs::file_status status = it->symlink_status(gone);
    if (gone) continue;
    if (fs::is_symlink(status)) {
      fs::remove(it->path(), gone);  // the link, never its target
      continue;
    }
    const QString path = QFile::decodeName(QByteArray::fromStdString(it->path().string()));
    struct stat st {};
    if (!fs::is_regular_file(status) || lstat(it->path().c_str(), &st) != 0) continue;
    if (IsAbandonedPart(root, path, st)) unlink(it->path().c_str());
    if (!IsCacheFrame(root, path)) continue;
    files.push_back({path, static_cast<long long>(st.st_size),
                     static_cast<long long>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec});
  }
  return files;
}

CacheFolderLock::CacheFolderLock(const QString& root)
    : Fd(open(Native(root).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {
  if (Fd >= 0)
    while (flock(Fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

CacheFolderLock::~CacheFolderLock() {
  if (Fd >= 0) close(Fd);
}
