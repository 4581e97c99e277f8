// The language server on any stream of framed messages: after an
// initialize request of its own, the input is read frame by frame as the
// server reads its standard input, each frame handled and the edited texts
// checked.  Every message the server sends must be a JSON-RPC 2.0 object:
// a response (to a request that had an id) or a notification.

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

#include "fuzz/fuzz_checks.h"
#include "lsp/message_framing.h"
#include "lsp/server.h"

namespace {

void check_message(const sb::Json& message) {
  FUZZ_CHECK(message.is_object());
  FUZZ_CHECK(message.value("jsonrpc", "") == "2.0");
  const bool response = message.contains("id");
  FUZZ_CHECK(response != message.contains("method"));
  if (response) FUZZ_CHECK(message.contains("result") != message.contains("error"));
  // What goes out must serialise: texts were made UTF-8 on the way in.
  FUZZ_CHECK(!message.dump(-1, ' ', false, sb::Json::error_handler_t::replace).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::ostringstream log;
  sb::Server server([](const sb::Json& message) { check_message(message); }, log);
  server.handle(R"({"jsonrpc":"2.0","id":0,"method":"initialize","params":{"capabilities":{}}})");
  std::istringstream in(std::string(sb::fuzz::as_text(data, size)));
  for (;;) {
    std::string body;
    const sb::FrameRead read = sb::read_frame(in, &body, &body);
    if (read == sb::FrameRead::kEnd) break;
    if (read == sb::FrameRead::kBad) {
      server.bad_frame(body);
      if (!in) break;
    } else {
      server.handle(body);
    }
    if (server.exited()) break;
    server.check_edited([] { return false; });
  }
  return 0;
}
