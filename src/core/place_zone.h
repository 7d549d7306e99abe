// The time zone of the observer's place: the IANA zone chosen with the place, else
// the computer's own. The window and its session share one and the place changes it,
// so every local time shown (labels, rise and set, the calendar's days, the chart's
// axis) follows the place.
#pragma once

#include <QString>
#include <optional>

#include "astro/time_scales.h"
#include "core/system_time_zone.h"

class PlaceZone : public TimeZoneRules {
 public:
  // computer: the zone of a place without one of its own; it must outlive this.
  explicit PlaceZone(const TimeZoneRules& computer);

  // An IANA name, or empty for the computer's zone; a name this computer does not know
  // keeps the computer's zone and returns false.
  bool SetZone(const QString& ianaName);
  // The IANA name chosen, empty for the computer's zone.
  QString ZoneName() const { return Chosen ? Chosen->Name() : QString(); }

  std::optional<int> OffsetSecondsAt(double x) const override;
  // "Local (Asia/Tokyo, UTC+09:00)" at the UTC date-time x.
  QString Label(double x) const;

 private:
  const TimeZoneRules& Computer;
  std::optional<SystemTimeZone> Chosen;
};
