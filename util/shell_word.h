#ifndef SCENARIO_BUILDER_UTIL_SHELL_WORD_H_
#define SCENARIO_BUILDER_UTIL_SHELL_WORD_H_

#include <string>
#include <string_view>

namespace sb {

// `text` as one word of a command line typed at a POSIX shell: as it is when
// it holds only letters, digits and _ . / : + , = @ % -, else in single
// quotes (a quote inside as '\'').
std::string shell_word(std::string_view text);

}  // namespace sb

#endif  // SCENARIO_BUILDER_UTIL_SHELL_WORD_H_
