#ifndef SCENARIO_BUILDER_COMPILER_LINE_TRACE_BUILDER_H_
#define SCENARIO_BUILDER_COMPILER_LINE_TRACE_BUILDER_H_

#include <cstdint>
#include <optional>
#include <string_view>

#include "model/line_trace.h"

namespace sb {

// Heading change per metre (rad) of a curve keyword field: the class is the
// first of the digits 1 to 6 found, tried in that order (0.0001, 0.0002,
// 0.0004, 0.001, 0.002, 0.003); negative, a left-hand curve, when the field
// holds an "s" in either case.  Nothing when no class digit stands in it.
std::optional<double> curve_turn(std::string_view keyword_field);

// Builds the line trace metre by metre in one forward pass.  Rows 0 and 1
// are (0, 0) and (0, 1): the track leaves the origin heading along +y.
// Every further row j follows from the two before it with the step
// dx = x(j-1) - x(j-2), dy = y(j-1) - y(j-2): straight, or turned by k rad
// to first order, x(j) = x(j-1) + dx + k dy, y(j) = y(j-1) + dy - k dx
// (a positive k turns to the right).  The last two rows stay unset.
class LineTraceBuilder {
 public:
  // The highest row a step may reach, whatever the trace's length.
  static constexpr int32_t kLastCurveRow = 1000000;

  explicit LineTraceBuilder(LineTrace& trace);

  // Runs straight up to row `start`, then turns by `turn` per metre up to
  // row `start` + `length`.  A curve that starts behind the cursor is bent
  // from the cursor on; one that ends behind it changes nothing.  False,
  // with the rows computed so far kept, when a row beyond the last
  // computable one or beyond kLastCurveRow would be needed.
  bool curve(int64_t start, int64_t length, double turn);

  // Straight steps up to the last computable row.
  void straight_to_end();

  int32_t cursor() const { return cursor_; }

 private:
  // The two rows before the cursor, kept beside the trace so that a step
  // reads nothing back from it.
  struct Recent {
    double x2 = 0.0, y2 = 0.0;  // row cursor - 2
    double x1 = 0.0, y1 = 1.0;  // row cursor - 1
  };

  bool step_until(int64_t last_row, double turn);
  void steps(int32_t last, double turn);

  LineTrace& trace_;
  int32_t last_row_;
  int32_t cursor_ = 2;
  Recent recent_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_LINE_TRACE_BUILDER_H_
