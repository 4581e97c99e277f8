#include "lsp/serve.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "lsp/message_framing.h"
#include "lsp/server.h"

namespace sb {
namespace {

struct Frame {
  FrameRead read = FrameRead::kEnd;
  std::string body;  // the message, or why the frame was bad
};

// The frames read and not yet handled, shared by the reader thread and the
// server's.
class FrameQueue {
 public:
  void push(Frame frame) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      frames_.push_back(std::move(frame));
    }
    ready_.notify_one();
  }
  Frame pop() {
    std::unique_lock<std::mutex> lock(mutex_);
    ready_.wait(lock, [&] { return !frames_.empty(); });
    Frame frame = std::move(frames_.front());
    frames_.pop_front();
    return frame;
  }
  bool empty() {
    std::lock_guard<std::mutex> lock(mutex_);
    return frames_.empty();
  }
  // Whether a frame waits that opens, changes or closes a document (told by
  // its method's name, without parsing it).
  bool edit_waiting() {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const Frame& frame : frames_) {
      if (frame.body.find("\"textDocument/did") != std::string::npos) return true;
    }
    return false;
  }

 private:
  std::mutex mutex_;
  std::condition_variable ready_;
  std::deque<Frame> frames_;
};

void read_frames(std::istream& in, const std::shared_ptr<FrameQueue>& queue) {
  for (;;) {
    Frame frame;
    frame.read = read_frame(in, &frame.body, &frame.body);
    const FrameRead read = frame.read;
    queue->push(std::move(frame));
    if (read == FrameRead::kEnd) return;
    if (read == FrameRead::kBad && !in) {
      queue->push(Frame{});
      return;
    }
  }
}

}  // namespace

int serve_language_server(std::istream& in, std::ostream& out, std::ostream& log) {
  Server server(
      [&](const Json& message) {
        write_frame(out, message.dump(-1, ' ', false, Json::error_handler_t::replace));
      },
      log);
  auto queue = std::make_shared<FrameQueue>();
  // The reader may be blocked in a read when the server exits: it is left
  // to end with the process, and shares only the queue.
  std::thread([&in, queue] { read_frames(in, queue); }).detach();
  for (;;) {
    Frame frame = queue->pop();
    if (frame.read == FrameRead::kEnd) return 1;
    if (frame.read == FrameRead::kBad) {
      server.bad_frame(frame.body);
    } else {
      server.handle(frame.body);
    }
    if (server.exited()) return server.exit_status();
    if (queue->empty()) server.check_edited([&] { return queue->edit_waiting(); });
  }
}

}  // namespace sb
