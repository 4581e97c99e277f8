#ifndef SCENARIO_BUILDER_LIVE_STANDALONE_PAGE_H_
#define SCENARIO_BUILDER_LIVE_STANDALONE_PAGE_H_

#include <nlohmann/json.hpp>
#include <string>

#include "viewer/plot_scene.h"

namespace sb {

// The live page with `document` written into it: one file that shows the
// scenario from file:// with nothing fetched.  The document's '<' and '/'
// are escaped, so it can neither end its script element nor form a URL.
std::string standalone_page(const nlohmann::ordered_json& document);

// The document of a compiled scenario alone, as the live page reads it:
// version 1, no diagnostics and no timetable (the texts are not at hand),
// the scene.
nlohmann::ordered_json scene_document(const PlotScene& scene);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LIVE_STANDALONE_PAGE_H_
