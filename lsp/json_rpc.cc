#include "lsp/json_rpc.h"

#include <utility>

namespace sb {

bool parse_message(std::string_view body, RpcMessage* message, Json* error) {
  Json json = Json::parse(body, nullptr, /*allow_exceptions=*/false);
  if (json.is_discarded()) {
    *error = rpc_error(nullptr, RpcError::kParseError, "the message is not JSON");
    return false;
  }
  const auto id = json.is_object() ? json.find("id") : json.end();
  Json id_value = id != json.end() && (id->is_number_integer() || id->is_string()) ? *id : Json();
  const auto method = json.is_object() ? json.find("method") : json.end();
  const bool is_response = json.is_object() && method == json.end() && id != json.end() &&
                           (json.contains("result") || json.contains("error"));
  if (!json.is_object() || (method == json.end() && !is_response) ||
      (method != json.end() && !method->is_string())) {
    *error = rpc_error(id_value, RpcError::kInvalidRequest, "the message is not a request");
    return false;
  }
  message->id = std::move(id_value);
  message->method = is_response ? std::string() : method->get<std::string>();
  const auto params = json.find("params");
  message->params = params != json.end() ? std::move(*params) : Json::object();
  if (is_response) message->id = nullptr;
  return true;
}

Json rpc_result(const Json& id, Json result) {
  return {{"jsonrpc", "2.0"}, {"id", id}, {"result", std::move(result)}};
}

Json rpc_error(const Json& id, RpcError code, std::string_view message) {
  return {{"jsonrpc", "2.0"},
          {"id", id},
          {"error", {{"code", static_cast<int>(code)}, {"message", std::string(message)}}}};
}

Json rpc_notification(std::string_view method, Json params) {
  return {{"jsonrpc", "2.0"}, {"method", std::string(method)}, {"params", std::move(params)}};
}

}  // namespace sb
