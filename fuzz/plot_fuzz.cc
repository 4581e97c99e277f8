// The plot's reading of a compiled scenario on any bytes: loading the three
// files, the scene, the layout and the painting, recorded rather than
// rasterised to keep executions fast.  The input is four bytes of options
// (two for the width, two for the stretch drawn, as fractions of the
// route), then the records file, a line "~~~~", the cells file, another
// "~~~~" and the line trace: either the whole file, or its x column, a
// "~~~~" and its y column, each column's first rows only, the rows after
// them up to those the route has being unset (every trace reaches 7000 m
// beyond its route: this keeps inputs small).  Seeds: the start of the
// built-in line, cut to short routes.

#include <cairo.h>

#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "format/trace_elements.h"
#include "format/record_fields.h"
#include "fuzz/fuzz_checks.h"
#include "inspect/compiled_scenario.h"
#include "inspect/scenario_decoder.h"
#include "platform/memory_file_system.h"
#include "util/little_endian.h"
#include "viewer/plot_layout.h"
#include "viewer/plot_renderer.h"
#include "viewer/plot_scene.h"

// Fontconfig, under cairo's text, keeps caches for the life of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

namespace {

const sb::CompiledScenarioPaths kPaths{"/in/Fuzz_linea.dat", "/in/Fuzz_1.sim", "/in/Fuzz_1.dat"};

// Elements in `column`, walked by their tags; nothing when one is unknown
// or cut short.
std::optional<size_t> element_count(std::string_view column) {
  size_t count = 0;
  size_t at = 0;
  while (at < column.size()) {
    if (column.size() - at < sb::kTraceTagBytes) return std::nullopt;
    const std::optional<sb::TraceTag> tag =
        sb::trace_tag(sb::load_le<uint16_t>(column.data() + at));
    if (!tag) return std::nullopt;
    at += sb::kTraceTagBytes + sb::trace_value_bytes(*tag);
    if (at > column.size()) return std::nullopt;
    ++count;
  }
  return count;
}

// The column with unset elements after it up to `rows`, or as it is.
std::string padded(std::string_view column, int64_t rows) {
  std::string bytes(column);
  const std::optional<size_t> count = element_count(column);
  if (count && static_cast<int64_t>(*count) < rows) {
    bytes.append(static_cast<size_t>(rows - static_cast<int64_t>(*count)) * sb::kTraceTagBytes,
                 '\0');
  }
  return bytes;
}

// The trace file the input gives: the rest whole, or two columns padded to
// the rows of the route the records give.
std::string trace_file(std::string_view rest, const std::string& records) {
  if (rest.find(sb::fuzz::kPartSeparator) == std::string_view::npos) return std::string(rest);
  const std::string_view x = sb::fuzz::next_part(&rest);
  const std::string_view y = rest;
  std::array<sb::GeneralRecord, sb::kRecordCount> decoded;
  std::string error;
  if (!sb::decode_records(records, &decoded, &error)) return std::string(x) + std::string(y);
  const int32_t route = sb::route_length(decoded);
  if (route < 0 || route > sb::kMaxRouteLength) return std::string(x) + std::string(y);
  const int64_t rows = int64_t{route} + sb::kRouteOverrun + 1;
  return padded(x, rows) + padded(y, rows);
}

bool starts_with(const std::string& text, const std::string& start) {
  return text.compare(0, start.size(), start) == 0;
}

// A refusal names the file at fault.
void check_refusal(const std::string& error) {
  bool named = false;
  for (const std::string& path : {kPaths.records, kPaths.cells, kPaths.line_trace}) {
    named = named || starts_with(error, path + ": ") || starts_with(error, "cannot read " + path);
  }
  FUZZ_CHECK(named);
  FUZZ_CHECK(error.find('\n') == std::string::npos);
}

bool finite(const sb::PixelRect& r) {
  return std::isfinite(r.left) && std::isfinite(r.top) && std::isfinite(r.width) &&
         std::isfinite(r.height) && r.width >= 0 && r.height >= 0;
}

// Every part of the layout is a finite box, the map has a finite scale and
// the drawing is as wide as asked and not absurdly tall.
void check_layout(const sb::PlotLayout& layout, int width) {
  FUZZ_CHECK(layout.width == width);
  FUZZ_CHECK(layout.height > 0 && layout.height <= 4 * width);
  for (const sb::PixelRect* rect :
       {&layout.title, &layout.plan, &layout.plan_footer, &layout.station_lane, &layout.speed_lane,
        &layout.gradient_lane, &layout.cab_lane, &layout.axis_band, &layout.legend}) {
    FUZZ_CHECK(finite(*rect));
  }
  const sb::PlanTransform& t = layout.plan_transform;
  FUZZ_CHECK(std::isfinite(t.pixels_per_metre) && t.pixels_per_metre > 0);
  FUZZ_CHECK(std::isfinite(t.east_origin) && std::isfinite(t.north_origin));
  FUZZ_CHECK(layout.axis.last > layout.axis.first);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const int width = sb::kSmallestPlotWidth +
                    (data[0] | data[1] << 8) % (sb::kLargestPlotWidth - sb::kSmallestPlotWidth + 1);
  const int from_part = data[2];
  const int to_part = data[3];
  std::string_view input = sb::fuzz::as_text(data + 4, size - 4);

  sb::MemoryFileSystem files;
  files.files[kPaths.records] = std::string(sb::fuzz::next_part(&input));
  files.files[kPaths.cells] = std::string(sb::fuzz::next_part(&input));
  files.files[kPaths.line_trace] = trace_file(input, files.files[kPaths.records]);

  sb::CompiledScenario scenario;
  std::string error;
  if (!sb::load_compiled_scenario(files, kPaths, &scenario, &error)) {
    check_refusal(error);
    return 0;
  }
  const int32_t route = scenario.route_length();
  FUZZ_CHECK(route >= 0 && route <= sb::kMaxRouteLength);
  // The command draws a stretch of at least a metre; the whole route when
  // both fractions are 0.
  sb::DistanceRange range{0, route};
  if (from_part != 0 || to_part != 0) {
    range = {static_cast<int32_t>(int64_t{route} * from_part / 255),
             static_cast<int32_t>(int64_t{route} * to_part / 255)};
  }
  if (range.first >= range.last) return 0;

  const sb::PlotScene scene = sb::build_plot_scene(scenario);
  FUZZ_CHECK(scene.trace.size() == scenario.trace.row_count());
  const sb::PlotLayout layout = sb::layout_plot(scene, range, width);
  check_layout(layout, width);

  cairo_surface_t* surface = cairo_recording_surface_create(CAIRO_CONTENT_COLOR_ALPHA, nullptr);
  cairo_t* cairo = cairo_create(surface);
  sb::draw_plot(cairo, scene, layout, range);
  FUZZ_CHECK(cairo_status(cairo) == CAIRO_STATUS_SUCCESS);
  cairo_destroy(cairo);
  cairo_surface_destroy(surface);
  return 0;
}
