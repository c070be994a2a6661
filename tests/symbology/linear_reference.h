#pragma once
// Records of the checked standards tables (reference/linear-patterns.txt), for tests that
// compare the tables embedded in the encoders with them.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"

namespace linnet::testing {

using ReferenceRecord = std::vector<std::string>;  // the fields after the table name

// Every record of one table, in file order.
inline std::vector<ReferenceRecord> LinearReference(const std::string& table) {
  std::ifstream file(SharedDir() + "/reference/linear-patterns.txt");
  std::vector<ReferenceRecord> records;
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream fields(line);
    std::string name;
    if (!(fields >> name) || name != table) {
      continue;
    }
    ReferenceRecord record;
    for (std::string field; fields >> field;) {
      record.push_back(field);
    }
    records.push_back(record);
  }
  return records;
}

// The byte a character column names: the character itself, or SP, NUL, HT, LF, CR, DEL,
// HASH or Cnn.
inline int ReferenceCharacter(const std::string& column) {
  if (column.size() == 1) {
    return static_cast<unsigned char>(column[0]);
  }
  static const std::pair<const char*, int> kNames[] = {{"SP", 32}, {"NUL", 0},   {"HT", 9},   {"LF", 10},
                                                       {"CR", 13}, {"DEL", 127}, {"HASH", 35}};
  for (const auto& [name, value] : kNames) {
    if (column == name) {
      return value;
    }
  }
  if (column.size() == 3 && column[0] == 'C') {
    return std::stoi(column.substr(1));
  }
  return -1;
}

// 'n'/'w' written in the upper-case letters that some encoders use.
inline std::string UpperNarrowWide(std::string pattern) {
  for (char& c : pattern) {
    c = c == 'w' ? 'W' : 'N';
  }
  return pattern;
}

// A module string ('1'/'0') written as 'b'/'s'.
inline std::string BarSpaceModules(std::string modules) {
  for (char& c : modules) {
    c = c == '1' ? 'b' : 's';
  }
  return modules;
}

}  // namespace linnet::testing
