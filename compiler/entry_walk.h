#ifndef SCENARIO_BUILDER_COMPILER_ENTRY_WALK_H_
#define SCENARIO_BUILDER_COMPILER_ENTRY_WALK_H_

#include <string>

#include "frontend/field_reader.h"

namespace sb {

enum class WalkStep {
  kField,        // *field holds a keyword field to test
  kStop,         // the text is done: its end was reached, or the field just
                 // read was its last one and is not examined
  kReadFailure,  // reading failed (reader.failure() says why)
};

// Reads text fields up to and including the first one that contains
// "[generale]" (letter case ignored).  kStop when the text ends first, that
// field being its last one included.
WalkStep seek_general_section(FieldReader& reader);

// The next keyword field of the line text's body or of the train text: up to
// two fields in a row that contain "-" are comments and skipped; a third one
// is examined like any other.
WalkStep next_keyword_field(FieldReader& reader, std::string* field);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_ENTRY_WALK_H_
