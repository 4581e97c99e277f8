#ifndef SCENARIO_BUILDER_DECOMPILE_TRACE_CURVES_H_
#define SCENARIO_BUILDER_DECOMPILE_TRACE_CURVES_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// A curve entry: class 1 to 6, left- or right-hand, bending the rows
// start + 1 to start + length.
struct CurveEntry {
  int32_t start = 0;
  int32_t length = 0;
  int curve_class = 1;
  bool left = false;

  bool operator==(const CurveEntry&) const = default;
};

// The curves of a line trace file of `rows` rows per column, as a clean
// build writes it: rows 0 and 1 the whole numbers (0, 0) and (0, 1), every
// further row but the last two a double, the last two unset.  Each computed
// row follows from the two before it by a straight step or by a step turned
// by one of the twelve curve classes; the step that reproduces the row bit
// for bit is found, and a run of rows with one turn is one curve.  The file
// is read in place, one row after the other.  The curves found are checked
// as the build checks curve entries: a start whose position plus 100 m lies
// beyond `last_cell`, or a curve that reaches row 1,000,000, is refused.
// The replay computes each row as the trace builder does, so the curves
// give this trace bit for bit.  False and *error when the file is not
// shaped so, a row is no step of any class or a curve could not be entered.
bool trace_curves(std::string_view trace_file, size_t rows, int32_t last_cell,
                  std::vector<CurveEntry>* curves, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_DECOMPILE_TRACE_CURVES_H_
