// The year's phases, perigees and apogees as iCalendar, checked against RFC 5545's
// grammar: CRLF lines of at most 75 octets, one VCALENDAR with VERSION and PRODID,
// VEVENTs with UID (unique), DTSTAMP and DTSTART as UTC DATE-TIMEs, and the summaries
// calendar programs will show.
#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTimeZone>
#include <QStringList>
#include <algorithm>
#include <map>
#include <set>

#include "core/lunar_calendar_ics.h"
#include "core/system_time_zone.h"

namespace {

TEST(LunarCalendarIcs, AYearIsAValidCalendarOfItsEvents) {
  const std::vector<LunarEvent> events = LunarEventsOfYear(2027);
  const std::string ics = LunarCalendarIcs(events, 46730.5);
  ASSERT_GE(ics.size(), 2u);
  ASSERT_EQ(ics.substr(ics.size() - 2), "\r\n");
  const QStringList lines = QString::fromStdString(ics.substr(0, ics.size() - 2)).split("\r\n");
  const QRegularExpression utc("^\\d{8}T\\d{6}Z$");
  const std::set<QString> summaries{"New Moon", "First Quarter", "Full Moon", "Last Quarter", "Perigee", "Apogee"};
  std::map<QString, int> calendarProperties, perSummary;
  std::map<QString, QString> event;
  std::set<QString> uids;
  int depth = 0, vevents = 0;
  QString previousStart;
  for (const QString& line : lines) {
    ASSERT_FALSE(line.contains('\n') || line.contains('\r')) << "bare line break";
    EXPECT_LE(line.toUtf8().size(), 75) << line.toStdString();
    const QString name = line.section(':', 0, 0), value = line.section(':', 1);
    if (line == "BEGIN:VCALENDAR") {
      EXPECT_EQ(depth++, 0);
    } else if (line == "BEGIN:VEVENT") {
      EXPECT_EQ(depth++, 1);
      event.clear();
    } else if (line == "END:VEVENT") {
      EXPECT_EQ(depth--, 2);
      ++vevents;
      for (const char* required : {"UID", "DTSTAMP", "DTSTART", "SUMMARY"})
        EXPECT_TRUE(event.count(required)) << required << " missing in event " << vevents;
      EXPECT_TRUE(uids.insert(event["UID"]).second) << "UID repeated";
      EXPECT_TRUE(utc.match(event["DTSTAMP"]).hasMatch());
      EXPECT_TRUE(utc.match(event["DTSTART"]).hasMatch()) << event["DTSTART"].toStdString();
      EXPECT_TRUE(event["DTSTART"].startsWith("2027"));
      EXPECT_GE(event["DTSTART"], previousStart) << "events in order of time";
      previousStart = event["DTSTART"];
      EXPECT_TRUE(summaries.count(event["SUMMARY"])) << event["SUMMARY"].toStdString();
      ++perSummary[event["SUMMARY"]];
    } else if (line == "END:VCALENDAR") {
      EXPECT_EQ(depth--, 1);
    } else if (depth == 1) {
      ++calendarProperties[name];
    } else {
      ASSERT_EQ(depth, 2) << line.toStdString();
      event[name] = value;
    }
  }
  EXPECT_EQ(depth, 0);
  EXPECT_EQ(calendarProperties["VERSION"], 1);
  EXPECT_EQ(calendarProperties["PRODID"], 1);
  EXPECT_EQ(vevents, static_cast<int>(events.size()));
  // A year holds 12 or 13 of each phase and 12 to 14 perigees and apogees.
  for (const auto& [summary, count] : perSummary) {
    EXPECT_GE(count, 12) << summary.toStdString();
    EXPECT_LE(count, 14) << summary.toStdString();
  }
  EXPECT_EQ(perSummary.size(), summaries.size());
}

// A place's year is the one its clocks count: the UTC years around it, each event kept
// where its local date falls in the year, give the same events, none lost or doubled.
TEST(LunarCalendarIcs, APlacesYearIsItsLocalYear) {
  for (const char* name : {"Asia/Tokyo", "Pacific/Honolulu"}) {
    const SystemTimeZone zone{QTimeZone(name)};
    for (const int year : {1600, 2027, 3999}) {
      std::vector<double> expected;
      for (int y = std::max(year - 1, 1600); y <= std::min(year + 1, 3999); ++y)
        for (const LunarEvent& e : LunarEventsOfYear(y))
          if (DecodeDateTime(UtcToLocal(e.Instant, zone)).Year == year) expected.push_back(e.Instant);
      std::vector<double> local;
      for (const LunarEvent& e : LunarEventsOfYear(year, &zone)) local.push_back(e.Instant);
      // The same events: a search window that starts elsewhere moves an instant within
      // the search's own precision, a fraction of the second the calendar gives.
      ASSERT_EQ(local.size(), expected.size()) << name << " " << year;
      for (std::size_t i = 0; i < local.size(); ++i) EXPECT_NEAR(local[i], expected[i], 1.0 / 86400) << name << " " << i;
    }
  }
}

TEST(LunarCalendarIcs, YearsOutsideTheEphemerisAreRefused) {
  EXPECT_THROW(LunarEventsOfYear(1599), std::domain_error);
  EXPECT_THROW(LunarEventsOfYear(4000), std::domain_error);
}

}  // namespace
