#include "nasa/frame_loading.h"

#include <QFile>

#include "nasa/image_decode.h"

bool LoadJpgFileUrl(const NasaSite& Site, const Downloader& Fetch, long double Instant, long double CurrentDateTime,
                    long double Latitude, QImage& FrameJpeg) {
  return Fetch.DownloadJpeg(NasaFrameUrl(Site, kScreenFrameKey, Instant, CurrentDateTime, Latitude), FrameJpeg);
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
