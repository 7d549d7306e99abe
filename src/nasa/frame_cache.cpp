// The frame cache: memory, then disk, then the network.
#include "nasa/frame_cache.h"

#include <QCache>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <set>
#include <vector>

#include "nasa/cache_files.h"
#include "nasa/frame_naming.h"
#include "nasa/image_decode.h"

namespace {

// Once over the cap the folder is trimmed to this share of it, so that the next few
// frames do not each delete a file.
constexpr long long kTrimToPercent = 90;

FrameFetch Failed(const DownloadResult& result) { return {result, FrameFetch::Source::Network}; }

FrameFetch BadAddress() {
  return Failed(DownloadResult::Failure(DownloadFailure::BadAddress, QStringLiteral("bad address")));
}

// The uncompressed size of the rendition of path's frame: no file of it is larger.
long long RenditionBytes(const QString& path) {
  return FrameFileBytes(QFileInfo(path).fileName().toStdString()).value_or(-1);
}

}  // namespace

QString DefaultFrameCacheFolder() {
  const QString chosen = qEnvironmentVariable("ORVANEL_CACHE_DIR");
  if (!chosen.isEmpty()) return chosen;
  return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/Quenhalse/Orvanel";
}

struct FrameCache::Shared {
  Shared(const QString& folder, const Downloader& fetch, long long capBytes, long long decodedBytes)
      : Root(QDir::cleanPath(folder)), Net(fetch), Cap(capBytes), Decoded(decodedBytes) {}

  QString PathOf(const std::string& url) const;
  FrameFetch Download(const std::string& url, const QString& path, QImage* image, const DownloadControl& control);
  bool FromDisk(const QString& path, QImage* image);
  bool Remembered(const QString& path, QImage& image);
  void Remember(const QString& path, const QImage& image);
  void Trim();

  const QString Root;
  const Downloader Net;
  const long long Cap;
  std::mutex MemoryLock;
  QCache<QString, QImage> Decoded;  // costs in bytes
  std::mutex FlightLock;
  std::condition_variable Landed;
  std::set<QString> InFlight;  // files being downloaded by this process
};

namespace {

// While it lives, no other thread of the process downloads the same file: the show
// and the prefetcher asking for one hour at once make one request.
class OneFlight {
 public:
  OneFlight(std::mutex& lock, std::condition_variable& landed, std::set<QString>& inFlight, const QString& path)
      : Lock(lock), LandedSignal(landed), Flying(inFlight), Path(path) {
    std::unique_lock guard(Lock);
    LandedSignal.wait(guard, [&] { return !Flying.count(Path); });
    Flying.insert(Path);
  }
  ~OneFlight() {
    {
      std::lock_guard guard(Lock);
      Flying.erase(Path);
    }
    LandedSignal.notify_all();
  }
  OneFlight(const OneFlight&) = delete;
  OneFlight& operator=(const OneFlight&) = delete;

 private:
  std::mutex& Lock;
  std::condition_variable& LandedSignal;
  std::set<QString>& Flying;
  const QString& Path;
};

}  // namespace

FrameCache::FrameCache(const QString& folder, const Downloader& fetch, long long capBytes, long long decodedBytes)
    : S(std::make_shared<Shared>(folder, fetch, capBytes, decodedBytes)) {}

QString FrameCache::Folder() const { return S->Root; }

long long FrameCache::CapBytes() const { return S->Cap; }

QString FrameCache::PathOf(const std::string& url) const { return S->PathOf(url); }

QString FrameCache::Shared::PathOf(const std::string& url) const {
  const QString path = Root + QDir::cleanPath(QUrl(QString::fromStdString(url)).path());
  return IsCacheFrame(Root, path) ? path : QString();
}

FrameFetch FrameCache::Load(const std::string& url, QImage& image, const DownloadControl& control) const {
  const QString path = S->PathOf(url);
  if (path.isEmpty()) return BadAddress();
  if (S->Remembered(path, image)) {
    MarkCacheFileUsed(S->Root, path);
    return {DownloadResult::Success(), FrameFetch::Source::Memory};
  }
  if (S->FromDisk(path, &image)) return {DownloadResult::Success(), FrameFetch::Source::Disk};
  return S->Download(url, path, &image, control);
}

