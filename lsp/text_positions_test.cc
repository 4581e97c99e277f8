#include "lsp/text_positions.h"

#include <gtest/gtest.h>

#include "lsp/document.h"

namespace sb {
namespace {

constexpr PositionEncoding kUtf16 = PositionEncoding::kUtf16;
constexpr PositionEncoding kUtf8 = PositionEncoding::kUtf8;

// "CITTÀ" then a character beyond the basic plane, on the second line.
const std::string kText = "a\r\nCITTÀ,\xF0\x9F\x9A\x86x\nend\rlast";

TEST(LineIndex, CountsCharactersInTheClientsEncoding) {
  const LineIndex lines(kText);
  EXPECT_EQ(lines.lines(), 4u);
  struct Case {
    size_t offset;
    Position utf16;
    Position utf8;
  };
  const size_t comma = kText.find(',');
  const Case cases[] = {
      {0, {0, 0}, {0, 0}},
      {1, {0, 1}, {0, 1}},
      {comma, {1, 5}, {1, 6}},       // À is one UTF-16 unit, two UTF-8 bytes
      {comma + 5, {1, 8}, {1, 11}},  // past the train: two units, four bytes
      {kText.find("end"), {2, 0}, {2, 0}},
      {kText.size(), {3, 4}, {3, 4}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lines.position(c.offset, kUtf16), c.utf16) << c.offset;
    EXPECT_EQ(lines.position(c.offset, kUtf8), c.utf8) << c.offset;
    EXPECT_EQ(lines.offset(c.utf16, kUtf16), c.offset) << c.offset;
    EXPECT_EQ(lines.offset(c.utf8, kUtf8), c.offset) << c.offset;
  }
}

TEST(LineIndex, OutOfRangePositions) {
  const LineIndex lines(kText);
  EXPECT_EQ(lines.offset({0, 99}, kUtf16), 1u);  // the line's end, before its CR LF
  EXPECT_EQ(lines.offset({4, 0}, kUtf16), std::nullopt);
  EXPECT_EQ(lines.clamped_offset({9, 0}, kUtf16), kText.size());
  // Inside the surrogate pair: the character's start.
  EXPECT_EQ(lines.offset({1, 7}, kUtf16), kText.find(',') + 1);
}

TEST(Document, BytesAreCharactersOfWindows1252) {
  const Document document = Document::from_editor("CITTÀ,\xE2\x82\xAC,\xF0\x9F\x9A\x86,\xC4\x80");
  EXPECT_EQ(document.bytes(), "CITT\xC0,\x80,?,?");
  EXPECT_EQ(document.lacking(), (std::vector<uint32_t>{8, 10}));
  EXPECT_EQ(document.position(9, kUtf16), (Position{0, 10}));
  EXPECT_EQ(document.offset({0, 10}, kUtf16), 9u);
  EXPECT_EQ(document.character(8), "\xF0\x9F\x9A\x86");
}

TEST(Document, BytesFromDiskStayAsTheyAre) {
  const Document document = Document::from_bytes("\xC0\x81\r\nx");
  EXPECT_EQ(document.bytes(), "\xC0\x81\r\nx");
  EXPECT_EQ(document.utf8(), "À\xEF\xBF\xBD\r\nx");
  EXPECT_EQ(document.position(4, kUtf16), (Position{1, 0}));
  EXPECT_EQ(document.byte_at(2, 1), 4u);
  EXPECT_EQ(document.byte_at(1, 9), 2u);  // clamped to the line's end
}

TEST(Document, EditsReplaceARangeOrTheWholeText) {
  Document document = Document::from_editor("CITTÀ, 10\r\nx");
  document.edit(Document::Range{{0, 7}, {0, 9}}, "25", kUtf16);
  EXPECT_EQ(document.utf8(), "CITTÀ, 25\r\nx");
  document.edit(Document::Range{{1, 0}, {1, 1}}, "ŷ", kUtf16);
  EXPECT_EQ(document.bytes(), "CITT\xC0, 25\r\n?");
  document.edit(std::nullopt, "new", kUtf16);
  EXPECT_EQ(document.bytes(), "new");
  EXPECT_TRUE(document.lacking().empty());
}

}  // namespace
}  // namespace sb
