#include "lsp/message_framing.h"

#include <charconv>

namespace sb {
namespace {

constexpr std::string_view kLengthHeader = "content-length:";

// One header line without its CR LF (a bare LF is taken as well); false at
// the stream's end before any byte of it.
bool read_header_line(std::istream& in, std::string* line) {
  line->clear();
  if (!std::getline(in, *line)) return false;
  if (!line->empty() && line->back() == '\r') line->pop_back();
  return true;
}

bool is_length_header(std::string_view line) {
  if (line.size() < kLengthHeader.size()) return false;
  for (size_t i = 0; i < kLengthHeader.size(); ++i) {
    const char c = line[i];
    const char lower = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    if (lower != kLengthHeader[i]) return false;
  }
  return true;
}

// The header's value as a byte count; false when it is not one.
bool parse_length(std::string_view value, size_t* length) {
  while (!value.empty() && (value.front() == ' ' || value.front() == '\t')) value.remove_prefix(1);
  while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.remove_suffix(1);
  if (value.empty()) return false;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), *length);
  return error == std::errc() && end == value.data() + value.size();
}

}  // namespace

FrameRead read_frame(std::istream& in, std::string* body, std::string* error) {
  std::string line;
  // Blank lines between frames are passed over.
  do {
    if (!read_header_line(in, &line)) return FrameRead::kEnd;
  } while (line.empty());
  bool has_length = false;
  bool bad_length = false;
  size_t length = 0;
  for (; !line.empty();) {
    if (is_length_header(line)) {
      has_length = parse_length(std::string_view(line).substr(kLengthHeader.size()), &length);
      bad_length = !has_length;
    }
    if (!read_header_line(in, &line)) {
      *error = "the stream ended inside a frame's headers";
      return FrameRead::kBad;
    }
  }
  if (bad_length || !has_length) {
    *error = bad_length ? "a frame's Content-Length is not a byte count"
                        : "a frame has no Content-Length header";
    return FrameRead::kBad;
  }
  if (length > kMostMessageBytes) {
    in.ignore(static_cast<std::streamsize>(length));
    *error = "a frame of " + std::to_string(length) + " bytes is larger than the " +
             std::to_string(kMostMessageBytes) + " taken";
    return FrameRead::kBad;
  }
  body->assign(length, '\0');
  in.read(body->data(), static_cast<std::streamsize>(length));
  if (static_cast<size_t>(in.gcount()) != length) {
    *error = "the stream ended inside a frame's body";
    return FrameRead::kBad;
  }
  return FrameRead::kMessage;
}

void write_frame(std::ostream& out, std::string_view body) {
  out << "Content-Length: " << body.size() << "\r\n\r\n";
  out.write(body.data(), static_cast<std::streamsize>(body.size()));
  out.flush();
}

}  // namespace sb
