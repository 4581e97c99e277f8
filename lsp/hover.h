#ifndef SCENARIO_BUILDER_LSP_HOVER_H_
#define SCENARIO_BUILDER_LSP_HOVER_H_

#include <cstddef>
#include <optional>
#include <string>

#include "lsp/source_view.h"
#include "model/build_state.h"

namespace sb {

// What a hover shows (Markdown) and the field it is about.
struct HoverText {
  size_t field = 0;
  std::string markdown;
};

// On a keyword field, the entry and its values; on a value, its name, unit,
// range and meaning; on a position, also the route kilometre, the chainage
// the kilometre posts read there, its cell and what `compiled` (the pair's
// build, null when there is none) holds in it.  Nothing off the fields of
// entries.
std::optional<HoverText> hover_at(const SourceView& view, size_t offset,
                                  const BuildState* compiled);

// "354+000" where the line's kilometre posts of `compiled` read that, at a
// route position.
std::string chainage_at(const BuildState& compiled, int64_t position);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_HOVER_H_
