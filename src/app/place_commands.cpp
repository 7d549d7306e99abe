// TForm1's place: the Set window that chooses it (with its name, zone and elevation)
// and the month almanac for it.
#include <QCalendarWidget>
#include <algorithm>
#include <memory>

#include "app/main_form.h"
#include "core/local_day_events.h"
#include "core/month_almanac.h"
#include "render/feature_under_pointer.h"
#include "render/view_text.h"
#include "windows/almanac_dialog.h"
#include "windows/set_unit.h"

// The Set window edits a copy of the place, handed to the session when it is saved.
void TForm1::Set1Click() {
  SetFormPlace = {Show.Latitude(), Show.Longitude()};
  if (!SetForm) {
    SetForm = new TSetForm(
        SetFormPlace.first, SetFormPlace.second,
        [this] {
          Show.SetPlace(SetFormPlace.first, SetFormPlace.second);
          Show.ShowAgain();
        },
        Svc.Shell, this);
    // Announced before the hour is shown again, so that it is shown in the new zone.
    connect(SetForm, &TSetForm::PlaceSaved, this, [this](const PlaceDetails& details) {
      PlaceName = details.Name;
      Zone.SetZone(details.Zone);
      Show.SetElevation(details.ElevationM);
    });
  }
  SetForm->SetPlaceDetails({PlaceName, Zone.ZoneName(), Show.ElevationM()});
  SetForm->show();
  SetForm->raise();
}

// The month of the hour shown, as the place's calendar has it; a row chosen shows the
// hour of that day nearest its moonrise.
void TForm1::Almanac1Click() {
  // The range's first and last hours fall on days outside it in some zones.
  const QDate day =
      std::clamp(LocalCalendarDateOf(Show.HourShown(), Zone), MonthCal->minimumDate(), MonthCal->maximumDate());
  const AlmanacPlace place{static_cast<double>(Show.Latitude()), static_cast<double>(Show.Longitude()),
                            Show.ElevationM()};
  // The window keeps the zone the month was made in, whatever place is chosen meanwhile.
  const auto zone = std::make_shared<PlaceZone>(Zone);
  // A place without a name is named by its coordinates, written as places on the Moon are.
  const QString label = PlaceName.isEmpty() ? SelenographicText(static_cast<double>(Show.Latitude()),
                                                                static_cast<double>(Show.Longitude()))
                                            : PlaceName;
  auto* dialog = new AlmanacDialog(ComputeMonthAlmanac(day.year(), day.month(), place, *zone), *zone, label,
                                   ChooseSavePathWithDialog, this);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QObject::destroyed, this, [zone] {});  // the connection holds the zone until the dialog goes
  connect(dialog, &AlmanacDialog::MoonriseChosen, this,
          [this, zone](double moonrise) { Show.GoTo(NearestHourOfLocalDay(moonrise, *zone)); });
  dialog->show();
}
