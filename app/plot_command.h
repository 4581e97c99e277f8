#ifndef SCENARIO_BUILDER_APP_PLOT_COMMAND_H_
#define SCENARIO_BUILDER_APP_PLOT_COMMAND_H_

#include <optional>
#include <ostream>
#include <string>

#include "app/exit_status.h"
#include "platform/file_system.h"

namespace sb {

constexpr int kDefaultPlotWidth = 1600;

struct PlotOptions {
  std::string directory = ".";    // holds NAME_linea.dat, NAME_N.sim, NAME_N.dat
  std::string output;             // FILE.png, FILE.svg, FILE.pdf or FILE.html
  std::string scenario_name;      // UTF-8; empty: the one scenario in the directory
  std::string train_number;       // UTF-8; empty: likewise
  std::optional<int> width;       // pixels (points in a PDF); none: kDefaultPlotWidth
  std::optional<double> from_km;  // route kilometres: metres from the start / 1000
  std::optional<double> to_km;
};

// Draws the compiled scenario of the directory into the output file: the plan
// of the track with everything placed along it, and under it the profile
// strip on a shared distance axis.  FILE.html is the interactive page with
// the scenario inside, opening on the stretch of --from and --to; it fits
// the browser's window, so a width is refused.  Problems go to `err` as one
// line that names the file at fault.
int plot_command(const PlotOptions& options, FileSystem& file_system, std::ostream& err);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_PLOT_COMMAND_H_
