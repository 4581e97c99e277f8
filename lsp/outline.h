#ifndef SCENARIO_BUILDER_LSP_OUTLINE_H_
#define SCENARIO_BUILDER_LSP_OUTLINE_H_

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "lsp/source_view.h"

namespace sb {

// A place of a text worth a name in the editor's outline: a section under
// its header, or an entry (stations by their names as written; signals,
// boards and slowdowns by position).  Byte offsets.
struct OutlineItem {
  enum class Kind { kSection, kStation, kSignal, kBoard, kSlowdown };
  Kind kind = Kind::kSection;
  std::string name;  // UTF-8
  size_t from = 0;   // the whole item
  size_t to = 0;
  size_t name_from = 0;  // what names it: the header, the station's name, the keyword
  size_t name_to = 0;
  std::vector<OutlineItem> children;
};

// The sections of the text in order, each from its header (the field that
// opens the entries is the first) up to the next, with its named entries.
std::vector<OutlineItem> text_outline(const SourceView& view);

// The position values of the text's entries: where each value ends, and
// the position it gives.
struct PositionValue {
  size_t end = 0;
  int64_t position = 0;
};
std::vector<PositionValue> position_values(const SourceView& view);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_OUTLINE_H_
