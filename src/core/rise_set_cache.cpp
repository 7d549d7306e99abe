#include "core/rise_set_cache.h"

RiseSetRecord RiseSetCache::operator()(double Day, long double OffsetHours, long double Latitude,
                                       long double WestLongitude) {
  for (const Entry& e : Entries)
    if (e.Used && e.Day == Day && e.OffsetHours == OffsetHours && e.Latitude == Latitude &&
        e.WestLongitude == WestLongitude)
      return e.Result;
  const RiseSetRecord result = Search(Day, OffsetHours, Latitude, WestLongitude);
  Entries[Next] = Entry{true, Day, OffsetHours, Latitude, WestLongitude, result};
  Next = (Next + 1) % Entries.size();
  return result;
}
