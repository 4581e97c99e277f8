#include "compiler/line_trace_builder.h"

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

void LineTraceBuilder::step(double turn) {
  const int32_t j = cursor_;
  const double x1 = trace_.x(j - 1);
  const double y1 = trace_.y(j - 1);
  const double dx = x1 - trace_.x(j - 2);
  const double dy = y1 - trace_.y(j - 2);
  if (turn == 0.0) {
    trace_.set_double(j, x1 + dx, y1 + dy);
  } else {
    trace_.set_double(j, x1 + dx + turn * dy, y1 + dy - turn * dx);
  }
  ++cursor_;
}

bool LineTraceBuilder::step_until(int64_t last_row, double turn) {
  while (cursor_ <= last_row) {
    if (cursor_ > last_row_) return false;
    step(turn);
    if (cursor_ > kLastCurveRow) return false;
  }
  return true;
}

bool LineTraceBuilder::curve(int64_t start, int64_t length, double turn) {
  return step_until(start, 0.0) && step_until(start + length, turn);
}

void LineTraceBuilder::straight_to_end() {
  while (cursor_ <= last_row_) step(0.0);
}

}  // namespace sb
