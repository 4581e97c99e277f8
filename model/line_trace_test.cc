#include "model/line_trace.h"

#include <gtest/gtest.h>

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
  const std::string slot(trace.slots(0).data() + 3 * LineTrace::kSlotBytes, LineTrace::kSlotBytes);
  EXPECT_EQ(slot, std::string("\x02\x00\xFE\xFF\x00\x00\x00\x00\x00\x00", 10));

  trace.set_double(4, 0.5, 0.0);
  const std::string doubles(trace.slots(0).data() + 4 * LineTrace::kSlotBytes, LineTrace::kSlotBytes);
  EXPECT_EQ(doubles, std::string("\x05\x00\x00\x00\x00\x00\x00\x00\xE0\x3F", 10));

  EXPECT_THROW(trace.set_double(11, 0, 0), std::out_of_range);
  EXPECT_THROW(trace.set_int16(-1, 0, 0), std::out_of_range);
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

}  // namespace
}  // namespace sb
