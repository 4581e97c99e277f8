#include "compiler/line_trace_builder.h"

#include <gtest/gtest.h>

#include <cmath>

namespace sb {
namespace {

TEST(CurveTurn, ClassDigitAndSide) {
  struct Case {
    const char* field;
    double turn;
  };
  const Case cases[] = {
      {"curvad5", 0.002},   {"curvas5", -0.002}, {"CURVAS3", -0.0004},
      {"curvad21", 0.0001}, {"curvad6", 0.003},  {"curvad4", 0.001},
      {"curvad2", 0.0002},  {"curva 9 7 5", 0.002},
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

}  // namespace
}  // namespace sb
