#include "compiler/line_trace_builder.h"

#include <algorithm>

#include "model/text.h"

namespace sb {
namespace {

constexpr double kTurnOfClass[] = {0.0001, 0.0002, 0.0004, 0.001, 0.002, 0.003};
constexpr std::string_view kClassDigits[] = {"1", "2", "3", "4", "5", "6"};

}  // namespace

std::optional<double> curve_turn(std::string_view keyword_field) {
  for (size_t i = 0; i < std::size(kClassDigits); ++i) {
    if (!contains(keyword_field, kClassDigits[i])) continue;
    const double turn = kTurnOfClass[i];
    return contains_ignoring_case(keyword_field, "s") ? -turn : turn;
  }
  return std::nullopt;
}

LineTraceBuilder::LineTraceBuilder(LineTrace& trace)
    : trace_(trace), last_row_(trace.last_index() - 2) {
  trace_.set_int16(0, 0, 0);
  trace_.set_int16(1, 0, 1);
}

// Rows from the cursor to `last`, each from the two before it.  The cursor
// and the recent rows are worked on in locals, which the stores into the
// trace cannot touch.
void LineTraceBuilder::steps(int32_t last, double turn) {
  Recent r = recent_;
  for (int32_t j = cursor_; j <= last; ++j) {
    const double dx = r.x1 - r.x2;
    const double dy = r.y1 - r.y2;
    double x;
    double y;
    if (turn == 0.0) {
      x = r.x1 + dx;
      y = r.y1 + dy;
    } else {
      x = r.x1 + dx + turn * dy;
      y = r.y1 + dy - turn * dx;
    }
    trace_.set_double(j, x, y);
    r = {r.x1, r.y1, x, y};
  }
  recent_ = r;
  cursor_ = last + 1;
}

// Each step is allowed while the cursor is within the trace; the step that
// takes the cursor beyond kLastCurveRow is the last one.
bool LineTraceBuilder::step_until(int64_t last_row, double turn) {
  while (cursor_ <= last_row) {
    if (cursor_ > last_row_) return false;
    const int64_t last = std::min({last_row, int64_t{last_row_}, int64_t{kLastCurveRow}});
    steps(static_cast<int32_t>(std::max(int64_t{cursor_}, last)), turn);
    if (cursor_ > kLastCurveRow) return false;
  }
  return true;
}

bool LineTraceBuilder::curve(int64_t start, int64_t length, double turn) {
  return step_until(start, 0.0) && step_until(start + length, turn);
}

void LineTraceBuilder::straight_to_end() {
  if (cursor_ <= last_row_) steps(last_row_, 0.0);
}

}  // namespace sb
