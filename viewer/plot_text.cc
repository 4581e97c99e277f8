#include "viewer/plot_text.h"

#include <cmath>
#include <cstdio>

#include "model/rounding.h"

namespace sb {

std::string kilometres_text(double metres) {
  const int64_t whole_metres = round_half_even(metres);
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", static_cast<double>(whole_metres) / 1000);
  std::string result = text;
  while (result.back() == '0') result.pop_back();
  if (result.back() == '.') result.pop_back();
  if (result == "-0") result = "0";
  return result;
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
