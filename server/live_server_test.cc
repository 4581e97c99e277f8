#include "server/live_server.h"

#include <gtest/gtest.h>

#include <memory>
#include <thread>
#include <vector>

#include "server/http_for_test.h"

namespace sb {
namespace {

using test::body_of;
using test::get;
using test::own_host;
using test::RawConnection;
using test::status_of;

constexpr char kPage[] = "<!DOCTYPE html><title>page</title>";
constexpr char kDocument[] = R"({"version":1,"secret":"Piana_Alta"})";

class LiveServerTest : public ::testing::Test {
 public:
  void SetUp() override { state_.publish(1, kDocument); }
  void start(ServeOptions options = {}) {
    std::string error;
    ASSERT_TRUE(server_.start(options, &error)) << error;
    port_ = server_.port();
  }
  // An event stream opened and read past its opening.
  std::unique_ptr<RawConnection> open_stream() {
    auto stream = std::make_unique<RawConnection>(port_);
    stream->send("GET /events HTTP/1.1\r\nHost: " + own_host(port_) + "\r\n\r\n");
    stream->read_until("retry: 1000\n\n");
    return stream;
  }

  LiveState state_;
  LiveServer server_{state_, kPage};
  int port_ = 0;
};

TEST_F(LiveServerTest, ServesThePageAndTheDocumentToItsOwnHosts) {
  start();
  const std::string port = std::to_string(port_);
  for (const std::string& host : {"localhost:" + port, "127.0.0.1:" + port, "[::1]:" + port}) {
    SCOPED_TRACE(host);
    const std::string page = get(port_, "/", host);
    EXPECT_EQ(status_of(page), 200);
    EXPECT_EQ(body_of(page), kPage);
    EXPECT_NE(page.find("Content-Type: text/html; charset=utf-8\r\n"), std::string::npos);
    const std::string document = get(port_, "/scenario.json", host);
    EXPECT_EQ(status_of(document), 200);
    EXPECT_EQ(body_of(document), kDocument);
    EXPECT_EQ(document.find("Access-Control"), std::string::npos);
    // Sent as it is, whatever the client accepts.
    for (const std::string& path : {std::string("/"), std::string("/scenario.json")}) {
      RawConnection connection(port_);
      connection.send("GET " + path + " HTTP/1.1\r\nHost: " + host +
                      "\r\nAccept-Encoding: gzip, deflate, br\r\nConnection: close\r\n\r\n");
      const std::string answer = connection.read_all();
      EXPECT_EQ(answer.find("Content-Encoding"), std::string::npos) << path;
      EXPECT_EQ(body_of(answer), path == "/" ? kPage : kDocument);
    }
  }
}

TEST_F(LiveServerTest, RefusesEveryOtherHostOnEveryPathWithoutData) {
  start();
  const std::string port = std::to_string(port_);
  const std::string hosts[] = {"",  // none
                               "evil.example:" + port,
                               "localhost",
                               "127.0.0.1",
                               "127.0.0.1:" + std::to_string(port_ + 1),
                               "localhost.evil.example:" + port,
                               "127.0.0.2:" + port};
  for (const char* path : {"/", "/scenario.json", "/events", "/nothing"}) {
    for (const std::string& host : hosts) {
      SCOPED_TRACE(std::string(path) + " Host: " + host);
      const std::string answer = get(port_, path, host);
      EXPECT_EQ(status_of(answer), 403);
      EXPECT_EQ(body_of(answer), "forbidden: this server answers to localhost only\n");
    }
  }
  // Two Host headers, one of them good, are refused too.
  RawConnection twice(port_);
  twice.send("GET /scenario.json HTTP/1.1\r\nHost: " + own_host(port_) +
             "\r\nHost: evil.example\r\nConnection: close\r\n\r\n");
  EXPECT_EQ(status_of(twice.read_all()), 403);
}

TEST_F(LiveServerTest, NoOtherPathIsServedAndNoneReachesTheDisk) {
  start();
  for (const char* path :
       {"/../../etc/passwd", "/%2e%2e/%2e%2e/etc/passwd", "/%2E%2E%2F%2E%2E%2Fetc%2Fpasswd",
        "//etc/passwd", "/etc/passwd", "/index.html", "/scenario.json/", "/events/x",
        "/scenario.jsonx", "/.%2e/scenario.json"}) {
    SCOPED_TRACE(path);
    const std::string answer = get(port_, path, own_host(port_));
    EXPECT_EQ(status_of(answer), 404);
    EXPECT_EQ(body_of(answer), "not found\n");
  }
}

TEST_F(LiveServerTest, SurvivesGarbageAndHalfRequests) {
  start();
  const std::string garbage[] = {
      std::string("\x00\x01\x02\xff\r\n\r\n", 8),
      "GET\r\n\r\n",
      "HELLO / HTTP/9.9\r\n\r\n",
      "GET / HTTP/1.1\r\nHost: " + own_host(port_) + "\r\nContent-Length: -5\r\n\r\n",
      "GET / HTTP/1.1\r\nHost: " + own_host(port_) + "\r\n" + std::string(20000, 'x') + "\r\n\r\n",
      "GET / HTTP/1.1\r\nHost: " + own_host(port_)};  // half a request, then gone
  for (const std::string& bytes : garbage) {
    RawConnection connection(port_);
    connection.send(bytes);
    connection.close();
  }
  RawConnection half(port_);
  half.send("GET /scenario.json HTTP/1.1\r\nHo");
  EXPECT_EQ(status_of(get(port_, "/scenario.json", own_host(port_))), 200);
}

TEST_F(LiveServerTest, StreamsACompileEventForEachNewVersionAndKeepAlivesBetween) {
  ServeOptions options;
  options.keep_alive = std::chrono::milliseconds(100);
  start(options);
  RawConnection stream(port_);
  stream.send("GET /events HTTP/1.1\r\nHost: " + own_host(port_) + "\r\n\r\n");
  const std::string opening = stream.read_until("data: {\"version\": 1}\n\n");
  EXPECT_EQ(status_of(opening), 200);
  EXPECT_NE(opening.find("Content-Type: text/event-stream\r\n"), std::string::npos);
  EXPECT_NE(opening.find("event: compile\ndata: {\"version\": 1}\n\n"), std::string::npos);
  EXPECT_NE(stream.read_until(": keep-alive\n\n").find(": keep-alive\n\n"), std::string::npos);
  state_.publish(2, R"({"version":2})");
  EXPECT_NE(stream.read_until("data: {\"version\": 2}\n\n")
                .find("event: compile\ndata: {\"version\": 2}\n\n"),
            std::string::npos);
  EXPECT_EQ(body_of(get(port_, "/scenario.json", own_host(port_))), R"({"version":2})");
}

TEST_F(LiveServerTest, StreamsAreLimitedAndAClientThatDropsOneFreesIt) {
  ServeOptions options;
  options.keep_alive = std::chrono::milliseconds(50);
  options.threads = 6;
  options.event_streams = 3;
  start(options);
  for (int round = 0; round < 3; ++round) {
    SCOPED_TRACE(round);
    std::vector<std::unique_ptr<RawConnection>> streams;
    for (int i = 0; i < options.event_streams; ++i) streams.push_back(open_stream());
    const std::string refused = get(port_, "/events", own_host(port_));
    EXPECT_EQ(status_of(refused), 503);
    EXPECT_EQ(body_of(refused), "too many event streams\n");
    // The other requests are still answered.
    EXPECT_EQ(status_of(get(port_, "/scenario.json", own_host(port_))), 200);
    // Dropped by a reset or by a close: the next keep-alive finds each gone.
    for (size_t i = 0; i < streams.size(); ++i) {
      if (i % 2 == 0)
        streams[i]->reset();
      else
        streams[i]->close();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }
}

TEST_F(LiveServerTest, AnswersFiftyClientsAtOnce) {
  start();
  std::vector<int> statuses(50);
  std::vector<std::thread> clients;
  for (size_t i = 0; i < statuses.size(); ++i) {
    clients.emplace_back([&, i] {
      statuses[i] = status_of(get(port_, i % 2 ? "/" : "/scenario.json", own_host(port_)));
    });
  }
  for (std::thread& client : clients) client.join();
  for (int status : statuses) EXPECT_EQ(status, 200);
}

TEST_F(LiveServerTest, StopsPromptlyWithStreamsAndIdleConnectionsOpen) {
  start();
  std::vector<std::unique_ptr<RawConnection>> streams;
  for (int i = 0; i < 5; ++i) streams.push_back(open_stream());
  RawConnection idle(port_);
  const auto began = std::chrono::steady_clock::now();
  server_.stop();
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(4));
  // Each stream was ended by the server, not left to the patience of the
  // read.
  for (auto& stream : streams) {
    const auto reading = std::chrono::steady_clock::now();
    stream->read_all();
    EXPECT_LT(std::chrono::steady_clock::now() - reading, std::chrono::seconds(2));
  }
}

TEST(LiveServer, ATakenPortIsRefusedWithItsNumber) {
  LiveState state;
  LiveServer first(state, kPage);
  std::string error;
  ASSERT_TRUE(first.start({}, &error)) << error;
  LiveServer second(state, kPage);
  ServeOptions same;
  same.port = first.port();
  EXPECT_FALSE(second.start(same, &error));
  EXPECT_EQ(error, "cannot listen on 127.0.0.1:" + std::to_string(first.port()) +
                       ": the port is taken or not allowed");
}

}  // namespace
}  // namespace sb
