#ifndef SCENARIO_BUILDER_LIVE_DIAGNOSTIC_PLACES_H_
#define SCENARIO_BUILDER_LIVE_DIAGNOSTIC_PLACES_H_

#include <nlohmann/json.hpp>
#include <string>

#include "platform/file_system.h"

namespace sb {

// Gives each diagnostic of `diagnostics` (as `check --format=json` shapes
// them) the route position of the entry it is about, as "position" in
// metres, where that entry's first value is a position; the others get
// none.  The texts are read from `texts` under the names the diagnostics
// give, the line text by the rules of a line text, the train text by
// those of a train text.
void place_diagnostics(nlohmann::ordered_json& diagnostics, FileSystem& texts,
                       const std::string& line_text, const std::string& train_text);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LIVE_DIAGNOSTIC_PLACES_H_
