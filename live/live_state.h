#ifndef SCENARIO_BUILDER_LIVE_LIVE_STATE_H_
#define SCENARIO_BUILDER_LIVE_LIVE_STATE_H_

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

namespace sb {

// The state the page is served: the document of the latest compile and its
// version.  The watch publishes, the server's threads read and wait; a
// publish never waits for a reader beyond the moment of swapping the
// document.
class LiveState {
 public:
  struct Snapshot {
    int64_t version = 0;  // 0: nothing published yet
    std::shared_ptr<const std::string> document;
  };

  void publish(int64_t version, std::string document);
  Snapshot current() const;

  // Waits up to `timeout` for a version above `seen`; returns the version
  // then standing (`seen` again on a timeout), nothing once closed.
  std::optional<int64_t> wait_newer(int64_t seen, std::chrono::milliseconds timeout) const;

  // Wakes every waiter for good: the server is closing.
  void close();
  bool closed() const;

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  Snapshot current_;
  bool closed_ = false;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_LIVE_LIVE_STATE_H_
