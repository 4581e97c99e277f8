// The plot command exists where the drawings do (SB_HAVE_PLOT: Linux).
#ifdef SB_HAVE_PLOT

#include "app/plot_command.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "format/file_names.h"
#include "platform/file_set_writer.h"
#include "platform/overlapping_files.h"
#include "util/rounding.h"
#include "platform/paths.h"
#include "inspect/compiled_scenario.h"
#include "viewer/plot_layout.h"
#include "viewer/plot_renderer.h"
#include "viewer/plot_scene.h"
#include "viewer/plot_text.h"
#include "inspect/scenario_locator.h"
#ifdef SB_HAVE_LIVE
#include "live/standalone_page.h"
#endif

namespace sb {
namespace {

// The metres of the option `flag` (`fallback` when not given) into *metres;
// false with *error when it lies off the route.
bool kilometre_option(const char* flag, std::optional<double> km, int32_t fallback,
                      int32_t route_length, int32_t* metres, std::string* error) {
  if (!km) {
    *metres = fallback;
    return true;
  }
  if (!std::isfinite(*km) || *km < 0 || *km * 1000 > route_length) {
    *error = std::string(flag) + " must lie on the route, from 0 to " +
             kilometres_text(route_length) + " km";
    return false;
  }
  *metres = static_cast<int32_t>(round_half_even(*km * 1000));
  return true;
}

// The stretch of route to draw into *range; false with *error when --from or
// --to lies off the route or they are not in order.
bool chosen_range(const PlotOptions& options, int32_t route_length, DistanceRange* range,
                  std::string* error) {
  int32_t first = 0;
  int32_t last = 0;
  if (!kilometre_option("--from", options.from_km, 0, route_length, &first, error) ||
      !kilometre_option("--to", options.to_km, route_length, route_length, &last, error)) {
    return false;
  }
  if (first >= last) {
    *error = "--from (km " + kilometres_text(first) + ") must lie before --to (km " +
             kilometres_text(last) + ")";
    return false;
  }
  *range = {first, last};
  return true;
}

// The interactive page, where the program has it.
#ifdef SB_HAVE_LIVE
constexpr const char* kFormatNames = "FILE.png, FILE.svg, FILE.pdf or FILE.html";
bool is_page_name(const std::string& path) {
  if (path.size() < 5) return false;
  std::string extension = path.substr(path.size() - 5);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".html";
}
#else
constexpr const char* kFormatNames = "FILE.png, FILE.svg or FILE.pdf";
bool is_page_name(const std::string&) { return false; }
#endif

bool write_file(FileSystem& file_system, const std::string& path, const std::string& bytes,
                std::string* error) {
  FileSetWriter files(file_system);
  if (BufferedWriter* out = files.add(path)) out->put(bytes);
  if (files.commit()) return true;
  *error = files.error();
  return false;
}

}  // namespace

int plot_command(const PlotOptions& options, FileSystem& file_system, std::ostream& err) {
  std::string error;
  const std::optional<PlotFormat> format = plot_format_from_name(options.output);
  const bool page = is_page_name(options.output);
  if (!format && !page) {
    err << "scenario-builder plot: cannot tell the format of \"" << options.output
        << "\": name the output " << kFormatNames << "\n";
    return kExitUsage;
  }
  if (page && options.width) {
    err << "scenario-builder plot: --width sizes FILE.png, FILE.svg and FILE.pdf; the page fits "
           "the browser's window: leave --width out for FILE.html\n";
    return kExitUsage;
  }
  const int width = options.width.value_or(kDefaultPlotWidth);
  if (width < kSmallestPlotWidth || width > kLargestPlotWidth) {
    err << "scenario-builder plot: --width must lie between " << kSmallestPlotWidth << " and "
        << kLargestPlotWidth << "\n";
    return kExitUsage;
  }
  if (file_system.exists(options.directory)) {
    const size_t slash = options.directory.find_last_of(kPathSeparator);
    const std::string parent =
        slash == std::string::npos ? "." : options.directory.substr(0, std::max<size_t>(slash, 1));
    err << "scenario-builder plot: " << options.directory
        << " is a file: give the directory that holds the compiled scenario (" << parent << ")\n";
    return kExitUsage;
  }
  ScenarioId id;
  if (!choose_scenario(file_system, options.directory, options.scenario_name, options.train_number,
                       &id, &error)) {
    err << "scenario-builder plot: " << error << "\n";
    return kExitUsage;
  }
  const CompiledScenarioPaths paths{
      join_path(options.directory, line_trace_file_name(id.scenario_name)),
      join_path(options.directory, records_file_name(id.scenario_name, id.train_number)),
      join_path(options.directory, cells_file_name(id.scenario_name, id.train_number))};
  CompiledScenario scenario;
  if (!load_compiled_scenario(file_system, paths, &scenario, &error)) {
    err << "scenario-builder plot: " << error << "\n";
    return kExitUsage;
  }
  if (scenario.route_length() <= 0) {
    err << "scenario-builder plot: the route length in " << paths.records << " is "
        << scenario.route_length() << " m: there is no line to draw\n";
    return kExitUsage;
  }
  DistanceRange range;
  if (!chosen_range(options, scenario.route_length(), &range, &error)) {
    err << "scenario-builder plot: " << error << "\n";
    return kExitUsage;
  }
  if (!no_input_is_an_output(file_system, {paths.line_trace, paths.records, paths.cells},
                             {options.output}, &error)) {
    err << "scenario-builder plot: " << error << ": nothing written\n";
    return kExitUsage;
  }
  const PlotScene scene = build_plot_scene(scenario);
#ifdef SB_HAVE_LIVE
  if (page) {
    nlohmann::ordered_json document = scene_document(scene);
    // The stretch the page opens on, in route metres.
    document["view"] = {{"first", range.first}, {"last", range.last}};
    if (!write_file(file_system, options.output, standalone_page(document), &error)) {
      err << "scenario-builder plot: " << error << "\n";
      return kExitNotWritten;
    }
    err << "scenario-builder plot: wrote " << options.output << "\n";
    return kExitClean;
  }
#endif
  const PlotLayout layout = layout_plot(scene, range, width);
  if (*format == PlotFormat::kPng && int64_t{layout.width} * layout.height > kMostPngPixels) {
    err << "scenario-builder plot: --width " << width << " makes a PNG of " << layout.width << " x "
        << layout.height << " pixels, more than the " << kMostPngPixels
        << " a PNG may have: give a smaller --width, or draw SVG or PDF\n";
    return kExitUsage;
  }
  std::string bytes;
  if (!render_plot(scene, layout, range, *format, &bytes, &error) ||
      !write_file(file_system, options.output, bytes, &error)) {
    err << "scenario-builder plot: " << error << "\n";
    return kExitNotWritten;
  }
  err << "scenario-builder plot: wrote " << options.output << "\n";
  return kExitClean;
}

}  // namespace sb

#endif  // SB_HAVE_PLOT
