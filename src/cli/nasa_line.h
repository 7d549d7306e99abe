// One line in the layout of NASA's yearly Moon table, as orvanel-cli prints it: the
// day number and the eleven values, each with NASA's decimals.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "nasa/computed_year_table.h"
#include "nasa/nasa_tables.h"

inline void PrintNasaLine(std::ostream& out, const NasaHourRecord& row) {
  const auto fields = NasaFields(row);
  std::vector<std::string> texts;
  for (int i = 0; i < kNasaColumnCount; ++i) texts.push_back(NasaValueText(i, fields[i]));
  PrintLine(out, texts);
}
