#include "frontend/text_rules.h"

#include "util/text.h"

namespace sb {

bool is_comment(std::string_view field) { return contains(field, "-"); }

bool is_header(std::string_view field) { return contains(field, "[") && contains(field, "]"); }

bool closes_general_section(std::string_view field) {
  if (!is_header(field)) return false;
  const size_t first = field.find_first_not_of(" \t");
  return first == std::string_view::npos || field[first] != '-';
}

}  // namespace sb
