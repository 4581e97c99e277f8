#ifndef SCENARIO_BUILDER_DECOMPILE_ENTRY_ORDER_H_
#define SCENARIO_BUILDER_DECOMPILE_ENTRY_ORDER_H_

#include <cstddef>
#include <optional>
#include <set>
#include <vector>

namespace sb {

// A cell that several entries write, each a value of its own: the entries
// whose value the cell keeps, one of which must write it last, and the
// entries whose value went under.
struct SharedCell {
  std::vector<size_t> leaving;
  std::vector<size_t> overwritten;
};

// Entries 0 to n - 1 in an order that puts every entry before those that
// `before[i]` names and, in each shared cell, one of the entries that leave
// its value after all the others.  Built from the back: of the entries free
// to come last, the highest number goes last, so that where nothing forbids
// it the entries keep their numbering.  Taking any free entry never blocks
// an order that exists, since an entry placed only frees others.  Nothing
// when no order meets the constraints.
std::optional<std::vector<size_t>> constrained_order(const std::vector<std::set<size_t>>& before,
                                                     const std::vector<SharedCell>& shared = {});

}  // namespace sb

#endif  // SCENARIO_BUILDER_DECOMPILE_ENTRY_ORDER_H_
