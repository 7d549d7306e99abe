// The data panel of an instant and place, in the system's time zone and locale, with
// the lines about a lunar eclipse in progress.
#include <iostream>

#include "core/calculate_data.h"
#include "core/data_panel.h"
#include "core/eclipse_circumstances.h"
#include "core/settings_store.h"
#include "cli/cli_command.h"
#include "cli/cli_services.h"
#include "nasa/hour_values.h"

namespace {

int Panel(const CliArgs& a, std::ostream& out) {
  const long double x = ParseInstant(a.At(0, "INSTANT"));
  const StoredSettings defaults;
  const long double lat = a.Number("lat", defaults.Latitude);
  const long double lon = a.Number("lon", defaults.Longitude);
  if (lat < -90 || lat > 90) throw CliError("--lat must lie within -90 ... 90");
  if (lon < -180 || lon > 180) throw CliError("--lon must lie within -180 ... 180");
  const MoonRecord r = CalculateMoonRecord(x, lat, lon, CliZone(), HourValuesAt);
  const QStringList lines = DataPanelLines(r, lat, lon, CliZone(), QLocale::system()) +
                            EclipsePanelLines(x, lat, lon, CliZone(), QLocale::system());
  for (const QString& line : lines) out << line.toStdString() << '\n';
  return 0;
}

const CliRegistrar kPanel({"panel", "panel INSTANT [--lat DEG] [--lon DEG]", "lat lon", "", 1, 1, Panel});

}  // namespace
