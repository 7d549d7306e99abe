#include "nasa/frame_loading.h"

#include <QFile>

#include "nasa/downloader.h"
#include "nasa/frame_naming.h"
#include "nasa/image_decode.h"

bool LoadJpgFileUrl(long double Instant, long double CurrentDateTime, long double Latitude, QImage& FrameJpeg) {
  return DownloadJpeg(NasaFrameUrl(kScreenFrameKey, Instant, CurrentDateTime, Latitude), FrameJpeg);
}

bool LoadJpgFileLocal(bool Large, long double Instant, long double CurrentDateTime, QImage& FrameJpeg) {
  QFile file(QString::fromStdString(GetImageFolder(Large, CurrentDateTime) + GetFileName("jpg", Instant)));
  if (!file.exists()) return true;
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  return file.error() == QFileDevice::NoError && DecodeJpeg(bytes, FrameJpeg);
}

bool LoadJpgFile(bool Online, bool Large, long double Instant, long double CurrentDateTime, long double Latitude,
                 QImage& FrameJpeg) {
  return Online ? LoadJpgFileUrl(Instant, CurrentDateTime, Latitude, FrameJpeg)
                : LoadJpgFileLocal(Large, Instant, CurrentDateTime, FrameJpeg);
}
