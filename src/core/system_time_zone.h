// A place's time zone through QTimeZone: an IANA zone or this computer's own (which
// follows the TZ variable). The offset is the zone's at the instant asked about, so
// changes of a zone's standard offset are followed as well as its daylight time.
#pragma once

#include <QDateTime>
#include <QString>
#include <QTimeZone>

#include "astro/time_scales.h"

class SystemTimeZone : public TimeZoneRules {
 public:
  SystemTimeZone();  // this computer's zone
  explicit SystemTimeZone(const QTimeZone& zone);
  std::optional<int> OffsetSecondsAt(double x) const override;
  // The IANA name of the zone ("Asia/Tokyo").
  QString Name() const;

 private:
  QTimeZone Zone;
};

// The program's date-time (day 0 = 1899-12-30 00:00 UTC) of a QDateTime.
double DateTimeOf(const QDateTime& instant);

// The zone of a place: the IANA zone of that name, or this computer's zone for an
// empty name. Nothing for a name QTimeZone does not know.
std::optional<QTimeZone> PlaceTimeZone(const QString& ianaName);

// "Local (Asia/Tokyo, UTC+09:00)": the label of local times, naming the zone and its
// offset at the UTC date-time x.
QString LocalZoneLabel(const SystemTimeZone& zone, double x);
// The same for a zone's name and offset; "Local (UTC-05:00)" for a zone without a name.
QString LocalZoneLabel(const QString& name, int offsetSeconds);
