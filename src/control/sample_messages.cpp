#include "control/sample_messages.h"

namespace linnet {

namespace {

constexpr const char16_t* kAddress =
    u"Linnet Label Works Ltd.\r\n"
    u"17 Harbour Lane\r\n"
    u"Port Ellery 40213\r\n"
    u"Tel. +1 555 0142 7788\r\n"
    u"www.linnet-labels.example";

// Structured carrier message: primary fields, then the secondary message, ending in EOT.
constexpr const char16_t* kMaxiCodeCarrier =
    u"[)>\x1e"
    u"01\x1d"
    u"96152382802\x1d"
    u"840\x1d"
    u"001\x1d"
    u"1Z00004951\x1d"
    u"UPSN\x1d"
    u"06X610\x1d"
    u"159\x1d"
    u"1234567\x1d"
    u"1/1\x1d\x1d"
    u"Y\x1d"
    u"634 ALPHA DRIVE\x1d"
    u"PITTSBURGH\x1d"
    u"PA\x04";

}  // namespace

std::u16string SampleMessage(int symbology) {
  switch (symbology) {
    case 0:
      return u"QUILLON";
    case 1:
    case 4:
    case 13:
      return u"Quillon";
    case 2:
      return u"+A123BJC5D6E71";
    case 3:
      return u"A12-680B";
    case 5:
      return u"Quillon Inc.";
    case 6:
      return u"(01)30012345678906";
    case 7:
      return u"1234568890999000";
    case 8:
      return u"02189862381|51299";
    case 9:
    case 14:
    case 30:
    case 31:
      return u"123456";
    case 10:
      return u"978073520044|51299";
    case 11:
      return u"7124512";
    case 12:
      return u"0-201-40721-3|90000";
    case 20:
      return u"91010";
    case 21:
      return u"123456789012";
    case 22:
      return u"A1B 2C3";
    case 32:
      return u"123-456";
    case 33:
    case 34:
    case 35:
    case 36:
    case 37:
      return u"00012345678905";
    case 38:
      return u"(01)9 0 012345 67890 8 (3103)001750";
    case 40:
    case 41:
      return kAddress;
    case 42:
      return kMaxiCodeCarrier;
    default:
      return u"1245666";
  }
}

bool IsSymbologyValue(int symbology) {
  return (symbology >= 0 && symbology <= 14) || (symbology >= 20 && symbology <= 22) ||
         (symbology >= 30 && symbology <= 38) || (symbology >= 40 && symbology <= 42);
}

}  // namespace linnet
