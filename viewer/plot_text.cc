#include "viewer/plot_text.h"

#include <cmath>

#include "util/rounding.h"

namespace sb {

std::string kilometres_text(double metres) {
  const int64_t whole_metres = round_half_even(metres);
  const int64_t magnitude = whole_metres < 0 ? -whole_metres : whole_metres;
  std::string text = std::to_string(magnitude / 1000);
  if (magnitude % 1000 != 0) {
    std::string decimals = std::to_string(magnitude % 1000 + 1000).substr(1);
    while (decimals.back() == '0') decimals.pop_back();
    text += '.';
    text += decimals;
  }
  return whole_metres < 0 ? '-' + text : text;
}

double round_step(double span, double most) {
  if (span <= 0 || most < 1) return 1;
  double power = std::pow(10.0, std::floor(std::log10(span / most)));
  for (;;) {
    for (double factor : {1.0, 2.0, 5.0}) {
      if (span / (factor * power) <= most) return factor * power;
    }
    power *= 10;
  }
}

}  // namespace sb
