#ifndef SCENARIO_BUILDER_DECOMPILE_SOURCE_TEXT_H_
#define SCENARIO_BUILDER_DECOMPILE_SOURCE_TEXT_H_

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grammar/grammar.h"

namespace sb {

// How a text value (a board text, a station name) is spelled so that the
// field reader reads it back unchanged: as it stands, or between double
// quotes when it holds a comma, begins with a quote or a blank or ends with
// a blank.  Nothing for a text that no spelling gives back (a line end, or a
// quote where quotes are needed).
std::optional<std::string> text_field(std::string_view text);

// One entry in the canonical layout: "keyword, v1, v2, ...".
std::string entry_line(std::string_view keyword, std::initializer_list<int64_t> values);
// The same with the entry's canonical keyword from the grammar.
std::string entry_line(EntryId id, std::initializer_list<int64_t> values);

// A source text of lines: each line followed by CR LF.
class SourceText {
 public:
  void line(std::string text) { lines_.push_back(std::move(text)); }
  std::string bytes() const;

 private:
  std::vector<std::string> lines_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_DECOMPILE_SOURCE_TEXT_H_
