#include "frontend/field_reader.h"

#include <gtest/gtest.h>

#include <vector>

namespace sb {
namespace {

std::vector<int32_t> read_longs(std::string_view text, int count) {
  FieldReader reader(text);
  std::vector<int32_t> values;
  for (int i = 0; i < count; ++i) {
    int32_t value = -999;
    EXPECT_TRUE(reader.read_long(&value)) << reader.failure();
    values.push_back(value);
  }
  return values;
}

TEST(FieldReader, NumbersEndAtBlanksCommasAndLineEnds) {
  struct Case {
    const char* text;
    std::vector<int32_t> expected;
  };
  const Case cases[] = {
      {"850,   2, 3\r\n", {850, 2, 3}},
      {"850 , 2\r\n", {850, 2}},
      {"12              48            40 \r\n7\r\n", {12, 48, 40, 7}},
      {"1,  ,  ,  0\r\n", {1, 0, 0, 0}},
      {"5\r\n\r\n6\r\n", {5, 0, 6}},   // a blank line among values reads 0
      {"1\n2\r3\r\n4", {1, 2, 3, 4}},  // LF alone, CR alone, no final line end
      {"\t-3,\t+4\r\n", {-3, 4}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(read_longs(c.text, static_cast<int>(c.expected.size())), c.expected) << c.text;
  }
}

TEST(FieldReader, NumberGrammar) {
  struct Case {
    const char* token;
    int32_t expected;
  };
  const Case cases[] = {
      {"300.5", 300}, {"301.5", 302}, {"300.51", 301}, {"300.49", 300}, {"-2.5", -2},
      {"abc", 0},     {"12abc", 0},   {"1e3", 0},      {".5", 0},       {"5.", 0},
      {"-", 0},       {"\"12\"", 0},  {"007", 7},      {"-0", 0},
  };
  for (const Case& c : cases) {
    FieldReader reader(c.token);
    int32_t value = -999;
    ASSERT_TRUE(reader.read_long(&value)) << c.token;
    EXPECT_EQ(value, c.expected) << c.token;
  }
}

TEST(FieldReader, ValuesOutsideTheirWidthFail) {
  int32_t long_value;
  int16_t short_value;
  uint8_t byte_value;
  EXPECT_TRUE(FieldReader("2147483647").read_long(&long_value));
  EXPECT_FALSE(FieldReader("2147483648").read_long(&long_value));
  EXPECT_FALSE(FieldReader("99999999999999999999999").read_long(&long_value));
  EXPECT_TRUE(FieldReader("-32768").read_short(&short_value));
  EXPECT_FALSE(FieldReader("32768").read_short(&short_value));
  EXPECT_TRUE(FieldReader("255").read_byte(&byte_value));
  FieldReader reader("256");
  EXPECT_FALSE(reader.read_byte(&byte_value));
  EXPECT_EQ(reader.failure(), "the value 256 does not fit a byte (0 to 255)");
  EXPECT_FALSE(FieldReader("-1").read_byte(&byte_value));
}

TEST(FieldReader, TextFields) {
  FieldReader reader("  lunghezza percorso  ,\"a, b\" x,  (Km 647+107)\r\n\"open\r\nlast");
  std::string field;
  const char* expected[] = {"lunghezza percorso", "a, b", "(Km 647+107)", "open", "last"};
  for (const char* e : expected) {
    ASSERT_TRUE(reader.read_text(&field));
    EXPECT_EQ(field, e);
  }
  EXPECT_TRUE(reader.at_end());
  EXPECT_FALSE(reader.read_text(&field));
  EXPECT_EQ(reader.failure(), "the text ends where a field was expected");
}

TEST(FieldReader, OverlongTextFails) {
  std::string text(65536, 'x');
  std::string field;
  EXPECT_FALSE(FieldReader(text).read_text(&field));
  EXPECT_TRUE(FieldReader(text.substr(1)).read_text(&field));
}

TEST(FieldReader, EndOfFileComesRightAfterTheLastField) {
  FieldReader reader("[fine]\r\n");
  std::string field;
  EXPECT_FALSE(reader.at_end());
  ASSERT_TRUE(reader.read_text(&field));
  EXPECT_TRUE(reader.at_end());

  FieldReader trailing("[fine]\r\n\r\n");
  ASSERT_TRUE(trailing.read_text(&field));
  EXPECT_FALSE(trailing.at_end());
  ASSERT_TRUE(trailing.read_text(&field));
  EXPECT_EQ(field, "");
  EXPECT_TRUE(trailing.at_end());
}

TEST(FieldReader, RemembersWhereEachFieldBegins) {
  FieldReader reader("[generale]\r\n  sabbia,    200\nx");
  std::string field;
  int16_t value;
  ASSERT_TRUE(reader.read_text(&field));
  EXPECT_EQ(reader.line(), 1);
  EXPECT_EQ(reader.column(), 1);
  ASSERT_TRUE(reader.read_text(&field));
  EXPECT_EQ(reader.line(), 2);
  EXPECT_EQ(reader.column(), 3);
  ASSERT_TRUE(reader.read_short(&value));
  EXPECT_EQ(value, 200);
  EXPECT_EQ(reader.column(), 14);
  ASSERT_TRUE(reader.read_text(&field));
  EXPECT_EQ(reader.line(), 3);
}

}  // namespace
}  // namespace sb
