#include "symbology/databar_tables.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "support/run_command.h"

namespace Quillon::BrindleLib {
namespace {

// The records of the reference file by type, each record's fields after the type.
using Records = std::map<std::string, std::vector<std::vector<std::string>>>;

Records ReadReference() {
  std::ifstream in(linnet::testing::SharedDir() + "/reference/databar.txt");
  Records records;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') {
      continue;
    }
    std::istringstream fields(line);
    std::string type;
    fields >> type;
    std::vector<std::string> rest;
    for (std::string f; fields >> f;) {
      rest.push_back(f);
    }
    records[type].push_back(rest);
  }
  return records;
}

const Records& Reference() {
  static const Records records = ReadReference();
  return records;
}

std::vector<int> Ints(const std::vector<std::string>& fields, size_t from) {
  std::vector<int> v;
  for (size_t i = from; i < fields.size(); ++i) {
    v.push_back(std::stoi(fields[i]));
  }
  return v;
}

std::string Digits(const std::vector<std::string>& fields, size_t from) {
  std::string s;
  for (size_t i = from; i < fields.size(); ++i) {
    s += fields[i];
  }
  return s;
}

std::string FinderToken(const ExpandedFinder& f) {
  return std::string(1, static_cast<char>('A' + f.letter)) + (f.reversed ? "2" : "1");
}

template <size_t N>
void ExpectGroups(const std::string& type, const std::array<DataBarGroup, N>& groups) {
  const auto& rows = Reference().at(type);
  ASSERT_EQ(rows.size(), N) << type;
  for (size_t i = 0; i < N; ++i) {
    const auto& g = groups[i];
    // group, vmin, vmax, g_sum, odd, even, widest odd, widest even, t_odd, t_even
    const std::vector<int> expected = Ints(rows[i], 1);
    const std::vector<int> actual = {g.minValue,  g.maxValue,   g.minValue,        g.oddModules,      g.evenModules,
                                     g.widestOdd, g.widestEven, g.oddCombinations, g.evenCombinations};
    EXPECT_EQ(actual, expected) << type << " group " << i + 1;
  }
}

TEST(DataBarTables, GroupsMatchTheReference) {
  ExpectGroups("OMNI_OUT", kOmniOutsideGroups);
  ExpectGroups("OMNI_IN", kOmniInsideGroups);
  ExpectGroups("LTD_GROUP", kLimitedGroups);
  ExpectGroups("EXP_GROUP", kExpandedGroups);
}

TEST(DataBarTables, OmnidirectionalWeightsAndFinders) {
  const auto& weights = Reference().at("OMNI_WEIGHT");
  ASSERT_EQ(weights.size(), kOmniWeights.size());
  for (size_t c = 0; c < weights.size(); ++c) {
    EXPECT_EQ(Ints(weights[c], 1), std::vector<int>(kOmniWeights[c].begin(), kOmniWeights[c].end())) << c;
  }
  const auto& finders = Reference().at("OMNI_FINDER");
  ASSERT_EQ(finders.size(), kOmniFinders.size());
  for (size_t f = 0; f < finders.size(); ++f) {
    EXPECT_EQ(Digits(finders[f], 1), kOmniFinders[f]) << f;
  }
}

TEST(DataBarTables, LimitedWeightsAndCheckPatterns) {
  for (const auto& row : Reference().at("LTD_WEIGHT")) {
    const auto& embedded = row[0] == "L" ? kLimitedLeftWeights : kLimitedRightWeights;
    EXPECT_EQ(Ints(row, 1), std::vector<int>(embedded.begin(), embedded.end())) << row[0];
  }
  const auto& checks = Reference().at("LTD_CHECK");
  ASSERT_EQ(checks.size(), kLimitedChecks.size());
  for (const auto& row : checks) {
    EXPECT_EQ(Digits(row, 1), kLimitedChecks.at(static_cast<size_t>(std::stoi(row[0])))) << row[0];
  }
}

TEST(DataBarTables, ExpandedFindersSequencesAndWeights) {
  const auto& finders = Reference().at("EXP_FINDER");
  ASSERT_EQ(finders.size(), kExpandedFinders.size());
  for (size_t f = 0; f < finders.size(); ++f) {
    EXPECT_EQ(finders[f][0], std::string(1, static_cast<char>('A' + f)));
    EXPECT_EQ(Digits(finders[f], 1), kExpandedFinders[f]);
  }
  const auto& sequences = Reference().at("EXP_SEQ");
  ASSERT_EQ(sequences.size(), kExpandedSequences.size());
  for (size_t s = 0; s < sequences.size(); ++s) {
    const auto& seq = kExpandedSequences[s];
    EXPECT_EQ(std::stoi(sequences[s][0]), seq.count);
    std::vector<std::string> tokens(sequences[s].begin() + 3, sequences[s].end());
    std::vector<std::string> embedded;
    for (int i = 0; i < seq.count; ++i) {
      embedded.push_back(FinderToken(seq.finders[static_cast<size_t>(i)]));
    }
    EXPECT_EQ(embedded, tokens) << seq.count;
  }
  const auto& weights = Reference().at("EXP_WEIGHT");
  ASSERT_EQ(weights.size(), kExpandedWeights.size());
  for (size_t w = 0; w < weights.size(); ++w) {
    const auto& row = kExpandedWeights[w];
    EXPECT_EQ(FinderToken(row.finder), weights[w][0]) << w;
    EXPECT_EQ(row.rightOfFinder ? "R" : "L", weights[w][1]) << w;
    EXPECT_EQ(Ints(weights[w], 2), std::vector<int>(row.weights.begin(), row.weights.end())) << w;
  }
}

}  // namespace
}  // namespace Quillon::BrindleLib
