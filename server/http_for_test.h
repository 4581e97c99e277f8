#ifndef SCENARIO_BUILDER_SERVER_HTTP_FOR_TEST_H_
#define SCENARIO_BUILDER_SERVER_HTTP_FOR_TEST_H_

// A bare HTTP client for the tests: raw bytes over a socket to 127.0.0.1,
// so that requests no browser would send can be sent as well.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace sb::test {

class RawConnection {
 public:
  explicit RawConnection(int port) {
    socket_ = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      ::close(socket_);
      socket_ = -1;
    }
  }
  ~RawConnection() { close(); }
  RawConnection(const RawConnection&) = delete;
  RawConnection& operator=(const RawConnection&) = delete;

  bool connected() const { return socket_ >= 0; }
  bool send(const std::string& bytes) {
    return ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
           static_cast<ssize_t>(bytes.size());
  }
  // Reads until `part` has come, the peer closes or `patience` runs out;
  // returns everything read so far.
  std::string read_until(const std::string& part,
                         std::chrono::milliseconds patience = std::chrono::seconds(10)) {
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (socket_ >= 0 && (part.empty() || received_.find(part) == std::string::npos)) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      pollfd waiting{socket_, POLLIN, 0};
      if (::poll(&waiting, 1, static_cast<int>(left.count())) <= 0) break;
      char buffer[65536];
      const ssize_t got = ::recv(socket_, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      received_.append(buffer, static_cast<size_t>(got));
    }
    return received_;
  }
  // Everything until the peer closes.
  std::string read_all() { return read_until(""); }
  // Ends the connection at once, with a reset rather than a goodbye.
  void reset() {
    linger hard{1, 0};
    ::setsockopt(socket_, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
    close();
  }
  void close() {
    if (socket_ >= 0) ::close(socket_);
    socket_ = -1;
  }

 private:
  int socket_ = -1;
  std::string received_;
};

// A GET of `path` with the given Host (none when empty), the connection
// closed after the answer.
inline std::string get(int port, const std::string& path, const std::string& host) {
  RawConnection connection(port);
  std::string request = "GET " + path + " HTTP/1.1\r\n";
  if (!host.empty()) request += "Host: " + host + "\r\n";
  request += "Connection: close\r\n\r\n";
  if (!connection.send(request)) return "";
  return connection.read_all();
}

inline std::string own_host(int port) { return "127.0.0.1:" + std::to_string(port); }

// "HTTP/1.1 404 Not Found..." gives 404; 0 for no answer.
inline int status_of(const std::string& response) {
  if (!response.starts_with("HTTP/1.")) return 0;
  return std::stoi(response.substr(9, 3));
}

inline std::string body_of(const std::string& response) {
  const size_t end = response.find("\r\n\r\n");
  return end == std::string::npos ? std::string() : response.substr(end + 4);
}

}  // namespace sb::test

#endif  // SCENARIO_BUILDER_SERVER_HTTP_FOR_TEST_H_
