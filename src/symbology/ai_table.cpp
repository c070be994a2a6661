#include "symbology/ai_table.h"

#include <algorithm>
#include <array>

namespace Quillon::BrindleLib {

namespace {

constexpr int kFixed = kAiFixedLength;
constexpr int kNum = kAiNumeric;
constexpr int kAlnum = kAiAlphanumeric;
constexpr int kExact = kAiExactKey;
constexpr int kPattern = kAiPatternKey;

// key, match, minimum, maximum, characters, check digit, title
constexpr std::array<AiRecord, 64> kAiRecords = {{
    {"00", kExact, 18, kFixed, kNum, 1, "SSCC (Serial Shipping Container Code)"},
    {"01", kExact, 14, kFixed, kNum, 1, "Global Trade Item Number"},
    {"02", kExact, 14, kFixed, kNum, 1, "GTIN of Contained Trade Items"},
    {"10", kExact, 0, 20, kAlnum, 0, "Batch or Lot Number"},
    {"11", kExact, 6, kFixed, kNum, 0, "Production Date (YYMMDD)"},
    {"12", kExact, 6, kFixed, kNum, 0, "Due Date (YYMMDD)"},
    {"13", kExact, 6, kFixed, kNum, 0, "Packaging Date (YYMMDD)"},
    {"15", kExact, 6, kFixed, kNum, 0, "Best Before Date (YYMMDD)"},
    {"17", kExact, 6, kFixed, kNum, 0, "Expiration Date (YYMMDD)"},
    {"20", kExact, 2, kFixed, kNum, 0, "Product Variant"},
    {"21", kExact, 0, 20, kAlnum, 0, "Serial Number"},
    {"22", kExact, 0, 29, kAlnum, 0, "Secondary Data Fields"},
    {"240", kExact, 0, 30, kAlnum, 0, "Additional Product Identification"},
    {"241", kExact, 0, 30, kAlnum, 0, "Customer Part Number"},
    {"242", kExact, 0, 6, kNum, 0, "Made-to-Order Variation Number"},
    {"250", kExact, 0, 30, kAlnum, 0, "Secondary Serial Number"},
    {"251", kExact, 0, 30, kAlnum, 0, "Reference to Source Entity"},
    {"253", kExact, 13, 30, kNum, 0, "Global Document Type Identifier"},
    {"254", kExact, 0, 20, kAlnum, 0, "GLN Extension Component"},
    {"30", kExact, 0, 8, kNum, 0, "Variable Count"},
    {"3[1-6][0-9][0-9]", kPattern, 6, kFixed, kNum, 0, "Trade Measures"},
    {"337[0-9]", kPattern, 6, kFixed, kNum, 0, "Kilograms per Square Metre"},
    {"37", kExact, 0, 8, kNum, 0, "Count of Trade Items"},
    {"390[0-9]", kPattern, 0, 15, kNum, 0, "Amount Payable (Local Currency)"},
    {"391[0-9]", kPattern, 3, 18, kNum, 0, "Amount Payable with ISO Currency Code"},
    {"392[0-9]", kPattern, 0, 15, kNum, 0, "Amount Payable for a Variable Measure Trade Item (Local Currency)"},
    {"393[0-9]", kPattern, 3, 18, kNum, 0, "Amount Payable for a Variable Measure Trade Item with ISO Currency Code"},
    {"400", kExact, 0, 30, kAlnum, 0, "Customer's Purchase Order Number"},
    {"401", kExact, 0, 30, kAlnum, 0, "Consignment Number"},
    {"402", kExact, 17, kFixed, kNum, 0, "Shipment Identification Number"},
    {"403", kExact, 0, 30, kAlnum, 0, "Routing Code"},
    {"410", kExact, 13, kFixed, kNum, 1, "Ship To / Deliver To Global Location Number"},
    {"411", kExact, 13, kFixed, kNum, 1, "Bill To / Invoice To Global Location Number"},
    {"412", kExact, 13, kFixed, kNum, 1, "Purchased From Global Location Number"},
    {"413", kExact, 13, kFixed, kNum, 1, "Ship For / Deliver For / Forward To Global Location Number"},
    {"414", kExact, 13, kFixed, kNum, 1, "Identification of a Physical Location (Global Location Number)"},
    {"415", kExact, 13, kFixed, kNum, 1, "Global Location Number of the Invoicing Party"},
    {"420", kExact, 0, 20, kAlnum, 0, "Ship To / Deliver To Postal Code Within a Single Postal Authority"},
    {"421", kExact, 3, 12, kAlnum, 0, "Ship To / Deliver To Postal Code with ISO Country Code"},
    {"422", kExact, 3, kFixed, kNum, 0, "Country of Origin of a Trade Item"},
    {"423", kExact, 3, 15, kNum, 0, "Country of Initial Processing"},
    {"424", kExact, 3, kFixed, kNum, 0, "Country of Processing"},
    {"425", kExact, 3, kFixed, kNum, 0, "Country of Disassembly"},
    {"426", kExact, 3, kFixed, kNum, 0, "Country Covering Full Process Chain"},
    {"7001", kExact, 13, kFixed, kNum, 0, "NATO Stock Number"},
    {"7002", kExact, 0, 30, kAlnum, 0, "UN/ECE Meat Carcasses and Cuts Classification"},
    {"703[0-9]", kPattern, 3, 30, kAlnum, 0, "Approval Number of Processor with ISO Country Code"},
    {"7003", kExact, 10, kFixed, kNum, 0, "Expiration Date and Time"},
    {"8001", kExact, 14, kFixed, kNum, 0, "Roll Products: Width, Length, Core Diameter, Direction and Splices"},
    {"8002", kExact, 0, 20, kAlnum, 0, "Cellular Mobile Telephone Identifier"},
    {"8003", kExact, 14, 30, kAlnum, 0, "Global Returnable Asset Identifier"},
    {"8004", kExact, 0, 30, kAlnum, 0, "Global Individual Asset Identifier"},
    {"8005", kExact, 6, kFixed, kNum, 0, "Price per Unit of Measure"},
    {"8006", kExact, 18, kFixed, kNum, 0, "Identification of the Components of a Trade Item"},
    {"8007", kExact, 0, 30, kAlnum, 0, "International Bank Account Number"},
    {"8008", kExact, 8, 12, kNum, 0, "Date and Time of Production"},
    {"8018", kExact, 18, kFixed, kNum, 1, "Global Service Relation Number"},
    {"8020", kExact, 0, 25, kAlnum, 0, "Payment Slip Reference Number"},
    {"8100", kExact, 6, kFixed, kNum, 0, "Coupon Extended Code: Number System and Offer"},
    {"8101", kExact, 10, kFixed, kNum, 0, "Coupon Extended Code: Number System, Offer and End of Offer"},
    {"8102", kExact, 2, kFixed, kNum, 0, "Coupon Extended Code: Number System Preceded by 0"},
    {"8110", kExact, 20, 70, kNum, 0, "Coupon Code Identification for Use in North America"},
    {"90", kExact, 0, 30, kAlnum, 0, "Information Mutually Agreed Between Trading Partners"},
    {"9[1-9]", kPattern, 0, 30, kAlnum, 0, "Company Internal Information"},
}};

// Leading two digits of the AIs with a data length that readers know without a separator.
constexpr std::array<std::string_view, 23> kPredefinedLengthPrefixes = {
    "00", "01", "02", "03", "04", "11", "12", "13", "14", "15", "16", "17",
    "18", "19", "20", "23", "31", "32", "33", "34", "35", "36", "41",
};

// A pattern key is a regular expression of the simplest kind: digits and ranges "[a-b]", each
// standing for one character. Matching that directly costs a few comparisons, where a regular
// expression engine cost most of a DataBar Expanded encoding.
constexpr bool IsRange(std::string_view key, std::size_t at) {
  return at + 4 < key.size() && key[at] == '[' && key[at + 2] == '-' && key[at + 4] == ']';
}

constexpr bool IsSimplePattern(std::string_view key) {
  for (std::size_t at = 0; at < key.size(); ++at) {
    if (IsRange(key, at)) {
      at += 4;
    } else if (key[at] < '0' || key[at] > '9') {
      return false;
    }
  }
  return true;
}

static_assert(std::all_of(kAiRecords.begin(), kAiRecords.end(),
                          [](const AiRecord& r) { return r.match != kAiPatternKey || IsSimplePattern(r.key); }),
              "pattern keys are digits and [a-b] ranges only");

bool MatchesPattern(std::string_view key, std::string_view ai) {
  std::size_t at = 0;
  for (std::size_t k = 0; k < key.size(); ++k, ++at) {
    if (at >= ai.size()) {
      return false;
    }
    if (IsRange(key, k)) {
      if (ai[at] < key[k + 1] || ai[at] > key[k + 3]) {
        return false;
      }
      k += 4;
    } else if (ai[at] != key[k]) {
      return false;
    }
  }
  return at == ai.size();
}

}  // namespace

std::span<const AiRecord> AiTable() {
  return kAiRecords;
}

const AiRecord* FindAiRecord(std::string_view ai) {
  for (const AiRecord& record : kAiRecords) {
    const bool matches = record.match == kAiPatternKey ? MatchesPattern(record.key, ai) : ai == record.key;
    if (matches) {
      return &record;
    }
  }
  return nullptr;
}

bool HasPredefinedLength(std::string_view ai) {
  if (ai.size() < 2) {
    return false;
  }
  return std::find(kPredefinedLengthPrefixes.begin(), kPredefinedLengthPrefixes.end(), ai.substr(0, 2)) !=
         kPredefinedLengthPrefixes.end();
}

}  // namespace Quillon::BrindleLib
