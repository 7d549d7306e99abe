#include "core/city_search.h"

#include <vector>

#include "core/city_table.h"

namespace {

// Folded name and ASCII name of every city, in the table's order; made once.
const std::vector<std::pair<QString, QString>>& FoldedNames() {
  static const std::vector<std::pair<QString, QString>> names = [] {
    std::vector<std::pair<QString, QString>> v;
    v.reserve(CityTable().size());
    for (const CityRow& row : CityTable())
      v.emplace_back(FoldedForSearch(QString::fromUtf8(row.Name)), FoldedForSearch(QString::fromUtf8(row.AsciiName)));
    return v;
  }();
  return names;
}

CityMatch MatchOf(const CityRow& row) {
  return {QString::fromUtf8(row.Name), QString::fromUtf8(row.Province), QString::fromUtf8(row.Country),
          row.Latitude, row.Longitude, row.Population, QString::fromUtf8(row.Zone)};
}

}  // namespace

QString FoldedForSearch(const QString& text) {
  QString folded;
  for (const QChar c : text.normalized(QString::NormalizationForm_KD))
    if (c.category() != QChar::Mark_NonSpacing) folded += c;
  return folded.toCaseFolded();
}

std::vector<CityMatch> SearchCities(const QString& query, std::size_t limit) {
  std::vector<CityMatch> found;
  const QString key = FoldedForSearch(query.trimmed());
  if (key.isEmpty()) return found;
  const auto& names = FoldedNames();
  for (std::size_t i = 0; i < names.size() && found.size() < limit; ++i)
    if (names[i].first.startsWith(key) || names[i].second.startsWith(key)) found.push_back(MatchOf(CityTable()[i]));
  return found;
}

QString CityLabel(const CityMatch& city) {
  if (city.Province.isEmpty()) return city.Name + QStringLiteral(", ") + city.Country;
  return city.Name + QStringLiteral(", ") + city.Province + QStringLiteral(", ") + city.Country;
}
