// TForm1's show pipeline: every change of what the window shows is one ShowBoth.
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QEventLoop>
#include <QLabel>
#include <QPlainTextEdit>
#include <QThread>

#include "app/calculate_data.h"
#include "app/data_panel.h"
#include "app/image_box.h"
#include "app/main_form.h"
#include "app/message_box_reporter.h"
#include "app/system_time_zone.h"
#include "astro/parallactic_angle.h"
#include "nasa/downloader.h"
#include "nasa/frame_loading.h"
#include "nasa/frame_naming.h"
#include "render/altitude_chart.h"
#include "render/moon_view.h"

namespace {

// Runs a blocking fetch on a worker thread while the window keeps painting; user
// input waits until the fetch has ended, so no second show can start inside this one.
template <typename Fetch>
bool FetchWhileRepainting(Fetch fetch) {
  bool ok = false;
  QEventLoop loop;
  QThread* worker = QThread::create([&ok, &fetch] { ok = fetch(); });
  QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  worker->start();
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  worker->wait();
  delete worker;
  QApplication::restoreOverrideCursor();
  return ok;
}

void ApplyLabel(QLabel* label, const std::optional<LabelText>& text) {
  if (!text) return;
  label->setText(text->Text);
  SetLabelColour(label, ToQColor(text->TextColor));
  label->adjustSize();
}

}  // namespace

void TForm1::ShowBoth(long double x) {
  const MoonRecord r = CalculateData(x);
  State.CurrentMoonRecord = r;
  ShowAllData(State.CurrentMoonRecord);
  const int k = State.ViewKind;
  if (LoadJpgFile(true, x)) {
    ShowMoon(k, x);
    DrawPolyLine(x);
  }
}

MoonRecord TForm1::CalculateData(long double x) {
  return CalculateMoonRecord(x, State.Latitude, State.Longitude, ProgramTimeZone());
}

void TForm1::ShowAllData(const MoonRecord& r) {
  Memo1->clear();
  if (!ShowDataBox->isChecked()) {
    LetEventsRun();
    return;
  }
  Memo1->setUpdatesEnabled(false);
  Memo1->setPlainText(
      DataPanelLines(r, State.Latitude, State.Longitude, ProgramTimeZone(), QLocale()).join('\n'));
  Memo1->setUpdatesEnabled(true);
  LetEventsRun();
}

bool TForm1::LoadJpgFile(bool Large, long double Instant) {
  return OnlineFilesBox->isChecked() ? LoadJpgFileUrl(Instant) : LoadJpgFileLocal(Large, Instant);
}

bool TForm1::LoadJpgFileUrl(long double Instant) {
  const QString before = StatusBar1->text();
  SetStatusText(" Loading " + QString::fromStdString(GetFileName("jpg", Instant)) + " from NASA ...");
  QImage frame = State.FrameJpeg;
  const long double current = State.CurrentDateTime;
  const long double latitude = State.Latitude;
  const bool ok = FetchWhileRepainting(
      [&] { return ::LoadJpgFileUrl(Instant, current, latitude, frame); });
  SetStatusText(before);
  if (ok) State.FrameJpeg = frame;
  return ok;
}

bool TForm1::LoadJpgFileLocal(bool Large, long double Instant) {
  return ::LoadJpgFileLocal(Large, Instant, State.CurrentDateTime, State.FrameJpeg);
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

void TForm1::ShowMoon(int ViewKind, long double Instant) {
  MessageBoxReporter reporter(this);
  const FrameFetcher fetch = [](const std::string& url, QImage& image) {
    return FetchWhileRepainting([&] { return DownloadGraphic(url, image); });
  };
  const MoonViewServices services{ProgramTimeZone(), fetch, reporter};
  ApplyViewLabels(::ShowMoon(ViewKind, Instant, State.CurrentMoonRecord, ViewOptions(), services,
                             State.FrameJpeg, State.FrameTiff, Image2->Picture()));
  Image2->PictureChanged();
  LetEventsRun();
}

void TForm1::DrawPolyLine(long double Instant) {
  MessageBoxReporter reporter(this);
  const MoonViewServices services{ProgramTimeZone(), FrameFetcher(), reporter};
  ApplyViewLabels(::DrawPolyLine(Instant, State.CurrentMoonRecord, ViewOptions(), services,
                                 State.FrameJpeg, Image1->Picture()));
  Image1->PictureChanged();
  LetEventsRun();
}

long double TForm1::GetParallacticAngle(long double Lat, long double Lon, long double DateTime) {
  return ParallacticAngleForObserver(Lat, Lon, static_cast<double>(DateTime));
}
