#ifndef SCENARIO_BUILDER_LSP_LSP_DIAGNOSTICS_H_
#define SCENARIO_BUILDER_LSP_LSP_DIAGNOSTICS_H_

#include <string>

#include "checks/diagnostic.h"
#include "checks/diagnostic_report.h"
#include "lsp/document.h"
#include "lsp/json_rpc.h"

namespace sb {

// A text of a checked pair: where it is and what it held when checked.
struct CheckedText {
  std::string path;
  std::string uri;
  const Document* document = nullptr;
};

// The protocol's range of a compiler's place: from its column to the end of
// its field (`end_column`, the column of the field's last byte).
Json range_at(const Document& document, int line, int column, int end_column,
              PositionEncoding encoding);

// check's diagnostic as the protocol's: the field's range, the severity,
// code ("W21", "E12"), the message with the warning's name as `check`
// prints it, the warning's name as data, and the other entry as related
// information.
Json lsp_diagnostic(const Diagnostic& diagnostic, const CheckedText& line, const CheckedText& train,
                    PositionEncoding encoding);

// An error on the byte of an editor's text that stands for a character
// Windows-1252 lacks.
Json lacking_character_diagnostic(const Document& document, uint32_t byte,
                                  PositionEncoding encoding);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_LSP_DIAGNOSTICS_H_
