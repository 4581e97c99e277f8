#include "viewer/row_packer.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

RowLimits limits(int most_rows, double most_shift = 100) {
  return {0, 300, 4, most_shift, most_rows};
}

TEST(RowPacker, LabelsThatDoNotMeetShareTheFirstRowCentredOnTheirAnchors) {
  const auto packed = pack_label_rows({{50, 40}, {150, 60}}, limits(3));
  EXPECT_EQ(packed[0].row, 0);
  EXPECT_DOUBLE_EQ(packed[0].left, 30);
  EXPECT_EQ(packed[1].row, 0);
  EXPECT_DOUBLE_EQ(packed[1].left, 120);
}

TEST(RowPacker, ACrowdedLabelGoesUpARowThenIsPushedRightThenLeftOut) {
  // The second label would overlap the first by 40: it opens row 1 over its
  // anchor.
  auto packed = pack_label_rows({{100, 100}, {160, 100}}, limits(3));
  EXPECT_EQ(packed[1].row, 1);
  EXPECT_DOUBLE_EQ(packed[1].left, 110);
  EXPECT_EQ(rows_used(packed), 2);
  // With one row, it is pushed 44 right, within the shift allowed.
  packed = pack_label_rows({{100, 100}, {160, 100}}, limits(1));
  EXPECT_EQ(packed[1].row, 0);
  EXPECT_DOUBLE_EQ(packed[1].left, 154);
  // Allowed less shift, it is left out.
  packed = pack_label_rows({{100, 100}, {160, 100}}, limits(1, 20));
  EXPECT_EQ(packed[1].row, -1);
  EXPECT_EQ(rows_used(packed), 1);
  // A third label goes back to the first row where it stands in its place.
  packed = pack_label_rows({{100, 100}, {160, 100}, {215, 10}}, limits(3));
  EXPECT_EQ(packed[2].row, 0);
}

TEST(RowPacker, LabelsStayInsideTheLimitsAndArePackedInOrderOfTheirAnchors) {
  // Given out of order: the label at 0 is packed first, clamped to the left
  // limit; the one at 300 ends at the right limit.
  const auto packed = pack_label_rows({{300, 50}, {0, 80}, {10, 30}}, limits(3));
  EXPECT_EQ(packed[1].row, 0);
  EXPECT_DOUBLE_EQ(packed[1].left, 0);
  EXPECT_DOUBLE_EQ(packed[0].left, 250);
  EXPECT_EQ(packed[2].row, 1);  // over the first, in its place
  EXPECT_DOUBLE_EQ(packed[2].left, 0);
  // A label wider than the room is left out.
  EXPECT_EQ(pack_label_rows({{150, 301}}, limits(3))[0].row, -1);
}

}  // namespace
}  // namespace sb
