#include "util/shell_word.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(ShellWord, QuotesOnlyWhatTheShellWouldSplitOrExpand) {
  const struct {
    const char* text;
    const char* word;
  } cases[] = {
      {"work/Mia_linea.txt", "work/Mia_linea.txt"},
      {"C:/a-b/x+y,z=1@2%.txt", "C:/a-b/x+y,z=1@2%.txt"},
      {"my work/Mia_linea.txt", "'my work/Mia_linea.txt'"},
      {"$HOME/a*b", "'$HOME/a*b'"},
      {"l'opera/Mia_linea.txt", "'l'\\''opera/Mia_linea.txt'"},
      {"", "''"},
  };
  for (const auto& c : cases) EXPECT_EQ(shell_word(c.text), c.word) << c.text;
}

}  // namespace
}  // namespace sb
