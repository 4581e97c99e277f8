#ifndef SCENARIO_BUILDER_LSP_DOCUMENT_H_
#define SCENARIO_BUILDER_LSP_DOCUMENT_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lsp/text_positions.h"
#include "util/text.h"

namespace sb {

// A source text as the server holds it: the UTF-8 the editor shows, and the
// Windows-1252 bytes the compiler reads, one byte per character, so that a
// byte offset, a character and a protocol position map one to another.
class Document {
 public:
  Document() = default;
  // An editor's buffer: its characters that Windows-1252 lacks become '?'
  // in the bytes, and are listed.
  static Document from_editor(std::string utf8);
  // A text on disk: its bytes as they are.
  static Document from_bytes(std::string bytes);

  const std::string& bytes() const { return bytes_; }
  const std::string& utf8() const { return lines_.text(); }
  const std::vector<uint32_t>& lacking() const { return lacking_; }

  // The UTF-8 of the character that byte `offset` stands for.
  std::string_view character(size_t offset) const;

  // The position of byte `offset` (the text's size: its end).
  Position position(size_t offset, PositionEncoding encoding) const;
  // The byte at `at`; empty past the last line.
  std::optional<size_t> offset(Position at, PositionEncoding encoding) const;

  // The byte at a compiler's line and column (both from 1; a line ends at
  // CR LF, LF or CR), clamped to the line's end and the text's.
  size_t byte_at(int line, int column) const;

  // An edit from the editor: `range` replaced by `text`, or the whole text
  // when there is no range.
  struct Range {
    Position start;
    Position end;
  };
  void edit(const std::optional<Range>& range, std::string_view text, PositionEncoding encoding);

 private:
  void set_utf8(std::string utf8);

  std::string bytes_;
  std::vector<uint32_t> starts_;  // where each byte's character starts in the UTF-8
  std::vector<uint32_t> lacking_;
  LineIndex lines_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_DOCUMENT_H_
