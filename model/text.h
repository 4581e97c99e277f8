#ifndef SCENARIO_BUILDER_MODEL_TEXT_H_
#define SCENARIO_BUILDER_MODEL_TEXT_H_

#include <string>
#include <string_view>

namespace sb {

// Texts are Windows-1252 bytes end to end.

// Lower case of one Windows-1252 character: A-Z, the accented capitals
// (À-Þ but ×) and Š, Œ, Ž, Ÿ; every other byte is its own lower case.
char cp1252_lower(char c);
std::string cp1252_lower(std::string_view text);

// Substring tests of the keyword recognition.
bool contains(std::string_view field, std::string_view word);
bool contains_ignoring_case(std::string_view field, std::string_view word);

}  // namespace sb

#endif  // SCENARIO_BUILDER_MODEL_TEXT_H_
