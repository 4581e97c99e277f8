#ifndef SCENARIO_BUILDER_COMPILER_LINE_TRACE_BUILDER_H_
#define SCENARIO_BUILDER_COMPILER_LINE_TRACE_BUILDER_H_

#include <cstdint>
#include <memory>
#include <optional>
#include <stop_token>
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
//
// Which rows are stepped, and whether a curve can be drawn, is settled at
// once.  The values of a long trace are computed on a helper thread that
// the trace owns, in the same order and so to the same bits, while the
// build goes on; the trace's readers wait for the rows they read.  The
// builder's end tells the helper that no more steps will come.
class LineTraceBuilder {
 public:
  // The highest row a step may reach, whatever the trace's length.
  static constexpr int32_t kLastCurveRow = 1000000;
  // The shortest trace whose values are computed on a helper thread.
  static constexpr size_t kLeastBackgroundRows = size_t{1} << 16;

  explicit LineTraceBuilder(LineTrace& trace);
  ~LineTraceBuilder();
  LineTraceBuilder(const LineTraceBuilder&) = delete;
  LineTraceBuilder& operator=(const LineTraceBuilder&) = delete;

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
  // Rows first..last, all stepped with the same turn.
  struct Steps {
    int32_t first = 0;
    int32_t last = 0;
    double turn = 0.0;
  };
  class Stepper;
  class StepQueue;

  static void compute_handed_steps(StepQueue& queue, LineTrace& trace, const std::stop_token& stop);
  bool step_until(int64_t last_row, double turn);
  void steps(int32_t last, double turn);

  LineTrace& trace_;
  int32_t last_row_;
  int32_t cursor_ = 2;
  std::unique_ptr<Stepper> stepper_;       // computing here, or
  std::shared_ptr<StepQueue> background_;  // handing the steps to the helper
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_LINE_TRACE_BUILDER_H_
