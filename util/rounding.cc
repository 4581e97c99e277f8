#include "util/rounding.h"

#include <cmath>

namespace sb {

int64_t round_half_even(double value) {
  // The default floating-point environment rounds to nearest, ties to even;
  // nothing in this program changes it.
  return static_cast<int64_t>(std::nearbyint(value));
}

int64_t round_div(double numerator, double denominator) {
  return round_half_even(numerator / denominator);
}

}  // namespace sb
