#include "nasa/frame_loading.h"

#include <QFile>

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
  QFile file(QString::fromStdString(GetImageFolder(Site, Large, Hour) + GetFileName("jpg", Hour)));
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  return file.error() == QFileDevice::NoError && DecodeJpeg(bytes, FrameJpeg).Ok;
}

DownloadResult LoadJpgFile(const NasaSite& Site, const FrameCache& Frames, bool Online, bool Large,
                           long double Hour, long double Latitude, QImage& FrameJpeg,
                           const DownloadControl& control) {
  if (Online) return LoadJpgFileUrl(Site, Frames, Hour, Latitude, FrameJpeg, control);
  return LoadJpgFileLocal(Site, Large, Hour, FrameJpeg) ? DownloadResult::Success()
                                                         : DownloadResult::Failure(DownloadFailure::CorruptData, QStringLiteral("unreadable local file"));
}
