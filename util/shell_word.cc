#include "util/shell_word.h"

#include <algorithm>

namespace sb {
namespace {

bool plain(char c) {
  const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
  const bool digit = c >= '0' && c <= '9';
  return letter || digit || std::string_view("_./:+,=@%-").find(c) != std::string_view::npos;
}

}  // namespace

std::string shell_word(std::string_view text) {
  if (!text.empty() && std::all_of(text.begin(), text.end(), plain)) return std::string(text);
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

}  // namespace sb
