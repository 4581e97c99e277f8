#include "decompile/entry_order.h"

#include <algorithm>
#include <queue>

namespace sb {

std::optional<std::vector<size_t>> constrained_order(const std::vector<std::set<size_t>>& before,
                                                     const std::vector<SharedCell>& shared) {
  const size_t n = before.size();
  // What keeps each entry from coming last: the entries it must precede
  // that are not placed yet, and the shared cells it writes under another
  // value that no entry placed after it has settled yet.
  std::vector<size_t> blocked_by(n, 0);
  std::vector<std::vector<size_t>> must_precede(n);  // the entries that name it in `before`
  for (size_t i = 0; i < n; ++i) {
    blocked_by[i] += before[i].size();
    for (size_t later : before[i]) must_precede[later].push_back(i);
  }
  std::vector<std::vector<size_t>> leaves(n);  // the shared cells whose value it leaves
  for (size_t k = 0; k < shared.size(); ++k) {
    for (size_t i : shared[k].leaving) leaves[i].push_back(k);
    for (size_t i : shared[k].overwritten) ++blocked_by[i];
  }
  std::vector<bool> settled(shared.size(), false);
  std::priority_queue<size_t> free_to_be_last;
  for (size_t i = 0; i < n; ++i) {
    if (blocked_by[i] == 0) free_to_be_last.push(i);
  }
  auto unblock = [&](size_t i) {
    if (--blocked_by[i] == 0) free_to_be_last.push(i);
  };
  std::vector<size_t> order;
  while (!free_to_be_last.empty()) {
    const size_t i = free_to_be_last.top();
    free_to_be_last.pop();
    order.push_back(i);
    for (size_t earlier : must_precede[i]) unblock(earlier);
    for (size_t k : leaves[i]) {
      if (settled[k]) continue;
      settled[k] = true;
      for (size_t under : shared[k].overwritten) unblock(under);
    }
  }
  if (order.size() != n) return std::nullopt;
  std::reverse(order.begin(), order.end());
  return order;
}

}  // namespace sb