FrameFetch FrameCache::Store(const std::string& url, const DownloadControl& control) const {
  const QString path = S->PathOf(url);
  if (path.isEmpty()) return BadAddress();
  if (S->FromDisk(path, nullptr)) return {DownloadResult::Success(), FrameFetch::Source::Disk};
  return S->Download(url, path, nullptr, control);
}

// Whether a whole, decodable file is on disk (decoded into image when given, and
// then kept in memory). A file that does not decode is deleted, so that the next
// fetch brings a good one; one larger than any download of its rendition is not even
// read, and the next fetch replaces it.
bool FrameCache::Shared::FromDisk(const QString& path, QImage* image) {
  const std::optional<QByteArray> bytes = ReadCacheFile(Root, path, kAnnouncedOverExpected * RenditionBytes(path));
  if (!bytes) return false;
  QImage decoded;
  if (image ? DecodeImage(*bytes, decoded).Ok : CheckImage(*bytes).Ok) {
    if (!image) return true;
    Remember(path, decoded);
    *image = std::move(decoded);
    return true;
  }
  RemoveCacheFile(path);
  return false;
}

// A frame that cannot be written to disk is still shown (image given); only the cache misses it.
FrameFetch FrameCache::Shared::Download(const std::string& url, const QString& path, QImage* image,
                                        const DownloadControl& control) {
  const OneFlight flight(FlightLock, Landed, InFlight, path);
  if (FromDisk(path, image)) return {DownloadResult::Success(), FrameFetch::Source::Disk};  // brought meanwhile
  DownloadControl sized = control;
  if (sized.ExpectedBytes <= 0) sized.ExpectedBytes = RenditionBytes(path);
  QByteArray bytes;
  DownloadResult result = Net.Fetch(url, bytes, sized);
  QImage decoded;
  if (result && !(image ? DecodeImage(bytes, decoded).Ok : CheckImage(bytes).Ok))
    result = CorruptData(result.HttpStatus);
  if (!result) return Failed(result);
  const std::optional<QString> unwritten = WriteCacheFile(Root, path, bytes);
  bytes.clear();
  if (!unwritten) Trim();
  if (!image && unwritten)
    return Failed(DownloadResult::Failure(DownloadFailure::CannotWrite, *unwritten, result.HttpStatus));
  if (!image) return {result, FrameFetch::Source::Network};
  Remember(path, decoded);
  *image = std::move(decoded);
  return {result, FrameFetch::Source::Network};
}

void FrameCache::Trim() const { S->Trim(); }

void FrameCache::Shared::Trim() {
  const CacheFolderLock lock(Root);
  std::vector<CacheFileEntry> files = ScanCacheFrames(Root);
  long long total = 0;
  for (const CacheFileEntry& f : files) total += f.Bytes;
  if (total <= Cap) return;
  std::sort(files.begin(), files.end(),
            [](const CacheFileEntry& a, const CacheFileEntry& b) { return a.UsedNanoseconds < b.UsedNanoseconds; });
  const long long target = Cap / 100 * kTrimToPercent;
  for (auto f = files.begin(); f != files.end() && total > target; ++f) {
    RemoveCacheFile(f->Path);
    total -= f->Bytes;
  }
}

bool FrameCache::Shared::Remembered(const QString& path, QImage& image) {
  std::lock_guard lock(MemoryLock);
  const QImage* kept = Decoded.object(path);
  if (!kept) return false;
  image = *kept;
  return true;
}

// A frame larger than the whole budget is not kept (QCache refuses it).
void FrameCache::Shared::Remember(const QString& path, const QImage& image) {
  std::lock_guard lock(MemoryLock);
  Decoded.insert(path, new QImage(image), static_cast<qsizetype>(image.sizeInBytes()));
}
