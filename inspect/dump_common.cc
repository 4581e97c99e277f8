#include "inspect/dump_common.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace sb {

IndexSpan select_span(const std::optional<std::pair<int32_t, int32_t>>& rows, size_t count) {
  if (!rows) return {0, count};
  const auto [first, last] = *rows;
  if (first < 0 || last < first) return {count, count};
  const size_t begin = std::min(static_cast<size_t>(first), count);
  const size_t end = std::min(static_cast<size_t>(last) + 1, count);
  return {begin, end};
}

std::string index_ranges(const std::vector<size_t>& indices) {
  std::string text;
  for (size_t i = 0; i < indices.size();) {
    size_t j = i;
    while (j + 1 < indices.size() && indices[j + 1] == indices[j] + 1) ++j;
    if (!text.empty()) text += ", ";
    text += std::to_string(indices[i]);
    if (j > i) {
      text += '-';  // not "-" + string, which GCC 12 warns of at -O3
      text += std::to_string(indices[j]);
    }
    i = j + 1;
  }
  return text;
}

std::string quoted_text(std::string_view text) {
  std::string result = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      result += '\\';
      result += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", byte);
      result += escape;
    } else {
      result += c;
    }
  }
  return result + "\"";
}

std::string shortest_decimal(double value) {
  char buffer[32];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string millimetres(double value) {
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 3);
  if (result.ec != std::errc()) return shortest_decimal(value);
  return std::string(buffer, result.ptr);
}

void print_json(const nlohmann::json& document, std::ostream& out) {
  out << document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) << '\n';
}

}  // namespace sb
