// TForm1's show pipeline: every change of what the window shows is one ShowBoth.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QFutureWatcher>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>
#include <cmath>

#include "app/image_box.h"
#include "app/main_form.h"
#include "app/message_box_reporter.h"
#include "astro/parallactic_angle.h"
#include "core/calculate_data.h"
#include "core/data_panel.h"
#include "core/navigation_steps.h"
#include "nasa/frame_loading.h"
#include "nasa/nasa_tables.h"
#include "nasa/nasa_urls.h"
#include "nasa/hour_values.h"
#include "render/altitude_chart.h"
#include "render/drawn_moon.h"
#include "render/moon_view.h"

namespace {

// Everything a worker needs to fetch the frames of one hour: copies, so that it
// shares nothing with the window.
struct FrameRequest {
  NasaSite Site;
  FrameCache Frames;  // a copy sharing the window's cache, valid however long the worker runs
  bool Online;
  long double Instant;
  long double CurrentDateTime;
  long double Latitude;
  ViewKind View;
  MoonHourValues Values;  // for the Moon drawn when NASA's frame cannot be had
  QImage PreviousJpeg;    // kept when the local folder has no file for the hour
  std::shared_ptr<RunningDownloads::Download> Download;  // cancelled when the window closes
};

QString FailureNotice(const QString& file, const QString& reason) {
  return " Could not load " + file + ": " + reason;
}

// NASA's Moon frame of the hour, or the Moon drawn by the program when the year
// has no series, the view asks for it or the frame cannot be had; and for the
// chart, orbit and globe views NASA's TIFF frame (null when it could not be had).
FetchedFrames FetchFrames(const FrameRequest& r) {
  const DownloadControl control = RunningDownloads::ControlOf(*r.Download);
  FetchedFrames f;
  f.Jpeg = r.PreviousJpeg;
  const bool nasa = HasNasaSeries(r.CurrentDateTime);
  if (nasa && r.View != ViewKind::Drawn) {
    const DownloadResult jpeg =
        LoadJpgFile(r.Site, r.Frames, r.Online, true, r.Instant, r.CurrentDateTime, r.Latitude, f.Jpeg, control);
    if (!jpeg.Ok) f.Failure = FailureNotice(QString::fromStdString(GetFileName("jpg", r.Instant)), jpeg.Reason);
    f.Drawn = !jpeg.Ok;
  } else {
    f.Drawn = true;
  }
  if (f.Drawn) f.Jpeg = DrawMoonFrame(r.Values);
  if (nasa && !IsMoonView(r.View)) {
    const std::string url =
        NasaFrameUrl(r.Site, DescriptionOf(r.View).ScreenKey, r.CurrentDateTime, r.CurrentDateTime, r.Latitude);
    const FrameFetch tiff = r.Frames.Load(url, f.Tiff, control);
    if (!tiff.Result.Ok) {
      f.Tiff = QImage();
      f.Failure = FailureNotice(QString::fromStdString(url.substr(url.rfind('/') + 1)), tiff.Result.Reason);
    }
  }
  return f;
}

// What the status bar says of where the hour's picture and values come from, and
// why a frame could not be had; empty when all is NASA's.
QString SourceNotice(const MoonRecord& r, ViewKind view, const FetchedFrames& frames, long double x) {
  if (!r.FromNasa)
    return QStringLiteral(" Computed values and Moon drawn by Orvanel: NASA publishes no hourly series for %1")
        .arg(YearOf(x));
  if (frames.Drawn && view != ViewKind::Drawn)
    return QStringLiteral(" Moon drawn by Orvanel: NASA's frame is unavailable.") + frames.Failure;
  return frames.Failure;
}

// A frame slower than this is stood in for by the drawn Moon until it comes, so that
// a slow or stalled server never leaves the window without its hour.
constexpr int kStandInAfterMs = 1500;

// The longest step the window takes is a day; a longer move (a jump to a date, the
// wrap at the ends of the range) gives no direction of travel.
constexpr long double kLongestStepDays = 1.5L;

// Asks for the hours ahead in the direction of the step from `from` to x.
void PrefetchAfter(const Services& svc, const ProgramState& state, long double x, long double from) {
  if (!svc.Prefetch || x == from || std::abs(x - from) > kLongestStepDays) return;
  const long double step = StepDays(state.GlobStep) * (x > from ? 1 : -1);
  svc.Prefetch->Want(FramesAhead(svc.Site, state.View, x, step, kPrefetchAhead, state.Latitude));
}

void ApplyLabel(QLabel* label, const std::optional<LabelText>& text) {
  if (!text) return;
  label->setText(text->Text);
  SetLabelColour(label, ToQColor(text->TextColor));
  label->adjustSize();
}

}  // namespace

