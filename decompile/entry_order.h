#ifndef SCENARIO_BUILDER_DECOMPILE_ENTRY_ORDER_H_
#define SCENARIO_BUILDER_DECOMPILE_ENTRY_ORDER_H_

#include <cstddef>
#include <optional>
#include <set>
#include <vector>

namespace sb {

// Entries 0 to n - 1 in an order that puts every entry before those that
// `before[i]` names, and otherwise keeps them as numbered: of the entries
// free to come next, the lowest number comes first.  Nothing when the
// constraints run in a circle.
std::optional<std::vector<size_t>> constrained_order(const std::vector<std::set<size_t>>& before);

}  // namespace sb

#endif  // SCENARIO_BUILDER_DECOMPILE_ENTRY_ORDER_H_
