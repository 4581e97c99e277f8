#ifndef SCENARIO_BUILDER_LSP_PAIR_CHECK_H_
#define SCENARIO_BUILDER_LSP_PAIR_CHECK_H_

#include <memory>
#include <string>
#include <vector>

#include "checks/diagnostic.h"
#include "checks/text_check.h"
#include "model/build_state.h"

namespace sb {

// A line text and a train text: their paths (which name them in messages
// and give NAME and N) and their Windows-1252 bytes.
struct PairTexts {
  std::string line_path;
  std::string train_path;
  std::string line;
  std::string train;
};

// What `check` says of a pair, and what the build made of it.
struct PairCheck {
  // check's diagnostics, and a build stopped by the format-mark or code
  // checks as an error where it is known to stand (else at the line text's
  // start).
  std::vector<Diagnostic> diagnostics;
  std::unique_ptr<BuildState> state;
  LineFacts line;
};

// Compiles the pair in memory, writing nothing, as `check` does.
PairCheck check_pair(const PairTexts& texts);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_PAIR_CHECK_H_
