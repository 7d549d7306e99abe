#include "export/year_table_check.h"

#include <algorithm>
#include <vector>

#include "nasa/nasa_table_line.h"

namespace {

bool IsHeader(const std::vector<std::string>& words) {
  std::vector<std::string> columns = {"Date", "Time"};
  columns.insert(columns.end(), kNasaColumnNames.begin() + 1, kNasaColumnNames.end());
  return words == columns;
}

}  // namespace

bool IsNasaYearTable(const QStringList& lines, QString& why) {
  auto line = std::find_if(lines.begin(), lines.end(), [](const QString& l) { return !l.trimmed().isEmpty(); });
  if (line == lines.end() || !IsHeader(Words(line->toStdString()))) {
    why = QStringLiteral("it does not begin with NASA's column names");
    return false;
  }
  int year = 0, rows = 0, strays = 0;
  std::vector<bool> hours;  // the hours of the table's year that have a row
  for (++line; line != lines.end(); ++line) {
    const std::vector<std::string> words = Words(line->toStdString());
    if (words.empty()) continue;
    try {
      const DataLine row = ParseDataLine(words, {}, 0);
      if (hours.empty()) {
        year = row.Year;
        hours.assign((IsLeapYear(year) ? 366 : 365) * 24, false);
      }
      if (row.Year == year) hours[row.HourOfYear] = true;
      ++rows;
    } catch (const InputError&) {
      ++strays;
    }
  }
  if (hours.empty()) {
    why = QStringLiteral("it has no rows in NASA's layout");
    return false;
  }
  if (strays > rows / 100) {
    why = QStringLiteral("%1 of its %2 lines are not in NASA's layout").arg(strays).arg(rows + strays);
    return false;
  }
  const auto found = std::count(hours.begin(), hours.end(), true);
  if (found < static_cast<long>(hours.size())) {
    why = QStringLiteral("it holds %1 of the %2 hours of %3").arg(found).arg(hours.size()).arg(year);
    return false;
  }
  return true;
}
