#include "model/line_trace.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <latch>
#include <mutex>

namespace sb {
namespace {

// A trace of a long route lies on huge pages: its rows still start unset
// and read 0, up to the last one.
TEST(LineTrace, FreshRowsAreUnsetAndZero) {
  for (const int32_t last : {7000, 1007000}) {
    LineTrace trace;
    trace.reset(last);
    ASSERT_EQ(trace.row_count(), static_cast<size_t>(last) + 1);
    for (const int32_t row : {0, last / 2, last}) {
      EXPECT_EQ(trace.tag(row), TraceTag::kUnset) << row;
      EXPECT_EQ(trace.x(row), 0.0) << row;
      EXPECT_EQ(trace.y(row), 0.0) << row;
    }
  }
}

// A row set again takes the new type whole, and each column keeps the
// element as the file writes it: the tag, then the little-endian value.
TEST(LineTrace, RowsReadBackAsSetAndSlotsHoldTheFileElements) {
  LineTrace trace;
  trace.reset(10);
  trace.set_double(3, -1.5, 1e300);
  EXPECT_EQ(trace.tag(3), TraceTag::kDouble);
  EXPECT_EQ(trace.x(3), -1.5);
  EXPECT_EQ(trace.value(1, 3), 1e300);

  trace.set_int16(3, -2, 32767);
  EXPECT_EQ(trace.tag(3), TraceTag::kInt16);
  EXPECT_EQ(trace.x(3), -2.0);
  EXPECT_EQ(trace.y(3), 32767.0);
  const std::span<const char> int_slot = trace.stored_slots(0, 3, 4);
  const std::string slot(int_slot.data(), int_slot.size());
  EXPECT_EQ(slot, std::string("\x02\x00\xFE\xFF\x00\x00\x00\x00\x00\x00", 10));

  trace.set_double(4, 0.5, 0.0);
  const std::span<const char> double_slot = trace.stored_slots(0, 4, 5);
  const std::string doubles(double_slot.data(), double_slot.size());
  EXPECT_EQ(doubles, std::string("\x05\x00\x00\x00\x00\x00\x00\x00\xE0\x3F", 10));
}

// A row outside the trace is a caller's fault: the program stops, naming
// the rows, before any byte beyond the trace is touched.
TEST(LineTraceDeathTest, RowsOutsideTheTraceStopTheProgram) {
  LineTrace trace;
  trace.reset(10);
  EXPECT_DEATH(trace.set_double(11, 0, 0), R"(rows \[11, 12\) asked of a trace of 11 rows)");
  EXPECT_DEATH(trace.set_int16(-1, 0, 0), R"(rows \[-1, 0\) asked of a trace of 11 rows)");
  EXPECT_DEATH(trace.mark_doubles(5, 11), R"(rows \[11, 12\) asked)");
  EXPECT_DEATH(static_cast<void>(trace.stored_slots(0, 3, 12)), R"(rows \[3, 12\) asked)");
  EXPECT_DEATH(static_cast<void>(trace.stored_slots(0, 5, 4)), R"(rows \[5, 4\) asked)");
}

// Runs longer and shorter than the eight rows looked at together.
TEST(LineTrace, RunsEndWhereTheTypeChanges) {
  LineTrace trace;
  trace.reset(40);
  trace.set_int16(0, 0, 0);
  trace.set_int16(1, 0, 1);
  for (int32_t row = 2; row <= 30; ++row) trace.set_double(row, row, row);
  trace.set_int16(33, 0, 0);
  EXPECT_EQ(trace.run_end(0), 2);
  EXPECT_EQ(trace.run_end(2), 31);
  EXPECT_EQ(trace.run_end(23), 31);
  EXPECT_EQ(trace.run_end(30), 31);
  EXPECT_EQ(trace.run_end(31), 33);
  EXPECT_EQ(trace.run_end(33), 34);
  EXPECT_EQ(trace.run_end(34), 41);
}

TEST(LineTrace, CopiesAreIndependentAndClearEmpties) {
  LineTrace trace;
  trace.reset(100);
  trace.set_double(50, 1.0, 2.0);
  LineTrace copy = trace;
  trace.set_double(50, 3.0, 4.0);
  EXPECT_EQ(copy.x(50), 1.0);
  EXPECT_EQ(copy.y(50), 2.0);
  trace.clear();
  EXPECT_TRUE(trace.empty());
  EXPECT_EQ(trace.last_index(), -1);
  EXPECT_FALSE(copy.empty());
}

// A trace of `last` + 1 rows whose rows 2..last are marked double and get
// their values, x = row and y = -row, on a helper thread that starts when
// `go` is counted down and reports every `rows_per_report` rows.
void fill_slowly(LineTrace& trace, int32_t last, std::latch& go, int32_t rows_per_report) {
  trace.reset(last);
  trace.set_int16(0, 0, 0);
  trace.set_int16(1, 0, 1);
  trace.mark_doubles(2, last);
  ASSERT_TRUE(trace.fill_in_background([&trace, &go, last, rows_per_report](std::stop_token) {
    go.wait();
    for (int32_t row = 2; row <= last; ++row) {
      trace.store_double_values(row, row, -row);
      if ((row - 1) % rows_per_report == 0 || row == last) trace.report_stored(row + 1);
    }
  }));
}

// Tags are final as soon as rows are marked; values are read only once the
// helper has stored them.
TEST(LineTraceInBackground, TagsAtOnceValuesOnceStored) {
  LineTrace trace;
  std::latch go(1);
  fill_slowly(trace, 200000, go, 1000);
  EXPECT_EQ(trace.tag(150000), TraceTag::kDouble);
  EXPECT_EQ(trace.run_end(2), 200001);
  go.count_down();
  EXPECT_EQ(trace.x(199999), 199999.0);
  EXPECT_EQ(trace.y(200000), -200000.0);
  EXPECT_EQ(trace.y(1), 1.0);
}

TEST(LineTraceInBackground, StoredSlotsFollowTheHelper) {
  LineTrace trace;
  std::latch go(1);
  fill_slowly(trace, 300000, go, 7);
  go.count_down();
  for (const int32_t row : {2, 1000, 123457, 300000}) {
    const std::span<const char> slot = trace.stored_slots(1, row, row + 1);
    double y = 0;
    std::memcpy(&y, slot.data() + kTraceTagBytes, sizeof y);
    EXPECT_EQ(slot[0], static_cast<char>(TraceTag::kDouble)) << row;
    EXPECT_EQ(y, -row) << row;
  }
}

// A copy or a move of a trace being filled holds every row marked.
TEST(LineTraceInBackground, CopiesAndMovesTakeEveryMarkedRow) {
  for (const bool move : {false, true}) {
    LineTrace trace;
    std::latch go(1);
    fill_slowly(trace, 100000, go, 500);
    go.count_down();
    LineTrace other = move ? std::move(trace) : LineTrace(trace);
    EXPECT_EQ(other.x(100000), 100000.0) << move;
    EXPECT_EQ(other.y(77777), -77777.0) << move;
  }
}

// Rows marked but never stored, because the work ended early, are not
// waited for: they read as zero.
TEST(LineTraceInBackground, NothingWaitsForAWorkThatHasEnded) {
  LineTrace trace;
  trace.reset(1000);
  trace.mark_doubles(2, 998);
  ASSERT_TRUE(trace.fill_in_background([&trace](std::stop_token) {
    for (int32_t row = 2; row <= 10; ++row) trace.store_double_values(row, 1.0, 1.0);
    trace.report_stored(11);
  }));
  EXPECT_EQ(trace.x(10), 1.0);
  EXPECT_EQ(trace.x(500), 0.0);
  EXPECT_EQ(trace.tag(500), TraceTag::kDouble);
}

// A helper that waits for more work is asked to stop when the trace is
// reset or goes, once the rows marked hold their values.
TEST(LineTraceInBackground, AWaitingHelperIsStopped) {
  LineTrace trace;
  for (int round = 0; round < 2; ++round) {
    trace.reset(100);
    trace.mark_doubles(2, 50);
    ASSERT_TRUE(trace.fill_in_background([&trace](std::stop_token stop) {
      for (int32_t row = 2; row <= 50; ++row) trace.store_double_values(row, row, row);
      trace.report_stored(51);
      std::mutex mutex;
      std::condition_variable_any never;
      std::unique_lock lock(mutex);
      never.wait(lock, stop, [] { return false; });
    }));
    EXPECT_EQ(trace.y(50), 50.0);
  }
}

}  // namespace
}  // namespace sb
