#include "symbology2d/maxicode_code_sets.h"

#include <cstddef>

namespace Quillon::BrindleLib::maxicode {

namespace {

constexpr std::int16_t ECI = kEci, NS = kNumericShift, PAD = kPad, SHA = kShiftA, SHB = kShiftB, SHC = kShiftC,
                       SHD = kShiftD, SHE = kShiftE, SH2A = kTwoShiftA, SH3A = kThreeShiftA, LTA = kLatchA,
                       LTB = kLatchB, LKC = kLockC, LKD = kLockD, LKE = kLockE;

// The standard's character table, value 0 to 63 down, sets A to E across.
// clang-format off
constexpr std::array<CodeSetRow, kCodewordValues> kTable = {{
    {  13,   96,  192,  224,    0},  // 0
    {  65,   97,  193,  225,    1},  // 1
    {  66,   98,  194,  226,    2},  // 2
    {  67,   99,  195,  227,    3},  // 3
    {  68,  100,  196,  228,    4},  // 4
    {  69,  101,  197,  229,    5},  // 5
    {  70,  102,  198,  230,    6},  // 6
    {  71,  103,  199,  231,    7},  // 7
    {  72,  104,  200,  232,    8},  // 8
    {  73,  105,  201,  233,    9},  // 9
    {  74,  106,  202,  234,   10},  // 10
    {  75,  107,  203,  235,   11},  // 11
    {  76,  108,  204,  236,   12},  // 12
    {  77,  109,  205,  237,   13},  // 13
    {  78,  110,  206,  238,   14},  // 14
    {  79,  111,  207,  239,   15},  // 15
    {  80,  112,  208,  240,   16},  // 16
    {  81,  113,  209,  241,   17},  // 17
    {  82,  114,  210,  242,   18},  // 18
    {  83,  115,  211,  243,   19},  // 19
    {  84,  116,  212,  244,   20},  // 20
    {  85,  117,  213,  245,   21},  // 21
    {  86,  118,  214,  246,   22},  // 22
    {  87,  119,  215,  247,   23},  // 23
    {  88,  120,  216,  248,   24},  // 24
    {  89,  121,  217,  249,   25},  // 25
    {  90,  122,  218,  250,   26},  // 26
    { ECI,  ECI,  ECI,  ECI,  ECI},  // 27
    {  28,   28,   28,   28,  PAD},  // 28
    {  29,   29,   29,   29,  PAD},  // 29
    {  30,   30,   30,   30,   27},  // 30
    {  NS,   NS,   NS,   NS,   NS},  // 31
    {  32,  123,  219,  251,   28},  // 32
    { PAD,  PAD,  220,  252,   29},  // 33
    {  34,  125,  221,  253,   30},  // 34
    {  35,  126,  222,  254,   31},  // 35
    {  36,  127,  223,  255,  159},  // 36
    {  37,   59,  170,  161,  160},  // 37
    {  38,   60,  172,  168,  162},  // 38
    {  39,   61,  177,  171,  163},  // 39
    {  40,   62,  178,  175,  164},  // 40
    {  41,   63,  179,  176,  165},  // 41
    {  42,   91,  181,  180,  166},  // 42
    {  43,   92,  185,  183,  167},  // 43
    {  44,   93,  186,  184,  169},  // 44
    {  45,   94,  188,  187,  173},  // 45
    {  46,   95,  189,  191,  174},  // 46
    {  47,   32,  190,  138,  182},  // 47
    {  48,   44,  128,  139,  149},  // 48
    {  49,   46,  129,  140,  150},  // 49
    {  50,   47,  130,  141,  151},  // 50
    {  51,   58,  131,  142,  152},  // 51
    {  52,   64,  132,  143,  153},  // 52
    {  53,   33,  133,  144,  154},  // 53
    {  54,  124,  134,  145,  155},  // 54
    {  55,  PAD,  135,  146,  156},  // 55
    {  56, SH2A,  136,  147,  157},  // 56
    {  57, SH3A,  137,  148,  158},  // 57
    {  58,  PAD,  LTA,  LTA,  LTA},  // 58
    { SHB,  SHA,   32,   32,   32},  // 59
    { SHC,  SHC,  LKC,  SHC,  SHC},  // 60
    { SHD,  SHD,  SHD,  LKD,  SHD},  // 61
    { SHE,  SHE,  SHE,  SHE,  LKE},  // 62
    { LTB,  LTA,  LTB,  LTB,  LTB},  // 63
}};
// clang-format on

struct ReverseTables {
  std::array<std::array<std::int8_t, 256>, kCodeSetCount> byteValue{};
  std::array<std::array<std::int8_t, kFunctionEnd - kEci>, kCodeSetCount> functionValue{};
};

constexpr ReverseTables BuildReverseTables() {
  ReverseTables t;
  for (auto& set : t.byteValue) {
    set.fill(-1);
  }
  for (auto& set : t.functionValue) {
    set.fill(-1);
  }
  for (int value = 0; value < kCodewordValues; ++value) {
    for (int set = 0; set < kCodeSetCount; ++set) {
      const int cell = kTable[static_cast<std::size_t>(value)][static_cast<std::size_t>(set)];
      auto& slot = cell < 256 ? t.byteValue[static_cast<std::size_t>(set)][static_cast<std::size_t>(cell)]
                              : t.functionValue[static_cast<std::size_t>(set)][static_cast<std::size_t>(cell - kEci)];
      // PAD appears more than once in B and E; the first value is the one to write.
      if (slot < 0) {
        slot = static_cast<std::int8_t>(value);
      }
    }
  }
  return t;
}

constexpr ReverseTables kReverse = BuildReverseTables();

}  // namespace

namespace detail {
constexpr std::array<std::array<std::int8_t, 256>, kCodeSetCount> kByteValues = kReverse.byteValue;
}  // namespace detail

const std::array<CodeSetRow, kCodewordValues>& CodeSetTable() {
  return kTable;
}

int FunctionValue(int set, CodeSetFunction function) {
  return kReverse.functionValue[static_cast<std::size_t>(set)][static_cast<std::size_t>(function - kEci)];
}

int ShiftValue(int from, int to) {
  const int offset = to - kSetC;
  if (from == to) {
    return FunctionValue(from, static_cast<CodeSetFunction>(kLockC + offset));
  }
  return FunctionValue(from, static_cast<CodeSetFunction>(kShiftC + offset));
}

}  // namespace Quillon::BrindleLib::maxicode
