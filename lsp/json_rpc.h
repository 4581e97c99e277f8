#ifndef SCENARIO_BUILDER_LSP_JSON_RPC_H_
#define SCENARIO_BUILDER_LSP_JSON_RPC_H_

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

namespace sb {

using Json = nlohmann::json;

// JSON-RPC 2.0 error codes, and the protocol's own.
enum class RpcError {
  kParseError = -32700,
  kInvalidRequest = -32600,
  kMethodNotFound = -32601,
  kInvalidParams = -32602,
  kInternalError = -32603,
  kServerNotInitialized = -32002,
};

// A message as it came: a request has an id and a method, a notification a
// method alone, a response an id alone.
struct RpcMessage {
  Json id;  // null for a notification
  std::string method;
  Json params;
  bool is_request() const { return !id.is_null(); }
};

// Reads a message's body; false with *error (a response to send) when it is
// not JSON (kParseError) or not a message (kInvalidRequest).  A response
// from the client comes back with an empty method.
bool parse_message(std::string_view body, RpcMessage* message, Json* error);

Json rpc_result(const Json& id, Json result);
Json rpc_error(const Json& id, RpcError code, std::string_view message);
Json rpc_notification(std::string_view method, Json params);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_JSON_RPC_H_
