#ifndef SCENARIO_BUILDER_LSP_TEXT_REQUESTS_H_
#define SCENARIO_BUILDER_LSP_TEXT_REQUESTS_H_

#include "lsp/json_rpc.h"
#include "lsp/text_positions.h"
#include "lsp/workspace.h"

namespace sb {

// The answers to an editor's requests about an open text, each from the
// request's parameters.  A text that is not open, or that is neither a
// line text nor a train text, and a position outside the text get the
// empty answer (null, or an empty list).

// The request's methods that these answer, and the capabilities that
// announce them.
bool is_text_request(const std::string& method);
Json text_request_capabilities();

Json answer_text_request(const std::string& method, const Json& params, Workspace& workspace,
                         PositionEncoding encoding);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_TEXT_REQUESTS_H_