void TForm1::ShowBoth(long double x) {
  if (!ShowPending()) StatusBeforeLoading = StatusBar1->text();
  const quint64 generation = ++ShowGeneration;
  const MoonRecord r = CalculateData(x);
  const auto download = Downloads.Start();
  const FrameRequest request{Svc.Site,      Svc.Frames,     OnlineFilesBox->isChecked(), x,
                             State.CurrentDateTime, State.Latitude, State.View, HourValuesOf(r),
                             FrameJpeg,         download};
  if (request.Online && HasNasaSeries(x) && State.View != ViewKind::Drawn)
    SetStatusText(" Loading " + QString::fromStdString(GetFileName("jpg", x)) + " from NASA ...");
  setCursor(Qt::BusyCursor);
  auto* watcher = new QFutureWatcher<FetchedFrames>(this);
  connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation, x, r, download] {
    watcher->deleteLater();
    Downloads.Finish(download);
    if (generation != ShowGeneration) return;  // overtaken by a newer request
    ApplyShow(x, r, watcher->result());
    ShownGeneration = generation;
  });
  // The timer dies with the watcher, so a frame that came in time has no stand-in.
  QTimer::singleShot(kStandInAfterMs, watcher, [this, generation, x, r] {
    if (generation == ShowGeneration) ShowStandIn(x, r);
  });
  watcher->setFuture(QtConcurrent::run(FetchFrames, request));
}

// The hour with the drawn Moon while NASA's frame is still on its way. The request
// stays pending: its frame replaces the stand-in, and the animation waits for it.
void TForm1::ShowStandIn(long double x, const MoonRecord& r) {
  FetchedFrames standIn;
  standIn.Jpeg = DrawMoonFrame(HourValuesOf(r));
  standIn.Drawn = true;
  PresentHour(x, r, standIn);
  SetStatusText(" Loading " + QString::fromStdString(GetFileName("jpg", x)) +
                " from NASA ... the Moon drawn by Orvanel stands in meanwhile");
}

// The hour's frames have come: the window shows them and the request is done.
void TForm1::ApplyShow(long double x, const MoonRecord& r, const FetchedFrames& frames) {
  PresentHour(x, r, frames);
  State.AnimationRunning = false;
  emit Shown(x);
}

// The panel, the pictures and the labels change here together, for one hour.
void TForm1::PresentHour(long double x, const MoonRecord& r, const FetchedFrames& frames) {
  unsetCursor();
  SetStatusText(StatusBeforeLoading);
  if (OnlineFilesBox->isChecked()) PrefetchAfter(Svc, State, x, State.CurrentMoonRecord.DateTime);
  State.CurrentMoonRecord = r;
  ShowAllData(r);
  FrameJpeg = frames.Jpeg;
  FrameTiff = frames.Tiff;
  ShowMoon(State.View, x);
  DrawPolyLine(x);
  const QString notice = SourceNotice(r, State.View, frames, x);
  if (!notice.isEmpty()) SetStatusText(notice);
  UpdateActions();
}

MoonRecord TForm1::CalculateData(long double x) {
  return CalculateMoonRecord(x, State.Latitude, State.Longitude, Svc.Zone, HourValuesAt, std::ref(RiseSets));
}

void TForm1::ShowAllData(const MoonRecord& r) {
  Memo1->clear();
  if (!ShowDataBox->isChecked()) return;
  Memo1->setUpdatesEnabled(false);
  Memo1->setPlainText(DataPanelLines(r, State.Latitude, State.Longitude, Svc.Zone, QLocale()).join('\n'));
  Memo1->setUpdatesEnabled(true);
}

MoonViewOptions TForm1::ViewOptions() const {
  MoonViewOptions o;
  o.ShowLines = ShowLinesBox->isChecked();
  o.RotateParallactic = RotateBox->isChecked();
  o.Latitude = State.Latitude;
  o.Longitude = State.Longitude;
  o.CurrentDateTime = State.CurrentDateTime;
  o.ImageSize = State.ImageSize;
  return o;
}

void TForm1::ApplyViewLabels(const ViewLabels& labels) {
  if (labels.CalendarDate) MonthCal->setSelectedDate(*labels.CalendarDate);
  if (labels.RotateBoxVisible) RotateBox->setVisible(*labels.RotateBoxVisible);
  ApplyLabel(UTCLab, labels.UTCLab);
  ApplyLabel(LocLab, labels.LocLab);
  ApplyLabel(ParallacticLab, labels.ParallacticLab);
  ApplyLabel(ParallacticLab2, labels.ParallacticLab2);
  if (labels.StatusText) SetStatusText(*labels.StatusText);
}

void TForm1::ShowMoon(ViewKind View, long double Instant) {
  MessageBoxReporter reporter(this);
  const MoonViewServices services{Svc.Zone, reporter};
  ApplyViewLabels(::ShowMoon(View, Instant, State.CurrentMoonRecord, ViewOptions(), services, FrameJpeg, FrameTiff,
                             Image2->Picture()));
  Image2->PictureChanged();
}

void TForm1::DrawPolyLine(long double Instant) {
  MessageBoxReporter reporter(this);
  const MoonViewServices services{Svc.Zone, reporter};
  ApplyViewLabels(::DrawPolyLine(Instant, State.CurrentMoonRecord, ViewOptions(), services, FrameJpeg,
                                 Image1->Picture()));
  Image1->PictureChanged();
}

long double TForm1::GetParallacticAngle(long double Lat, long double Lon, long double DateTime) {
  return ParallacticAngleForObserver(Lat, Lon, static_cast<double>(DateTime));
}
