// Ties the grammar's keyword tests and value widths to the readers: a field
// the grammar says starts an entry must compile exactly as the entry's
// canonical line does, and one it says starts none must leave the text's
// result as if the line were not there.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <vector>

#include "compiler/line_reader.h"
#include "compiler/train_reader.h"
#include "grammar/grammar.h"
#include "model/error_codes.h"

namespace sb {
namespace {

constexpr char kLineGeneral[] = "[generale]\r\nlunghezza percorso, 20000\r\n";

struct Result {
  BuildState state;
  Findings findings;

  // The code of the failure the text ended on, 0 for none.
  int32_t error_code() const { return findings.empty() ? kNoError : findings.back().code; }

  bool operator==(const Result& other) const {
    if (state.general_records != other.state.general_records) return false;
    if (state.track_cells != other.state.track_cells) return false;
    if (error_code() != other.error_code()) return false;
    if (state.line_trace.last_index() != other.state.line_trace.last_index()) return false;
    for (int32_t row = 2; row <= state.line_trace.last_index() - 2; row += 97) {
      if (state.line_trace.x(row) != other.state.line_trace.x(row)) return false;
    }
    return true;
  }
};

// The line text with `line` in the section `section`.
std::string line_text_with(Section section, const std::string& line) {
  if (section == Section::kLineGeneral) return kLineGeneral + line + "\r\n[curve]\r\n[fine]\r\n";
  return std::string(kLineGeneral) + "[curve]\r\n" + line + "\r\n[fine]\r\n";
}

Result compile_with(Section section, const std::string& line) {
  Result r;
  r.state.trace_flag = 1;
  if (section == Section::kTrain) {
    const LineTextResult compiled_line =
        compile_line_text(r.state, std::string(kLineGeneral) + "[curve]\r\n[fine]\r\n", r.findings);
    compile_train_text(r.state, "[generale]\r\n" + line + "\r\n[fine]\r\n", compiled_line,
                       r.findings);
  } else {
    compile_line_text(r.state, line_text_with(section, line), r.findings);
  }
  return r;
}

// The values of the canonical line, behind its keyword field, with every 0
// made the smallest value that is not: the entry then changes what it
// compiles into.
std::string values_of(const Entry& entry) {
  std::string values;
  std::string_view rest = entry.example.substr(entry.example.find(',') + 1);
  for (size_t i = 0; !rest.empty(); ++i) {
    const size_t comma = std::min(rest.find(','), rest.size());
    std::string_view token = rest.substr(0, comma);
    rest.remove_prefix(std::min(comma + 1, rest.size()));
    while (!token.empty() && token.front() == ' ') token.remove_prefix(1);
    std::string value(token);
    if (value == "0" && i < entry.slots.size()) {
      value = std::to_string(entry.slots[i].step != 0 ? entry.slots[i].step : 1);
    }
    values += ", " + value;
  }
  return values;
}

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

// Fields to probe each entry's keyword test with.
std::vector<std::string> probes(const Entry& entry) {
  const std::string keyword(entry.keyword);
  std::string capital = keyword;
  capital[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(capital[0])));
  std::string dropped = keyword;
  dropped.erase(3, 1);
  return {keyword, upper(keyword), capital, dropped, "[" + keyword + "]", "x" + keyword + "x"};
}

TEST(GrammarTie, KeywordTestsAreTheReaders) {
  for (const Entry& entry : grammar_entries()) {
    const Result canonical =
        compile_with(entry.section, std::string(entry.keyword) + values_of(entry));
    const Result absent = compile_with(entry.section, "");
    ASSERT_FALSE(canonical == absent) << entry.title << ": its canonical line changes nothing";
    for (const Entry& other : grammar_entries()) {
      if (other.section != entry.section) continue;
      for (const std::string& field : probes(other)) {
        // A field that would start several entries is beyond this check.
        int matching = 0;
        for (const Entry& e : grammar_entries()) {
          if (e.section == entry.section && keyword_matches(e, field)) ++matching;
        }
        if (matching > 1) continue;
        const Result probed = compile_with(entry.section, field + values_of(entry));
        if (keyword_matches(entry, field)) {
          EXPECT_TRUE(probed == canonical) << entry.title << " should match " << field;
        } else if (matching == 0) {
          EXPECT_TRUE(probed == absent) << entry.title << " should not match " << field;
        }
      }
    }
  }
}

TEST(GrammarTie, EntriesAreRecognisedOnlyInTheirSection) {
  for (const Entry& entry : grammar_entries()) {
    if (entry.section == Section::kTrain) continue;
    const Section elsewhere =
        entry.section == Section::kLineBody ? Section::kLineGeneral : Section::kLineBody;
    EXPECT_TRUE(compile_with(elsewhere, std::string(entry.example)) == compile_with(elsewhere, ""))
        << entry.title;
  }
}

// A number one beyond its slot's width is a read failure; a byte or short at
// its width's edge is read.
TEST(GrammarTie, WidthsAreTheReaders) {
  for (const Entry& entry : grammar_entries()) {
    for (size_t i = 0; i < entry.slots.size(); ++i) {
      const Width width = entry.slots[i].width;
      if (width == Width::kText) continue;
      const std::string edge = width == Width::kByte    ? "255"
                               : width == Width::kShort ? "32767"
                                                        : "2147483647";
      const std::string beyond = width == Width::kByte    ? "256"
                                 : width == Width::kShort ? "32768"
                                                          : "2147483648";
      auto line_with = [&](const std::string& value) {
        std::string line(entry.keyword);
        for (size_t j = 0; j < entry.slots.size(); ++j) {
          line += ", ";
          line += j == i ? value : (entry.slots[j].width == Width::kText ? "T" : "0");
        }
        return line;
      };
      EXPECT_EQ(compile_with(entry.section, line_with(beyond)).error_code(), kReadFailed)
          << entry.title << " " << entry.slots[i].name;
      if (width == Width::kLong) continue;  // a long this large fails other checks
      EXPECT_NE(compile_with(entry.section, line_with(edge)).error_code(), kReadFailed)
          << entry.title << " " << entry.slots[i].name;
    }
  }
}

}  // namespace
}  // namespace sb
