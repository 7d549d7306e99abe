#include "nasa/frame_loading.h"

#include <QFileInfo>

#include "core/regular_file.h"
#include "nasa/image_decode.h"
#include "nasa/nasa_urls.h"

DownloadResult LoadJpgFileUrl(const NasaSite& Site, const FrameCache& Frames, long double Hour,
                              long double Latitude, QImage& FrameJpeg, const DownloadControl& control) {
  if (!HasNasaSeries(Hour)) return DownloadResult::Failure(DownloadFailure::BadAddress, QStringLiteral("no NASA series"));
  QImage frame;
  const DownloadResult result = Frames.Load(NasaFrameUrl(Site, kScreenFrameKey, Hour, Latitude), frame, control).Result;
  if (result.Ok) FrameJpeg = SouthFromNorth(Hour, Latitude) ? frame.mirrored(true, true) : frame;
  return result;
}

bool LoadJpgFileLocal(const NasaSite& Site, bool Large, long double Hour, QImage& FrameJpeg) {
  const QString path = QString::fromStdString(GetImageFolder(Site, Large, Hour) + GetFileName("jpg", Hour));
  if (!QFileInfo::exists(path)) return true;
  const std::optional<QByteArray> bytes = ReadRegularFile(path);
  return bytes && DecodeJpeg(*bytes, FrameJpeg).Ok;
}

DownloadResult LoadJpgFile(const NasaSite& Site, const FrameCache& Frames, bool Online, bool Large,
                           long double Hour, long double Latitude, QImage& FrameJpeg,
                           const DownloadControl& control) {
  if (Online) return LoadJpgFileUrl(Site, Frames, Hour, Latitude, FrameJpeg, control);
  return LoadJpgFileLocal(Site, Large, Hour, FrameJpeg) ? DownloadResult::Success()
                                                         : DownloadResult::Failure(DownloadFailure::CorruptData, QStringLiteral("unreadable local file"));
}
