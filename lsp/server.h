#ifndef SCENARIO_BUILDER_LSP_SERVER_H_
#define SCENARIO_BUILDER_LSP_SERVER_H_

#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <string_view>

#include "lsp/json_rpc.h"
#include "lsp/text_positions.h"

namespace sb {

class Workspace;

// The language server's state and its answers, one message at a time; the
// transport (frames, a queue) is the caller's.  Every outgoing message goes
// through `send`; what is not a message (the log) goes to `log`.
class Server {
 public:
  using Send = std::function<void(const Json&)>;
  Server(Send send, std::ostream& log);
  ~Server();

  // One message's body.
  void handle(std::string_view body);
  // A frame that could not be read.
  void bad_frame(const std::string& why);

  // Checks the texts whose pair was edited since and publishes their
  // diagnostics, pair by pair.  Before each publication it asks
  // `edits_waiting`: when newer edits wait, the check is dropped (its pair
  // stays to be checked) and it returns false.
  bool check_edited(const std::function<bool()>& edits_waiting);

  bool exited() const { return exited_; }
  // 0 after shutdown then exit, 1 for an exit without shutdown.
  int exit_status() const { return shut_down_ ? 0 : 1; }

 private:
  void handle_request(const RpcMessage& message);
  void handle_notification(const RpcMessage& message);
  Json initialize(const Json& params);

  Send send_;
  std::ostream& log_;
  std::unique_ptr<Workspace> workspace_;
  PositionEncoding encoding_ = PositionEncoding::kUtf16;
  bool initialized_ = false;
  bool shut_down_ = false;
  bool exited_ = false;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_SERVER_H_
