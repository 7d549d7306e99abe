// The place search over the compiled-in cities: prefixes, case and accents ignored,
// places sharing a name told apart, most populous first. Expected rows are those of
// data/places/cities.csv.
#include <gtest/gtest.h>

#include <QStringList>

#include "core/city_search.h"

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

TEST(CitySearch, NothingForAnEmptyOrUnknownQuery) {
  EXPECT_TRUE(LabelsOf("").isEmpty());
  EXPECT_TRUE(LabelsOf("   ").isEmpty());
  EXPECT_TRUE(LabelsOf("Qxzzy").isEmpty());
}

}  // namespace
