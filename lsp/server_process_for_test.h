#ifndef SCENARIO_BUILDER_LSP_SERVER_PROCESS_FOR_TEST_H_
#define SCENARIO_BUILDER_LSP_SERVER_PROCESS_FOR_TEST_H_

// `scenario-builder lsp` run as an editor runs it, its standard input and
// output pipes that the test writes and reads frame by frame.

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace sb {

class ServerProcess {
 public:
  using Json = nlohmann::json;

  explicit ServerProcess(const std::string& program) {
    int in[2];
    int out[2];
    int err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return;
    child_ = fork();
    if (child_ == 0) {
      dup2(in[0], 0);
      dup2(out[1], 1);
      dup2(err[1], 2);
      for (int fd : {in[0], in[1], out[0], out[1], err[0], err[1]}) close(fd);
      execl(program.c_str(), program.c_str(), "lsp", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(in[0]);
    close(out[1]);
    close(err[1]);
    to_server_ = in[1];
    from_server_ = out[0];
    errors_ = err[0];
    signal(SIGPIPE, SIG_IGN);
  }
  ~ServerProcess() {
    if (child_ > 0 && status_ < 0) {
      kill(child_, SIGKILL);
      waitpid(child_, nullptr, 0);
    }
    for (int fd : {to_server_, from_server_, errors_}) {
      if (fd >= 0) close(fd);
    }
  }

  void send_raw(const std::string& bytes) {
    for (size_t sent = 0; sent < bytes.size();) {
      const ssize_t wrote = write(to_server_, bytes.data() + sent, bytes.size() - sent);
      if (wrote <= 0) return;
      sent += static_cast<size_t>(wrote);
    }
  }
  void send_body(const std::string& body) {
    send_raw("Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body);
  }
  void send(const Json& message) { send_body(message.dump()); }

  void notify(const std::string& method, Json params) {
    send({{"jsonrpc", "2.0"}, {"method", method}, {"params", std::move(params)}});
  }
  // Sends a request and returns its response; notifications that come
  // first are kept for next_notification().
  Json request(const std::string& method, Json params = Json::object()) {
    const int id = ++last_id_;
    send({{"jsonrpc", "2.0"}, {"id", id}, {"method", method}, {"params", std::move(params)}});
    // Read from the pipe, not from the kept ones: those are never the
    // response, and taking them again would go round for ever.
    for (;;) {
      Json message = read_message(20);
      if (message.is_null() || (message.contains("id") && message["id"] == id)) return message;
      pending_.push_back(std::move(message));
    }
  }
  // The next message, null when none comes within `seconds`.
  Json receive(int seconds = 20) {
    if (!pending_.empty()) {
      Json message = std::move(pending_.front());
      pending_.erase(pending_.begin());
      return message;
    }
    return read_message(seconds);
  }
  // The next notification of `method`, others passed over.
  Json next_notification(const std::string& method, int seconds = 20) {
    for (;;) {
      Json message = receive(seconds);
      if (message.is_null() || message.value("method", "") == method) return message;
    }
  }
  // Whatever the server wrote that is not yet read, within `milliseconds`.
  std::string unread(int milliseconds) {
    pollfd ready{from_server_, POLLIN, 0};
    while (poll(&ready, 1, milliseconds) > 0) {
      char chunk[4096];
      const ssize_t got = read(from_server_, chunk, sizeof chunk);
      if (got <= 0) break;
      buffer_.append(chunk, static_cast<size_t>(got));
    }
    return buffer_;
  }

  // Closes the server's input and waits for it to end: its exit status, and
  // what it wrote on standard error.
  int wait() {
    close(to_server_);
    to_server_ = -1;
    int status = 0;
    waitpid(child_, &status, 0);
    status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    return status_;
  }
  std::string errors() {
    std::string text;
    char chunk[4096];
    for (ssize_t got; (got = read(errors_, chunk, sizeof chunk)) > 0;) {
      text.append(chunk, static_cast<size_t>(got));
    }
    return text;
  }

 private:
  // The next message from the pipe, null when none comes within `seconds`.
  Json read_message(int seconds) {
    for (;;) {
      const size_t header_end = buffer_.find("\r\n\r\n");
      if (header_end != std::string::npos) {
        const size_t length = std::stoul(buffer_.substr(buffer_.find(':') + 1));
        if (buffer_.size() >= header_end + 4 + length) {
          Json message = Json::parse(buffer_.substr(header_end + 4, length));
          buffer_.erase(0, header_end + 4 + length);
          return message;
        }
      }
      if (!read_some(seconds)) return nullptr;
    }
  }
  bool read_some(int seconds) {
    pollfd ready{from_server_, POLLIN, 0};
    if (poll(&ready, 1, seconds * 1000) <= 0) return false;
    char chunk[65536];
    const ssize_t got = read(from_server_, chunk, sizeof chunk);
    if (got <= 0) return false;
    buffer_.append(chunk, static_cast<size_t>(got));
    return true;
  }

  pid_t child_ = -1;
  int to_server_ = -1;
  int from_server_ = -1;
  int errors_ = -1;
  int status_ = -1;
  int last_id_ = 0;
  std::string buffer_;
  std::vector<Json> pending_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_SERVER_PROCESS_FOR_TEST_H_
