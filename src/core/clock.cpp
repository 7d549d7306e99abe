#include "core/clock.h"

#include <QDateTime>

long double SystemClock::LocalNow() const {
  const QDateTime now = QDateTime::currentDateTime();
  // The local wall time read as if it were UTC gives the local date-time's day number.
  const QDateTime wall(now.date(), now.time(), Qt::UTC);
  return 25569.0L + wall.toMSecsSinceEpoch() / 86400000.0L;  // 25569 is 1970-01-01
}
