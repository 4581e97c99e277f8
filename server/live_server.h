#ifndef SCENARIO_BUILDER_SERVER_LIVE_SERVER_H_
#define SCENARIO_BUILDER_SERVER_LIVE_SERVER_H_

#include <chrono>
#include <memory>
#include <string>

#include "live/live_state.h"

namespace sb {

struct ServeOptions {
  int port = 0;  // 0: a free port
  // Between comment lines on an idle event stream: how a dead client is
  // found out.
  std::chrono::milliseconds keep_alive{15000};
  // A client that takes longer to accept a write is dropped.
  std::chrono::milliseconds write_timeout{5000};
  // Event streams hold a thread each while open: at most `event_streams` of
  // the `threads` do, the rest answer the other requests.
  int threads = 24;
  int event_streams = 16;
};

// Serves the page and the state on 127.0.0.1 only, at three fixed paths:
// "/" the page, "/scenario.json" the latest document, "/events" a stream of
// Server-Sent Events, one "compile" event per new version.  Every other
// path is 404; nothing is read from disk.  A request whose Host is not
// localhost, 127.0.0.1 or [::1] with the port is refused (403) on every
// path, with no data.
class LiveServer {
 public:
  LiveServer(LiveState& state, std::string page);
  ~LiveServer();
  LiveServer(const LiveServer&) = delete;
  LiveServer& operator=(const LiveServer&) = delete;

  // Binds and starts answering on a thread of its own; false and *error
  // when the port cannot be had.
  bool start(const ServeOptions& options, std::string* error);
  int port() const;
  // Closes the event streams and the listener and waits for the threads.
  void stop();

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_SERVER_LIVE_SERVER_H_
