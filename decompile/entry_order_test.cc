#include "decompile/entry_order.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(ConstrainedOrder, KeepsTheNumberingWhereNothingForbidsIt) {
  const struct {
    const char* name;
    std::vector<std::set<size_t>> before;
    std::vector<size_t> order;
  } cases[] = {
      {"no constraints", {{}, {}, {}}, {0, 1, 2}},
      {"the last before the first", {{}, {}, {0}}, {2, 0, 1}},
      {"a chain kept and an entry moved into it", {{1}, {2}, {}, {1}}, {0, 3, 1, 2}},
  };
  for (const auto& c : cases) {
    const std::optional<std::vector<size_t>> order = constrained_order(c.before);
    ASSERT_TRUE(order) << c.name;
    EXPECT_EQ(*order, c.order) << c.name;
  }
}

TEST(ConstrainedOrder, NothingForACircle) { EXPECT_FALSE(constrained_order({{1}, {2}, {0}})); }

// In each shared cell one of the entries that leave its value writes after
// every entry whose value went under; the others that leave it may come
// anywhere.
TEST(ConstrainedOrder, OneOfTheEntriesThatLeaveACellWritesItLast) {
  const struct {
    const char* name;
    std::vector<std::set<size_t>> before;
    std::vector<SharedCell> shared;
    std::vector<size_t> order;
  } cases[] = {
      // Entry 0 and entry 1 write the same value in one cell and differ in
      // another, where 0's stays: 1 comes first.
      {"a cell both leave does not order them", {{}, {}}, {{{0, 1}, {}}, {{0}, {1}}}, {1, 0}},
      // Entry 0 goes under 1 or 2 in one cell, 2 under 0 in another: 2, 0, 1.
      {"the last of those that leave a cell is chosen",
       {{}, {}, {}},
       {{{1, 2}, {0}}, {{0}, {2}}},
       {2, 0, 1}},
      {"shared cells and entries to precede together", {{}, {}, {1}}, {{{0}, {1}}}, {2, 1, 0}},
  };
  for (const auto& c : cases) {
    const std::optional<std::vector<size_t>> order = constrained_order(c.before, c.shared);
    ASSERT_TRUE(order) << c.name;
    EXPECT_EQ(*order, c.order) << c.name;
  }
}

TEST(ConstrainedOrder, NothingWhenNoOrderLeavesTheCells) {
  // 0 goes under 1 in one cell and 1 under 0 in another.
  EXPECT_FALSE(constrained_order({{}, {}}, {{{1}, {0}}, {{0}, {1}}}));
  // No entry leaves the cell's value.
  EXPECT_FALSE(constrained_order({{}}, {{{}, {0}}}));
}

}  // namespace
}  // namespace sb
