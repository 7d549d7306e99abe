#include "core/place_zone.h"

PlaceZone::PlaceZone(const TimeZoneRules& computer) : Computer(computer) {}

bool PlaceZone::SetZone(const QString& ianaName) {
  Chosen.reset();
  if (ianaName.isEmpty()) return true;
  const std::optional<QTimeZone> zone = PlaceTimeZone(ianaName);
  if (zone) Chosen.emplace(*zone);
  return zone.has_value();
}

std::optional<int> PlaceZone::OffsetSecondsAt(double x) const {
  return Chosen ? Chosen->OffsetSecondsAt(x) : Computer.OffsetSecondsAt(x);
}

QString PlaceZone::Label(double x) const {
  if (Chosen) return LocalZoneLabel(*Chosen, x);
  // The computer's zone names itself when it can.
  if (const auto* system = dynamic_cast<const SystemTimeZone*>(&Computer)) return LocalZoneLabel(*system, x);
  return LocalZoneLabel(QString(), Computer.OffsetSecondsAt(x).value_or(0));
}
