// The navigate command: the show session driven without a window. After each intent
// it prints the hour shown and the frames the window would show for it: NASA's frame
// path of the hour (as NASA names it, whether or not it could be fetched), "drawn"
// where the program draws the Moon, and the chart, orbit or globe view's frame.
#include <QCoreApplication>
#include <QEventLoop>
#include <functional>
#include <map>

#include "astro/default_place.h"
#include "cli/cli_command.h"
#include "cli/cli_services.h"
#include "core/clock.h"
#include "core/settings_store.h"
#include "nasa/frame_cache.h"
#include "nasa/nasa_urls.h"
#include "session/show_session.h"
#include "session/worker_pools.h"

namespace {

// The URL's path on NASA's server.
std::string PathOf(const std::string& url, const NasaSite& site) { return url.substr(site.Server.size()); }

std::string FramesLine(const ShowSession& session, const NasaSite& site) {
  const long double hour = session.HourShown();
  std::string line = FormatInstant(hour);
  if (!HasNasaSeries(hour) || IsDrawnView(session.View())) return line + " drawn";
  for (const int key : ScreenKeysOf(session.View()))
    line += " " + PathOf(NasaFrameUrl(site, key, hour, session.Latitude()), site);
  return line;
}

// Runs the event loop until the session has shown `count` hours with their frames.
void WaitForShows(ShowSession& session, int count) {
  QEventLoop loop;
  int shown = 0;
  const auto connection = QObject::connect(&session, &ShowSession::Shown, &loop, [&](const ShownHour& h) {
    if (!h.StandIn && ++shown >= count) loop.quit();
  });
  if (count > 0) loop.exec();
  QObject::disconnect(connection);
}

// One intent: what it asks of the session and how many shows follow it.
void Apply(ShowSession& session, const std::string& intent) {
  static const std::map<std::string, void (ShowSession::*)()> kSimple = {
      {"next", &ShowSession::Next},         {"prev", &ShowSession::Previous},
      {"day+", &ShowSession::DayForward},   {"day-", &ShowSession::DayBack},
      {"full+", &ShowSession::NextFullMoon}, {"full-", &ShowSession::PreviousFullMoon},
      {"max", &ShowSession::MaxAltitude},   {"min", &ShowSession::MinAltitude},
      {"now", &ShowSession::Now}};
  if (const auto simple = kSimple.find(intent); simple != kSimple.end()) {
    (session.*simple->second)();
  } else if (intent.rfind("goto:", 0) == 0) {
    session.GoTo(ParseInstant(intent.substr(5)));
  } else if (intent == "reverse") {
    session.ToggleReverse();
  } else if (intent == "stop") {
    session.StopAnimation();
  } else if (intent.rfind("animate:", 0) == 0) {
    const int steps = ParseInteger(intent.substr(8), "animate:N");
    if (steps < 1 || steps > 100000) throw CliError("animate:N takes 1 to 100000 steps");
    session.StartAnimation();
    WaitForShows(session, steps);
    return;
  } else {
    throw CliError("unknown intent \"" + intent + "\"");
  }
  WaitForShows(session, session.Pending() ? 1 : 0);
}

int Navigate(const CliArgs& a, std::ostream& out) {
  const long double start = ParseInstant(a.At(0, "START"));
  const long double latitude = a.Number("lat", kDefaultLatitude);
  const long double longitude = a.PlaceLongitude(kDefaultLongitude);
  const int view = a.View();
  const int step = a.Has("step") ? ParseInteger(a.Options.at("step"), "--step") : 2;
  if (step < 1 || step > 24) throw CliError("--step must be 1 to 24");

  const SystemClock clock;
  const Downloader fetch;
  const FrameCache frames(DefaultFrameCacheFolder(), fetch, ReadSettings().FrameCacheBytes());
  WorkerPools pools;
  ShowSession session({clock, CliZone(), CliSite(), frames, nullptr, pools.Show, pools.DrawnMoonRows});
  session.SetPlace(latitude, longitude);
  session.SetView(ViewKindOf(view));
  session.SetStep(step);
  session.GoTo(start);
  WaitForShows(session, 1);
  for (std::size_t i = 1; i < a.Positional.size(); ++i) {
    Apply(session, a.Positional[i]);
    out << FramesLine(session, CliSite()) << "\n";
  }
  session.StopAnimation();
  return 0;
}

const CliRegistrar kNavigate({"navigate",
                              "navigate START [--view N] [--step N] [--lat L --lon L] INTENT... (next prev day+ day- "
                              "full+ full- max min now goto:ISO animate:N reverse stop)",
                              "view step lat lon", "", 2, 100000, Navigate});

}  // namespace
