// The system's time-zone rules, read through QTimeZone (the TZ variable is respected).
#pragma once

#include <QTimeZone>

#include "astro/time_scales.h"

class SystemTimeZone : public TimeZoneRules {
 public:
  SystemTimeZone();
  explicit SystemTimeZone(const QTimeZone& zone);
  bool Query(int year, TimeZoneInformation& info) const override;

 private:
  QTimeZone Zone;
};
