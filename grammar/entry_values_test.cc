#include "grammar/entry_values.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string_view>

#include "grammar/grammar.h"

namespace sb {
namespace {

struct NamedValue {
  EntryId entry;
  size_t index;
  std::string_view slot;
};

// A reordered or renamed slot in the grammar shows up here, not as a check
// that quietly reads the neighbouring value.
TEST(EntryValues, EachNameIsItsSlotInTheGrammar) {
  const NamedValue named[] = {
      {EntryId::kRouteLength, route_length_value::kLength, "length"},
      {EntryId::kChainageOne, chainage_value::kStart, "start"},
      {EntryId::kChainageOne, chainage_value::kKilometre, "kilometre value"},
      {EntryId::kCabSignalling, cab_signalling_value::kStart, "start"},
      {EntryId::kCabSignalling, cab_signalling_value::kEnd, "end"},
      {EntryId::kGradient, gradient_value::kGradient, "gradient"},
      {EntryId::kCurve, curve_value::kLength, "length"},
      {EntryId::kMountain, mountain_value::kEnd, "fine"},
      {EntryId::kSpeedLimit, speed_limit_value::kSpeed, "speed"},
      {EntryId::kSlowdown, slowdown_value::kSpeed, "v"},
      {EntryId::kSlowdown, slowdown_value::kLength, "l"},
      {EntryId::kSlowdown, slowdown_value::kWarningLeadIn, "f_ta"},
      {EntryId::kSlowdown, slowdown_value::kSecondSpeed, "d_v"},
      {EntryId::kStation, station_value::kKind, "kind"},
      {EntryId::kStation, station_value::kLength, "length"},
      {EntryId::kStation, station_value::kExtend, "extend"},
      {EntryId::kStation, station_value::kStop, "stop"},
      {EntryId::kStation, station_value::kHours, "hours"},
      {EntryId::kStation, station_value::kMinutes, "minutes"},
      {EntryId::kStation, station_value::kSeconds, "seconds"},
      {EntryId::kStation, station_value::kName, "name"},
  };
  for (const NamedValue& value : named) {
    const Entry& entry = grammar_entry(value.entry);
    ASSERT_LT(value.index, entry.slots.size()) << entry.title;
    EXPECT_EQ(entry.slots[value.index].name, value.slot) << entry.title;
  }
}

// The position every entry with a reach is checked by comes first.
TEST(EntryValues, EveryEntryWithAReachHoldsItsPositionFirst) {
  for (const Entry& entry : grammar_entries()) {
    if (entry.reach <= 0) continue;
    ASSERT_GT(entry.slots.size(), kPositionValue) << entry.title;
    EXPECT_TRUE(entry.slots[kPositionValue].position) << entry.title;
  }
}

}  // namespace
}  // namespace sb
