// Fetching the pictures of one hour, away from the window: NASA's Moon frame (or the
// Moon drawn by the program where NASA has none or it cannot be had) and, for the
// chart, orbit and globe views, the view's own frame.
#pragma once

#include <QImage>
#include <QString>
#include <memory>

#include "core/moon_record.h"
#include "core/view_kind.h"
#include "nasa/frame_cache.h"
#include "nasa/frame_naming.h"
#include "nasa/running_downloads.h"

class QThreadPool;

// The pictures a show request fetched for its hour.
struct FetchedFrames {
  QImage Jpeg;        // NASA's Moon frame, or the Moon drawn by the program
  bool Drawn = false; // Jpeg was drawn
  QImage Tiff;        // the chart, orbit or globe view's frame; null when it could not be had
  QString Failure;    // the status bar's word on a frame that could not be had
};

// Everything a worker needs to fetch the frames of one hour: copies, so that it
// shares nothing with the session and may outlive it.
struct FrameRequest {
  NasaSite Site;
  FrameCache Frames;  // a copy sharing the program's cache
  bool Online;
  long double Hour;
  long double Latitude;
  ViewKind View;
  bool NasaFrameInEclipse;  // NASA's frame even during an eclipse, which it does not show
  MoonRecord Record;      // for the Moon drawn when NASA's frame cannot be had
  QImage PreviousJpeg;    // kept when the local folder has no file for the hour
  std::shared_ptr<RunningDownloads::Download> Download;  // cancelled when the request is overtaken
  QThreadPool* DrawnMoonRows;                            // shares the drawn Moon's rows
};

FetchedFrames FetchFrames(const FrameRequest& r);

// The Moon the program draws for the hour in a view: from the place for "Moon from
// here", else from the Earth's centre as NASA's frame of the place's hemisphere shows
// it (south up south of the equator), with the Earth's shadow during an eclipse.
QImage DrawnMoonOf(ViewKind view, const MoonRecord& record, QThreadPool* rows);

// Whether the drawn Moon takes the place of NASA's frame of the hour: NASA's frames do
// not show the Earth's shadow.
bool DrawnForEclipse(long double hour, bool nasaFrameInEclipse);

// The frame name shown while the hour's frame is loading ("moon.3859.jpg").
QString LoadingFileName(long double hour);
