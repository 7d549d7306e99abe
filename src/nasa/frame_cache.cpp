// The frame cache: memory, then disk, then the network.
#include "nasa/frame_cache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <algorithm>
#include <filesystem>
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

}  // namespace

FrameCache::FrameCache(const QString& folder, const Downloader& fetch, long long capBytes, int decodedKept)
    : Root(QDir::cleanPath(folder)), Net(fetch), Cap(capBytes), Decoded(decodedKept) {}

QString FrameCache::PathOf(const std::string& url) const {
  const QString path = QDir::cleanPath(QUrl(QString::fromStdString(url)).path());
  if (!path.startsWith(u'/') || path == "/" || path.contains(QStringLiteral("/.."))) return {};
  return Root + path;
}

FrameFetch FrameCache::Load(const std::string& url, QImage& image) {
  const QString path = PathOf(url);
  if (path.isEmpty()) return {DownloadResult::Failure(QStringLiteral("bad address")), FrameFetch::Source::Network};
  if (Remembered(path, image)) {
    Touch(path);
    return {DownloadResult::Success(), FrameFetch::Source::Memory};
  }
  if (ReadFromDisk(path, image)) {
    Touch(path);
    Remember(path, image);
    return {DownloadResult::Success(), FrameFetch::Source::Disk};
  }
  return Download(url, path, image);
}

FrameFetch FrameCache::Store(const std::string& url) {
  const QString path = PathOf(url);
  if (path.isEmpty()) return {DownloadResult::Failure(QStringLiteral("bad address")), FrameFetch::Source::Network};
  if (QFileInfo::exists(path)) return {DownloadResult::Success(), FrameFetch::Source::Disk};
  QImage image;
  return Download(url, path, image);
}

// A file that does not decode is deleted, so that the next fetch brings a good one.
bool FrameCache::ReadFromDisk(const QString& path, QImage& image) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  file.close();
  if (DecodeImage(bytes, image)) return true;
  QFile::remove(path);
  return false;
}

// A frame that cannot be written to disk is still shown; only the cache misses it.
FrameFetch FrameCache::Download(const std::string& url, const QString& path, QImage& image) {
  QByteArray bytes;
  DownloadResult result = Net.Fetch(url, bytes);
  QImage decoded;
  if (result.Ok && !DecodeImage(bytes, decoded)) result = DownloadResult::Failure(QStringLiteral("corrupt data"));
  if (!result.Ok) return {result, FrameFetch::Source::Network};
  if (WriteWhole(path, bytes)) {
    std::lock_guard lock(TrimLock);
    if (Known >= 0) Known += bytes.size();
    if (Known < 0 || Known > Cap) TrimLocked();
  }
  Remember(path, decoded);
  image = std::move(decoded);
  return {result, FrameFetch::Source::Network};
}

void FrameCache::Trim() {
  std::lock_guard lock(TrimLock);
  TrimLocked();
}

void FrameCache::TrimLocked() {
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

bool FrameCache::Remembered(const QString& path, QImage& image) {
  std::lock_guard lock(MemoryLock);
  const QImage* kept = Decoded.object(path);
  if (!kept) return false;
  image = *kept;
  return true;
}

void FrameCache::Remember(const QString& path, const QImage& image) {
  std::lock_guard lock(MemoryLock);
  Decoded.insert(path, new QImage(image));
}
