#ifndef SCENARIO_BUILDER_LSP_MESSAGE_FRAMING_H_
#define SCENARIO_BUILDER_LSP_MESSAGE_FRAMING_H_

#include <cstddef>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

namespace sb {

// The base protocol's frames: header lines "Name: value" ended by CR LF, an
// empty line, then a body of Content-Length bytes.  Only Content-Length is
// read; other headers are passed over.

// A body larger than this is refused (and passed over unread).
inline constexpr size_t kMostMessageBytes = 64u << 20;

enum class FrameRead {
  kMessage,  // *body holds a message
  kEnd,      // the stream ended between frames
  kBad,      // a frame without a usable Content-Length, or cut short: *error says why
};

// Reads the next frame from `in`.  After kBad the stream stands past the
// frame's headers (and its body where its length was known), so reading can
// go on.
FrameRead read_frame(std::istream& in, std::string* body, std::string* error);

// "Content-Length: N\r\n\r\n" then `body`, flushed.
void write_frame(std::ostream& out, std::string_view body);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_MESSAGE_FRAMING_H_
