#include "util/minimo.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <type_traits>

namespace sb {
namespace {

TEST(Minimo, YWhenXIsGreaterElseX) {
  EXPECT_EQ(minimo(180, int16_t{200}), 180);
  EXPECT_EQ(minimo(180, int16_t{150}), 150);
  EXPECT_EQ(minimo(180, int16_t{-5}), -5);
  EXPECT_EQ(minimo(180, 179.5), 179.5);
  EXPECT_EQ(minimo(2.5, 2), 2.0);
  EXPECT_EQ(minimo(-1L, 5u), -1L);  // compared by value, not by bits
  static_assert(std::is_same_v<decltype(minimo(180, 2.5)), double>);
}

}  // namespace
}  // namespace sb
