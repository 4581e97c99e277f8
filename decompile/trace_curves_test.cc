#include "decompile/trace_curves.h"

#include <gtest/gtest.h>

#include "compiler/line_trace_builder.h"
#include "model/build_state.h"
#include "output/scenario_writers.h"
#include "platform/buffered_writer.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

constexpr int32_t kRoute = 3000;

struct Built {
  std::string file;
  size_t rows = 0;
  int32_t last_cell = 0;
};

// The trace file the build writes for these curves (start, length, turn).
Built trace_file(const std::vector<std::tuple<int32_t, int32_t, double>>& curves) {
  BuildState state;
  state.trace_flag = 1;
  size_for_route(state, kRoute);
  {
    LineTraceBuilder builder(state.line_trace);
    for (const auto& [start, length, turn] : curves)
      EXPECT_TRUE(builder.curve(start, length, turn));
    builder.straight_to_end();
  }
  MemoryFileSystem files;
  std::string error;
  auto out = files.create("trace", &error);
  {
    BufferedWriter writer(*out);
    write_line_trace(state.line_trace, writer);
    EXPECT_TRUE(writer.flush());
  }
  EXPECT_TRUE(out->commit());
  return {files.files["trace"], state.line_trace.row_count(), state.cell_last_index};
}

TEST(TraceCurves, FindsTheCurvesThatBentTheTrace) {
  const Built built = trace_file({{650, 200, 0.002}, {850, 100, -0.0001}, {1500, 1, 0.003}});
  std::vector<CurveEntry> curves;
  std::string error;
  ASSERT_TRUE(trace_curves(built.file, built.rows, built.last_cell, &curves, &error)) << error;
  const std::vector<CurveEntry> expected = {
      {650, 200, 5, false}, {850, 100, 1, true}, {1500, 1, 6, false}};
  EXPECT_EQ(curves, expected);
}

TEST(TraceCurves, RefusesATraceNoEntriesGive) {
  const Built straight = trace_file({});
  const size_t column = straight.file.size() / 2;
  struct Case {
    const char* name;
    std::string file;
    const char* says;
  };
  std::string nudged = straight.file;
  nudged[8 + 10 * 500 + 2] ^= 1;  // the lowest bit of row 502's x
  // A curve the build would never enter: one in the last 100 m of the cells.
  const Built late = trace_file({{(straight.last_cell - 1) * 50, 5, 0.001}});
  const std::vector<Case> cases = {
      {"a row off by a bit", nudged, "row 502 of the line trace follows from the two before it"},
      {"cut short", straight.file.substr(0, straight.file.size() - 1), "is not the computed trace"},
      {"a second column that does not start at (0, 1)",
       straight.file.substr(0, column) + std::string(4, '\0') + straight.file.substr(column + 4),
       "does not begin at (0, 0), (0, 1)"},
      {"a curve beyond the last entry's reach", late.file, "where no curve entry may begin"},
  };
  for (const Case& c : cases) {
    std::vector<CurveEntry> curves;
    std::string error;
    EXPECT_FALSE(trace_curves(c.file, straight.rows, straight.last_cell, &curves, &error))
        << c.name;
    EXPECT_NE(error.find(c.says), std::string::npos) << c.name << ": " << error;
  }
}

}  // namespace
}  // namespace sb
