#include "compiler/chainage_order.h"

#include <gtest/gtest.h>

#include <array>

namespace sb {
namespace {

// start position, kilometre value, flag
using Chainage = std::array<int32_t, 3>;

struct Case {
  const char* name;
  Chainage one, two, three;  // as read
  Chainage r81, r82, r83;    // as ordered
};

constexpr Chainage kEmpty = {0, 0, 0};

const Case kCases[] = {
    // All starting at the route's beginning: the first with a kilometre value leads.
    {"built-in line", {0, 350000, 0}, kEmpty, kEmpty, {0, 350000, 0}, kEmpty, kEmpty},
    {"two leads when one has no value",
     kEmpty,
     {0, 5000, 0},
     {0, 7000, 0},
     {0, 5000, 0},
     {0, 7000, 0},
     kEmpty},
    {"three alone stays", kEmpty, kEmpty, {0, 7000, 0}, {0, 7000, 0}, kEmpty, kEmpty},
    {"all empty", kEmpty, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty},
    {"flag without value is cleared", {0, 0, 1}, kEmpty, kEmpty, kEmpty, kEmpty, kEmpty},
    {"flag adds 100", {0, 350000, 1}, kEmpty, kEmpty, {0, 350100, 1}, kEmpty, kEmpty},
    {"negative starts summing to 0 count as the start",
     {-50, 100, 0},
     {50, 200, 0},
     kEmpty,
     {-50, 100, 0},
     {50, 200, 0},
     kEmpty},
    // By decreasing start.
    {"two ahead of one",
     {0, 350000, 0},
     {100000, 200000, 0},
     kEmpty,
     {100000, 200000, 0},
     {0, 350000, 0},
     kEmpty},
    {"lone flagged chainage",
     kEmpty,
     kEmpty,
     {50000, 400000, 1},
     {50000, 400100, 1},
     kEmpty,
     kEmpty},
    {"three greatest, two not after one",
     {50, 1, 0},
     {50, 2, 0},
     {90, 3, 0},
     {90, 3, 0},
     {50, 1, 0},
     {50, 2, 0}},
    {"three greatest, two after one",
     {40, 1, 0},
     {50, 2, 0},
     {90, 3, 0},
     {90, 3, 0},
     {50, 2, 0},
     {40, 1, 0}},
    {"two greatest, three not after one",
     {50, 1, 0},
     {90, 2, 0},
     {50, 3, 0},
     {90, 2, 0},
     {50, 1, 0},
     {50, 3, 0}},
    {"two greatest, three after one",
     {40, 1, 0},
     {90, 2, 0},
     {50, 3, 0},
     {90, 2, 0},
     {50, 3, 0},
     {40, 1, 0}},
    {"one greatest, three not after two",
     {90, 1, 0},
     {50, 2, 0},
     {50, 3, 0},
     {90, 1, 0},
     {50, 2, 0},
     {50, 3, 0}},
    {"one greatest, three after two",
     {90, 1, 0},
     {40, 2, 0},
     {50, 3, 1},
     {90, 1, 0},
     {50, 103, 1},
     {40, 2, 0}},
    {"two share the greatest start",
     {50000, 1, 0},
     {50000, 2, 0},
     {0, 3, 0},
     kEmpty,
     kEmpty,
     kEmpty},
};

void put(BuildState& state, int record, const Chainage& c) {
  state.record(record).long_1 = c[0];
  state.record(record).long_2 = c[1];
  state.record(record).long_3 = c[2];
}

Chainage get(const BuildState& state, int record) {
  const GeneralRecord& r = state.record(record);
  return {r.long_1, r.long_2, r.long_3};
}

TEST(ProgressiveOrdina, OrdersByStartAndAppliesFlags) {
  for (const Case& c : kCases) {
    BuildState state;
    put(state, kChainageThreeRecord, c.three);
    put(state, kChainageTwoRecord, c.two);
    put(state, kChainageOneRecord, c.one);
    state.record(kChainageTwoRecord).text = "kept";
    progressive_ordina(state);
    EXPECT_EQ(get(state, kChainageThreeRecord), c.r81) << c.name;
    EXPECT_EQ(get(state, kChainageTwoRecord), c.r82) << c.name;
    EXPECT_EQ(get(state, kChainageOneRecord), c.r83) << c.name;
    EXPECT_EQ(state.record(kChainageTwoRecord).text, "kept") << c.name;
  }
}

}  // namespace
}  // namespace sb
