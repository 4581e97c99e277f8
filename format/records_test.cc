#include "format/records.h"

#include <gtest/gtest.h>

#include <string>

namespace sb {
namespace {

GeneralRecord every_slot_set() {
  GeneralRecord r;
  r.kind = 12;
  r.long_1 = -400;
  r.long_2 = 450;
  r.long_3 = 0x01020304;
  r.byte_1 = 1;
  r.text = "Valmira_Lunerio";
  r.short_1 = 610;
  r.short_2 = -1;
  r.short_3 = 3;
  r.short_4 = 4;
  r.short_5 = 5;
  r.byte_2 = 6;
  r.byte_3 = 7;
  r.byte_4 = 8;
  r.byte_5 = 255;
  r.long_4 = 45540;
  return r;
}

TEST(RecordFormat, EncodesTheSlotsInFileOrderLittleEndian) {
  ByteString out;
  encode_record(every_slot_set(), out);
  const std::string expected = std::string("\x0C", 1) + std::string("\x70\xFE\xFF\xFF", 4) +
                               std::string("\xC2\x01\0\0", 4) + "\x04\x03\x02\x01" + "\x01" +
                               std::string("\x0F\0", 2) + "Valmira_Lunerio" + "\x62\x02" +
                               "\xFF\xFF" + std::string("\x03\0\x04\0\x05\0", 6) +
                               "\x06\x07\x08\xFF" + std::string("\xE4\xB1\0\0", 4);
  EXPECT_EQ(out.bytes(), expected);
  EXPECT_EQ(out.bytes().size(), kRecordBytesWithoutText + 15);
}

TEST(RecordFormat, DecodesWhatItEncodes) {
  ByteString out;
  encode_record(every_slot_set(), out);
  encode_record(GeneralRecord{}, out);
  ByteReader in(out.bytes());
  GeneralRecord first;
  GeneralRecord second = every_slot_set();
  RecordShortfall shortfall;
  ASSERT_TRUE(decode_record(in, &first, &shortfall));
  ASSERT_TRUE(decode_record(in, &second, &shortfall));
  EXPECT_EQ(first, every_slot_set());
  EXPECT_EQ(second, GeneralRecord{});
  EXPECT_EQ(in.left(), 0u);
}

TEST(RecordFormat, ACutRecordNamesThePartThatDidNotFit) {
  struct Case {
    size_t keep;  // bytes of the encoded record kept
    const char* part;
    size_t needed;
    size_t offset;
  };
  const Case cases[] = {
      {0, "kind", 1, 0},     {3, "long_1", 4, 1},    {14, "text length", 2, 14},
      {20, "text", 15, 16},  {31, "short_1", 2, 31}, {44, "byte_5", 1, 44},
      {48, "long_4", 4, 45},
  };
  ByteString out;
  encode_record(every_slot_set(), out);
  for (const Case& c : cases) {
    ByteReader in(std::string_view(out.bytes()).substr(0, c.keep));
    GeneralRecord record;
    RecordShortfall shortfall;
    EXPECT_FALSE(decode_record(in, &record, &shortfall)) << c.keep;
    EXPECT_STREQ(shortfall.part, c.part) << c.keep;
    EXPECT_EQ(shortfall.needed, c.needed) << c.keep;
    EXPECT_EQ(in.offset(), c.offset) << c.keep;
  }
}

}  // namespace
}  // namespace sb
