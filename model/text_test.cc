#include "model/text.h"

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

}  // namespace
}  // namespace sb
