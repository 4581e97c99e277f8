#include "compiler/entry_walk.h"

#include "util/text.h"

namespace sb {

WalkStep seek_general_section(FieldReader& reader) {
  std::string field;
  while (true) {
    if (!reader.read_text(&field)) return WalkStep::kReadFailure;
    if (reader.at_end()) return WalkStep::kStop;
    if (contains_ignoring_case(field, "[generale]")) return WalkStep::kField;
  }
}

WalkStep next_keyword_field(FieldReader& reader, std::string* field) {
  if (reader.at_end()) return WalkStep::kStop;
  if (!reader.read_text(field)) return WalkStep::kReadFailure;
  if (reader.at_end()) return WalkStep::kStop;
  for (int comments = 0; comments < 2 && contains(*field, "-"); ++comments) {
    if (!reader.read_text(field)) return WalkStep::kReadFailure;
    if (reader.at_end()) return WalkStep::kStop;
  }
  return WalkStep::kField;
}

}  // namespace sb
