#include "format/cells.h"

#include <gtest/gtest.h>

#include <string>

namespace sb {
namespace {

TEST(CellFormat, EncodesFifteenBytesInFileOrderAndDecodesThemBack) {
  TrackCell cell;
  cell.kind = kSignalCell;
  cell.value_1 = 5121;
  cell.value_2 = -1;
  cell.value_3 = 3;
  cell.value_4 = 4;
  cell.signal_time = 220;
  cell.approach = 84;
  cell.mountain_side = 2;
  cell.speed_limit = 23;
  cell.gradient = 97;
  cell.adhesion = 100;
  ByteString out;
  encode_cell(cell, out);
  EXPECT_EQ(out.bytes(),
            std::string("\x01\x01\x14\xFF\xFF\x03\0\x04\0\xDC\x54\x02\x17\x61\x64", 15));
  ASSERT_EQ(out.bytes().size(), kCellBytes);
  ByteReader in(out.bytes());
  EXPECT_EQ(decode_cell(in), cell);
  EXPECT_EQ(in.left(), 0u);
}

}  // namespace
}  // namespace sb
