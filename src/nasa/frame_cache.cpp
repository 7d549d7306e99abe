// The frame cache: memory, then disk, then the network.
#include "nasa/frame_cache.h"

#include <QCache>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <set>
#include <vector>

#include "nasa/image_decode.h"

namespace fs = std::filesystem;

namespace {

// Once over the cap the folder is trimmed to this share of it, so that the next few
// frames do not each start another walk through the folder.
constexpr long long kTrimToPercent = 90;

// Marks a file as just used; a file another process removed meanwhile is no error.
void Touch(const QString& path) {
  std::error_code ignored;
  fs::last_write_time(fs::path(path.toStdString()), fs::file_time_type::clock::now(), ignored);
}

bool WriteWhole(const QString& path, const QByteArray& bytes) {
  if (!QDir().mkpath(QFileInfo(path).path())) return false;
  QSaveFile file(path);  // a temporary file beside path, renamed over it by commit()
  if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) return false;
  return file.commit();
}

struct CachedFile {
  fs::file_time_type Used;
  long long Bytes;
  fs::path Path;
};

std::vector<CachedFile> FilesUnder(const QString& root) {
  std::vector<CachedFile> files;
  std::error_code ec;
  for (fs::recursive_directory_iterator it(root.toStdString(), ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code gone;  // another process may remove a file while we look
    if (!it->is_regular_file(gone)) continue;
    const auto used = it->last_write_time(gone);
    const auto bytes = it->file_size(gone);
    if (!gone) files.push_back({used, static_cast<long long>(bytes), it->path()});
  }
  return files;
}

FrameFetch Failed(const QString& reason) { return {DownloadResult::Failure(reason), FrameFetch::Source::Network}; }

}  // namespace

QString DefaultFrameCacheFolder() {
  const QString chosen = qEnvironmentVariable("ORVANEL_CACHE_DIR");
  if (!chosen.isEmpty()) return chosen;
  return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) + "/Quenhalse/Orvanel";
}

struct FrameCache::Shared {
  Shared(const QString& folder, const Downloader& fetch, long long capBytes, int decodedKept)
      : Root(QDir::cleanPath(folder)), Net(fetch), Cap(capBytes), Decoded(decodedKept) {}

  QString PathOf(const std::string& url) const;
  FrameFetch Download(const std::string& url, const QString& path, QImage& image, const DownloadControl& control);
  bool ReadFromDisk(const QString& path, QImage& image);
  bool Remembered(const QString& path, QImage& image);
  void Remember(const QString& path, const QImage& image);
  void TrimLocked();

  const QString Root;
  const Downloader Net;
  const long long Cap;
  std::mutex MemoryLock;
  QCache<QString, QImage> Decoded;
  std::mutex TrimLock;
  long long Known = -1;  // bytes on disk as last counted plus those added since; -1: not yet counted
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

FrameCache::FrameCache(const QString& folder, const Downloader& fetch, long long capBytes, int decodedKept)
    : S(std::make_shared<Shared>(folder, fetch, capBytes, decodedKept)) {}

QString FrameCache::Folder() const { return S->Root; }

QString FrameCache::PathOf(const std::string& url) const { return S->PathOf(url); }

QString FrameCache::Shared::PathOf(const std::string& url) const {
  const QString path = QDir::cleanPath(QUrl(QString::fromStdString(url)).path());
  if (!path.startsWith(u'/') || path == "/" || path.contains(QStringLiteral("/.."))) return {};
  return Root + path;
}

FrameFetch FrameCache::Load(const std::string& url, QImage& image, const DownloadControl& control) const {
  const QString path = S->PathOf(url);
  if (path.isEmpty()) return Failed(QStringLiteral("bad address"));
  if (S->Remembered(path, image)) {
    Touch(path);
    return {DownloadResult::Success(), FrameFetch::Source::Memory};
  }
  if (S->ReadFromDisk(path, image)) {
    Touch(path);
    S->Remember(path, image);
    return {DownloadResult::Success(), FrameFetch::Source::Disk};
  }
  return S->Download(url, path, image, control);
}

FrameFetch FrameCache::Store(const std::string& url, const DownloadControl& control) const {
  const QString path = S->PathOf(url);
  if (path.isEmpty()) return Failed(QStringLiteral("bad address"));
  if (QFileInfo::exists(path)) return {DownloadResult::Success(), FrameFetch::Source::Disk};
  QImage image;
  return S->Download(url, path, image, control);
}

// A file that does not decode is deleted, so that the next fetch brings a good one.
bool FrameCache::Shared::ReadFromDisk(const QString& path, QImage& image) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  file.close();
  if (DecodeImage(bytes, image)) return true;
  QFile::remove(path);
  return false;
}

// A frame that cannot be written to disk is still shown; only the cache misses it.
FrameFetch FrameCache::Shared::Download(const std::string& url, const QString& path, QImage& image,
                                        const DownloadControl& control) {
  const OneFlight flight(FlightLock, Landed, InFlight, path);
  if (ReadFromDisk(path, image)) {  // another thread brought it while this one waited
    Remember(path, image);
    return {DownloadResult::Success(), FrameFetch::Source::Disk};
  }
  QByteArray bytes;
  DownloadResult result = Net.Fetch(url, bytes, control);
  QImage decoded;
  if (result.Ok && !DecodeImage(bytes, decoded)) result = DownloadResult::Failure(QStringLiteral("corrupt data"));
  if (!result.Ok) return Failed(result.Reason);
  if (WriteWhole(path, bytes)) {
    std::lock_guard lock(TrimLock);
    if (Known >= 0) Known += bytes.size();
    if (Known < 0 || Known > Cap) TrimLocked();
  }
  Remember(path, decoded);
  image = std::move(decoded);
  return {result, FrameFetch::Source::Network};
}

void FrameCache::Trim() const {
  std::lock_guard lock(S->TrimLock);
  S->TrimLocked();
}

void FrameCache::Shared::TrimLocked() {
  std::vector<CachedFile> files = FilesUnder(Root);
  long long total = 0;
  for (const CachedFile& f : files) total += f.Bytes;
  if (total > Cap) {
    std::sort(files.begin(), files.end(), [](const CachedFile& a, const CachedFile& b) { return a.Used < b.Used; });
    const long long target = Cap / 100 * kTrimToPercent;
    for (auto f = files.begin(); f != files.end() && total > target; ++f) {
      std::error_code ec;
      if (fs::remove(f->Path, ec) || !fs::exists(f->Path, ec)) total -= f->Bytes;
    }
  }
  Known = total;
}

bool FrameCache::Shared::Remembered(const QString& path, QImage& image) {
  std::lock_guard lock(MemoryLock);
  const QImage* kept = Decoded.object(path);
  if (!kept) return false;
  image = *kept;
  return true;
}

void FrameCache::Shared::Remember(const QString& path, const QImage& image) {
  std::lock_guard lock(MemoryLock);
  Decoded.insert(path, new QImage(image));
}
