#include "nasa/frame_loading.h"

#include <QFile>

#include "nasa/image_decode.h"
#include "nasa/nasa_urls.h"

bool LoadJpgFileUrl(const NasaSite& Site, const Downloader& Fetch, long double Instant, long double CurrentDateTime,
                    long double Latitude, QImage& FrameJpeg) {
  if (!HasNasaSeries(CurrentDateTime)) return false;
  QImage frame;
  if (!Fetch.DownloadJpeg(NasaFrameUrl(Site, kScreenFrameKey, Instant, CurrentDateTime, Latitude), frame)) return false;
  FrameJpeg = SouthFromNorth(CurrentDateTime, Latitude) ? frame.mirrored(true, true) : frame;
  return true;
}

bool LoadJpgFileLocal(const NasaSite& Site, bool Large, long double Instant, long double CurrentDateTime,
                      QImage& FrameJpeg) {
  QFile file(QString::fromStdString(GetImageFolder(Site, Large, CurrentDateTime) + GetFileName("jpg", Instant)));
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  return file.error() == QFileDevice::NoError && DecodeJpeg(bytes, FrameJpeg);
}

bool LoadJpgFile(const NasaSite& Site, const Downloader& Fetch, bool Online, bool Large, long double Instant,
                 long double CurrentDateTime, long double Latitude, QImage& FrameJpeg) {
  return Online ? LoadJpgFileUrl(Site, Fetch, Instant, CurrentDateTime, Latitude, FrameJpeg)
                : LoadJpgFileLocal(Site, Large, Instant, CurrentDateTime, FrameJpeg);
}
