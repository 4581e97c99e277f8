#include "lsp/document.h"

#include <algorithm>
#include <utility>

namespace sb {

Document Document::from_editor(std::string utf8) {
  Document document;
  document.set_utf8(std::move(utf8));
  return document;
}

Document Document::from_bytes(std::string bytes) {
  Document document;
  // Every byte becomes one character (a byte without one: U+FFFD).
  const std::string utf8 = cp1252_to_utf8(bytes);
  Cp1252Text text = utf8_to_cp1252_text(utf8);
  document.bytes_ = std::move(bytes);
  document.starts_ = std::move(text.starts);
  document.lines_ = LineIndex(utf8);
  return document;
}

void Document::set_utf8(std::string utf8) {
  Cp1252Text text = utf8_to_cp1252_text(utf8);
  bytes_ = std::move(text.bytes);
  starts_ = std::move(text.starts);
  lacking_ = std::move(text.lacking);
  lines_ = LineIndex(std::move(utf8));
}

std::string_view Document::character(size_t offset) const {
  if (offset >= bytes_.size()) return {};
  return std::string_view(utf8()).substr(starts_[offset], starts_[offset + 1] - starts_[offset]);
}

Position Document::position(size_t offset, PositionEncoding encoding) const {
  return lines_.position(starts_[std::min(offset, bytes_.size())], encoding);
}

std::optional<size_t> Document::offset(Position at, PositionEncoding encoding) const {
  const std::optional<size_t> utf8 = lines_.offset(at, encoding);
  if (!utf8) return std::nullopt;
  return static_cast<size_t>(std::lower_bound(starts_.begin(), starts_.end(), *utf8) -
                             starts_.begin());
}

size_t Document::byte_at(int line, int column) const {
  size_t pos = 0;
  for (int at = 1; at < line && pos < bytes_.size(); ++pos) {
    if (bytes_[pos] == '\r' && pos + 1 < bytes_.size() && bytes_[pos + 1] == '\n') ++pos;
    if (bytes_[pos] == '\n' || bytes_[pos] == '\r') ++at;
  }
  for (int at = 1; at < column && pos < bytes_.size(); ++at, ++pos) {
    if (bytes_[pos] == '\n' || bytes_[pos] == '\r') break;
  }
  return pos;
}

void Document::edit(const std::optional<Range>& range, std::string_view text,
                    PositionEncoding encoding) {
  if (!range) {
    set_utf8(std::string(text));
    return;
  }
  size_t start = lines_.clamped_offset(range->start, encoding);
  size_t end = lines_.clamped_offset(range->end, encoding);
  if (end < start) std::swap(start, end);
  std::string utf8 = lines_.text();
  utf8.replace(start, end - start, text);
  set_utf8(std::move(utf8));
}

}  // namespace sb
