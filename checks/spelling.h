#ifndef SCENARIO_BUILDER_CHECKS_SPELLING_H_
#define SCENARIO_BUILDER_CHECKS_SPELLING_H_

#include <span>
#include <string>
#include <string_view>

namespace sb {

// Edits (insert, delete, replace, swap of two neighbours) from a to b.
int edit_distance(std::string_view a, std::string_view b);

// The candidate nearest to `field` (letter case ignored; digits at the end of
// either are set aside and the field's own kept), when it is near enough to
// be a slip of the keyboard; empty otherwise.
std::string nearest_keyword(std::string_view field, std::span<const std::string_view> candidates);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_SPELLING_H_
