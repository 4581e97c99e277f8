#include "compiler/line_trace_builder.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>

namespace sb {
namespace {

TEST(CurveTurn, ClassDigitAndSide) {
  struct Case {
    const char* field;
    double turn;
  };
  const Case cases[] = {
      {"curvad5", 0.002}, {"curvas5", -0.002}, {"CURVAS3", -0.0004}, {"curvad21", 0.0001},
      {"curvad6", 0.003}, {"curvad4", 0.001},  {"curvad2", 0.0002},  {"curva 9 7 5", 0.002},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(curve_turn(c.field).has_value()) << c.field;
    EXPECT_EQ(*curve_turn(c.field), c.turn) << c.field;
  }
  EXPECT_FALSE(curve_turn("curvad").has_value());
  EXPECT_FALSE(curve_turn("curvad0789").has_value());
}

TEST(LineTraceBuilder, FirstCurveOfTheBuiltInLine) {
  LineTrace trace;
  trace.reset(8000);
  LineTraceBuilder builder(trace);
  ASSERT_TRUE(builder.curve(650, 200, 0.002));
  EXPECT_EQ(builder.cursor(), 851);

  EXPECT_EQ(trace.tag(0), TraceTag::kInt16);
  EXPECT_EQ(trace.tag(1), TraceTag::kInt16);
  EXPECT_EQ(trace.y(1), 1.0);
  for (int32_t row = 2; row <= 650; ++row) {
    ASSERT_EQ(trace.tag(row), TraceTag::kDouble) << row;
    ASSERT_EQ(trace.x(row), 0.0) << row;
    ASSERT_EQ(trace.y(row), row) << row;
  }
  EXPECT_EQ(trace.x(651), 0.002);
  EXPECT_EQ(trace.y(651), 651.0);
  EXPECT_EQ(trace.x(652), 0.006);
  EXPECT_EQ(trace.y(652), 651.999996);
  EXPECT_NEAR(trace.x(850), 39.6747, 1e-4);
  EXPECT_NEAR(trace.y(850), 844.7083, 1e-4);
  // The step vector has turned 0.4 rad to the right.
  const double dx = trace.x(850) - trace.x(849);
  const double dy = trace.y(850) - trace.y(849);
  EXPECT_NEAR(std::atan2(dx, dy), 0.4, 1e-5);
  EXPECT_EQ(trace.tag(851), TraceTag::kUnset);
}

// Evaluated exactly as written, in double precision, no fused multiply-add.
TEST(LineTraceBuilder, StepsAreBitExact) {
  LineTrace trace;
  trace.reset(8000);
  LineTraceBuilder builder(trace);
  ASSERT_TRUE(builder.curve(2, 30, -0.003));
  for (int32_t j = 3; j <= 32; ++j) {
    const double dx = trace.x(j - 1) - trace.x(j - 2);
    const double dy = trace.y(j - 1) - trace.y(j - 2);
    volatile double kdy = -0.003 * dy;
    volatile double kdx = -0.003 * dx;
    EXPECT_EQ(trace.x(j), (trace.x(j - 1) + dx) + kdy) << j;
    EXPECT_EQ(trace.y(j), (trace.y(j - 1) + dy) - kdx) << j;
  }
}

TEST(LineTraceBuilder, ClassFourOverAThousandMetresTurnsAboutOneRadian) {
  LineTrace trace;
  trace.reset(9000);
  LineTraceBuilder builder(trace);
  ASSERT_TRUE(builder.curve(100, 1000, -0.001));
  const double dx = trace.x(1100) - trace.x(1099);
  const double dy = trace.y(1100) - trace.y(1099);
  EXPECT_NEAR(std::atan2(dx, dy), -1.0, 1e-3);
}

TEST(LineTraceBuilder, ACurveStartingBehindTheCursorBendsFromTheCursor) {
  LineTrace split;
  split.reset(8000);
  LineTraceBuilder two_curves(split);
  ASSERT_TRUE(two_curves.curve(650, 200, 0.002));
  ASSERT_TRUE(two_curves.curve(800, 100, 0.002));  // rows 851 to 900 bent
  ASSERT_TRUE(two_curves.curve(100, 300, 0.003));  // ends behind the cursor: nothing
  EXPECT_EQ(two_curves.cursor(), 901);

  LineTrace whole;
  whole.reset(8000);
  LineTraceBuilder one_curve(whole);
  ASSERT_TRUE(one_curve.curve(650, 250, 0.002));
  for (int32_t row = 0; row <= 900; ++row) {
    ASSERT_EQ(split.x(row), whole.x(row)) << row;
    ASSERT_EQ(split.y(row), whole.y(row)) << row;
  }
}

TEST(LineTraceBuilder, StraightToTheEndLeavesTheLastTwoRowsUnset) {
  LineTrace trace;
  trace.reset(7000);
  LineTraceBuilder builder(trace);
  ASSERT_TRUE(builder.curve(650, 200, 0.002));
  builder.straight_to_end();
  EXPECT_EQ(trace.tag(6998), TraceTag::kDouble);
  EXPECT_EQ(trace.tag(6999), TraceTag::kUnset);
  EXPECT_EQ(trace.tag(7000), TraceTag::kUnset);
  // Straight steps keep the step vector (up to the rounding of the
  // differences taken from the stored rows).
  EXPECT_NEAR(trace.x(6998) - trace.x(6997), trace.x(852) - trace.x(851), 1e-9);
  EXPECT_NEAR(trace.y(6998) - trace.y(6997), trace.y(852) - trace.y(851), 1e-9);
}

TEST(LineTraceBuilder, NeverStepsBeyondTheLastComputableRow) {
  LineTrace trace;
  trace.reset(7000);
  LineTraceBuilder builder(trace);
  EXPECT_FALSE(builder.curve(6900, 200, 0.002));
  EXPECT_EQ(trace.tag(6998), TraceTag::kDouble);
  EXPECT_EQ(trace.tag(6999), TraceTag::kUnset);
}

TEST(LineTraceBuilder, NoCurveReachesBeyondMetreOneMillion) {
  LineTrace trace;
  trace.reset(1007000);
  LineTraceBuilder builder(trace);
  EXPECT_TRUE(builder.curve(999000, 999, 0.001));
  EXPECT_FALSE(builder.curve(999990, 100, 0.001));
  EXPECT_EQ(trace.tag(1000000), TraceTag::kDouble);
  EXPECT_EQ(trace.tag(1000001), TraceTag::kUnset);
}

// Curves of every class both ways, one starting behind the cursor, then
// straight to the end.
void draw_test_line(LineTrace& trace) {
  LineTraceBuilder builder(trace);
  const double turns[] = {0.0001, -0.0002, 0.0004, -0.001, 0.002, -0.003, 0.003};
  int64_t start = 300;
  for (const double turn : turns) {
    ASSERT_TRUE(builder.curve(start, 700, turn));
    start += 3000;
  }
  ASSERT_TRUE(builder.curve(start - 1000, 5000, 0.002));
  builder.straight_to_end();
}

// A long trace is computed on a helper thread: to the same bits as a short
// one computed in place, over the rows they share.
TEST(LineTraceBuilder, ALongTraceComesOutAsIfComputedInPlace) {
  LineTrace in_place;
  in_place.reset(static_cast<int32_t>(LineTraceBuilder::kLeastBackgroundRows) - 2);
  draw_test_line(in_place);
  LineTrace helped;
  helped.reset(1007000);
  draw_test_line(helped);
  const int32_t shared = in_place.last_index() - 2;
  for (int32_t row = 0; row <= shared; ++row) {
    ASSERT_EQ(helped.tag(row), in_place.tag(row)) << row;
    ASSERT_EQ(std::bit_cast<uint64_t>(helped.x(row)), std::bit_cast<uint64_t>(in_place.x(row)))
        << row;
    ASSERT_EQ(std::bit_cast<uint64_t>(helped.y(row)), std::bit_cast<uint64_t>(in_place.y(row)))
        << row;
  }
  EXPECT_EQ(helped.tag(1007000 - 2), TraceTag::kDouble);
  EXPECT_NE(helped.y(1007000 - 2), 0.0);
}

// Values can be read while the builder is still at work: the rows stepped
// so far are waited for.
TEST(LineTraceBuilder, RowsSteppedSoFarCanBeReadWhileBuilding) {
  LineTrace trace;
  trace.reset(500000);
  LineTraceBuilder builder(trace);
  ASSERT_TRUE(builder.curve(200000, 1000, 0.001));
  EXPECT_EQ(trace.y(200000), 200000.0);
  EXPECT_GT(trace.x(201000), 0.0);
  ASSERT_TRUE(builder.curve(300000, 1000, -0.001));
  EXPECT_NEAR(trace.x(300000) - trace.x(299999), trace.x(201000) - trace.x(200999), 1e-9);
  EXPECT_NEAR(trace.x(300000) - trace.x(299999), std::sin(1.0), 2e-3);
}

}  // namespace
}  // namespace sb
