#include "lsp/quick_fixes.h"

#include <algorithm>

namespace sb {
namespace {

// The multiple of `step` nearest to `value`, the greater of two as near.
int64_t nearest_multiple(int64_t value, int64_t step) {
  int64_t below = value / step * step;
  if (below > value) below -= step;
  return value - below < below + step - value ? below : below + step;
}

bool is_legal(const Slot& slot, int64_t value) {
  if (slot.zero_allowed && value == 0) return true;
  if (value < slot.low || value > slot.high) return false;
  return slot.step == 0 || value % slot.step == 0;
}

}  // namespace

std::optional<std::string> suggested_keyword(std::string_view message) {
  constexpr std::string_view kAsk = "did you mean `";
  const size_t ask = message.rfind(kAsk);
  if (ask == std::string_view::npos) return std::nullopt;
  const size_t from = ask + kAsk.size();
  const size_t to = message.find('`', from);
  if (to == std::string_view::npos || to == from) return std::nullopt;
  return std::string(message.substr(from, to - from));
}

int64_t nearest_legal_value(const Slot& slot, int64_t value) {
  if (slot.width == Width::kText || is_legal(slot, value)) return value;
  if (slot.beyond == Beyond::kAnything && slot.step == 0) return value;
  int64_t nearest = std::clamp(value, slot.low, slot.high);
  if (slot.step != 0) {
    nearest = nearest_multiple(nearest, slot.step);
    if (nearest > slot.high) nearest -= slot.step;
    if (nearest < slot.low) nearest += slot.step;
  }
  const auto distance = [&](int64_t v) { return v > value ? v - value : value - v; };
  if (slot.zero_allowed && distance(0) < distance(nearest)) return 0;
  return nearest;
}

std::vector<QuickFix> range_fixes(const SourceView& view, size_t offset) {
  const TextEntries& entries = view.entries();
  std::vector<QuickFix> fixes;
  for (const TextEntry& entry : entries.entries) {
    const std::span<const TextField> values = entries.values(entry);
    const size_t from = entries.keyword(entry).start;
    const size_t to = values.empty() ? entries.keyword(entry).stop : values.back().stop;
    if (offset < from || offset > to) continue;
    for (size_t i = 0; i < values.size(); ++i) {
      const Slot& slot = entry.grammar().slots[i];
      const TextField& value = values[i];
      if (!value.number) continue;
      const int64_t nearest = nearest_legal_value(slot, value.value);
      if (nearest == value.value) continue;
      fixes.push_back({"Set the " + std::string(entry.grammar().title) + "'s " +
                           std::string(slot.name) + " to " + std::to_string(nearest),
                       value.start, value.stop, std::to_string(nearest)});
    }
    break;
  }
  return fixes;
}

}  // namespace sb
