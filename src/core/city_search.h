// Finding a place by name among the compiled-in cities (data/places/cities.csv).
#pragma once

#include <QString>
#include <cstddef>
#include <vector>

struct CityMatch {
  QString Name, Province, Country;
  double Latitude = 0;   // degrees north
  double Longitude = 0;  // degrees east
  long long Population = 0;
  QString Zone;  // IANA name
};

// The cities whose name begins with the query, ignoring case and accents ("tromso"
// finds Tromsø), most populous first, at most `limit` of them. An empty query finds none.
std::vector<CityMatch> SearchCities(const QString& query, std::size_t limit);

// "Tokyo, Tokyo, Japan": the name with its province and country, which tell apart the
// places that share a name; a city without a province gives name and country.
QString CityLabel(const CityMatch& city);

// The text compared by the search: case folded, accents dropped.
QString FoldedForSearch(const QString& text);
