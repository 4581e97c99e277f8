#include "format/cell_values.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(CellValues, SpeedBoardPairsPackAsHundredsAndUnpackBack) {
  struct Case {
    int32_t left, right;
    int16_t packed;
  };
  const Case cases[] = {
      {90, 90, 1818}, {150, 150, 3030}, {120, 0, 2400}, {0, 495, 99}, {105, 115, 2123}};
  for (const Case& c : cases) {
    EXPECT_EQ(pack_speed_pair(c.left, c.right), c.packed) << c.left << " " << c.right;
    EXPECT_EQ(unpack_speed_pair(c.packed), (SpeedPair{c.left, c.right})) << c.packed;
  }
  EXPECT_EQ(pack_speed_pair(0, 12), 2);  // 12 / 5 = 2.4
  EXPECT_EQ(pack_speed_pair(0, 2), 0);   // 0.4
  EXPECT_EQ(pack_speed_pair(1638, 35), 32767);
  EXPECT_EQ(pack_speed_pair(1638, 40), std::nullopt);
  EXPECT_EQ(pack_speed_pair(-1639, 0), std::nullopt);
}

TEST(CellValues, DigitsCodesAndMarksUnpackToWhatWasPacked) {
  EXPECT_EQ(pack_digits(3, 2), 32);
  EXPECT_EQ(unpack_digits(32), (Digits{3, 2}));
  EXPECT_EQ(pack_digits(0, signal_code(2, 2)), 8);
  EXPECT_EQ(unpack_signal_code(8), (Digits{2, 2}));
  EXPECT_EQ(pack_digits(6554, 0), 4);  // 65540 kept to 16 bits
  EXPECT_EQ(pack_approach(kStationApproachCode, 4), 84);
  EXPECT_EQ(unpack_approach(84), (ApproachMark{8, 4}));
  EXPECT_EQ(pack_approach(26, 1), 5);  // 261 kept to 8 bits
}

TEST(CellValues, LineBytes) {
  EXPECT_EQ(pack_speed_limit(115), 23);
  EXPECT_EQ(pack_speed_limit(112), 22);  // 22.4
  EXPECT_EQ(pack_speed_limit(1275), 255);
  EXPECT_EQ(pack_speed_limit(1278), std::nullopt);
  EXPECT_EQ(pack_speed_limit(-5), std::nullopt);
  EXPECT_EQ(unpack_speed_limit(23), 115);
  EXPECT_EQ(pack_gradient(-3), 97);
  EXPECT_EQ(unpack_gradient(97), -3);
  EXPECT_EQ(unpack_gradient(0), std::nullopt);
  EXPECT_EQ(pack_gradient(200), 44);  // 300 kept to 8 bits
}

}  // namespace
}  // namespace sb
