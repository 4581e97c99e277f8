#ifndef SCENARIO_BUILDER_APP_NEW_COMMAND_H_
#define SCENARIO_BUILDER_APP_NEW_COMMAND_H_

#include <ostream>
#include <string>

#include "platform/file_system.h"

namespace sb {

struct NewOptions {
  std::string scenario_name;  // UTF-8
  std::string train_number;   // UTF-8
  std::string directory = ".";
  bool force = false;  // replace texts that already stand there
};

// Writes a starting scenario, NAME_linea.txt and NAME_N-.txt, into the
// directory, creating it (and the directories above it) when missing.  An
// existing text of either name is never replaced without `force`: then
// nothing is written and the status is 2.  Says on `out` what it wrote and
// what to run next; problems go to `err`.  Returns the exit status: 0
// written, 2 usage error or a text in the way, 3 a file not written.
int new_command(const NewOptions& options, FileSystem& file_system, std::ostream& out,
                std::ostream& err);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_NEW_COMMAND_H_
