#include "core/clock.h"

#include "core/system_time_zone.h"

long double SystemClock::UtcNow() const { return DateTimeOf(QDateTime::currentDateTimeUtc()); }
