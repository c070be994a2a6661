// The embedded PDF417 tables against the checked reference tables.
#include "symbology2d/pdf417_tables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "symbology2d/pdf417_text_class.h"

namespace Quillon::BrindleLib::pdf417 {
namespace {

std::vector<std::vector<std::string>> Records(const std::string& name) {
  std::ifstream file(linnet::testing::SharedDir() + "/reference/" + name);
  EXPECT_TRUE(file.good()) << name;
  std::vector<std::vector<std::string>> records;
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    std::istringstream fields(line);
    std::vector<std::string> record;
    for (std::string field; fields >> field;) {
      record.push_back(field);
    }
    records.push_back(record);
  }
  return records;
}

int ClusterIndex(int standardCluster) {
  return standardCluster / 3;
}

TEST(Pdf417Tables, CodewordPatternsMatchReference) {
  int checked = 0;
  for (const auto& r : Records("pdf417-codewords.txt")) {
    const auto value = static_cast<std::uint32_t>(std::stoul(r[r[0] == "C" ? 3 : 1], nullptr, 16));
    if (r[0] == "C") {
      const int cluster = ClusterIndex(std::stoi(r[1]));
      const int codeword = std::stoi(r[2]);
      EXPECT_EQ(kCodewordPatterns[cluster][codeword], value) << r[1] << " " << r[2];
      ++checked;
    } else if (r[0] == "START") {
      EXPECT_EQ(kStartPattern, value);
    } else if (r[0] == "STOP") {
      EXPECT_EQ(kStopPattern, value);
    }
  }
  EXPECT_EQ(checked, kClusterCount * kCodewordCount);
}

TEST(Pdf417Tables, GeneratorCoefficientsMatchReference) {
  int checked = 0;
  for (const auto& r : Records("pdf417-rs-coefficients.txt")) {
    const int k = std::stoi(r[1]);
    const int i = std::stoi(r[2]);
    EXPECT_EQ(kGeneratorCoefficients[k - 2 + i], std::stoi(r[3])) << "level " << r[0] << " a_" << i;
    ++checked;
  }
  EXPECT_EQ(checked, kGeneratorCoefficientCount);
}

TEST(Pdf417Tables, TextClassesFollowSubmodeTables) {
  const std::string names[] = {"ALPHA", "LOWER", "MIXED", "PUNCT"};
  std::vector<int> held(256, 0);
  for (const auto& r : Records("pdf417-text-submodes.txt")) {
    if (r[2] == "-") {
      continue;
    }
    const int submode = static_cast<int>(std::find(std::begin(names), std::end(names), r[0]) - std::begin(names));
    ASSERT_LT(submode, 4) << r[0];
    const int byte = std::stoi(r[2]);
    const TextClassEntry& entry = TextClassOf(static_cast<unsigned char>(byte));
    EXPECT_TRUE(entry.Holds(static_cast<TextSubmode>(submode))) << byte;
    EXPECT_EQ(entry.value, std::stoi(r[1])) << byte;
    held[static_cast<std::size_t>(byte)] |= 1 << submode;
  }
  for (int byte = 0; byte < 256; ++byte) {
    EXPECT_EQ(TextClassOf(static_cast<unsigned char>(byte)).submodes, held[static_cast<std::size_t>(byte)]) << byte;
    const bool compactible = (byte >= 0x20 && byte <= 0x7E) || byte == 9 || byte == 10 || byte == 13;
    EXPECT_EQ(TextClassOf(static_cast<unsigned char>(byte)).Compactible(), compactible) << byte;
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib::pdf417
