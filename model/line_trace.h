#ifndef SCENARIO_BUILDER_MODEL_LINE_TRACE_H_
#define SCENARIO_BUILDER_MODEL_LINE_TRACE_H_

#include <atomic>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <memory>
#include <span>
#include <stop_token>
#include <thread>

#include "format/trace_elements.h"
#include "util/zeroed_buffer.h"

namespace sb {

// The per-metre plan of the track: rows 0..last_index, column 0 the x and
// column 1 the y coordinate in metres.  Both columns of a row are always
// assigned together and with the same type, so one tag serves the row.
//
// Each column is kept the way the trace file lays out its elements: a slot
// of kSlotBytes a row, the 16-bit tag and then the value, little-endian (8
// bytes for a double; 2 for an integer and 0 for an unset row, the rest of
// the slot zero).  A run of double rows is thus already the bytes of the
// file.  A fresh trace costs no pass over its memory: the system hands it
// out zeroed, and zero bytes are unset rows.  21 bytes a row, in one block:
// the tags, a byte a row, then the two columns.
//
// The values of double rows may be computed on a helper thread while the
// build goes on.  The builder marks the rows double itself, in order
// (mark_doubles: their tags, and with them the file's layout, are final at
// once) and hands the work to fill_in_background; the work stores the values
// (store_double_values) and, as it goes, reports the row below which every
// marked row holds its values (report_stored).  Tags and runs can be read at
// any time.  Every other reader waits until the rows marked so far hold their
// values, but stored_slots, which waits only for the rows it returns, so that
// a writer can follow the helper.  A copy, a move, reset, clear and the
// destructor let the helper store every row marked, then stop it.
//
// The setters, mark_doubles and stored_slots stop the program when asked
// for rows outside the trace; the other readers take rows within it.
class LineTrace {
 public:
  static constexpr size_t kSlotBytes = kTraceElementBytes;

  LineTrace() = default;
  LineTrace(const LineTrace& other);
  LineTrace(LineTrace&& other) noexcept;
  LineTrace& operator=(LineTrace other) noexcept;
  ~LineTrace() { stop_background(); }

  void reset(int32_t last_index);  // rows 0..last_index, all unset
  void clear();

  bool empty() const { return rows_ == 0; }
  int32_t last_index() const { return static_cast<int32_t>(rows_) - 1; }
  size_t row_count() const { return rows_; }

  TraceTag tag(int32_t row) const { return static_cast<TraceTag>(tags()[row]); }
  // The row after the run of rows of the same type that `row` begins.
  int32_t run_end(int32_t row) const;
  double x(int32_t row) const { return value(0, row); }
  double y(int32_t row) const { return value(1, row); }
  // Value of a column: 0 is x, 1 is y; 0 for an unset row.
  double value(int column, int32_t row) const;

  // The slots of rows [first, end) of a column, kSlotBytes a row, once those
  // rows hold their values.
  std::span<const char> stored_slots(int column, int32_t first, int32_t end) const;

  void set_int16(int32_t row, int16_t x, int16_t y);
  void set_double(int32_t row, double x, double y) {
    const size_t r = checked(row);
    tags()[r] = static_cast<char>(TraceTag::kDouble);
    store_double(slots_of(0) + r * kSlotBytes, x);
    store_double(slots_of(1) + r * kSlotBytes, y);
  }

  // Runs `work` on a helper thread owned by the trace, which asks it to stop
  // (through the token) only once every marked row holds its values; rows
  // marked after the work has ended are not waited for.  False when no
  // thread can be had: the caller then stores the values itself.
  bool fill_in_background(std::function<void(std::stop_token)> work);
  // Marks rows first..last double; their values come later.
  void mark_doubles(int32_t first, int32_t last);
  // The values of a marked row, which the caller has checked to be one.
  void store_double_values(int32_t row, double x, double y) {
    const auto r = static_cast<size_t>(row);
    store_double(slots_of(0) + r * kSlotBytes, x);
    store_double(slots_of(1) + r * kSlotBytes, y);
  }
  // Every marked row below `end` holds its values.
  void report_stored(int32_t end);

 private:
  // The helper and how far it has come: every marked row below stored_end
  // holds its values, all of them once the work has ended.
  struct Background {
    std::atomic<int32_t> stored_end{0};
    std::jthread helper;
  };
  static constexpr int32_t kWorkEnded = std::numeric_limits<int32_t>::max();

  // Waits until the marked rows below `end` hold their values.
  void wait_for_rows(int32_t end) const;
  void settle() const { wait_for_rows(marked_end_); }
  void stop_background();

  // Rows outside the trace are a fault of the caller, never of the input
  // (the compiler sizes the trace from the route before it writes a row), so
  // they stop the program rather than touch memory beyond the block.
  size_t checked(int32_t row) const {
    if (row < 0 || static_cast<size_t>(row) >= rows_) outside_the_trace(row, int64_t{row} + 1);
    return static_cast<size_t>(row);
  }
  [[noreturn]] void outside_the_trace(int64_t first, int64_t end) const;

  static void store_double(char* slot, double value) { store_trace_element(slot, value); }

  char* tags() { return block_.data(); }
  const char* tags() const { return block_.data(); }
  char* slots_of(int column) { return block_.data() + rows_ + column * rows_ * kSlotBytes; }
  const char* slots_of(int column) const {
    return block_.data() + rows_ + column * rows_ * kSlotBytes;
  }

  size_t rows_ = 0;
  ZeroedBuffer block_;      // the tags, then column 0, then column 1
  int32_t marked_end_ = 0;  // the row after the last one marked double
  std::unique_ptr<Background> background_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_MODEL_LINE_TRACE_H_
