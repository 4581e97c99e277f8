#ifndef SCENARIO_BUILDER_UTIL_ROUNDING_H_
#define SCENARIO_BUILDER_UTIL_ROUNDING_H_

#include <cstdint>

namespace sb {

// The one rounding of the whole program: to the nearest whole number, halves
// to the even neighbour (16.5 -> 16, 17.5 -> 18, -0.5 -> 0, -1.5 -> -2).
// Every conversion of a fractional value to a whole number goes through it.
int64_t round_half_even(double value);

// round_half_even(numerator / denominator), the quotient taken in double.
int64_t round_div(double numerator, double denominator);

}  // namespace sb

#endif  // SCENARIO_BUILDER_UTIL_ROUNDING_H_
