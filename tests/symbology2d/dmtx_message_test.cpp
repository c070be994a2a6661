// Escapes and header functions of the message text.
#include "symbology2d/dmtx_message.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace brindle2::dmtxencode {
namespace {

struct Parsed {
  HRESULT code;
  std::vector<std::uint8_t> header;
  std::vector<Item> items;
};

Parsed Parse(const std::string& text) {
  auto m = std::make_unique<ParsedMessage>();
  const HRESULT code = ParseMessage(text, *m);
  return {code, {m->Header().begin(), m->Header().end()}, {m->Items().begin(), m->Items().end()}};
}

std::vector<Item> ItemsOf(const std::string& bytes) {
  return {bytes.begin(), bytes.end()};
}

constexpr Item E(std::uint8_t codeword) {
  return EciValueItem(codeword);
}

TEST(DataMatrixMessage, Escapes) {
  const struct {
    std::string text;
    std::vector<Item> items;
  } cases[] = {
      {"AB", ItemsOf("AB")},
      {"~@~A~Z", {0, 1, 26}},
      {"~~", {'~'}},
      {"a~1b", {'a', kFnc1Item, 'b'}},
      {"~d065~d255~d000", {'A', 255, 0}},
      {"~d256", ItemsOf("~d256")},  // above 255: not an escape
      {"~d12", ItemsOf("~d12")},
      {"~dx12", ItemsOf("~dx12")},
      {"~x", ItemsOf("~x")},
      {"~[", ItemsOf("~[")},
      {"x~", ItemsOf("x~")},
      {"~", ItemsOf("~")},
      {"~7000003", {kEciItem, E(4)}},
      {"~7000126", {kEciItem, E(127)}},
      {"~7000127", {kEciItem, E(128), E(1)}},
      {"~7016382", {kEciItem, E(191), E(254)}},
      {"~7016383", {kEciItem, E(192), E(1), E(1)}},
      {"~7999999", {kEciItem, E(207), E(63), E(129)}},
      {"~700012", ItemsOf("~700012")},  // five digits: not an ECI
      {"~7000358A", {kEciItem, E(128), E(232), 'A'}},
      {std::string("\xE9\0z", 3), {0xE9, 0, 'z'}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto p = Parse(c.text);
    EXPECT_EQ(p.code, kOk);
    EXPECT_TRUE(p.header.empty());
    EXPECT_EQ(p.items, c.items);
  }
}

TEST(DataMatrixMessage, EciValueCodewordsAreNeverFnc1) {
  // The second codeword of ECI 358 is 232, the value of FNC1.
  const auto p = Parse("~7000358");
  ASSERT_EQ(p.items.size(), 3U);
  EXPECT_EQ(CodewordOf(p.items[2]), 232);
  EXPECT_NE(p.items[2], kFnc1Item);
}

TEST(DataMatrixMessage, HeaderFunctionsOnlyAtTheStart) {
  const struct {
    std::string text;
    std::vector<std::uint8_t> header;
    std::vector<Item> items;
  } cases[] = {
      {"~3AB", {234}, ItemsOf("AB")},
      {"~5AB", {236}, ItemsOf("AB")},
      {"~6", {237}, {}},
      {"A~3", {}, ItemsOf("A~3")},
      {"A~5~6", {}, ItemsOf("A~5~6")},
      {"~3~3", {234}, ItemsOf("~3")},
      {"~4", {}, ItemsOf("~4")},
      {"~2[1][0][2]ABC", {233, 15, 254, 254}, ItemsOf("ABC")},
      {"~2[3][300][5]", {233, 44, 1, 44}, {}},
      {"~2[16][64515][16]", {233, 241, 252, 3}, {}},
      {"~2[1][512][2]", {233, 15, 2, 254}, {}},
      {"~2[1][255][2]", {233, 15, 254, 255}, {}},
      {"~2[01][0][02]~3", {233, 15, 254, 254}, ItemsOf("~3")},
      {"~2x", {}, ItemsOf("~2x")},
      {"A~2[1][0][2]", {}, ItemsOf("A~2[1][0][2]")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    const auto p = Parse(c.text);
    EXPECT_EQ(p.code, kOk);
    EXPECT_EQ(p.header, c.header);
    EXPECT_EQ(p.items, c.items);
  }
}

TEST(DataMatrixMessage, StructuredAppendFailures) {
  const struct {
    std::string text;
    HRESULT code;
  } cases[] = {
      {"~2[0][0][2]", kStructuredAppendInvalidPosition},
      {"~2[17][0][2]", kStructuredAppendInvalidPosition},
      {"~2[99999999999][0][2]", kStructuredAppendInvalidPosition},
      {"~2[x][0][2]", kStructuredAppendInvalidBlock},
      {"~2[1", kStructuredAppendInvalidBlock},
      {"~2[", kStructuredAppendInvalidBlock},
      {"~2[1]", kStructuredAppendMissingField},
      {"~2[1]x[0][2]", kStructuredAppendMissingField},
      {"~2[1][0]", kStructuredAppendMissingField},
      {"~2[1][0]2]", kStructuredAppendMissingField},
      {"~2[1][70000][2]", kStructuredAppendInvalidFileId},
      {"~2[1][64516][2]", kStructuredAppendInvalidFileId},
      {"~2[1][a][2]", kStructuredAppendInvalidFileId},
      {"~2[1][0", kStructuredAppendInvalidFileId},
      {"~2[1][0][17]", kStructuredAppendInvalidTotal},
      {"~2[1][0][0]", kStructuredAppendInvalidTotal},
      {"~2[1][0][]", kStructuredAppendInvalidTotal},
      {"~2[1][0][2", kStructuredAppendInvalidTotal},
      {"~2[1][0][b]", kStructuredAppendInvalidTotal},
      // Position 16 of 1 symbol would need the codeword 256.
      {"~2[16][0][1]", kStructuredAppendInvalidPosition},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parse(c.text).code, c.code) << c.text;
  }
}

TEST(DataMatrixMessage, ItemLimit) {
  EXPECT_EQ(Parse(std::string(kMaxItems, 'a')).code, kOk);
  EXPECT_EQ(Parse(std::string(kMaxItems + 1, 'a')).code, kTooMuchData);
  // An ECI adds its value codewords as items too.
  EXPECT_EQ(Parse(std::string(kMaxItems - 4, 'a') + "~7999999").code, kOk);
  EXPECT_EQ(Parse(std::string(kMaxItems - 3, 'a') + "~7999999").code, kTooMuchData);
}

}  // namespace
}  // namespace brindle2::dmtxencode
