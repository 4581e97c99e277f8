#ifndef SCENARIO_BUILDER_LSP_SERVE_H_
#define SCENARIO_BUILDER_LSP_SERVE_H_

#include <istream>
#include <ostream>

namespace sb {

// Runs a language server on the framed messages of `in`, answering on
// `out` (nothing else is written there) and logging on `log`.  Messages
// are read on a helper thread while the texts are checked, so that an edit
// that comes during a check supersedes it.  Returns the exit status: 0
// after shutdown then exit; 1 for an exit without shutdown or input that
// ended without exit.
int serve_language_server(std::istream& in, std::ostream& out, std::ostream& log);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_SERVE_H_
