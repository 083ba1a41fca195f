// The reference fixtures of tests/data (CSV made by the committed scripts of
// tools/astronomy-fixture), read by the tests and the benchmarks alike.
#pragma once

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

// One fixture file: the rows after the '#' notes and the header, each field by column name.
struct FixtureTable {
  std::vector<std::map<std::string, std::string>> rows;
  bool complete = true;  // false when the file is missing or a row has another number of fields
};

// Reads the CSV file at `path`.
inline FixtureTable readCsvTable(const std::string& path) {
  FixtureTable table;
  std::ifstream in(path);
  table.complete = static_cast<bool>(in);
  std::string line;
  std::vector<std::string> header;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> fields;
    std::stringstream stream(line);
    std::string field;
    while (std::getline(stream, field, ',')) fields.push_back(field);
    if (line.back() == ',') fields.emplace_back();
    if (header.empty()) {
      header = fields;
      continue;
    }
    if (fields.size() != header.size()) table.complete = false;
    std::map<std::string, std::string> row;
    for (size_t i = 0; i < header.size() && i < fields.size(); ++i) row[header[i]] = fields[i];
    table.rows.push_back(row);
  }
  return table;
}

// Reads tests/data/`name` under the source tree `sourceDir`.
inline FixtureTable readFixtureTable(const std::string& sourceDir, const std::string& name) {
  return readCsvTable(sourceDir + "/tests/data/" + name);
}

// The number in `column` of `row`.
inline double fixtureNumber(const std::map<std::string, std::string>& row,
                            const std::string& column) {
  return std::stod(row.at(column));
}
