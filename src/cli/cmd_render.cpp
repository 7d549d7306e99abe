// The render command: the Moon view and the altitude chart of an instant as PNG
// files, drawn exactly as the window draws them, so that they can be looked at
// without a window. Without a NASA frame the program draws the Moon itself.
#include <QBuffer>
#include <QDir>
#include <QImage>
#include <iostream>
#include <map>

#include "cli/cli_command.h"
#include "cli/cli_services.h"
#include "core/calculate_data.h"
#include "core/covered_range.h"
#include "core/file_save.h"
#include "core/regular_file.h"
#include "nasa/image_decode.h"
#include "nasa/hour_values.h"
#include "render/altitude_chart.h"
#include "render/drawn_moon.h"
#include "render/eclipse_shadow.h"
#include "render/moon_from_here.h"
#include "render/moon_view.h"
#include "session/fetched_frames.h"

namespace {

QImage ReadFrame(const std::string& path) {
  const std::optional<QByteArray> bytes = ReadRegularFile(QString::fromStdString(path));
  if (!bytes || bytes->isEmpty()) throw CliError("cannot read frame file " + path);
  QImage frame;
  if (!DecodeJpeg(*bytes, frame)) throw CliError("not a JPEG frame: " + path);
  return frame;
}

// NASA's frame from --frame, or the Moon drawn from the hour's values (with
// --from-here as the record's place sees it), with the Earth's shadow in an eclipse.
QImage FrameOf(const CliArgs& a, const MoonRecord& record) {
  if (a.Has("frame")) return ReadFrame(a.Options.at("frame"));
  return DrawnMoonOf(a.Flag("from-here") ? ViewKind::FromHere : ViewKind::Moon, record, nullptr);
}

const std::map<std::string, EyepieceImage> kEyepieces = {
    {"upright", EyepieceImage::Upright},
    {"diagonal", EyepieceImage::StarDiagonal},
    {"straight", EyepieceImage::StraightThrough},
};

EyepieceImage EyepieceOf(const CliArgs& a) {
  if (!a.Has("eyepiece")) return EyepieceImage::Upright;
  const auto it = kEyepieces.find(a.Options.at("eyepiece"));
  if (it == kEyepieces.end()) throw CliError("--eyepiece must be upright, diagonal or straight");
  return it->second;
}

// False, with a line on stderr saying why, when path could not be written. The PNG is
// encoded in memory first: a write that fails inside libpng has it print a line of its
// own, and Qt's PNG writer then never frees its row buffer.
bool SavePng(const QImage& picture, const QString& path) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  const std::optional<QString> why = picture.save(&buffer, "PNG") ? SaveFile(path, png)
                                                                   : QStringLiteral("the picture could not be encoded");
  if (why) std::cerr << "orvanel-cli render: cannot write " << path.toStdString() << ": " << why->toStdString() << '\n';
  return !why;
}

void PrintLabel(std::ostream& out, const char* name, const std::optional<LabelText>& label) {
  if (label) out << name << '\t' << label->Text.toStdString() << '\n';
}

// The most device pixels across a picture: twice as many would take gigabytes.
constexpr long double kMaxDevicePixels = 8192;

// The box the pictures are drawn for: --size logical pixels (730 by default) at --dpr
// device pixels each.
ShownSize ShownSizeOf(const CliArgs& a) {
  const long double side = a.Number("size", 730), ratio = a.Number("dpr", 1);
  if (!(side >= 16 && side <= kMaxDevicePixels)) throw CliError("--size must lie between 16 and 8192");
  if (!(ratio >= 0.5L && ratio <= 8)) throw CliError("--dpr must lie between 0.5 and 8");
  if (side * ratio > kMaxDevicePixels) throw CliError("--size times --dpr must not exceed 8192 device pixels");
  return ShownSize{static_cast<int>(side), static_cast<qreal>(ratio)};
}

// orvanel-cli render INSTANT [--frame FILE.jpg] --out DIR [--lat DEG] [--lon DEG] [--rotate] [--no-lines]
//                    [--names] [--size PX] [--dpr R] [--from-here [--eyepiece upright|diagonal|straight]]
// Writes DIR/moon.png (the Moon view, or with --from-here "Moon from here") and
// DIR/chart.png (the altitude chart), 730 x 730 each or as the window shows them in a
// box of --size logical pixels on a screen of --dpr, and prints the labels the window
// would show.
int Render(const CliArgs& a, std::ostream& out) {
  const long double instant = ParseInstant(a.At(0, "INSTANT"));
  if (!InCoveredRange(instant)) throw CliError("pictures exist for 1600-01-01 to 3999-12-31 only");
  if (!a.Has("out")) throw CliError("--out DIR is required");
  MoonViewOptions options;
  options.Latitude = a.Number("lat", options.Latitude);
  options.Longitude = a.PlaceLongitude(options.Longitude);
  options.ShowLines = !a.Flag("no-lines");
  options.RotateParallactic = a.Flag("rotate");
  options.Names = a.Flag("names");
  options.Eyepiece = EyepieceOf(a);
  const ShownSize shown = ShownSizeOf(a);

  const MoonRecord record =
      CalculateMoonRecord(instant, options.Latitude, options.Longitude, CliZone(), HourValuesAt);
  const QImage frame = FrameOf(a, record);
  StderrBitmapErrorReporter reporter;
  const MoonViewServices services{CliZone(), reporter};
  QImage moon;
  const ViewKind kind = a.Flag("from-here") ? ViewKind::FromHere : ViewKind::Moon;
  const ViewLabels view = ShowMoon(kind, instant, record, options, services, frame, QImage(), moon);
  if (a.Has("size") || a.Has("dpr")) moon = DrawShownView(kind, record, options, frame, QImage(), shown, reporter);
  const ChartPicture chart = DrawAltitudeChart(instant, record, options, services, frame, shown);
  const ViewLabels& curve = chart.Labels;

  const QString folder = QString::fromStdString(a.Options.at("out"));
  if (!QDir().mkpath(folder)) throw CliError("cannot create folder " + folder.toStdString());
  if (!SavePng(moon, folder + "/moon.png") || !SavePng(chart.Picture, folder + "/chart.png")) return 1;
  PrintLabel(out, "UTCLab", view.UTCLab);
  PrintLabel(out, "LocLab", view.LocLab);
  PrintLabel(out, "ParallacticLab", view.ParallacticLab);
  PrintLabel(out, "ParallacticLab2", curve.ParallacticLab2);
  if (curve.StatusText) out << "StatusBar1\t" << curve.StatusText->toStdString() << '\n';
  return 0;
}

const CliRegistrar kRender({"render",
                            "render INSTANT [--frame FILE.jpg] --out DIR [--lat DEG] [--lon DEG] [--rotate] "
                            "[--no-lines] [--names] [--size PX] [--dpr R] [--from-here [--eyepiece upright|diagonal|straight]]",
                            "frame out lat lon size dpr eyepiece", "rotate no-lines names from-here", 1, 1, Render,
                            true});

}  // namespace
