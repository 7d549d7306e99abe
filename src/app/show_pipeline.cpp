// TForm1's show pipeline: every change of what the window shows is one ShowBoth.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QFutureWatcher>
#include <QLabel>
#include <QPlainTextEdit>
#include <QtConcurrent/QtConcurrentRun>
#include <utility>

#include "app/image_box.h"
#include "app/main_form.h"
#include "app/message_box_reporter.h"
#include "astro/parallactic_angle.h"
#include "core/calculate_data.h"
#include "core/data_panel.h"
#include "nasa/frame_loading.h"
#include "nasa/nasa_tables.h"
#include "render/altitude_chart.h"
#include "render/moon_view.h"

namespace {

// Everything a worker needs to fetch the frames of one hour: copies, so that it
// shares nothing with the window.
struct FrameRequest {
  NasaSite Site;
  Downloader Fetch;
  bool Online;
  long double Instant;
  long double CurrentDateTime;
  long double Latitude;
  ViewKind View;
  QImage PreviousJpeg;  // kept when the local folder has no file for the hour
};

struct FetchedFrames {
  bool JpegLoaded = false;
  QImage Jpeg;
  QImage Tiff;  // the chart, orbit or globe view's frame; null when it could not be had
};

FetchedFrames FetchFrames(const FrameRequest& r) {
  FetchedFrames f;
  f.Jpeg = r.PreviousJpeg;
  f.JpegLoaded = LoadJpgFile(r.Site, r.Fetch, r.Online, true, r.Instant, r.CurrentDateTime, r.Latitude, f.Jpeg);
  if (f.JpegLoaded && r.View != ViewKind::Moon) {
    const int key = DescriptionOf(r.View).ScreenKey;
    if (!r.Fetch.DownloadGraphic(NasaFrameUrl(r.Site, key, r.CurrentDateTime, r.CurrentDateTime, r.Latitude), f.Tiff))
      f.Tiff = QImage();
  }
  return f;
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
  const FrameRequest request{Svc.Site,         Svc.Fetch,      OnlineFilesBox->isChecked(),
                             x,                State.CurrentDateTime, State.Latitude,
                             State.View,       FrameJpeg};
  if (request.Online)
    SetStatusText(" Loading " + QString::fromStdString(GetFileName("jpg", x)) + " from NASA ...");
  setCursor(Qt::BusyCursor);
  auto* watcher = new QFutureWatcher<FetchedFrames>(this);
  connect(watcher, &QFutureWatcherBase::finished, this, [this, watcher, generation, x, r] {
    watcher->deleteLater();
    if (generation != ShowGeneration) return;  // overtaken by a newer request
    const FetchedFrames f = watcher->result();
    ApplyShow(x, r, f.JpegLoaded, f.Jpeg, f.Tiff);
    ShownGeneration = generation;
  });
  watcher->setFuture(QtConcurrent::run(FetchFrames, request));
}

// The panel, the pictures and the labels change here together, for one hour. A
// frame that could not be had keeps both pictures as they were.
void TForm1::ApplyShow(long double x, const MoonRecord& r, bool frameLoaded, const QImage& jpeg, const QImage& tiff) {
  unsetCursor();
  SetStatusText(StatusBeforeLoading);
  State.CurrentMoonRecord = r;
  ShowAllData(r);
  if (frameLoaded) {
    FrameJpeg = jpeg;
    FrameTiff = tiff;
    ShowMoon(State.View, x);
    DrawPolyLine(x);
  }
  if (!NoticeAfterShow.isEmpty()) SetStatusText(std::exchange(NoticeAfterShow, QString()));
  State.AnimationRunning = false;
  emit Shown(x);
}

MoonRecord TForm1::CalculateData(long double x) {
  return CalculateMoonRecord(x, State.Latitude, State.Longitude, Svc.Zone, NasaHourValues);
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
