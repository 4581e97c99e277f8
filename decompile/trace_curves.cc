#include "decompile/trace_curves.h"

#include <array>
#include <bit>

#include "compiler/line_trace_builder.h"
#include "format/cell_geometry.h"
#include "model/line_trace.h"
#include "util/little_endian.h"

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

uint16_t u16_at(std::string_view bytes, size_t at) { return load_le<uint16_t>(bytes.data() + at); }

// A column of a clean trace: two whole numbers, doubles, two unset rows.
class Column {
 public:
  Column(std::string_view bytes, size_t rows) : bytes_(bytes), rows_(rows) {}

  static size_t size_for(size_t rows) {
    return 2 * (kTraceTagBytes + 2) + (rows - 4) * (kTraceTagBytes + 8) + 2 * kTraceTagBytes;
  }

  bool whole(size_t row, int16_t value) const {
    const size_t at = row * (kTraceTagBytes + 2);
    return u16_at(bytes_, at) == static_cast<uint16_t>(TraceTag::kInt16) &&
           u16_at(bytes_, at + 2) == static_cast<uint16_t>(value);
  }
  bool is_double(size_t row) const {
    return u16_at(bytes_, double_at(row)) == static_cast<uint16_t>(TraceTag::kDouble);
  }
  bool unset(size_t row) const {
    const size_t at = double_at(rows_ - 2) + (row - (rows_ - 2)) * kTraceTagBytes;
    return u16_at(bytes_, at) == static_cast<uint16_t>(TraceTag::kUnset);
  }
  double value(size_t row) const {
    return load_le<double>(bytes_.data() + double_at(row) + kTraceTagBytes);
  }

 private:
  size_t double_at(size_t row) const {
    return 2 * (kTraceTagBytes + 2) + (row - 2) * (kTraceTagBytes + 8);
  }
  std::string_view bytes_;
  size_t rows_;
};

bool shaped_as_built(const Column& x, const Column& y, size_t rows, std::string* error) {
  if (!x.whole(0, 0) || !x.whole(1, 0) || !y.whole(0, 0) || !y.whole(1, 1)) {
    *error = "the line trace does not begin at (0, 0), (0, 1) as every build begins it";
    return false;
  }
  for (size_t row = rows - 2; row < rows; ++row) {
    if (!x.unset(row) || !y.unset(row)) {
      *error = "the last two rows of the line trace are set, as no build sets them";
      return false;
    }
  }
  return true;
}

// For a file not of the size a clean build gives: the first row of its
// first column that is not of the element a clean build writes there.
std::string first_row_out_of_shape(std::string_view bytes, size_t rows) {
  size_t at = 0;
  for (size_t row = 0; row < rows && at + kTraceTagBytes <= bytes.size(); ++row) {
    const uint16_t tag = u16_at(bytes, at);
    const TraceTag expected = row < 2          ? TraceTag::kInt16
                              : row + 2 < rows ? TraceTag::kDouble
                                               : TraceTag::kUnset;
    if (tag != static_cast<uint16_t>(expected)) {
      if (expected == TraceTag::kDouble && tag == static_cast<uint16_t>(TraceTag::kUnset)) {
        return "row " + std::to_string(row) +
               " of the line trace is not computed: the files of a build that failed";
      }
      return "row " + std::to_string(row) + " of the line trace holds an element of tag " +
             std::to_string(tag) + " where every build writes one of tag " +
             std::to_string(static_cast<int>(expected));
    }
    at += kTraceTagBytes + trace_value_bytes(expected);
  }
  return "";
}

}  // namespace

bool trace_curves(std::string_view trace_file, size_t rows, int32_t last_cell,
                  std::vector<CurveEntry>* curves, std::string* error) {
  if (rows < 5 || trace_file.size() != 2 * Column::size_for(rows)) {
    *error = rows < 5 ? "" : first_row_out_of_shape(trace_file, rows);
    if (!error->empty()) return false;
    *error = "the line trace file of " + std::to_string(trace_file.size()) +
             " bytes is not the computed trace of " + std::to_string(rows) +
             " rows a clean build writes: the files of a build that failed";
    return false;
  }
  const size_t column_size = Column::size_for(rows);
  const Column xs(trace_file.substr(0, column_size), rows);
  const Column ys(trace_file.substr(column_size), rows);
  if (!shaped_as_built(xs, ys, rows, error)) return false;
  static const std::array<Turn, 13> kTurns = all_turns();
  curves->clear();
  size_t current = 0;    // the turn of the row before
  size_t run_start = 0;  // the first row of the current curve
  auto close_run = [&](size_t end_row) {
    if (kTurns[current].curve_class == 0) return;
    curves->push_back({static_cast<int32_t>(run_start - 1),
                       static_cast<int32_t>(end_row - run_start), kTurns[current].curve_class,
                       kTurns[current].left});
  };
  double x2 = 0.0, y2 = 0.0, x1 = 0.0, y1 = 1.0;
  const size_t computed_end = rows - 2;
  for (size_t row = 2; row < computed_end; ++row) {
    if (!xs.is_double(row) || !ys.is_double(row)) {
      *error = "row " + std::to_string(row) +
               " of the line trace is not computed: the files of a build that failed";
      return false;
    }
    const double x = xs.value(row);
    const double y = ys.value(row);
    size_t found = current;
    if (!reproduces(kTurns[found].turn, x2, y2, x1, y1, x, y)) {
      found = kTurns.size();
      for (size_t t = 0; t < kTurns.size(); ++t) {
        if (reproduces(kTurns[t].turn, x2, y2, x1, y1, x, y)) {
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
    x2 = x1;
    y2 = y1;
    x1 = x;
    y1 = y;
  }
  close_run(computed_end);
  for (const CurveEntry& curve : *curves) {
    if (!reach_fits(curve.start, kEntryReach, last_cell) ||
        int64_t{curve.start} + curve.length >= LineTraceBuilder::kLastCurveRow) {
      *error = "the line trace bends from row " + std::to_string(curve.start + 1) +
               ", where no curve entry may begin or reach";
      return false;
    }
  }
  return true;
}

}  // namespace sb
