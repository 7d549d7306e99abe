#include "session/fetched_frames.h"

#include "core/frame_file_name.h"
#include "nasa/frame_loading.h"
#include "nasa/nasa_urls.h"
#include "astro/lunar_eclipses.h"
#include "render/drawn_moon.h"
#include "render/eclipse_shadow.h"
#include "render/moon_from_here.h"

namespace {

QString FailureNotice(const QString& file, const QString& reason) {
  return " Could not load " + file + ": " + reason;
}

}  // namespace

QImage DrawnMoonOf(ViewKind view, const MoonRecord& record, QThreadPool* rows) {
  if (view == ViewKind::FromHere) return DrawMoonFrameFromHere(record);
  const QImage northUp = DrawEclipsedMoonFrame(HourValuesOf(record), record.DateTime, rows);
  // South of the equator NASA's frames are of its south series: the north's mirrored
  // both ways, as the names are placed on them.
  return record.Latitude < 0 ? northUp.mirrored(true, true) : northUp;
}

bool DrawnForEclipse(long double hour, bool nasaFrameInEclipse) {
  return !nasaFrameInEclipse && LunarEclipseAt(static_cast<double>(hour)).has_value();
}

QString LoadingFileName(long double hour) { return QString::fromStdString(GetFileName("jpg", hour)); }

// NASA's Moon frame of the hour, or the Moon drawn by the program when the year has
// no series, the view asks for it or the frame cannot be had; and for the chart,
// orbit and globe views NASA's TIFF frame (null when it could not be had).
FetchedFrames FetchFrames(const FrameRequest& r) {
  const DownloadControl control = RunningDownloads::ControlOf(*r.Download);
  FetchedFrames f;
  f.Jpeg = r.PreviousJpeg;
  const bool nasa = HasNasaSeries(r.Hour);
  f.Drawn = !nasa || IsDrawnView(r.View) || DrawnForEclipse(r.Hour, r.NasaFrameInEclipse);
  if (!f.Drawn) {
    const DownloadResult jpeg = LoadJpgFile(r.Site, r.Frames, r.Online, true, r.Hour, r.Latitude, f.Jpeg, control);
    if (!jpeg.Ok) f.Failure = FailureNotice(LoadingFileName(r.Hour), jpeg.Reason);
    f.Drawn = !jpeg.Ok;
  }
  if (r.Download->Cancel) return f;  // overtaken: nobody will look at it
  if (f.Drawn) f.Jpeg = DrawnMoonOf(r.View, r.Record, r.DrawnMoonRows);
  if (nasa && !IsMoonView(r.View)) {
    const std::string url = NasaFrameUrl(r.Site, DescriptionOf(r.View).ScreenKey, r.Hour, r.Latitude);
    const FrameFetch tiff = r.Frames.Load(url, f.Tiff, control);
    if (!tiff.Result.Ok) {
      f.Tiff = QImage();
      f.Failure = FailureNotice(QString::fromStdString(url.substr(url.rfind('/') + 1)), tiff.Result.Reason);
    }
  }
  return f;
}
