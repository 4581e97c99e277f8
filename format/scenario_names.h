#ifndef SCENARIO_BUILDER_FORMAT_SCENARIO_NAMES_H_
#define SCENARIO_BUILDER_FORMAT_SCENARIO_NAMES_H_

#include <optional>
#include <string>

namespace sb {

// NAME of a line text named "NAME_linea.txt" (any directory before it).
std::optional<std::string> scenario_name_from_line_text(const std::string& path);
// N of a train text named "NAME_N-.txt".
std::optional<std::string> train_number_from_train_text(const std::string& path,
                                                        const std::string& scenario_name);

// Checks a scenario name or train number given in UTF-8 and converts it to
// Windows-1252 into *name (which may be null when only the check is
// wanted). False with *error, and *name untouched, when it is empty, holds
// a control character (named by its code, never echoed), a path separator,
// "..", a character that Windows does not allow in file names (on every
// system: a scenario travels between them) or one that Windows-1252 lacks,
// or (a train number) is "linea" in any case, which would make the cells
// file overwrite the trace.
bool checked_name(const std::string& what, const std::string& utf8, bool is_train_number,
                  std::string* name, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_SCENARIO_NAMES_H_
