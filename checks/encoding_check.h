#ifndef SCENARIO_BUILDER_CHECKS_ENCODING_CHECK_H_
#define SCENARIO_BUILDER_CHECKS_ENCODING_CHECK_H_

#include <optional>
#include <string_view>

#include "checks/diagnostic.h"

namespace sb {

// A warning when a text that should be Windows-1252 looks like UTF-16 (a
// byte-order mark or NUL bytes) or holds UTF-8 (a byte-order mark, or the
// first run of bytes that is a UTF-8 character of two bytes or more).
std::optional<Diagnostic> check_encoding(std::string_view text, SourceLocation::Text which);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_ENCODING_CHECK_H_
