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
      {"the last before the first", {{}, {}, {0}}, {1, 2, 0}},
      {"a chain kept and an entry moved into it", {{1}, {2}, {}, {1}}, {0, 3, 1, 2}},
  };
  for (const auto& c : cases) {
    const std::optional<std::vector<size_t>> order = constrained_order(c.before);
    ASSERT_TRUE(order) << c.name;
    EXPECT_EQ(*order, c.order) << c.name;
  }
}

TEST(ConstrainedOrder, NothingForACircle) { EXPECT_FALSE(constrained_order({{1}, {2}, {0}})); }

}  // namespace
}  // namespace sb
