#include "symbology/code39.h"

namespace Quillon::BrindleLib {

namespace {

// ISO/IEC 16388 character patterns, each followed by the narrow inter-character gap.
const PatternRecord kCode39Table[] = {
    {'0', "nnnwwnwnnn"}, {'1', "wnnwnnnnwn"}, {'2', "nnwwnnnnwn"}, {'3', "wnwwnnnnnn"}, {'4', "nnnwwnnnwn"},
    {'5', "wnnwwnnnnn"}, {'6', "nnwwwnnnnn"}, {'7', "nnnwnnwnwn"}, {'8', "wnnwnnwnnn"}, {'9', "nnwwnnwnnn"},
    {'A', "wnnnnwnnwn"}, {'B', "nnwnnwnnwn"}, {'C', "wnwnnwnnnn"}, {'D', "nnnnwwnnwn"}, {'E', "wnnnwwnnnn"},
    {'F', "nnwnwwnnnn"}, {'G', "nnnnnwwnwn"}, {'H', "wnnnnwwnnn"}, {'I', "nnwnnwwnnn"}, {'J', "nnnnwwwnnn"},
    {'K', "wnnnnnnwwn"}, {'L', "nnwnnnnwwn"}, {'M', "wnwnnnnwnn"}, {'N', "nnnnwnnwwn"}, {'O', "wnnnwnnwnn"},
    {'P', "nnwnwnnwnn"}, {'Q', "nnnnnnwwwn"}, {'R', "wnnnnnwwnn"}, {'S', "nnwnnnwwnn"}, {'T', "nnnnwnwwnn"},
    {'U', "wwnnnnnnwn"}, {'V', "nwwnnnnnwn"}, {'W', "wwwnnnnnnn"}, {'X', "nwnnwnnnwn"}, {'Y', "wwnnwnnnnn"},
    {'Z', "nwwnwnnnnn"}, {'-', "nwnnnnwnwn"}, {'.', "wwnnnnwnnn"}, {' ', "nwwnnnwnnn"}, {'*', "nwnnwnwnnn"},
    {'$', "nwnwnwnnnn"}, {'/', "nwnwnnnwnn"}, {'+', "nwnnnwnwnn"}, {'%', "nnnwnwnwnn"}, {kEndOfTable, ""},
};

// ISO/IEC 16388 Annex A: ASCII byte -> Code 39 characters.
const PatternRecord kFullAsciiTable[] = {
    {0, "%U"},         {1, "$A"},   {2, "$B"},   {3, "$C"},   {4, "$D"},   {5, "$E"},   {6, "$F"},   {7, "$G"},
    {8, "$H"},         {9, "$I"},   {10, "$J"},  {11, "$K"},  {12, "$L"},  {13, "$M"},  {14, "$N"},  {15, "$O"},
    {16, "$P"},        {17, "$Q"},  {18, "$R"},  {19, "$S"},  {20, "$T"},  {21, "$U"},  {22, "$V"},  {23, "$W"},
    {24, "$X"},        {25, "$Y"},  {26, "$Z"},  {27, "%A"},  {28, "%B"},  {29, "%C"},  {30, "%D"},  {31, "%E"},
    {32, " "},         {33, "/A"},  {34, "/B"},  {35, "/C"},  {36, "/D"},  {37, "/E"},  {38, "/F"},  {39, "/G"},
    {40, "/H"},        {41, "/I"},  {42, "/J"},  {43, "/K"},  {44, "/L"},  {45, "-"},   {46, "."},   {47, "/O"},
    {48, "0"},         {49, "1"},   {50, "2"},   {51, "3"},   {52, "4"},   {53, "5"},   {54, "6"},   {55, "7"},
    {56, "8"},         {57, "9"},   {58, "/Z"},  {59, "%F"},  {60, "%G"},  {61, "%H"},  {62, "%I"},  {63, "%J"},
    {64, "%V"},        {65, "A"},   {66, "B"},   {67, "C"},   {68, "D"},   {69, "E"},   {70, "F"},   {71, "G"},
    {72, "H"},         {73, "I"},   {74, "J"},   {75, "K"},   {76, "L"},   {77, "M"},   {78, "N"},   {79, "O"},
    {80, "P"},         {81, "Q"},   {82, "R"},   {83, "S"},   {84, "T"},   {85, "U"},   {86, "V"},   {87, "W"},
    {88, "X"},         {89, "Y"},   {90, "Z"},   {91, "%K"},  {92, "%L"},  {93, "%M"},  {94, "%N"},  {95, "%O"},
    {96, "%W"},        {97, "+A"},  {98, "+B"},  {99, "+C"},  {100, "+D"}, {101, "+E"}, {102, "+F"}, {103, "+G"},
    {104, "+H"},       {105, "+I"}, {106, "+J"}, {107, "+K"}, {108, "+L"}, {109, "+M"}, {110, "+N"}, {111, "+O"},
    {112, "+P"},       {113, "+Q"}, {114, "+R"}, {115, "+S"}, {116, "+T"}, {117, "+U"}, {118, "+V"}, {119, "+W"},
    {120, "+X"},       {121, "+Y"}, {122, "+Z"}, {123, "%P"}, {124, "%Q"}, {125, "%R"}, {126, "%S"}, {127, "%T"},
    {kEndOfTable, ""},
};

std::string UpperCased(const std::string& message) {
  std::string upper(UpToTerminator(message));
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') {
      c = static_cast<char>(c - 'a' + 'A');
    }
  }
  return upper;
}

