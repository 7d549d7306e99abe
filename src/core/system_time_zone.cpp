#include "core/system_time_zone.h"

#include <QDateTime>

namespace {

// A transition as a rule: its month, the occurrence of its weekday in the month
// (5 when it is the last one) and the local wall time given by `offsetSeconds`.
TransitionRule RuleOf(const QDateTime& utc, int offsetSeconds) {
  const QDateTime local = utc.toOffsetFromUtc(offsetSeconds);
  const QDate d = local.date();
  const QTime t = local.time();
  TransitionRule r;
  r.Month = d.month();
  r.Occurrence = d.day() + 7 > d.daysInMonth() ? 5 : (d.day() - 1) / 7 + 1;
  r.Hour = t.hour();
  r.Minute = t.minute();
  r.Second = t.second();
  r.Millisecond = t.msec();
  return r;
}

}  // namespace

SystemTimeZone::SystemTimeZone() : Zone(QTimeZone::systemTimeZone()) {}

SystemTimeZone::SystemTimeZone(const QTimeZone& zone) : Zone(zone) {}

bool SystemTimeZone::Query(int year, TimeZoneInformation& info) const {
  if (!Zone.isValid()) return false;
  const QDateTime start(QDate(year, 1, 1), QTime(0, 0), Qt::UTC);
  const QDateTime end(QDate(year + 1, 1, 1), QTime(0, 0), Qt::UTC);
  const int standard = Zone.standardTimeOffset(start.addDays(1));
  info = TimeZoneInformation{};
  info.Bias = -standard / 60;
  info.DaylightInEffect = Zone.isDaylightTime(QDateTime::currentDateTimeUtc());
  for (const QTimeZone::OffsetData& t : Zone.transitions(start, end)) {
    const int daylight = t.daylightTimeOffset;
    if (daylight != 0) {  // daylight time begins; the rule is in local standard time
      info.DaylightBias = -daylight / 60;
      info.DaylightDate = RuleOf(t.atUtc, t.standardTimeOffset);
    } else if (Zone.isDaylightTime(t.atUtc.addSecs(-1))) {
      // standard time returns; the rule is in local daylight time
      info.StandardDate = RuleOf(t.atUtc, Zone.offsetFromUtc(t.atUtc.addSecs(-1)));
    }
  }
  if (info.DaylightDate.Month == 0 || info.StandardDate.Month == 0) {
    info.DaylightDate = info.StandardDate = TransitionRule{};  // no daylight time this year
    info.DaylightBias = 0;
  }
  return true;
}
