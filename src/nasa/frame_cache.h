// NASA's frames kept on disk and in memory, so that an hour seen once is never
// downloaded again and stepping back and forth costs no decode.
//
// On disk the cache mirrors the paths of NASA's server under its folder
// (folder/vis/a000000/.../moon.0001.jpg) and holds every file exactly as NASA sent it.
// A file enters only once it arrived whole and decodes, written to a temporary file
// and renamed into place, so a reader (in this process or another one over the same
// folder) sees a whole file or none. A file's modification time is set whenever it is
// used; when the folder grows over its cap the least recently used files go first.
// A file that no longer decodes is deleted and fetched again.
//
// Every member may be called from several threads at once.
#pragma once

#include <QCache>
#include <QImage>
#include <QString>
#include <mutex>
#include <string>

#include "nasa/downloader.h"

inline constexpr long long kDefaultFrameCacheBytes = 2LL << 30;  // 2 GiB
inline constexpr int kDecodedFramesKept = 48;

struct FrameFetch {
  enum class Source { Memory, Disk, Network };
  DownloadResult Result;
  Source From = Source::Network;
};

class FrameCache {
 public:
  FrameCache(const QString& folder, const Downloader& fetch, long long capBytes = kDefaultFrameCacheBytes,
             int decodedKept = kDecodedFramesKept);

  // The decoded frame of url (JPEG or TIFF): from memory, else from disk, else from
  // the network (and then stored). image is replaced only on success.
  FrameFetch Load(const std::string& url, QImage& image);
  // Makes sure url's file is on disk, without decoding a file already there.
  FrameFetch Store(const std::string& url);
  // Where url's file lives in the cache; empty for a URL that names no file.
  QString PathOf(const std::string& url) const;
  const QString& Folder() const { return Root; }
  // Deletes the least recently used files until the folder holds at most the cap.
  void Trim();

 private:
  FrameFetch Download(const std::string& url, const QString& path, QImage& image);
  bool ReadFromDisk(const QString& path, QImage& image);
  bool Remembered(const QString& path, QImage& image);
  void Remember(const QString& path, const QImage& image);
  void TrimLocked();

  QString Root;
  Downloader Net;
  long long Cap;
  std::mutex MemoryLock;
  QCache<QString, QImage> Decoded;
  std::mutex TrimLock;
  long long Known = -1;  // bytes on disk as last counted plus those added since; -1: not yet counted
};
