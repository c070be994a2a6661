#include "symbology/telepen.h"

#include <array>

#include "symbology/pattern_tables.h"

namespace Quillon::BrindleLib {

namespace {

// USS Telepen patterns of the 128 ASCII characters, 16 modules each with wide = 3 narrow.
constexpr std::array<PatternRecord, 129> kTelepenTable = {{
    {0, "wnwnwnwn"},         {1, "nnwnwnwnnn"},       {2, "wwwnwnnn"},       {3, "nnnnwnwnwn"},
    {4, "wnnnwnwnnn"},       {5, "nnwwwnwn"},         {6, "nwnwwnwn"},       {7, "nnnnnnwnwnnn"},
    {8, "wnwwwnnn"},         {9, "nnwnnnwnwn"},       {10, "wwnnwnwn"},      {11, "nnnnwwwnnn"},
    {12, "wnnnnnwnwn"},      {13, "nnnwnwwnnn"},      {14, "nwnnnwwnnn"},    {15, "nnnnnnnnwnwn"},
    {16, "wnwnnnwnnn"},      {17, "nnwnwwwn"},        {18, "wwwwwn"},        {19, "nnnnwnnnwnnn"},
    {20, "wnnnwwwn"},        {21, "nnwwnnwnnn"},      {22, "nwnwnnwnnn"},    {23, "nnnnnnwwwn"},
    {24, "wnnwnwwn"},        {25, "nnwnnnnnwnnn"},    {26, "wwnnnnwnnn"},    {27, "nnnnnwnwwn"},
    {28, "wnnnnnnnwnnn"},    {29, "nnnwnnnwwn"},      {30, "nwnnnnnwwn"},    {31, "nnnnnnnnnnwnnn"},
    {32, "wnwnwwnn"},        {33, "nnwnwnnnwn"},      {34, "wwwnnnwn"},      {35, "nnnnwnwwnn"},
    {36, "wnnnwnnnwn"},      {37, "nnwwwwnn"},        {38, "nwnwwwnn"},      {39, "nnnnnnwnnnwn"},
    {40, "wnwwnnwn"},        {41, "nnwnnnwwnn"},      {42, "wwnnwwnn"},      {43, "nnnnwwnnwn"},
    {44, "wnnnnnwwnn"},      {45, "nnnwnwnnwn"},      {46, "nwnnnwnnwn"},    {47, "nnnnnnnnwwnn"},
    {48, "wnwnnnnnwn"},      {49, "nnwnnwnwnn"},      {50, "wwnwnwnn"},      {51, "nnnnwnnnnnwn"},
    {52, "wnnnnwnwnn"},      {53, "nnwwnnnnwn"},      {54, "nwnwnnnnwn"},    {55, "nnnnnnnwnwnn"},
    {56, "wnnwnnnwnn"},      {57, "nnwnnnnnnnwn"},    {58, "wwnnnnnnwn"},    {59, "nnnnnwnnnwnn"},
    {60, "wnnnnnnnnnwn"},    {61, "nnnwnnnnnwnn"},    {62, "nwnnnnnnnwnn"},  {63, "nnnnnnnnnnnnwn"},
    {64, "wnwnwnnnnn"},      {65, "nnwnwnww"},        {66, "wwwnww"},        {67, "nnnnwnwnnnnn"},
    {68, "wnnnwnww"},        {69, "nnwwwnnnnn"},      {70, "nwnwwnnnnn"},    {71, "nnnnnnwnww"},
    {72, "wnwwww"},          {73, "nnwnnnwnnnnn"},    {74, "wwnnwnnnnn"},    {75, "nnnnwwww"},
    {76, "wnnnnnwnnnnn"},    {77, "nnnwnwww"},        {78, "nwnnnwww"},      {79, "nnnnnnnnwnnnnn"},
    {80, "wnwnnnww"},        {81, "nnwnwwnnnn"},      {82, "wwwwnnnn"},      {83, "nnnnwnnnww"},
    {84, "wnnnwwnnnn"},      {85, "nnwwnnww"},        {86, "nwnwnnww"},      {87, "nnnnnnwwnnnn"},
    {88, "wnnwnwnnnn"},      {89, "nnwnnnnnww"},      {90, "wwnnnnww"},      {91, "nnnnnwnwnnnn"},
    {92, "wnnnnnnnww"},      {93, "nnnwnnnwnnnn"},    {94, "nwnnnnnwnnnn"},  {95, "nnnnnnnnnnww"},
    {96, "wnwnnwnw"},        {97, "nnwnwnnnnnnn"},    {98, "wwwnnnnnnn"},    {99, "nnnnwnnwnw"},
    {100, "wnnnwnnnnnnn"},   {101, "nnwwnwnw"},       {102, "nwnwnwnw"},     {103, "nnnnnnwnnnnnnn"},
    {104, "wnwwnnnnnn"},     {105, "nnwnnnnwnw"},     {106, "wwnnnwnw"},     {107, "nnnnwwnnnnnn"},
    {108, "wnnnnnnwnw"},     {109, "nnnwnwnnnnnn"},   {110, "nwnnnwnnnnnn"}, {111, "nnnnnnnnnwnw"},
    {112, "wnwnnnnnnnnn"},   {113, "nnwnnwnnnw"},     {114, "wwnwnnnw"},     {115, "nnnnwnnnnnnnnn"},
    {116, "wnnnnwnnnw"},     {117, "nnwwnnnnnnnn"},   {118, "nwnwnnnnnnnn"}, {119, "nnnnnnnwnnnw"},
    {120, "wnnwnnnnnw"},     {121, "nnwnnnnnnnnnnn"}, {122, "wwnnnnnnnnnn"}, {123, "nnnnnwnnnnnw"},
    {124, "wnnnnnnnnnnnnn"}, {125, "nnnwnnnnnnnw"},   {126, "nwnnnnnnnnnw"}, {127, "nnnnnnnnnnnnnnnn"},
    {kEndOfTable, ""},
}};
static_assert(KeysAreIndexes(kTelepenTable));

void AppendSymbol(const Elements& characters, unsigned char check, std::string& pattern) {
  pattern.clear();
  pattern.reserve((characters.size() + 3) * 16);
  pattern += TelepenPattern(kTelepenStart);
  for (const auto c : characters) {
    pattern += TelepenPattern(static_cast<unsigned char>(c));
  }
  pattern += TelepenPattern(check);
  pattern += TelepenPattern(kTelepenStop);
}

void AppendCheckText(unsigned char check, std::string& text) {
  text += (check < 32 || check == 127) ? ' ' : static_cast<char>(check);
}

}  // namespace

unsigned char TelepenCheckCharacter(const Elements& values) {
  int sum = 0;
  for (const auto v : values) {
    sum = (sum + v) % 127;
  }
  return static_cast<unsigned char>(127 - sum);
}

std::string_view TelepenPattern(unsigned char c) {
  return IndexedPattern(kTelepenTable, c);
}

int CTelepenSymbol::Encode(const std::string& message, bool showCheckDigit, std::string& pattern,
                           std::string& text) const {
  const Elements elements = FilterElements(ParseEscaped(UpToTerminator(message)), kAsciiCharacters);
  const unsigned char check = TelepenCheckCharacter(elements);
  AppendSymbol(elements, check, pattern);
  text = BuildText(elements);
  if (showCheckDigit) {
    AppendCheckText(check, text);
  }
  return 1;
}

int CTelepenNumericSymbol::Encode(const std::string& message, bool showCheckDigit, std::string& pattern,
                                  std::string& text) const {
  Elements digits = FilterElements(ParsePlain(UpToTerminator(message)), kDigitCharacters);
  if (digits.size() % 2 != 0) {
    digits.push_back('0');
  }
  Elements pairs;
  pairs.reserve(digits.size() / 2);
  for (size_t i = 0; i < digits.size(); i += 2) {
    pairs.push_back(static_cast<std::uint16_t>(DigitValue(digits[i]) * 10 + DigitValue(digits[i + 1])));
  }
  const unsigned char check = TelepenCheckCharacter(pairs);
  AppendSymbol(pairs, check, pattern);
  text = BuildText(digits);
  if (showCheckDigit) {
    AppendCheckText(check, text);
  }
  return 1;
}

}  // namespace Quillon::BrindleLib
