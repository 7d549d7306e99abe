// TForm1 draws what the session shows: the panel, the pictures and the labels change
// here together, for one hour.
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>

#include "app/image_box.h"
#include "app/main_form.h"
#include "app/message_box_reporter.h"
#include "core/data_panel.h"
#include "core/eclipse_circumstances.h"
#include "core/place_day_lines.h"
#include "nasa/nasa_urls.h"
#include "render/altitude_chart.h"
#include "render/moon_view.h"

namespace {

// What the status bar says of where the hour's picture and values come from, and
// why a frame could not be had; empty when all is NASA's.
QString SourceNotice(const ShownHour& h, bool nasaInEclipse) {
  if (h.Record.FromNasa && IsMoonView(h.View) && !IsDrawnView(h.View) && DrawnForEclipse(h.Hour, nasaInEclipse))
    return QStringLiteral(" Lunar eclipse: NASA's frames do not show the Earth's shadow, so the Moon drawn by Orvanel "
                          "shows it (tick \"NASA in Eclipse\" for NASA's frame)");
  if (!h.Record.FromNasa)
    return QStringLiteral(" Computed values and Moon drawn by Orvanel: NASA publishes no hourly series for %1")
        .arg(YearOf(h.Hour));
  if (h.Frames.Drawn && !IsDrawnView(h.View))
    return QStringLiteral(" Moon drawn by Orvanel: NASA's frame is unavailable.") + h.Frames.Failure;
  return h.Frames.Failure;
}

void ApplyLabel(QLabel* label, const std::optional<LabelText>& text) {
  if (!text) return;
  label->setText(text->Text);
  SetLabelColour(label, ToQColor(text->TextColor));
  label->adjustSize();
}

// The zone's name and offset on a line of their own: the column is narrower than the
// whole label, and a wrap of its own would split "Europe/" from "Berlin".
std::optional<LabelText> ZoneOnItsOwnLine(std::optional<LabelText> label) {
  const qsizetype zone = label ? label->Text.lastIndexOf(QStringLiteral(" (")) : -1;
  if (zone >= 0) label->Text[zone] = QLatin1Char('\n');
  return label;
}

}  // namespace

void TForm1::PaintShown(const ShownHour& hour) {
  if (!hour.StandIn) {
    Loading = false;
    unsetCursor();
  }
  SetStatusText(StatusBeforeLoading);
  PointerKept = Pointing = false;
  ShowAllData(hour.Record);
  FrameJpeg = hour.Frames.Jpeg;
  FrameTiff = hour.Frames.Tiff;
  ShowMoon(hour);
  DrawPolyLine(hour);
  const QString notice = SourceNotice(hour, Show.NasaFrameInEclipse());
  if (!notice.isEmpty()) SetStatusText(notice);
  if (hour.StandIn)
    SetStatusText(" Loading " + LoadingFileName(hour.Hour) +
                  " from NASA ... the Moon drawn by Orvanel stands in meanwhile");
  UpdateActions();
}

void TForm1::ShowAllData(const MoonRecord& r) {
  Memo1->clear();
  if (!ShowDataBox->isChecked()) return;
  Memo1->setUpdatesEnabled(false);
  QStringList lines = DataPanelLines(r, r.Latitude, r.Longitude, Zone, QLocale());
  lines += PlaceDayLines(r, Zone, QLocale());
  lines += EclipsePanelLines(r.DateTime, r.Latitude, r.Longitude, Zone, QLocale());
  Memo1->setPlainText(lines.join('\n'));
  Memo1->setUpdatesEnabled(true);
}

// The place is the record's own, the one its values were computed for.
MoonViewOptions TForm1::ViewOptions(const MoonRecord& r) const {
  MoonViewOptions o;
  o.ShowLines = ShowLinesBox->isChecked();
  o.RotateParallactic = RotateBox->isChecked();
  o.Names = NamesBox->isChecked();
  o.Eyepiece = static_cast<EyepieceImage>(EyepieceBox->currentIndex());
  o.Latitude = r.Latitude;
  o.Longitude = r.Longitude;
  o.ImageSize = ImageSize;
  return o;
}

void TForm1::ApplyViewLabels(const ViewLabels& labels) {
  if (labels.CalendarDate) MonthCal->setSelectedDate(*labels.CalendarDate);
  if (labels.RotateBoxVisible) RotateBox->setVisible(*labels.RotateBoxVisible);
  EyepieceBox->setVisible(Show.View() == ViewKind::FromHere);
  ApplyLabel(UTCLab, labels.UTCLab);
  ApplyLabel(LocLab, ZoneOnItsOwnLine(labels.LocLab));
  ApplyLabel(ParallacticLab, labels.ParallacticLab);
  ApplyLabel(ParallacticLab2, labels.ParallacticLab2);
  if (labels.StatusText) SetStatusText(*labels.StatusText);
}

// Each picture is drawn twice: at 730 pixels into the box's Picture(), which is what
// is saved and copied as the program's picture, and for the box's size and screen, as
// it is shown, so that its text stays legible when small and sharp on a dense screen.
// The shown drawing repeats the 730-pixel one, which has already told the user of any
// failure: its own messages go to standard error, never to a box opened while painting.
void TForm1::ShowMoon(const ShownHour& hour) {
  // The charts cover only part of the picture: what another view left there goes.
  if (hour.View == ViewKind::ChartH || hour.View == ViewKind::ChartV) Image2->Picture().fill(Qt::black);
  MessageBoxReporter reporter(this);
  const MoonViewServices services{Zone, reporter, Zone.Label(static_cast<double>(hour.Hour))};
  const MoonViewOptions options = ViewOptions(hour.Record);
  ApplyViewLabels(
      ::ShowMoon(hour.View, hour.Hour, hour.Record, options, services, FrameJpeg, FrameTiff, Image2->Picture()));
  MarkFeature(hour, Image2->Picture());
  Image2->SetShownPicture([this, hour, options](const ShownSize& shown) {
    StderrBitmapErrorReporter quiet;
    QImage picture = DrawShownView(hour.View, hour.Record, options, hour.Frames.Jpeg, hour.Frames.Tiff, shown, quiet);
    MarkFeature(hour, picture);
    return picture;
  });
}

void TForm1::DrawPolyLine(const ShownHour& hour) {
  MessageBoxReporter reporter(this);
  const MoonViewServices services{Zone, reporter, Zone.Label(static_cast<double>(hour.Hour))};
  const MoonViewOptions options = ViewOptions(hour.Record);
  ApplyViewLabels(::DrawPolyLine(hour.Hour, hour.Record, options, services, FrameJpeg, Image1->Picture()));
  Image1->SetShownPicture([hour, options, &zone = Zone, name = services.LocalName](const ShownSize& shown) {
    StderrBitmapErrorReporter quiet;
    return DrawAltitudeChart(hour.Hour, hour.Record, options, {zone, quiet, name}, hour.Frames.Jpeg, shown).Picture;
  });
}
