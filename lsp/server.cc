#include "lsp/server.h"

#include <utility>

#include "lsp/text_requests.h"
#include "lsp/workspace.h"

namespace sb {
namespace {

constexpr int kIncrementalSync = 2;

std::optional<Document::Range> range_of(const Json& change) {
  const auto range = change.find("range");
  if (range == change.end() || !range->is_object()) return std::nullopt;
  auto position = [](const Json& at) {
    return Position{at.value("line", 0u), at.value("character", 0u)};
  };
  return Document::Range{position(range->value("start", Json::object())),
                         position(range->value("end", Json::object()))};
}

// The client's position encodings, in its order of preference: UTF-8 when
// it offers it, else the default.
PositionEncoding chosen_encoding(const Json& params) {
  const Json encodings =
      params.value("/capabilities/general/positionEncodings"_json_pointer, Json::array());
  if (!encodings.is_array()) return PositionEncoding::kUtf16;
  for (const Json& encoding : encodings) {
    if (encoding == "utf-8") return PositionEncoding::kUtf8;
  }
  return PositionEncoding::kUtf16;
}

}  // namespace

Server::Server(Send send, std::ostream& log)
    : send_(std::move(send)), log_(log), workspace_(std::make_unique<Workspace>()) {}

Server::~Server() = default;

void Server::handle(std::string_view body) {
  RpcMessage message;
  Json error;
  if (!parse_message(body, &message, &error)) {
    send_(error);
    return;
  }
  if (message.method.empty()) return;  // a response to nothing we asked
  try {
    if (message.is_request()) {
      handle_request(message);
    } else {
      handle_notification(message);
    }
  } catch (const Json::exception& e) {
    // Parameters of the wrong shape.
    if (message.is_request()) {
      send_(rpc_error(message.id, RpcError::kInvalidParams, e.what()));
    } else {
      log_ << "scenario-builder lsp: " << message.method << ": " << e.what() << '\n';
    }
  }
}

void Server::bad_frame(const std::string& why) { log_ << "scenario-builder lsp: " << why << '\n'; }

bool Server::check_edited(const std::function<bool()>& edits_waiting) {
  if (!initialized_ || shut_down_) return true;
  return workspace_->check_edited(encoding_, edits_waiting, [&](const Json& params) {
    send_(rpc_notification("textDocument/publishDiagnostics", params));
  });
}

Json Server::initialize(const Json& params) {
  encoding_ = chosen_encoding(params);
  initialized_ = true;
  Json capabilities = text_request_capabilities();
  capabilities["positionEncoding"] = encoding_ == PositionEncoding::kUtf8 ? "utf-8" : "utf-16";
  capabilities["textDocumentSync"] = {{"openClose", true}, {"change", kIncrementalSync}};
  return {{"capabilities", std::move(capabilities)},
          {"serverInfo", {{"name", "scenario-builder"}}}};
}

void Server::handle_request(const RpcMessage& message) {
  if (message.method == "initialize") {
    if (initialized_) {
      send_(rpc_error(message.id, RpcError::kInvalidRequest, "initialize came twice"));
      return;
    }
    send_(rpc_result(message.id, initialize(message.params)));
    return;
  }
  if (!initialized_) {
    send_(rpc_error(message.id, RpcError::kServerNotInitialized,
                    "the server has not been initialized"));
    return;
  }
  if (shut_down_) {
    send_(rpc_error(message.id, RpcError::kInvalidRequest, "the server has been shut down"));
    return;
  }
  if (message.method == "shutdown") {
    shut_down_ = true;
    send_(rpc_result(message.id, nullptr));
    return;
  }
  if (is_text_request(message.method)) {
    send_(rpc_result(message.id,
                     answer_text_request(message.method, message.params, *workspace_, encoding_)));
    return;
  }
  send_(rpc_error(message.id, RpcError::kMethodNotFound, "unknown method " + message.method));
}

void Server::handle_notification(const RpcMessage& message) {
  const Json& params = message.params;
  if (message.method == "exit") {
    exited_ = true;
    return;
  }
  if (!initialized_ || shut_down_) return;
  if (message.method == "textDocument/didOpen") {
    const Json& document = params.at("textDocument");
    workspace_->open(document.at("uri").get<std::string>(), document.value("version", 0),
                     document.at("text").get<std::string>());
  } else if (message.method == "textDocument/didChange") {
    const Json& document = params.at("textDocument");
    const std::string uri = document.at("uri").get<std::string>();
    OpenText* text = workspace_->find(uri);
    if (text == nullptr) return;
    for (const Json& change : params.at("contentChanges")) {
      text->document.edit(range_of(change), change.at("text").get<std::string>(), encoding_);
    }
    workspace_->changed(uri, document.value("version", text->version));
  } else if (message.method == "textDocument/didClose") {
    workspace_->close(params.at("textDocument").at("uri").get<std::string>());
  }
  // Other notifications ($/cancelRequest, initialized, didSave...) need
  // nothing.
}

}  // namespace sb
