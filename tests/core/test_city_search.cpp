// The place search over the compiled-in cities: prefixes, case and accents ignored,
// places sharing a name told apart, most populous first. Expected rows are those of
// data/places/cities.csv.
#include <gtest/gtest.h>

#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/city_search.h"
#include "core/city_table.h"

namespace {

QStringList LabelsOf(const QString& query, std::size_t limit = 5) {
  QStringList labels;
  for (const CityMatch& c : SearchCities(query, limit)) labels << CityLabel(c);
  return labels;
}

TEST(CitySearch, FindsByPrefixIgnoringCaseAndAccents) {
  const struct {
    const char* Query;
    const char* First;
  } cases[] = {
      {"tok", "Tokyo, Tokyo, Japan"},
      {"TOKYO", "Tokyo, Tokyo, Japan"},
      {"tromso", "Tromsø, Troms, Norway"},
      {"Tromsø", "Tromsø, Troms, Norway"},
      {"são paulo", "Sao Paulo, São Paulo, Brazil"},  // the accent is in the query only
      {"  new york ", "New York, New York, United States of America"},
  };
  for (const auto& c : cases) {
    const QStringList labels = LabelsOf(QString::fromUtf8(c.Query));
    ASSERT_FALSE(labels.isEmpty()) << c.Query;
    EXPECT_EQ(labels.front(), QString::fromUtf8(c.First)) << c.Query;
  }
}

TEST(CitySearch, APickedCityCarriesItsPlaceAndZone) {
  const CityMatch tokyo = SearchCities("tok", 1).at(0);
  EXPECT_DOUBLE_EQ(tokyo.Latitude, 35.68502);
  EXPECT_DOUBLE_EQ(tokyo.Longitude, 139.75141);
  EXPECT_EQ(tokyo.Zone, "Asia/Tokyo");
}

TEST(CitySearch, SharedNamesShowProvinceAndCountryMostPopulousFirst) {
  EXPECT_EQ(LabelsOf("Sydney"),
            QStringList({"Sydney, New South Wales, Australia", "Sydney, Nova Scotia, Canada"}));
  const std::vector<CityMatch> many = SearchCities("san", 50);
  ASSERT_EQ(many.size(), 50u);
  for (std::size_t i = 1; i < many.size(); ++i) EXPECT_GE(many[i - 1].Population, many[i].Population);
}

// The built-in table holds the file's rows in its order, with the very doubles of their
// text; a population the file marks unknown (-99) is 0. Lines with quoted fields aside.
TEST(CitySearch, TheTableHoldsTheFilesRows) {
  std::ifstream in(std::string(ORVANEL_TEST_DATA_DIR) + "/places/cities.csv");
  std::string line;
  std::getline(in, line);  // the header
  const auto table = CityTable();
  std::size_t i = 0, compared = 0;
  for (; std::getline(in, line); ++i) {
    ASSERT_LT(i, table.size());
    if (line.find('"') != std::string::npos) continue;
    std::vector<std::string> f;
    std::istringstream fields(line);
    for (std::string field; std::getline(fields, field, ',');) f.push_back(field);
    ASSERT_EQ(f.size(), 9u) << line;
    const CityRow& c = table[i];
    EXPECT_EQ(std::vector<std::string>({c.Name, c.AsciiName, c.Province, c.Country, c.Zone}),
              std::vector<std::string>({f[0], f[1], f[2], f[3], f[8]})) << line;
    EXPECT_EQ(c.Latitude, std::strtod(f[5].c_str(), nullptr)) << line;
    EXPECT_EQ(c.Longitude, std::strtod(f[6].c_str(), nullptr)) << line;
    EXPECT_EQ(c.Population, std::max(0LL, std::stoll(f[7]))) << line;
    ++compared;
  }
  EXPECT_EQ(i, table.size());
  EXPECT_GT(compared, table.size() - 10);
}

TEST(CitySearch, NothingForAnEmptyOrUnknownQuery) {
  EXPECT_TRUE(LabelsOf("").isEmpty());
  EXPECT_TRUE(LabelsOf("   ").isEmpty());
  EXPECT_TRUE(LabelsOf("Qxzzy").isEmpty());
}

}  // namespace
