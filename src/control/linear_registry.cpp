#include "control/linear_registry.h"

#include <array>

#include "symbology/codabar.h"
#include "symbology/code11.h"
#include "symbology/code128.h"
#include "symbology/code39.h"
#include "symbology/code93.h"
#include "symbology/ean128.h"
#include "symbology/msi.h"
#include "symbology/postal.h"
#include "symbology/rss14.h"
#include "symbology/rss_expanded.h"
#include "symbology/rss_limited.h"
#include "symbology/telepen.h"
#include "symbology/two_of_five.h"
#include "symbology/upc_ean.h"

namespace linnet {

namespace {

using namespace Quillon::BrindleLib;

template <class T>
std::unique_ptr<CSymbol> Create() {
  return std::make_unique<T>();
}

// Each row: the symbology value, its encoder class and the options of its Encode, in order.
const std::array kEntries = {
    LinearEncoderEntry{0, Create<CCode39Symbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CCode39Symbol().Encode(m, o.code39CheckDigit, o.showCheckDigit, o.startStopChars, p, t);
                       }},
    LinearEncoderEntry{1, Create<CCode39ExtendedSymbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CCode39ExtendedSymbol().Encode(m, o.code39CheckDigit, o.showCheckDigit, o.startStopChars, p,
                                                        t);
                       }},
    LinearEncoderEntry{2, Create<CCode39HIBCSymbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CCode39HIBCSymbol().Encode(m, o.showCheckDigit, o.startStopChars, p, t);
                       }},
    LinearEncoderEntry{3, Create<CCodabarSymbol>,
                       [](const std::string& m, const LinearOptions&, std::string& p, std::string& t) {
                         CCodabarSymbol().Encode(m, p, t);
                       }},
    LinearEncoderEntry{4, Create<CCode93Symbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CCode93Symbol().Encode(m, o.showCheckDigit, p, t);
                       }},
    LinearEncoderEntry{5, Create<CCode128Symbol>,
                       [](const std::string& m, const LinearOptions&, std::string& p, std::string& t) {
                         CCode128Symbol().Encode(m, p, t);
                       }},
    LinearEncoderEntry{6, Create<CEAN128Symbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CEAN128Symbol().Encode(m, o.uccEanCheckDigit, p, t);
                       }},
    LinearEncoderEntry{7, Create<CItf25Symbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CItf25Symbol().Encode(m, o.i2of5CheckDigit, o.showCheckDigit, p, t);
                       }},
    LinearEncoderEntry{8, Create<CUpcaSymbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CUpcaSymbol().Encode(m, o.showHRText, p, t);
                       }},
    LinearEncoderEntry{9, Create<CUpceSymbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CUpceSymbol().Encode(m, o.showHRText, p, t);
                       }},
    LinearEncoderEntry{10, Create<CEan13Symbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CEan13Symbol().Encode(m, o.showHRText, p, t);
                       }},
    LinearEncoderEntry{11, Create<CEan8Symbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CEan8Symbol().Encode(m, o.showHRText, p, t);
                       }},
    LinearEncoderEntry{12, Create<CBooklandSymbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CBooklandSymbol().Encode(m, o.showHRText, p, t);
                       }},
    LinearEncoderEntry{13, Create<CTelepenSymbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CTelepenSymbol().Encode(m, o.showCheckDigit, p, t);
                       }},
    LinearEncoderEntry{14, Create<CTelepenNumericSymbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CTelepenNumericSymbol().Encode(m, o.showCheckDigit, p, t);
                       }},
    LinearEncoderEntry{20, Create<CPostnetSymbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CPostnetSymbol().Encode(m, o.showCheckDigit, p, t);
                       }},
    LinearEncoderEntry{21, Create<CPlanetSymbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CPlanetSymbol().Encode(m, o.showCheckDigit, p, t);
                       }},
    LinearEncoderEntry{22, Create<CRoyalMailSymbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CRoyalMailSymbol().Encode(m, o.showCheckDigit, p, t);
                       }},
    LinearEncoderEntry{30, Create<CMSISymbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CMSISymbol().Encode(m, o.showCheckDigit, p, t);
                       }},
    LinearEncoderEntry{31, Create<CCode25Symbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CCode25Symbol().Encode(m, o.code25CheckDigit, o.showCheckDigit, p, t);
                       }},
    LinearEncoderEntry{32, Create<CCode11Symbol>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CCode11Symbol().Encode(m, o.showCheckDigit, p, t);
                       }},
    LinearEncoderEntry{33, Create<CRSS14Encoder>,
                       [](const std::string& m, const LinearOptions&, std::string& p, std::string& t) {
                         CRSS14Encoder().Encode(m, p, t);
                       }},
    LinearEncoderEntry{34, Create<CRSS14TruncatedEncoder>,
                       [](const std::string& m, const LinearOptions&, std::string& p, std::string& t) {
                         CRSS14TruncatedEncoder().Encode(m, p, t);
                       }},
    LinearEncoderEntry{35, Create<CRSS14StackedEncoder>,
                       [](const std::string& m, const LinearOptions&, std::string& p, std::string& t) {
                         CRSS14StackedEncoder().Encode(m, p, t);
                       }},
    LinearEncoderEntry{36, Create<CRSS14StackedOmniEncoder>,
                       [](const std::string& m, const LinearOptions&, std::string& p, std::string& t) {
                         CRSS14StackedOmniEncoder().Encode(m, p, t);
                       }},
    LinearEncoderEntry{37, Create<CRSSLimitedEncoder>,
                       [](const std::string& m, const LinearOptions&, std::string& p, std::string& t) {
                         CRSSLimitedEncoder().Encode(m, p, t);
                       }},
    LinearEncoderEntry{38, Create<CRSSExpandedEncoder>,
                       [](const std::string& m, const LinearOptions& o, std::string& p, std::string& t) {
                         CRSSExpandedEncoder().Encode(m, o.maxCols, p, t);
                       }},
};

}  // namespace

const LinearEncoderEntry* FindLinearEncoder(int symbology) {
  for (const auto& entry : kEntries) {
    if (entry.symbology == symbology) {
      return &entry;
    }
  }
  return nullptr;
}

}  // namespace linnet
