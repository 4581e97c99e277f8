#include "app/man_page.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(RoffEscaped, GuardsWhatRoffWouldReadAsMarkup) {
  const struct {
    const char* text;
    const char* roff;
  } cases[] = {
      {"plain words", "plain words"},
      {"--format and -o", "\\-\\-format and \\-o"},  // options: minus signs
      {"built-in, A:B", "built-in, A:B"},            // a hyphen inside a word stays
      {"(-Wno-NAME)", "(\\-Wno-NAME)"},
      {".sim files", "\\&.sim files"},  // a line starting with a control character
      {"'quoted", "\\&'quoted"},
      {"a\\b", "a\\eb"},
      {"Valmira \xE2\x80\x93 Lunerio", "Valmira \\[u2013] Lunerio"},
  };
  for (const auto& c : cases) EXPECT_EQ(roff_escaped(c.text), c.roff) << c.text;
}

TEST(ManPage, DescribesEachCommandWithItsOptionsValuesAndChoices) {
  OptionOutline color{{"--color"}, "WHEN", "colour the diagnostics", false, {}};
  color.hint = {ValueHint::Kind::kChoice, {"auto", "never"}, ""};
  OptionOutline silenced{{"-Wno-"}, "NAME", "leave the warning NAME out", false, {}};
  silenced.hint = {ValueHint::Kind::kGlued, {"keyword-case"}, ""};
  const OptionOutline output{{"-o", "--output"}, "FILE", "the drawing", true, {}};
  const OptionOutline line{{}, "LINE", "the line text", true, {}};
  const std::vector<CommandOutline> commands = {
      {"", "the program", {}, {}},
      {"check", "check the texts", {color, silenced}, {line}},
      {"plot", "draw", {output}, {}},
  };
  const std::string page = man_page(commands, "1.2.3");
  EXPECT_EQ(page.find(".TH SCENARIO\\-BUILDER 1 \"\" \"scenario\\-builder 1.2.3\""), 0u);
  EXPECT_NE(
      page.find(".SS \\fBscenario\\-builder\\fR \\fBcheck\\fR [\\fIOPTIONS\\fR] \\fILINE\\fR\n"
                "check the texts\n"
                ".TP\n\\fILINE\\fR\nthe line text\n"
                ".TP\n\\fB\\-\\-color\\fR \\fIWHEN\\fR\ncolour the diagnostics\n.br\n"
                "One of: auto, never.\n"
                ".TP\n\\fB\\-Wno\\-\\fR\\fINAME\\fR\nleave the warning NAME out\n.br\n"
                "NAME is one of: keyword\\-case.\n"),
      std::string::npos)
      << page;
  EXPECT_NE(
      page.find(".TP\n\\fB\\-o\\fR, \\fB\\-\\-output\\fR \\fIFILE\\fR\nthe drawing (required)\n"),
      std::string::npos)
      << page;
  for (const char* section :
       {".SH NAME", ".SH SYNOPSIS", ".SH DESCRIPTION", ".SH OPTIONS", ".SH COMMANDS",
        ".SH EXIT STATUS", ".SH FILES", ".SH EXAMPLES", ".SH SEE ALSO"}) {
    EXPECT_NE(page.find(std::string(section) + "\n"), std::string::npos) << section;
  }
}

}  // namespace
}  // namespace sb
