#ifndef SCENARIO_BUILDER_UTIL_MINIMO_H_
#define SCENARIO_BUILDER_UTIL_MINIMO_H_

#include <type_traits>
#include <utility>

namespace sb {

// The smaller of two numbers of any numeric types: y when x > y, else x (so
// x on equal values).  Whole numbers are compared by value whatever their
// signedness.
template <typename X, typename Y>
auto minimo(X x, Y y) -> std::common_type_t<X, Y> {
  static_assert(std::is_arithmetic_v<X> && std::is_arithmetic_v<Y>);
  bool x_greater;
  if constexpr (std::is_integral_v<X> && std::is_integral_v<Y>) {
    x_greater = std::cmp_greater(x, y);
  } else {
    x_greater = x > y;
  }
  return x_greater ? static_cast<std::common_type_t<X, Y>>(y)
                   : static_cast<std::common_type_t<X, Y>>(x);
}

}  // namespace sb

#endif  // SCENARIO_BUILDER_UTIL_MINIMO_H_
