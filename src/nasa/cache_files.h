// The frame cache's files on disk, handled so that nothing outside the cache is ever
// read, written, dated or deleted through it: no symbolic link in the cache is
// followed (one found there is damage and is removed, its target untouched), only
// regular files are read, and only files named like NASA's frames are counted or
// deleted, so anything else a user keeps in the folder stays.
#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// Whether path (under root) names a frame file the cache may hold: "/vis/.../moon.0001.jpg".
bool IsCacheFrame(const QString& root, const QString& path);

// The whole content of the regular file at path, marked as just used; none when
// there is no such file (a link on the way is removed) or it holds more than maxBytes.
std::optional<QByteArray> ReadCacheFile(const QString& root, const QString& path, long long maxBytes);

// Marks the regular file at path as just used (its modification time), through a
// handle that cannot reach a link's target.
void MarkCacheFileUsed(const QString& root, const QString& path);

// Writes bytes to path through a temporary file renamed into place, making the
// folders on the way; the reason (the system's words) when it could not be written.
std::optional<QString> WriteCacheFile(const QString& root, const QString& path, const QByteArray& bytes);

// Deletes path when it is a regular file or a link (damage), never a folder.
void RemoveCacheFile(const QString& path);

struct CacheFileEntry {
  QString Path;
  long long Bytes;
  long long UsedNanoseconds;  // when last used (its modification time)
};

// The frame files under root, without following links; links met on the way, and
// part files that a write cut off an hour ago or more left behind, are removed.
std::vector<CacheFileEntry> ScanCacheFrames(const QString& root);

// Holds an exclusive lock on the cache folder, shared by every process that uses it,
// while it lives (none when the folder cannot be opened).
class CacheFolderLock {
 public:
  explicit CacheFolderLock(const QString& root);
  ~CacheFolderLock();
  CacheFolderLock(const CacheFolderLock&) = delete;
  CacheFolderLock& operator=(const CacheFolderLock&) = delete;

 private:
  int Fd = -1;
};
