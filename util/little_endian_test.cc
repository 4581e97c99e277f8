#include "util/little_endian.h"

#include <string>

#include <gtest/gtest.h>

namespace sb {
namespace {

template <typename T>
std::string stored(T value) {
  std::string bytes(sizeof value, '\0');
  EXPECT_EQ(store_le(bytes.data(), value), bytes.data() + sizeof value);
  return bytes;
}

TEST(LittleEndian, StoresTheLowByteFirstAndNegativesInTwosComplement) {
  EXPECT_EQ(stored(int16_t{610}), std::string("\x62\x02", 2));
  EXPECT_EQ(stored(int16_t{-1}), std::string("\xFF\xFF", 2));
  EXPECT_EQ(stored(uint16_t{5121}), std::string("\x01\x14", 2));
  EXPECT_EQ(stored(int32_t{-400}), std::string("\x70\xFE\xFF\xFF", 4));
  EXPECT_EQ(stored(uint8_t{200}), std::string("\xC8", 1));
  EXPECT_EQ(stored(1.0), std::string("\0\0\0\0\0\0\xF0\x3F", 8));
}

TEST(LittleEndian, LoadsBackWhatItStored) {
  EXPECT_EQ(load_le<int16_t>(stored(int16_t{-32768}).data()), -32768);
  EXPECT_EQ(load_le<int32_t>(stored(int32_t{-400}).data()), -400);
  EXPECT_EQ(load_le<uint16_t>(stored(uint16_t{65535}).data()), 65535);
  EXPECT_EQ(load_le<int32_t>("\x70\xFE\xFF\xFF"), -400);
  EXPECT_EQ(load_le<double>(stored(-0.1).data()), -0.1);
}

}  // namespace
}  // namespace sb
