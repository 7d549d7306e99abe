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
// Copies of a FrameCache share one cache, so a worker can hold its own copy that
// stays valid however long it runs. Every member may be called from several threads
// at once.
#pragma once

#include <QImage>
#include <QString>
#include <memory>
#include <string>

#include "nasa/downloader.h"

inline constexpr long long kDefaultFrameCacheBytes = 2LL << 30;  // 2 GiB
inline constexpr int kDecodedFramesKept = 48;

struct FrameFetch {
  enum class Source { Memory, Disk, Network };
  DownloadResult Result;
  Source From = Source::Network;
};

// The folder the program keeps its frames in: ORVANEL_CACHE_DIR when it is set and
// not empty, else the user's cache folder (~/.cache/Quenhalse/Orvanel).
QString DefaultFrameCacheFolder();

class FrameCache {
 public:
  FrameCache(const QString& folder, const Downloader& fetch, long long capBytes = kDefaultFrameCacheBytes,
             int decodedKept = kDecodedFramesKept);

  // The decoded frame of url (JPEG or TIFF): from memory, else from disk, else from
  // the network (and then stored). image is replaced only on success. control
  // reaches the download when there is one: a cancelled one stores nothing.
  FrameFetch Load(const std::string& url, QImage& image, const DownloadControl& control = {}) const;
  // Makes sure url's file is on disk, without decoding a file already there.
  FrameFetch Store(const std::string& url, const DownloadControl& control = {}) const;
  // Where url's file lives in the cache; empty for a URL that names no file.
  QString PathOf(const std::string& url) const;
  QString Folder() const;
  // Deletes the least recently used files until the folder holds at most the cap.
  void Trim() const;

 private:
  struct Shared;
  std::shared_ptr<Shared> S;
};
