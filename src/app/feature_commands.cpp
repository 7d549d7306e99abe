// TForm1 and the Moon's named features: what lies under the pointer on the Moon view
// (a click keeps it in the status bar), and Find Feature, whose feature is marked on
// the picture.
#include <QLabel>
#include <QMouseEvent>

#include "app/image_box.h"
#include "app/main_form.h"
#include "core/covered_range.h"
#include "nasa/hour_values.h"
#include "render/feature_names.h"
#include "render/feature_under_pointer.h"
#include "render/moon_from_here.h"
#include "windows/find_feature_dialog.h"

// Where a view of the record, drawn into a picture of the given size, puts the Moon's
// places; none for views other than the Moon's. The frame fills the picture.
std::optional<FeatureProjection> TForm1::MoonProjection(ViewKind view, const MoonRecord& r, QSize picture,
                                                        qreal devicePixelRatio) const {
  if (!IsMoonView(view) || !InCoveredRange(r.DateTime)) return std::nullopt;
  if (view == ViewKind::FromHere) return FromHereProjection(r, ViewOptions(r), picture, devicePixelRatio);
  PictureGeometry geometry = MoonViewGeometry(r, ViewOptions(r), picture, picture);
  geometry.DevicePixelRatio = devicePixelRatio;
  return FeatureProjection(HourValuesOf(r), geometry);
}

// The Moon view's pointer: its place in the status bar while it moves over the disc;
// a click keeps that text when the pointer leaves.
void TForm1::MoonPointerEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->type() == QEvent::MouseButtonPress && mouse->button() != Qt::LeftButton) return;
      const std::optional<QString> text = PointerText(mouse->position());
      if (!text) return;
      if (!Pointing && !PointerKept) StatusBeforePointer = StatusBar1->text();
      Pointing = true;
      PointerKept = PointerKept || mouse->type() == QEvent::MouseButtonPress;
      SetStatusText(*text);
      return;
    }
    case QEvent::Leave:
      if (Pointing && !PointerKept) SetStatusText(StatusBeforePointer);
      Pointing = false;
      return;
    default:
      return;
  }
}

// The text of the place under a point of the Moon view's box; none off the disc.
std::optional<QString> TForm1::PointerText(QPointF inBox) const {
  const std::optional<FeatureProjection> projection = MoonProjection(Show.View(), Show.Record(), ImageSize);
  const int side = std::min(Image2->width(), Image2->height());
  if (!projection || side < 1) return std::nullopt;
  // The box shows the picture scaled to its side; pixel centres lie half a pixel in.
  const qreal scale = static_cast<qreal>(ImageSize.width()) / side;
  const QPointF pixel = inBox * scale - QPointF(0.5, 0.5);
  const std::optional<PointerPlace> place = PlaceUnderPointer(*projection, HourValuesOf(Show.Record()), pixel);
  if (!place) return std::nullopt;
  return QStringLiteral(" ") + PointerPlaceText(*place);
}

// The feature found is marked on every hour shown until another is found.
void TForm1::FindFeature1Click() {
  if (!FindDialog) {
    FindDialog = new FindFeatureDialog(Show.HourShown(), HourValuesAt, this);
    connect(FindDialog, &FindFeatureDialog::GoToHour, &Show, &ShowSession::GoTo);
    connect(FindDialog, &FindFeatureDialog::FeatureFound, this, [this](const LunarFeature* feature) {
      MarkedFeature = feature;
      Show.ShowAgain();
    });
    connect(&Show, &ShowSession::Shown, FindDialog, [this](const ShownHour& h) { FindDialog->SetShownHour(h.Hour); });
  }
  FindDialog->show();
  FindDialog->raise();
}

// Marks the feature found on a picture of the hour's Moon view, in its device pixels.
void TForm1::MarkFeature(const ShownHour& hour, QImage& picture) const {
  if (!MarkedFeature) return;
  const qreal ratio = picture.devicePixelRatio();
  picture.setDevicePixelRatio(1);
  if (const std::optional<FeatureProjection> projection = MoonProjection(hour.View, hour.Record, picture.size(), ratio))
    DrawFeatureMark(picture, *projection, *MarkedFeature);
  picture.setDevicePixelRatio(ratio);
}
