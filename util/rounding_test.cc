#include "util/rounding.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  struct Case {
    double value;
    int64_t expected;
  };
  const Case cases[] = {
      {16.5, 16},  {17.5, 18},   {-0.5, 0},    {-1.5, -2},  {2.4999, 2},
      {2.5001, 3}, {220.5, 220}, {221.5, 222}, {60.66, 61}, {-2.5, -2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(round_half_even(c.value), c.expected) << c.value;
  }
}

TEST(RoundHalfEven, DivisionRoundsTheQuotient) {
  EXPECT_EQ(round_div(309600, 50), 6192);
  EXPECT_EQ(round_div(11025, 50), 220);  // 220.5
  EXPECT_EQ(round_div(11075, 50), 222);  // 221.5
  EXPECT_EQ(round_div(-25, 50), 0);
}

}  // namespace
}  // namespace sb
