#include "decompile/trace_curves.h"

#include <array>
#include <bit>

#include "compiler/line_trace_builder.h"

namespace sb {
namespace {

// The thirteen steps: straight, then classes 1 to 6 to the right and to the
// left, with the turns of the curve keywords that name them.
struct Turn {
  double turn = 0.0;
  int curve_class = 0;  // 0: straight
  bool left = false;
};

std::array<Turn, 13> all_turns() {
  std::array<Turn, 13> turns{};
  size_t n = 1;
  for (int c = 1; c <= 6; ++c) {
    for (bool left : {false, true}) {
      const std::string keyword = std::string(left ? "curvas" : "curvad") + std::to_string(c);
      turns[n++] = {*curve_turn(keyword), c, left};
    }
  }
  return turns;
}

bool same_bits(double a, double b) {
  return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

// Whether the step with `turn` from the rows (x2, y2), (x1, y1) gives (x, y),
// computed as the trace builder computes it.
bool reproduces(double turn, double x2, double y2, double x1, double y1, double x, double y) {
  const double dx = x1 - x2;
  const double dy = y1 - y2;
  if (turn == 0.0) return same_bits(x1 + dx, x) && same_bits(y1 + dy, y);
  return same_bits(x1 + dx + turn * dy, x) && same_bits(y1 + dy - turn * dx, y);
}

bool shaped_as_built(const DecodedTrace& trace, std::string* error) {
  const size_t rows = trace.row_count();
  if (rows < 4) {
    *error = "the line trace has " + std::to_string(rows) + " rows, too few for a line";
    return false;
  }
  for (int column = 0; column < 2; ++column) {
    for (size_t row = 0; row < 2; ++row) {
      const double expected = (column == 1 && row == 1) ? 1.0 : 0.0;
      if (trace.tag(column, row) != TraceTag::kInt16 || trace.value(column, row) != expected) {
        *error = "the line trace does not begin at (0, 0), (0, 1) as every build begins it";
        return false;
      }
    }
    for (size_t row = 2; row + 2 < rows; ++row) {
      if (trace.tag(column, row) != TraceTag::kDouble) {
        *error = "row " + std::to_string(row) +
                 " of the line trace is not computed: the files of a build that failed";
        return false;
      }
    }
    for (size_t row = rows - 2; row < rows; ++row) {
      if (trace.tag(column, row) != TraceTag::kUnset) {
        *error = "the last two rows of the line trace are set, as no build sets them";
        return false;
      }
    }
  }
  return true;
}

}  // namespace

bool trace_curves(const DecodedTrace& trace, std::vector<CurveEntry>* curves, std::string* error) {
  if (!shaped_as_built(trace, error)) return false;
  static const std::array<Turn, 13> kTurns = all_turns();
  const std::vector<double>& xs = trace.columns[0].values;
  const std::vector<double>& ys = trace.columns[1].values;
  const size_t computed_end = trace.row_count() - 2;
  curves->clear();
  size_t current = 0;      // the turn of the row before
  size_t run_start = 0;    // the first row of the current curve
  auto close_run = [&](size_t end_row) {
    if (kTurns[current].curve_class == 0) return;
    curves->push_back({static_cast<int32_t>(run_start - 1), static_cast<int32_t>(end_row - run_start),
                       kTurns[current].curve_class, kTurns[current].left});
  };
  for (size_t row = 2; row < computed_end; ++row) {
    const double x2 = xs[row - 2], y2 = ys[row - 2], x1 = xs[row - 1], y1 = ys[row - 1];
    size_t found = current;
    if (!reproduces(kTurns[found].turn, x2, y2, x1, y1, xs[row], ys[row])) {
      found = kTurns.size();
      for (size_t t = 0; t < kTurns.size(); ++t) {
        if (reproduces(kTurns[t].turn, x2, y2, x1, y1, xs[row], ys[row])) {
          found = t;
          break;
        }
      }
      if (found == kTurns.size()) {
        *error = "row " + std::to_string(row) +
                 " of the line trace follows from the two before it by no straight or curved "
                 "step";
        return false;
      }
    }
    if (found != current) {
      close_run(row);
      current = found;
      run_start = row;
    }
  }
  close_run(computed_end);
  return true;
}

}  // namespace sb
