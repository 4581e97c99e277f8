#ifndef SCENARIO_BUILDER_MODEL_SOURCE_LOCATION_H_
#define SCENARIO_BUILDER_MODEL_SOURCE_LOCATION_H_

#include <cstdint>

namespace sb {

// Where in a source text a field stood; line and column count from 1.
struct SourceLocation {
  enum class Text : uint8_t { kNone, kLine, kTrain };
  Text text = Text::kNone;
  int line = 0;
  int column = 0;

  bool operator==(const SourceLocation&) const = default;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_MODEL_SOURCE_LOCATION_H_
