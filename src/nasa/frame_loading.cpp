#include "nasa/frame_loading.h"

#include <QFile>

#include "nasa/image_decode.h"
#include "nasa/nasa_urls.h"

DownloadResult LoadJpgFileUrl(const NasaSite& Site, const FrameCache& Frames, long double Instant,
                              long double CurrentDateTime, long double Latitude, QImage& FrameJpeg,
                              const DownloadControl& control) {
  if (!HasNasaSeries(CurrentDateTime)) return DownloadResult::Failure(DownloadFailure::BadAddress, QStringLiteral("no NASA series"));
  QImage frame;
  const DownloadResult result =
      Frames.Load(NasaFrameUrl(Site, kScreenFrameKey, Instant, CurrentDateTime, Latitude), frame, control).Result;
  if (result.Ok) FrameJpeg = SouthFromNorth(CurrentDateTime, Latitude) ? frame.mirrored(true, true) : frame;
  return result;
}

bool LoadJpgFileLocal(const NasaSite& Site, bool Large, long double Instant, long double CurrentDateTime,
                      QImage& FrameJpeg) {
  QFile file(QString::fromStdString(GetImageFolder(Site, Large, CurrentDateTime) + GetFileName("jpg", Instant)));
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  return file.error() == QFileDevice::NoError && DecodeJpeg(bytes, FrameJpeg).Ok;
}

DownloadResult LoadJpgFile(const NasaSite& Site, const FrameCache& Frames, bool Online, bool Large,
                           long double Instant, long double CurrentDateTime, long double Latitude, QImage& FrameJpeg,
                           const DownloadControl& control) {
  if (Online) return LoadJpgFileUrl(Site, Frames, Instant, CurrentDateTime, Latitude, FrameJpeg, control);
  return LoadJpgFileLocal(Site, Large, Instant, CurrentDateTime, FrameJpeg)
             ? DownloadResult::Success()
             : DownloadResult::Failure(DownloadFailure::CorruptData, QStringLiteral("unreadable local file"));
}
