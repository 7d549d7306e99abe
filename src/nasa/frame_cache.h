// NASA's frames kept on disk and in memory, so that an hour seen once is never
// downloaded again and stepping back and forth costs no decode.
//
// On disk the cache mirrors the paths of NASA's server under its folder
// (folder/vis/a000000/.../moon.0001.jpg) and holds every frame exactly as NASA sent
// it; it takes only URLs that name a frame file (cache_files.h says what it never
// touches). A file enters only once it arrived whole and decodes, written to a
// temporary file and renamed into place, so a reader (in this process or another one
// over the same folder) sees a whole file or none. A file's modification time is set
// whenever it is used. After every file written the frames on disk are counted anew
// under a lock on the folder that every process takes, so the cap holds for all of
// them together; over the cap the least recently used frames go first. A file that no
// longer decodes is deleted and fetched again.
//
// In memory the decoded frames last shown are kept under a budget in bytes, so a few
// huge pictures cannot take what many small ones would.
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
inline constexpr long long kDecodedFramesBytes = 256LL << 20;  // 256 MiB

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
             long long decodedBytes = kDecodedFramesBytes);

  // The decoded frame of url (JPEG or TIFF): from memory, else from disk, else from
  // the network (and then stored; a frame that cannot be stored is still returned).
  // image is replaced only on success. control reaches the download when there is
  // one: a cancelled one stores nothing. A download's time limit and the largest
  // length it takes follow the frame's rendition unless control says otherwise.
  FrameFetch Load(const std::string& url, QImage& image, const DownloadControl& control = {}) const;
  // Makes sure url's file is on disk, whole and decodable, without keeping the
  // picture; a file that could not be written is a failure.
  FrameFetch Store(const std::string& url, const DownloadControl& control = {}) const;
  // Where url's file lives in the cache; empty for a URL that names no frame file.
  QString PathOf(const std::string& url) const;
  QString Folder() const;
  long long CapBytes() const;
  // Deletes the least recently used frames until the folder holds at most the cap.
  void Trim() const;

 private:
  struct Shared;
  std::shared_ptr<Shared> S;
};
