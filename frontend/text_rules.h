#ifndef SCENARIO_BUILDER_FRONTEND_TEXT_RULES_H_
#define SCENARIO_BUILDER_FRONTEND_TEXT_RULES_H_

#include <string_view>

namespace sb {

// The rules by which the reader tells fields apart, beside the grammar's
// keyword tests.

// The field that opens a text's entries holds this, letter case ignored;
// every field before it is skipped.
inline constexpr std::string_view kOpeningField = "[generale]";

// A field holding a dash is a comment, skipped ahead of a keyword field: up
// to this many in a row in the line text's general section, and in its body
// and the train text; the next one is examined as a keyword field.
inline constexpr int kMostGeneralComments = 10;
inline constexpr int kMostBodyComments = 2;

bool is_comment(std::string_view field);

// A section header holds "[" and "]".
bool is_header(std::string_view field);

// The general section of the line text ends after a header that does not
// begin with a dash.
bool closes_general_section(std::string_view field);

}  // namespace sb

#endif  // SCENARIO_BUILDER_FRONTEND_TEXT_RULES_H_
