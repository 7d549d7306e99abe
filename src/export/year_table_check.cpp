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

// What the lines of a table hold, counted one line at a time.
struct TableCount {
  bool HeaderSeen = false;
  bool HeaderRight = false;
  int Rows = 0;
  int Strays = 0;
  int FirstYear = 0;  // the year of the first row
  std::vector<bool> Hours;  // the hours of the year asked for that have a row
};

void Count(TableCount& c, int year, QByteArrayView line) {
  const std::vector<std::string> words = Words(std::string(line.data(), static_cast<std::size_t>(line.size())));
  if (words.empty()) return;
  if (!c.HeaderSeen) {
    c.HeaderSeen = true;
    c.HeaderRight = IsHeader(words);
    return;
  }
  try {
    const DataLine row = ParseDataLine(words, {}, 0);
    if (c.Rows++ == 0) c.FirstYear = row.Year;
    if (row.Year == year) c.Hours[row.HourOfYear] = true;
  } catch (const InputError&) {
    ++c.Strays;
  }
}

}  // namespace

void ForEachTextLine(const QByteArray& text, const std::function<void(QByteArrayView line)>& each) {
  for (qsizetype start = 0; start < text.size();) {
    qsizetype end = text.indexOf('\n', start);
    if (end < 0) end = text.size();
    QByteArrayView line(text.constData() + start, end - start);
    if (line.endsWith('\r')) line.chop(1);
    each(line);
    start = end + 1;
  }
}

bool IsNasaYearTable(const QByteArray& text, int year, QString& why) {
  TableCount c;
  c.Hours.assign((IsLeapYear(year) ? 366 : 365) * 24, false);
  ForEachTextLine(text, [&](QByteArrayView line) {
    if (!c.HeaderSeen || c.HeaderRight) Count(c, year, line);
  });
  if (!c.HeaderRight) {
    why = QStringLiteral("it does not begin with NASA's column names");
    return false;
  }
  if (c.Rows == 0) {
    why = QStringLiteral("it has no rows in NASA's layout");
    return false;
  }
  if (c.Strays > c.Rows / 100) {
    why = QStringLiteral("%1 of its %2 lines are not in NASA's layout").arg(c.Strays).arg(c.Rows + c.Strays);
    return false;
  }
  if (c.FirstYear != year) {
    why = QStringLiteral("it is the table of %1, not of %2").arg(c.FirstYear).arg(year);
    return false;
  }
  const auto found = std::count(c.Hours.begin(), c.Hours.end(), true);
  if (found < static_cast<long>(c.Hours.size())) {
    why = QStringLiteral("it holds %1 of the %2 hours of %3").arg(found).arg(c.Hours.size()).arg(year);
    return false;
  }
  return true;
}
