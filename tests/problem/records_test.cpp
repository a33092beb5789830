#include <gtest/gtest.h>

#include "problem/entities.h"
#include "problem/quantity_list.h"
#include "tests/numbered_name.h"

namespace tamso {
namespace {

TEST(QuantityList, RefusesEmptyRepeatedAndNegativeAndGrowsByDoubling) {
  QuantityList list("GOODS");
  EXPECT_TRUE(list.add("A", 1));
  EXPECT_FALSE(list.add("A", 2));
  EXPECT_FALSE(list.add("", 2));
  EXPECT_FALSE(list.add("B", -1));
  EXPECT_EQ(list.count(), 1);
  EXPECT_EQ(list.quantityAt(0), 1.0f);
  for (int i = 1; i < 11; ++i) ASSERT_TRUE(list.add(testing::numberedName("K", i), static_cast<float>(i)));
  EXPECT_EQ(list.room(), 20u);
  EXPECT_EQ(list.keyAt(0), "A");
  EXPECT_EQ(list.keyAt(10), "K10");
  EXPECT_EQ(list.keyAt(-1), "");
  EXPECT_EQ(list.quantityAt(list.count()), -1.0f);
}

TEST(QuantityList, ReadsNameCountAndWholeNumberPairs) {
  std::size_t pos = 0;
  const auto list = readQuantityList("goods 2 pallet 12 box 3 rest", pos);
  ASSERT_TRUE(list);
  EXPECT_EQ(list->name(), "GOODS");
  EXPECT_EQ(list->count(), 2);
  EXPECT_EQ(list->keyAt(0), "PALLET");
  EXPECT_EQ(list->quantityAt(0), 12.0f);
  EXPECT_EQ(list->keyAt(1), "BOX");
  EXPECT_EQ(list->quantityAt(1), 3.0f);
  EXPECT_EQ(pos, 23u);  // stops after the last pair
  std::size_t again = 0;
  EXPECT_FALSE(readQuantityList("goods 2 pallet 1 pallet 2", again));
  std::size_t shortLine = 0;
  EXPECT_FALSE(readQuantityList("goods 3 pallet 1", shortLine));
}

TEST(VehicleType, KeepsListsInOrderAndRefusesRepeatedNames) {
  VehicleType type;
  EXPECT_TRUE(type.addList(QuantityList("CAPACITY")));
  EXPECT_TRUE(type.addList(QuantityList("EQUIPMENT")));
  EXPECT_FALSE(type.addList(QuantityList("CAPACITY")));
  EXPECT_EQ(type.listCount(), 2);
  EXPECT_EQ(type.listAt(1)->name(), "EQUIPMENT");
  EXPECT_EQ(type.listAt(2), nullptr);
  EXPECT_EQ(type.listAt(-1), nullptr);
}

TEST(Links, NameGettersPreferTheLinkedRecord) {
  Country country{"POLAND", 1, 1, 0};
  Place place;
  place.countryNameAsRead = "AS READ";
  EXPECT_EQ(place.countryName(), "AS READ");
  place.country = &country;
  EXPECT_EQ(place.countryName(), "POLAND");
  Vehicle vehicle;
  EXPECT_EQ(vehicle.startTimeOrZero(), FuzzyTime());
}

}  // namespace
}  // namespace tamso
