#ifndef SCENARIO_BUILDER_LIVE_SCENE_JSON_H_
#define SCENARIO_BUILDER_LIVE_SCENE_JSON_H_

#include <nlohmann/json.hpp>

#include "viewer/plot_scene.h"

namespace sb {

// Metres between the trace points the page is given.
inline constexpr int32_t kSceneTraceStep = 10;

// The scene `plot` draws, as data for the page: names, route length, the
// trace every kSceneTraceStep metres (and at its last row; null where a row
// was never assigned), stations, marks by kind name, the stretches of each
// line value, cab signalling (null when none) and the chainages.  Positions
// are route metres.
nlohmann::ordered_json scene_json(const PlotScene& scene);

// "signal", "speed_board", ...: the name the page knows a mark kind by.
const char* mark_kind_name(MarkKind kind);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LIVE_SCENE_JSON_H_
