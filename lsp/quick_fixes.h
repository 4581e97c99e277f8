#ifndef SCENARIO_BUILDER_LSP_QUICK_FIXES_H_
#define SCENARIO_BUILDER_LSP_QUICK_FIXES_H_

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "grammar/grammar.h"
#include "lsp/source_view.h"

namespace sb {

// One obvious fix: bytes [from, to) of the text become `text`.
struct QuickFix {
  std::string title;
  size_t from = 0;
  size_t to = 0;
  std::string text;
};

// The keyword that an unknown keyword's warning suggests ("...; did you
// mean `sfondo uno`?"); nothing when it suggests none.
std::optional<std::string> suggested_keyword(std::string_view message);

// The legal value nearest to `value`: inside the slot's range (or 0 where
// 0 is allowed) and a multiple of its step; of two as near, the greater.
// A value of a slot that keeps anything is its own nearest.
int64_t nearest_legal_value(const Slot& slot, int64_t value);

// For the entry whose fields hold byte `offset`: each value outside the
// range its slot keeps, or off its step, set to the nearest legal one.
std::vector<QuickFix> range_fixes(const SourceView& view, size_t offset);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_QUICK_FIXES_H_
