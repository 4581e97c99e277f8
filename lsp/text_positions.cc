#include "lsp/text_positions.h"

#include <algorithm>
#include <utility>

namespace sb {
namespace {

bool is_continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The size in bytes of the UTF-8 sequence that `lead` begins (1 for a byte
// that begins none).
size_t sequence_size(char lead) {
  const auto byte = static_cast<unsigned char>(lead);
  if (byte >= 0xF0 && byte < 0xF8) return 4;
  if (byte >= 0xE0) return byte < 0xF0 ? 3 : 1;
  if (byte >= 0xC0) return 2;
  return 1;
}

// What one character of `size` UTF-8 bytes counts in `encoding`.
uint32_t units_of(size_t size, PositionEncoding encoding) {
  if (encoding == PositionEncoding::kUtf8) return static_cast<uint32_t>(size);
  return size == 4 ? 2 : 1;
}

}  // namespace

LineIndex::LineIndex(std::string utf8) : text_(std::move(utf8)) {
  starts_.push_back(0);
  for (size_t i = 0; i < text_.size(); ++i) {
    if (text_[i] == '\r' && i + 1 < text_.size() && text_[i + 1] == '\n') ++i;
    if (text_[i] == '\n' || text_[i] == '\r') starts_.push_back(i + 1);
  }
}

size_t LineIndex::content_end(size_t line) const {
  size_t end = line + 1 < starts_.size() ? starts_[line + 1] : text_.size();
  if (end > starts_[line] && text_[end - 1] == '\n') --end;
  if (end > starts_[line] && text_[end - 1] == '\r') --end;
  return end;
}

std::optional<size_t> LineIndex::offset(Position at, PositionEncoding encoding) const {
  if (at.line >= starts_.size()) return std::nullopt;
  const size_t end = content_end(at.line);
  size_t pos = starts_[at.line];
  uint32_t counted = 0;
  while (pos < end) {
    const size_t size = std::min(sequence_size(text_[pos]), end - pos);
    const uint32_t units = units_of(size, encoding);
    if (counted + units > at.character) break;
    counted += units;
    pos += size;
  }
  return pos;
}

size_t LineIndex::clamped_offset(Position at, PositionEncoding encoding) const {
  return offset(at, encoding).value_or(text_.size());
}

Position LineIndex::position(size_t offset, PositionEncoding encoding) const {
  offset = std::min(offset, text_.size());
  while (offset > 0 && offset < text_.size() && is_continuation(text_[offset])) --offset;
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), offset);
  const auto line = static_cast<size_t>(after - starts_.begin()) - 1;
  const size_t end = std::min(offset, content_end(line));
  Position at{static_cast<uint32_t>(line), 0};
  for (size_t pos = starts_[line]; pos < end;) {
    const size_t size = std::min(sequence_size(text_[pos]), end - pos);
    at.character += units_of(size, encoding);
    pos += size;
  }
  return at;
}

}  // namespace sb
