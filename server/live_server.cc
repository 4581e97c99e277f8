#include "server/live_server.h"

#include <httplib.h>

#include <atomic>
#include <csignal>
#include <thread>

namespace sb {
namespace {

constexpr const char* kNoStore = "no-store";
// With a charset the library does not compress it: compressing a line of
// 1000 km (1.8 MB) at the library's brotli setting takes seconds, sending
// it over loopback milliseconds.
constexpr const char* kJson = "application/json; charset=utf-8";
// The page is one document with its script and styles inside; it talks to
// this server only.
constexpr const char* kPagePolicy =
    "default-src 'none'; script-src 'unsafe-inline'; style-src 'unsafe-inline'; "
    "connect-src 'self'; img-src data:; base-uri 'none'; form-action 'none'; "
    "frame-ancestors 'none'";

// The Host values a browser sends for this server: a name that another
// site's address could be made to resolve to is refused (DNS rebinding).
bool is_own_host(const httplib::Request& request, int port) {
  if (request.get_header_value_count("Host") != 1) return false;
  const std::string host = request.get_header_value("Host");
  const std::string suffix = ":" + std::to_string(port);
  for (const char* name : {"localhost", "127.0.0.1", "[::1]"}) {
    if (host == name + suffix) return true;
  }
  return false;
}

void plain(httplib::Response& response, int status, const std::string& text) {
  response.status = status;
  response.set_header("Cache-Control", kNoStore);
  response.set_content(text, "text/plain; charset=utf-8");
}

std::string compile_event(int64_t version) {
  return "event: compile\ndata: {\"version\": " + std::to_string(version) + "}\n\n";
}

}  // namespace

struct LiveServer::Impl {
  Impl(LiveState& live_state, std::string page_text)
      : state(live_state), page(std::move(page_text)) {}

  void route(const ServeOptions& chosen);
  void serve_events(httplib::Response& response);

  LiveState& state;
  std::string page;
  ServeOptions options;
  httplib::Server server;
  std::thread listener;
  int port = 0;
  std::atomic<int> event_streams{0};
};

void LiveServer::Impl::route(const ServeOptions& chosen) {
  options = chosen;
  const size_t threads = static_cast<size_t>(options.threads);
  server.new_task_queue = [threads] { return new httplib::ThreadPool(threads); };
  server.set_keep_alive_timeout(2);
  server.set_read_timeout(5);
  server.set_write_timeout(
      std::chrono::duration_cast<std::chrono::microseconds>(options.write_timeout));
  server.set_payload_max_length(64 * 1024);
  // The address may be reused after a restart, but not shared: the
  // library's default would also let another program bind the same port
  // beside this one.
  server.set_socket_options([](socket_t socket) {
    const int yes = 1;
    setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
  server.set_pre_routing_handler(
      [this](const httplib::Request& request, httplib::Response& response) {
        if (is_own_host(request, port)) return httplib::Server::HandlerResponse::Unhandled;
        plain(response, 403, "forbidden: this server answers to localhost only\n");
        return httplib::Server::HandlerResponse::Handled;
      });
  server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
    if (!response.body.empty()) return;
    plain(response, response.status,
          response.status == 404 ? "not found\n" : std::to_string(response.status) + "\n");
  });
  server.Get("/", [this](const httplib::Request&, httplib::Response& response) {
    response.set_header("Cache-Control", kNoStore);
    response.set_header("Content-Security-Policy", kPagePolicy);
    response.set_header("X-Content-Type-Options", "nosniff");
    // Given by length, so the library sends it as it is (see kJson).
    response.set_content_provider(page.size(), "text/html; charset=utf-8",
                                  [this](size_t offset, size_t length, httplib::DataSink& sink) {
                                    return sink.write(page.data() + offset, length);
                                  });
  });
  server.Get("/scenario.json", [this](const httplib::Request&, httplib::Response& response) {
    const LiveState::Snapshot now = state.current();
    if (now.version == 0) {
      response.set_header("Retry-After", "1");
      plain(response, 503, "no compile yet\n");
      return;
    }
    response.set_header("Cache-Control", kNoStore);
    response.set_header("X-Content-Type-Options", "nosniff");
    response.set_content(*now.document, kJson);
  });
  server.Get("/events", [this](const httplib::Request&, httplib::Response& response) {
    serve_events(response);
  });
}

// Each stream holds a thread while open, so only so many are let in.  It
// tells the version standing when it opens, then each new one, with a
// comment line when idle: a write to a client that is gone fails and ends
// the stream, and a client too slow to take a write is dropped after the
// write timeout.  Publishing never waits on a stream.
void LiveServer::Impl::serve_events(httplib::Response& response) {
  if (event_streams.fetch_add(1) >= options.event_streams) {
    event_streams.fetch_sub(1);
    response.set_header("Retry-After", "5");
    plain(response, 503, "too many event streams\n");
    return;
  }
  response.set_header("Cache-Control", kNoStore);
  auto seen = std::make_shared<int64_t>(-1);
  response.set_chunked_content_provider(
      "text/event-stream",
      [this, seen](size_t, httplib::DataSink& sink) {
        if (*seen < 0) {
          *seen = state.current().version;
          const std::string opening =
              "retry: 1000\n\n" + (*seen > 0 ? compile_event(*seen) : std::string());
          return sink.write(opening.data(), opening.size());
        }
        const std::optional<int64_t> now = state.wait_newer(*seen, options.keep_alive);
        if (!now) {
          sink.done();
          return true;
        }
        const std::string text = *now > *seen ? compile_event(*now) : ": keep-alive\n\n";
        *seen = *now;
        return sink.write(text.data(), text.size());
      },
      [this](bool) { event_streams.fetch_sub(1); });
}

LiveServer::LiveServer(LiveState& state, std::string page)
    : impl_(std::make_unique<Impl>(state, std::move(page))) {}

LiveServer::~LiveServer() { stop(); }

bool LiveServer::start(const ServeOptions& options, std::string* error) {
  // A client that goes away mid-write must fail the write, not end the
  // program.
  std::signal(SIGPIPE, SIG_IGN);
  impl_->route(options);
  const char* host = "127.0.0.1";
  if (options.port == 0) {
    impl_->port = impl_->server.bind_to_any_port(host);
  } else if (impl_->server.bind_to_port(host, options.port)) {
    impl_->port = options.port;
  }
  if (impl_->port <= 0) {
    *error = "cannot listen on 127.0.0.1" +
             (options.port == 0 ? std::string() : ":" + std::to_string(options.port)) +
             ": the port is taken or not allowed";
    return false;
  }
  impl_->listener = std::thread([this] { impl_->server.listen_after_bind(); });
  // stop() can only end a listener that has begun.
  while (!impl_->server.is_running()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return true;
}

int LiveServer::port() const { return impl_->port; }

void LiveServer::stop() {
  if (!impl_->listener.joinable()) return;
  impl_->state.close();
  impl_->server.stop();
  impl_->listener.join();
}

}  // namespace sb
