#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <vector>

#include "control/error_info.h"
#include "control/linear_registry.h"
#include "control/qln_barcode.h"
#include "control/sample_messages.h"
#include "control/symbology_dispatch.h"
#include "control/symbology_family.h"
#include "platform/codepage.h"
#include "platform/com/error_object.h"

namespace linnet {
namespace {

TEST(ErrorTable, NumbersMessagesAndHresults) {
  const struct {
    std::int32_t number;
    const char* message;
  } cases[] = {
      {6104, "The Zoom Ratio should ranged between 0.1 and 100"},
      {6113, "The message string contains characters that can not be encoded under the current symbology."},
      {6117, "The MaxicodeZipCode property must consist a valid zip code with up to 6 alpha-numeric characters."},
      {6123, "Incorrect EAN128 format."},
      {6110, ""},  // no such entry: an empty description
  };
  for (const auto& t : cases) {
    EXPECT_EQ(ErrorTableMessage(t.number), t.message);
    ClearThreadErrorObject();
    EXPECT_EQ(RaiseNumberedError(t.number), ControlErrorHResult(t.number));
    const auto error = ThreadErrorObject();
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->description, AnsiToWide(t.message));
    EXPECT_EQ(error->source, u"Quillon.Linnet.1");
    EXPECT_EQ(error->interfaceId, u"{9FECCEAB-8E9C-40A8-A176-0F4954E64C57}");
  }
  EXPECT_EQ(ControlErrorHResult(210), static_cast<HRESULT>(0x832800D2U));
  EXPECT_EQ(ControlErrorNumber(static_cast<HRESULT>(0x832817E4U)), 6116);
  EXPECT_EQ(ControlErrorNumber(E_INVALIDARG), -1);
}

TEST(ErrorTable, EngineErrorsKeepTheirOwnMessage) {
  EXPECT_EQ(RaiseEngineError(Quillon::BrindleLib::invalid_ean128_format_error(12, "Bad AI")),
            static_cast<HRESULT>(0x8328000CU));
  EXPECT_EQ(ThreadErrorObject()->description, u"Bad AI");
}

class CountingSink : public IBarcodeEvents {
 public:
  explicit CountingSink(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
  HRESULT BarcodeError(std::int32_t handle, std::int32_t nError) override {
    log_.push_back(name_ + ":" + std::to_string(nError));
    lastHandle = handle;
    if (onCall) {
      onCall();
    }
    if (throws) {
      throw std::runtime_error("sink failure");
    }
    return S_OK;
  }
  std::function<void()> onCall;
  bool throws = false;
  std::int32_t lastHandle = 0;

 private:
  std::vector<std::string>& log_;
  std::string name_;
};

TEST(Events, BarcodeErrorReachesEverySinkInConnectionOrder) {
  CQlnBarcode c;
  c.FireBarcodeError(1);  // nobody connected yet: nothing to call
  std::vector<std::string> log;
  auto a = std::make_shared<CountingSink>(log, "a");
  auto b = std::make_shared<CountingSink>(log, "b");
  auto d = std::make_shared<CountingSink>(log, "d");
  const auto cookieA = c.Events().Advise(a);
  c.Events().Advise(b);
  c.Events().Advise(d);
  // The first sink disconnects itself, the second fails: neither stops the others.
  a->onCall = [&] { c.Events().Unadvise(cookieA); };
  b->throws = true;
  c.FireBarcodeError(210);
  EXPECT_EQ(log, (std::vector<std::string>{"a:210", "b:210", "d:210"}));
  EXPECT_EQ(d->lastHandle, c.Handle());
  log.clear();
  c.FireBarcodeError(12);
  EXPECT_EQ(log, (std::vector<std::string>{"b:12", "d:12"}));
}

TEST(Dispatch, SymbologyFamilies) {
  const struct {
    int symbology;
    Family family;
  } cases[] = {{0, Family::TwoWidth},        {15, Family::TwoWidth}, {99, Family::TwoWidth},
               {4, Family::Module},          {30, Family::Module},   {20, Family::HeightModulated},
               {22, Family::FourState},      {12, Family::UpcEan},   {40, Family::Matrix},
               {41, Family::Matrix},         {42, Family::MaxiCode}, {37, Family::DataBar},
               {38, Family::DataBarExpanded}};
  for (const auto& t : cases) {
    EXPECT_EQ(SymbologyFamily(t.symbology), t.family) << t.symbology;
  }
}

TEST(Dispatch, Code39OptionsReachTheEncoder) {
  CQlnBarcode c;
  ASSERT_EQ(c.put_Message(u"ABC"), S_OK);
  ASSERT_EQ(c.put_Code39OptionalCheckDigit(VARIANT_TRUE), S_OK);
  ASSERT_EQ(c.put_ShowCheckDigit(VARIANT_TRUE), S_OK);
  EXPECT_EQ(EncodeLinearSymbol(c).text, "*ABCX*");
  ASSERT_EQ(c.put_Code39StartStopChars(VARIANT_FALSE), S_OK);
  EXPECT_EQ(EncodeLinearSymbol(c).text, "ABCX");
  ASSERT_EQ(c.put_Symbology(41), S_OK);
  EXPECT_TRUE(EncodeLinearSymbol(c).pattern.empty());
}

TEST(Dispatch, MessageStopsAtItsFirstZeroCharacter) {
  CQlnBarcode c;
  ASSERT_EQ(c.put_Message(std::u16string(u"AB\0CD", 5)), S_OK);
  EXPECT_EQ(AnsiMessage(c), "AB");
  EXPECT_EQ(EncodeLinearSymbol(c).text, "*AB*");
}

// Any byte string, as any symbology's message: a clean result or a clean refusal.
TEST(Dispatch, ArbitraryMessagesNeverBreakTheControl) {
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> length(0, 120);
  std::uniform_int_distribution<int> unit(0, 0xFFFF);
  std::uniform_int_distribution<int> ascii(0, 0x7F);
  for (int symbology = 0; symbology <= 42; ++symbology) {
    if (!IsSymbologyValue(symbology)) {
      continue;
    }
    CQlnBarcode c;
    if (symbology != 0) {
      ASSERT_EQ(c.put_Symbology(symbology), S_OK);
    }
    // The sample message is valid for its symbology.
    if (const auto* entry = FindLinearEncoder(symbology)) {
      EXPECT_NO_THROW(entry->create()->Validate(AnsiMessage(c))) << symbology;
    }
    for (int round = 0; round < 150; ++round) {
      std::u16string message;
      const int n = length(random);
      for (int i = 0; i < n; ++i) {
        message.push_back(static_cast<char16_t>(round % 2 == 0 ? unit(random) : ascii(random)));
      }
      const HRESULT hr = c.put_Message(message);
      EXPECT_TRUE(hr == S_OK || ControlErrorNumber(hr) >= 0) << symbology;
      try {
        EncodeLinearSymbol(c);
      } catch (const Quillon::BrindleLib::barlib_error& e) {
        EXPECT_GT(e.code, 0);
      }
    }
  }
}

}  // namespace
}  // namespace linnet
