#ifndef SCENARIO_BUILDER_STARTER_STARTER_SCENARIO_H_
#define SCENARIO_BUILDER_STARTER_STARTER_SCENARIO_H_

#include <string>

namespace sb {

// A short scenario to start a new one from: a line of a few kilometres with
// every kind of line entry once or twice, and a train that meets every kind
// of train entry, each entry under a comment line that says what its values
// are.  It compiles cleanly, without a warning.

// The bytes of NAME_linea.txt: Windows-1252, CR LF line ends.  The name
// (Windows-1252) appears only in the opening lines, which the reader skips.
std::string starter_line_text(const std::string& scenario_name);
// The bytes of NAME_N-.txt, likewise.
std::string starter_train_text(const std::string& scenario_name, const std::string& train_number);

}  // namespace sb

#endif  // SCENARIO_BUILDER_STARTER_STARTER_SCENARIO_H_
