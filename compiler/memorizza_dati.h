#ifndef SCENARIO_BUILDER_COMPILER_MEMORIZZA_DATI_H_
#define SCENARIO_BUILDER_COMPILER_MEMORIZZA_DATI_H_

#include <string>

#include "model/build_state.h"
#include "platform/file_system.h"

namespace sb {

// The two source texts of a build.
struct SourceTexts {
  std::string line_path;
  std::string train_path;
  // The bare run deletes the texts it wrote itself once they have been read;
  // texts of an author's own are never touched.
  bool delete_after_reading = true;
  // The texts' bytes when the caller has read them already: each input is
  // read once, as a pipe can be read only once.  The paths then only name
  // the texts in messages.
  const std::string* line_bytes = nullptr;
  const std::string* train_bytes = nullptr;
};

// The compiler: reads the line text, then the train text, into `state`.
// Failures are recorded in state.error_code (0 on success) and friends.
void memorizza_dati(BuildState& state, FileSystem& file_system, const SourceTexts& texts);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_MEMORIZZA_DATI_H_
