#ifndef SCENARIO_BUILDER_UTIL_TEXT_H_
#define SCENARIO_BUILDER_UTIL_TEXT_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// Texts are Windows-1252 bytes end to end.

// Lower case of one Windows-1252 character: A-Z, the accented capitals
// (À-Þ but ×) and Š, Œ, Ž, Ÿ; every other byte is its own lower case.
char cp1252_lower(char c);
std::string cp1252_lower(std::string_view text);

// Substring tests of the keyword recognition.
bool contains(std::string_view field, std::string_view word);
bool contains_ignoring_case(std::string_view field, std::string_view word);

// Converts UTF-8 (the command line's encoding) to Windows-1252; false when
// the text is not valid UTF-8 or holds a character Windows-1252 lacks.
bool utf8_to_cp1252(std::string_view utf8, std::string* cp1252);
// Converts Windows-1252 to UTF-8 for display; bytes without a character
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become U+FFFD.
std::string cp1252_to_utf8(std::string_view cp1252);
// The characters of a UTF-8 text, as a terminal lines them up: its bytes
// less the continuation bytes.
size_t utf8_length(std::string_view utf8);

// A UTF-8 text (an editor's) as Windows-1252, one byte per character, so
// that the n-th byte is the n-th character.  A character Windows-1252 lacks
// becomes '?' and is listed; a malformed byte counts as one such character.
struct Cp1252Text {
  std::string bytes;
  std::vector<uint32_t> starts;   // where each byte's character starts in the UTF-8, then its size
  std::vector<uint32_t> lacking;  // the bytes that stand for a character Windows-1252 lacks
};
Cp1252Text utf8_to_cp1252_text(std::string_view utf8);

}  // namespace sb

#endif  // SCENARIO_BUILDER_UTIL_TEXT_H_
