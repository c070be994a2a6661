#include <gtest/gtest.h>

#include <set>

#include "persist/control_persistence.h"
#include "persist/persist_fixtures.h"

namespace linnet {
namespace {

using testing::MapBag;

TEST(PropertyBagForm, RoundTripsEveryPersistedProperty) {
  CQlnBarcode original;
  testing::Apply(original, testing::EveryPersistedPropertyChanged());
  MapBag bag;
  ASSERT_EQ(persist::BagPersistence(original)->Save(bag, false, true), S_OK);
  // The extent first, then the persisted set in its order.
  ASSERT_EQ(bag.order.size(), 2 + persist::PersistedProperties().size());
  EXPECT_EQ(bag.order[0], u"_cx");
  EXPECT_EQ(bag.order[1], u"_cy");
  EXPECT_EQ(bag.order[2], u"AutoSize");
  EXPECT_EQ(bag.order[14], u"BarWidthDection");
  EXPECT_EQ(bag.values[u"_cx"].Type(), VT_UI4);
  EXPECT_EQ(bag.values[u"BackColor"].Type(), VT_UI4);

  CQlnBarcode loaded;
  const auto persistence = persist::BagPersistence(loaded);
  EXPECT_EQ(persistence->ClassId(), persist::kControlClassId);
  ASSERT_EQ(persistence->Load(bag), S_OK);
  testing::ExpectSamePersistedValues(original, loaded);
  testing::ExpectExtensionsAtCreation(loaded);
  EXPECT_FALSE(loaded.IsLoading());
  EXPECT_FALSE(loaded.IsModified());
}

TEST(PropertyBagForm, OnlySymbology) {
  MapBag bag;
  bag.values[u"Symbology"] = Variant::Text(u"10");  // a text bag: converted to the property's type
  CQlnBarcode control;
  CQlnBarcode fresh;
  ASSERT_EQ(persist::BagPersistence(control)->Load(bag), S_OK);
  EXPECT_EQ(control.Properties().symbology, 10);
  EXPECT_EQ(control.Properties().message, u"978073520044|51299");
  // The label sizes are measured from the new symbol while AutoLabelSize is on.
  const std::set<std::string> changed = {"Symbology", "message", "LabelHeight", "LabelWidth"};
  for (const AutomationMember* member : persist::PersistedProperties()) {
    if (changed.count(member->name) == 0) {
      SCOPED_TRACE(member->name);
      EXPECT_EQ(testing::Describe(testing::Get(control, *member)), testing::Describe(testing::Get(fresh, *member)));
    }
  }
}

TEST(PropertyBagForm, LoadRules) {
  const struct {
    const char* what;
    std::vector<std::pair<std::u16string, Variant>> values;
    HRESULT expected;
    std::int32_t symbology;
    std::int32_t barHeight;
    std::int32_t narrowBarWidth;
  } cases[] = {
      // Symbology comes before BarHeight and is loaded; NarrowBarWidth after it is not.
      {"BarHeight 0",
       {{u"Symbology", Variant::Long(5)}, {u"BarHeight", Variant::Long(0)}, {u"NarrowBarWidth", Variant::Long(20)}},
       E_FAIL,
       5,
       1000,
       13},
      {"unconvertible value is skipped",
       {{u"BarHeight", Variant::Text(u"tall")}, {u"NarrowBarWidth", Variant::Long(20)}},
       S_OK,
       0,
       1000,
       20},
      {"object where a number belongs is skipped",
       {{u"BarHeight", Variant::Font(MakeFont(u"Arial", 9))}, {u"NarrowBarWidth", Variant::Long(20)}},
       S_OK,
       0,
       1000,
       20},
      {"names are the persisted ones", {{u"BarWidthReduction", Variant::Long(5)}}, S_OK, 0, 1000, 13},
      {"Metric lengths stay as stored",
       {{u"Measurement", Variant::Long(1)}, {u"BarHeight", Variant::Long(2540)}},
       S_OK,
       0,
       2540,
       13},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    MapBag bag;
    for (const auto& [name, value] : c.values) {
      bag.values[name] = value;
    }
    CQlnBarcode control;
    control.SetModified(true);
    EXPECT_EQ(persist::BagPersistence(control)->Load(bag), c.expected);
    EXPECT_EQ(control.Properties().symbology, c.symbology);
    EXPECT_EQ(control.Properties().barHeight, c.barHeight);
    EXPECT_EQ(control.Properties().narrowBarWidth, c.narrowBarWidth);
    EXPECT_EQ(control.Properties().barWidthReduction, 0);
    EXPECT_EQ(control.IsModified(), c.expected != S_OK);
    EXPECT_FALSE(control.IsLoading());
  }
}

TEST(PropertyBagForm, SaveRules) {
  CQlnBarcode control;
  control.putref_Font(nullptr);
  control.SetModified(true);
  MapBag bag;
  EXPECT_EQ(persist::BagPersistence(control)->Save(bag, false, true), S_OK);
  // A font property without a font is not written; the comment font is.
  EXPECT_EQ(bag.values.count(u"Font"), 0U);
  EXPECT_EQ(bag.values.count(u"CommentFont"), 1U);
  EXPECT_TRUE(control.IsModified());
  MapBag cleared;
  EXPECT_EQ(persist::BagPersistence(control)->Save(cleared, true, true), S_OK);
  EXPECT_FALSE(control.IsModified());

  // The first failing write ends the save with its result and keeps the flag.
  control.SetModified(true);
  MapBag failing;
  failing.failAfterWrites = 5;
  EXPECT_EQ(persist::BagPersistence(control)->Save(failing, true, true), E_FAIL);
  EXPECT_EQ(failing.order.size(), 5U);
  EXPECT_TRUE(control.IsModified());

  EXPECT_EQ(persist::BagPersistence(control)->InitNew(), S_OK);
  EXPECT_EQ(persist::IsDirty(control), S_OK);
}

}  // namespace
}  // namespace linnet
