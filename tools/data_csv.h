// Reading of the comma-separated reference tables for the build-time generators.
// Every problem is a DataError whose text is "file:line: message"; a generator
// prints it, writes nothing and exits with status 1, which stops the build.
#pragma once

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace data_csv {

class DataError : public std::runtime_error {
 public:
  DataError(const std::string& file, int line, const std::string& message)
      : std::runtime_error(file + ":" + std::to_string(line) + ": " + message) {}
};

struct Row {
  int Line = 0;
  std::vector<std::string> Fields;
};

struct CsvTable {
  std::string Path;
  int LastLine = 0;
  std::vector<Row> Rows;

  [[noreturn]] void Fail(int line, const std::string& message) const {
    throw DataError(Path, line, message);
  }
  [[noreturn]] void Fail(const Row& row, const std::string& message) const {
    Fail(row.Line, message);
  }
};

// Fields separated by commas; a field in double quotes may hold commas, and "" in
// it stands for one quote (the gazetteer quotes names such as "Maria, Statio").
inline std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"' && (quoted || fields.back().empty())) {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

// Reads the data rows of a file: '#' lines are comments; every other line must have
// exactly `columns` comma-separated fields. Only the file's last line may be empty.
inline CsvTable ReadCsv(const std::string& path, std::size_t columns) {
  CsvTable table{path, 0, {}};
  std::ifstream in(path);
  if (!in) table.Fail(0, "cannot open the file");
  std::string line;
  bool sawBlank = false;
  while (std::getline(in, line)) {
    ++table.LastLine;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (sawBlank) table.Fail(table.LastLine - 1, "empty line inside the data");
    if (line.empty()) {
      sawBlank = true;
      continue;
    }
    if (line[0] == '#') continue;
    Row row{table.LastLine, SplitFields(line)};
    if (row.Fields.size() != columns)
      table.Fail(row, "expected " + std::to_string(columns) + " columns, found " +
                          std::to_string(row.Fields.size()));
    table.Rows.push_back(std::move(row));
  }
  return table;
}

inline void ExpectRowCount(const CsvTable& t, std::size_t count) {
  if (t.Rows.size() != count)
    t.Fail(t.LastLine, "expected " + std::to_string(count) + " data rows, found " +
                           std::to_string(t.Rows.size()));
}

// A decimal number; returned as the file's own text so that the compiler reads
// exactly the published digits.
inline std::string ParseReal(const CsvTable& t, const Row& row, std::size_t column) {
  const std::string& text = row.Fields[column];
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (text.empty() || *end != '\0' || !std::isfinite(v) ||
      text.find_first_of("xXnN") != std::string::npos)
    t.Fail(row, "column " + std::to_string(column + 1) + ": not a decimal number: '" + text + "'");
  return text;
}

// A decimal number of a packed table (src/astro/packed_bytes.h), which the program
// reads back with std::from_chars: no '+' and no spaces.
inline std::string ParsePackedReal(const CsvTable& t, const Row& row, std::size_t column) {
  const std::string text = ParseReal(t, row, column);
  double v = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (error != std::errc() || end != text.data() + text.size())
    t.Fail(row, "column " + std::to_string(column + 1) + ": not a plain decimal number: '" + text + "'");
  return text;
}

// Appends a NUL-terminated field to the text of a packed table.
inline void AppendField(const CsvTable& t, const Row& row, std::string& text, const std::string& field) {
  if (field.find('\0') != std::string::npos) t.Fail(row, "NUL byte in a field");
  text += field;
  text += '\0';
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out.flush()) throw DataError(path, 0, "cannot write the file");
}

// The generated header (declarations) and source (the constants) of one generator.
struct Output {
  std::ostringstream Header, Source;
};

// Writes both files, made from ORVANEL_DATA_DIR/`folder`; `includes` are the header's
// own #include lines.
inline void WriteOutput(const std::string& tool, const std::string& folder, const std::string& headerPath,
                        const std::string& sourcePath, const std::string& includes, const Output& out) {
  const std::string note = "// Generated by tools/" + tool + " from ORVANEL_DATA_DIR/" + folder + "; do not edit.\n";
  WriteFile(headerPath, note + "#pragma once\n\n" + includes + "\n" + out.Header.str());
  const std::string headerName = headerPath.substr(headerPath.find_last_of("/\\") + 1);
  WriteFile(sourcePath, note + "#include \"" + headerName + "\"\n\n" + out.Source.str());
}

}  // namespace data_csv
