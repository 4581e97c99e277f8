#ifndef SCENARIO_BUILDER_VIEWER_PLOT_TEXT_H_
#define SCENARIO_BUILDER_VIEWER_PLOT_TEXT_H_

#include <string>

namespace sb {

// Route metres as kilometres with no more decimals than needed, at most
// three: 302600 gives "302.6", 20000 gives "20".
std::string kilometres_text(double metres);

// A round step of 1, 2 or 5 times a power of ten, the smallest that cuts
// `span` into at most `most` steps.
double round_step(double span, double most);

}  // namespace sb

#endif  // SCENARIO_BUILDER_VIEWER_PLOT_TEXT_H_
