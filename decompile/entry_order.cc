#include "decompile/entry_order.h"

#include <functional>
#include <queue>

namespace sb {

std::optional<std::vector<size_t>> constrained_order(const std::vector<std::set<size_t>>& before) {
  const size_t n = before.size();
  std::vector<size_t> waiting_for(n, 0);
  for (const std::set<size_t>& later : before) {
    for (size_t entry : later) ++waiting_for[entry];
  }
  std::priority_queue<size_t, std::vector<size_t>, std::greater<>> ready;
  for (size_t i = 0; i < n; ++i) {
    if (waiting_for[i] == 0) ready.push(i);
  }
  std::vector<size_t> order;
  while (!ready.empty()) {
    const size_t i = ready.top();
    ready.pop();
    order.push_back(i);
    for (size_t entry : before[i]) {
      if (--waiting_for[entry] == 0) ready.push(entry);
    }
  }
  if (order.size() != n) return std::nullopt;
  return order;
}

}  // namespace sb
