#include "app/local_clock.h"

#include <QDateTime>

namespace {

std::function<long double()>& InstalledClock() {
  static std::function<long double()> clock;
  return clock;
}

long double SystemLocalNow() {
  const QDateTime now = QDateTime::currentDateTime();
  // The local wall time read as if it were UTC gives the local date-time's day number.
  const QDateTime wall(now.date(), now.time(), Qt::UTC);
  return 25569.0L + wall.toMSecsSinceEpoch() / 86400000.0L;  // 25569 is 1970-01-01
}

}  // namespace

long double LocalClockNow() { return InstalledClock() ? InstalledClock()() : SystemLocalNow(); }

void SetLocalClock(std::function<long double()> clock) { InstalledClock() = std::move(clock); }