void AppendText(const std::string& body, bool check, bool showCheck, char checkCharacter, bool showStartStop,
                std::string& text) {
  text.clear();
  if (showStartStop) {
    text.push_back('*');
  }
  text += body;
  if (check && showCheck) {
    text += checkCharacter;
  }
  if (showStartStop) {
    text += '*';
  }
}

}  // namespace

int Code39CheckValue(unsigned char c) {
  const auto pos = kCode39Characters.find(static_cast<char>(c));
  return pos == std::string_view::npos ? 0 : static_cast<int>(pos);
}

char Code39CheckCharacter(const Elements& elements) {
  int sum = 0;
  for (const auto e : elements) {
    if (e < 256) {
      sum += Code39CheckValue(static_cast<unsigned char>(e));
    }
  }
  return kCode39Characters[static_cast<size_t>(sum % 43)];
}

std::string_view Code39Pattern(unsigned char c) {
  return LookupPattern(c, kCode39Table);
}

std::string_view Code39FullAsciiReplacement(unsigned char c) {
  return LookupPattern(c, kFullAsciiTable);
}

int CCode39Symbol::Encode(const std::string& message, bool checkCharacter, bool showCheckCharacter, bool showStartStop,
                          std::string& pattern, std::string& text) const {
  const Elements elements = FilterElements(ParsePlain(UpperCased(message)), kCode39Characters);
  pattern.clear();
  pattern.reserve((elements.size() + 3) * 10);
  pattern += Code39Pattern('*');
  for (const auto e : elements) {
    pattern += Code39Pattern(static_cast<unsigned char>(e));
  }
  const char check = Code39CheckCharacter(elements);
  if (checkCharacter) {
    pattern += Code39Pattern(static_cast<unsigned char>(check));
  }
  pattern += Code39Pattern('*');
  AppendText(BuildText(elements), checkCharacter, showCheckCharacter, check, showStartStop, text);
  return 1;
}

int CCode39ExtendedSymbol::Encode(const std::string& message, bool checkCharacter, bool showCheckCharacter,
                                  bool showStartStop, std::string& pattern, std::string& text) const {
  const Elements elements = FilterElements(ParseEscaped(UpToTerminator(message)), kAsciiCharacters);
  pattern.clear();
  pattern.reserve((elements.size() * 2 + 3) * 10);
  pattern += Code39Pattern('*');
  int sum = 0;
  for (const auto e : elements) {
    for (const char r : Code39FullAsciiReplacement(static_cast<unsigned char>(e))) {
      pattern += Code39Pattern(static_cast<unsigned char>(r));
      sum += Code39CheckValue(static_cast<unsigned char>(r));
    }
  }
  const char check = kCode39Characters[static_cast<size_t>(sum % 43)];
  if (checkCharacter) {
    pattern += Code39Pattern(static_cast<unsigned char>(check));
  }
  pattern += Code39Pattern('*');
  AppendText(BuildText(elements), checkCharacter, showCheckCharacter, check, showStartStop, text);
  return 1;
}

int CCode39HIBCSymbol::Encode(const std::string& message, bool /*showCheckCharacter*/, bool showStartStop,
                              std::string& pattern, std::string& text) const {
  std::string flagged(UpToTerminator(message));
  if (flagged.empty() || flagged.front() != '+') {
    flagged.insert(flagged.begin(), '+');
  }
  return CCode39Symbol().Encode(flagged, true, true, showStartStop, pattern, text);
}

}  // namespace Quillon::BrindleLib
