#include "live/live_publisher.h"

#include <optional>

#include "inspect/compiled_scenario.h"
#include "live/diagnostic_places.h"
#include "live/scene_json.h"
#include "viewer/plot_scene.h"

namespace sb {
namespace {

using Json = nlohmann::ordered_json;

// The three compiled files among those written, told by their names.
std::optional<CompiledScenarioPaths> compiled_paths(const std::vector<std::string>& written) {
  CompiledScenarioPaths paths;
  for (const std::string& path : written) {
    if (path.ends_with("_linea.dat")) {
      paths.line_trace = path;
    } else if (path.ends_with(".sim")) {
      paths.records = path;
    } else if (path.ends_with(".dat")) {
      paths.cells = path;
    }
  }
  if (paths.line_trace.empty() || paths.records.empty() || paths.cells.empty()) return std::nullopt;
  return paths;
}

int count_of(const Json& diagnostics, const char* severity) {
  int count = 0;
  for (const Json& diagnostic : diagnostics) count += diagnostic.value("severity", "") == severity;
  return count;
}

}  // namespace

Json live_stations(const Json& timetable) {
  Json stations = Json::array();
  if (!timetable.contains("stations")) return stations;
  for (const Json& station : timetable["stations"]) {
    Json shown = station;
    shown["slack"] = nullptr;
    stations.push_back(shown);
  }
  for (const Json& leg : timetable.value("legs", Json::array())) {
    const auto to = leg.value("to", size_t{0});
    if (to < stations.size()) stations[to]["slack"] = leg["slack"];
  }
  return stations;
}

void LivePublisher::compiled(const Json& report, FileSystem& built,
                             const std::vector<std::string>& written) {
  ++version_;
  if (const auto paths = compiled_paths(written)) {
    CompiledScenario scenario;
    std::string error;
    if (load_compiled_scenario(built, *paths, &scenario, &error)) {
      scene_ = scene_json(build_plot_scene(scenario));
      scene_version_ = version_;
    }
  }
  Json diagnostics = report.value("diagnostics", Json::array());
  place_diagnostics(diagnostics, built, line_text_, train_text_);
  const Json document = {
      {"version", version_},
      {"diagnostics", diagnostics},
      {"errors", count_of(diagnostics, "error")},
      {"warnings", count_of(diagnostics, "warning")},
      {"stations", live_stations(report.value("timetable", Json::object()))},
      {"scene_version", scene_version_ == 0 ? Json(nullptr) : Json(scene_version_)},
      {"scene", scene_}};
  state_.publish(version_, document.dump(-1, ' ', false, Json::error_handler_t::replace));
}

}  // namespace sb
