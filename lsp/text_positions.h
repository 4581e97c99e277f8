#ifndef SCENARIO_BUILDER_LSP_TEXT_POSITIONS_H_
#define SCENARIO_BUILDER_LSP_TEXT_POSITIONS_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sb {

// How the protocol counts a position's character: in UTF-16 code units (the
// default) or in UTF-8 bytes (when the client offers it).
enum class PositionEncoding { kUtf16, kUtf8 };

// A zero-based line and character, as the protocol has them.
struct Position {
  uint32_t line = 0;
  uint32_t character = 0;

  bool operator==(const Position&) const = default;
};

// A UTF-8 text and its lines (ended by CR LF, LF or CR), to turn the
// protocol's positions into offsets into the text and back.
class LineIndex {
 public:
  explicit LineIndex(std::string utf8 = {});

  const std::string& text() const { return text_; }
  size_t lines() const { return starts_.size(); }

  // The offset of `at`; a character past its line's end stands at the end.
  // Empty for a line past the text's last.
  std::optional<size_t> offset(Position at, PositionEncoding encoding) const;
  // The same, a line past the last standing at the text's end (for edits).
  size_t clamped_offset(Position at, PositionEncoding encoding) const;

  // The position of `offset` (at most the text's size; inside a character it
  // stands at the character's start).
  Position position(size_t offset, PositionEncoding encoding) const;

 private:
  // Where line `line`'s content ends (before its line break).
  size_t content_end(size_t line) const;

  std::string text_;
  std::vector<size_t> starts_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_TEXT_POSITIONS_H_
