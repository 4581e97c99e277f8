#include "model/text.h"

#include <algorithm>

namespace sb {

char cp1252_lower(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 0x20);
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 0x20);
  switch (u) {
    case 0x8A: return static_cast<char>(0x9A);  // Š
    case 0x8C: return static_cast<char>(0x9C);  // Œ
    case 0x8E: return static_cast<char>(0x9E);  // Ž
    case 0x9F: return static_cast<char>(0xFF);  // Ÿ
    default: return c;
  }
}

std::string cp1252_lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = cp1252_lower(c);
  return lower;
}

bool contains(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}

bool contains_ignoring_case(std::string_view field, std::string_view word) {
  auto same = [](char a, char b) { return cp1252_lower(a) == cp1252_lower(b); };
  return std::search(field.begin(), field.end(), word.begin(), word.end(), same) != field.end();
}

}  // namespace sb
