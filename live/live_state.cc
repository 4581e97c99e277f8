#include "live/live_state.h"

namespace sb {

void LiveState::publish(int64_t version, std::string document) {
  auto shared = std::make_shared<const std::string>(std::move(document));
  {
    std::lock_guard<std::mutex> lock(mutex_);
    current_ = {version, std::move(shared)};
  }
  changed_.notify_all();
}

LiveState::Snapshot LiveState::current() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return current_;
}

std::optional<int64_t> LiveState::wait_newer(int64_t seen,
                                             std::chrono::milliseconds timeout) const {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait_for(lock, timeout, [&] { return closed_ || current_.version > seen; });
  if (closed_) return std::nullopt;
  return current_.version;
}

void LiveState::close() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  changed_.notify_all();
}

bool LiveState::closed() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return closed_;
}

}  // namespace sb
