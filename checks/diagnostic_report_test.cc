#include "checks/diagnostic_report.h"

#include <gtest/gtest.h>

#include <string>

#include "checks/error_kinds.h"

namespace sb {
namespace {

constexpr char kLineText[] = "[generale]\r\nlunghezza percorso,    20000\r\n";
constexpr char kTrainText[] =
    "[stazioni]\r\n"
    "stazione,  0, 12, 800, 1, 0, 1, 3,1,0, 2,1,1, 1, 12,39, 0, CITT\xC0 ALTA\r\n"
    "\tsegnael ,  850\n";

const DiagnosticTexts kTexts{"L.txt", "T.txt", kLineText, kTrainText};

Diagnostic warning_at(int line, int column) {
  return make_warning(WarningId::kUnknownKeyword, {SourceLocation::Text::kTrain, line, column},
                      "`segnael` matches no entry");
}

Diagnostic signal_clash() {
  Diagnostic clash;
  clash.severity = Diagnostic::Severity::kError;
  clash.location = {SourceLocation::Text::kTrain, 3, 2};
  clash.code = kSignalTaken;
  clash.message = "the signal at 850 m needs cell 18";
  clash.related = SourceLocation{SourceLocation::Text::kLine, 2, 1};
  return clash;
}

// The field at fault runs to its comma or its line's end, blanks after it
// left out; a place with no field keeps its own column.
TEST(EndColumn, RunsToTheEndOfTheField) {
  struct Case {
    int line;
    int column;
    int end;
  };
  const Case cases[] = {
      {2, 1, 8},    // "stazione"
      {2, 60, 69},  // the name, to the line's end (the CR left out)
      {3, 2, 8},    // after a tab, before " ,"
      {3, 13, 15},  // the last field of a line ending in LF
      {3, 40, 40},  // beyond the line
      {9, 1, 1},    // beyond the text
  };
  for (const Case& c : cases) {
    EXPECT_EQ(end_column(warning_at(c.line, c.column), kTexts), c.end)
        << "line " << c.line << " column " << c.column;
  }
}

TEST(DiagnosticJson, HoldsThePlaceTheFieldAndTheRelatedEntry) {
  const auto json = diagnostic_json(signal_clash(), kTexts);
  EXPECT_EQ(json.dump(),
            R"({"file":"T.txt","line":3,"column":2,"end_column":8,"severity":"error",)"
            R"("code":"E16","name":null,"message":"the signal at 850 m needs cell 18",)"
            R"("related":[{"file":"L.txt","line":2,"column":1,)"
            R"("message":"the entry that the message names"}]})");
  const auto warning = diagnostic_json(warning_at(3, 2), kTexts);
  EXPECT_EQ(warning["code"], "W21");
  EXPECT_EQ(warning["name"], "unknown-keyword");
  EXPECT_EQ(warning["severity"], "warning");
  Diagnostic uncoded = signal_clash();  // a tool's own message
  uncoded.code = DiagnosticCode();
  const auto plain = diagnostic_json(uncoded, kTexts);
  EXPECT_EQ(plain["code"], nullptr);
  EXPECT_EQ(plain["name"], nullptr);
}

TEST(DiagnosticsJson, CountsErrorsAndWarnings) {
  const auto json = nlohmann::json::parse(
      diagnostics_json({signal_clash(), warning_at(3, 2), warning_at(2, 1)}, kTexts));
  EXPECT_EQ(json["errors"], 1);
  EXPECT_EQ(json["warnings"], 2);
  EXPECT_EQ(json["diagnostics"].size(), 3u);
}

// The place bold, the severity and the -W tag coloured, then the source line
// as UTF-8 and the caret under the field, the tab kept before it.
TEST(ColoredDiagnostic, ColoursTheHeadAndShowsTheSourceWithACaret) {
  EXPECT_EQ(format_colored_diagnostic(warning_at(3, 2), kTexts),
            "\033[01m\033[KT.txt:3:2:\033[m\033[K \033[01;35m\033[Kwarning W21:\033[m\033[K "
            "`segnael` matches no entry [\033[01;35m\033[K-Wunknown-keyword\033[m\033[K]\n"
            "\tsegnael ,  850\n"
            "\t\033[01;32m\033[K^~~~~~~\033[m\033[K\n");
  const std::string clash = format_colored_diagnostic(signal_clash(), kTexts);
  EXPECT_EQ(clash.substr(0, clash.find('\n')),
            "\033[01m\033[KT.txt:3:2:\033[m\033[K \033[01;31m\033[Kerror E16:\033[m\033[K the "
            "signal at 850 m needs cell 18 (L.txt:2:1)");
}

// An accented name is shown in UTF-8; the caret still counts one column a byte
// of the text, so it stands under the field that follows.
TEST(ColoredDiagnostic, CountsColumnsInTheTextsBytes) {
  const std::string shown_text = format_colored_diagnostic(warning_at(2, 60), kTexts);
  EXPECT_NE(shown_text.find("CITT\xC3\x80 ALTA\n"), std::string::npos);
  EXPECT_NE(
      shown_text.find(std::string(59, ' ') + "\033[01;32m\033[K^" + std::string(9, '~') + "\033"),
      std::string::npos);
}

TEST(DiagnosticsSarif, NamesEveryRuleAndPointsEachResultAtItsRule) {
  const auto log =
      nlohmann::json::parse(diagnostics_sarif({signal_clash(), warning_at(3, 2)}, kTexts, "9.9"));
  EXPECT_EQ(log["version"], "2.1.0");
  const auto& run = log["runs"][0];
  EXPECT_EQ(run["tool"]["driver"]["version"], "9.9");
  const auto& rules = run["tool"]["driver"]["rules"];
  EXPECT_EQ(rules.size(), warning_kinds().size() + error_kinds().size());
  for (const auto& result : run["results"]) {
    EXPECT_EQ(rules[result["ruleIndex"].get<size_t>()]["id"], result["ruleId"]);
  }
  const auto& region = run["results"][0]["locations"][0]["physicalLocation"]["region"];
  EXPECT_EQ(region["startColumn"], 2);
  EXPECT_EQ(region["endColumn"], 9);  // one past the field's last column
  EXPECT_EQ(run["results"][0]["relatedLocations"][0]["physicalLocation"]["artifactLocation"]["uri"],
            "L.txt");
}

}  // namespace
}  // namespace sb
