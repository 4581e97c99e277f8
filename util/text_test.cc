#include "util/text.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(Cp1252Lower, FoldsAsciiAndAccentedCapitals) {
  EXPECT_EQ(cp1252_lower("ABC_xyz 09"), "abc_xyz 09");
  // À È Ì Ò Ù Ç Š Œ Ž Ÿ -> à è ì ò ù ç š œ ž ÿ
  EXPECT_EQ(cp1252_lower("\xC0\xC8\xCC\xD2\xD9\xC7\x8A\x8C\x8E\x9F"),
            "\xE0\xE8\xEC\xF2\xF9\xE7\x9A\x9C\x9E\xFF");
  // × and ß and lower-case letters stay.
  EXPECT_EQ(cp1252_lower("\xD7\xDF\xE0"), "\xD7\xDF\xE0");
}

TEST(KeywordTests, CaseRulesOfSubstringMatches) {
  EXPECT_TRUE(contains("progressiva chilometrica uno", "progressiva"));
  EXPECT_FALSE(contains("Progressiva chilometrica uno", "progressiva"));
  EXPECT_TRUE(contains_ignoring_case("LUNGHEZZA Percorso", "percorso"));
  EXPECT_FALSE(contains_ignoring_case("[stazioni]", "stazione"));
}

TEST(KeywordTests, WhereACaseFreeMatchMayStand) {
  struct Case {
    const char* field;
    const char* word;
    bool found;
  };
  const Case cases[] = {
      {"curvaS", "s", true},                // the last byte
      {"STAZIONE", "stazione", true},       // the whole field
      {"ssTAZIONE", "stazione", true},      // after a false start
      {"stazion", "stazione", false},       // cut short at the end
      {"\xC0 CITT\xC0", "citt\xE0", true},  // an accented capital
      {"", "", true},
      {"orologio", "", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(contains_ignoring_case(c.field, c.word), c.found) << c.field << " / " << c.word;
  }
}

}  // namespace
}  // namespace sb

namespace sb {
namespace {

TEST(Cp1252Conversion, Utf8RoundTrip) {
  struct Case {
    const char* utf8;
    const char* cp1252;
  };
  const Case cases[] = {
      {"Valmira_Lunerio", "Valmira_Lunerio"},
      {"citt\xC3\xA0 \xC3\xA8", "citt\xE0 \xE8"},  // città è
      {"\xE2\x82\xAC\xC5\xA0", "\x80\x8A"},        // € Š
  };
  for (const Case& c : cases) {
    std::string converted;
    ASSERT_TRUE(utf8_to_cp1252(c.utf8, &converted)) << c.utf8;
    EXPECT_EQ(converted, c.cp1252);
    EXPECT_EQ(cp1252_to_utf8(converted), c.utf8);
  }
}

TEST(Cp1252Conversion, RefusesWhatWindows1252Lacks) {
  std::string converted;
  EXPECT_FALSE(utf8_to_cp1252("\xE4\xB8\xAD", &converted));  // a CJK character
  EXPECT_FALSE(utf8_to_cp1252("\xC3", &converted));          // cut-off sequence
  EXPECT_FALSE(utf8_to_cp1252("\xE8", &converted));          // Latin-1 byte, not UTF-8
  EXPECT_EQ(cp1252_to_utf8("\x81"), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace sb
