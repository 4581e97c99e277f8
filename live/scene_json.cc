#include "live/scene_json.h"

#include <cmath>

namespace sb {
namespace {

using Json = nlohmann::ordered_json;

// Tenths of a metre: finer than any pixel of the page.
Json tenths(double metres) {
  if (!std::isfinite(metres)) return nullptr;
  return std::round(metres * 10) / 10;
}

Json trace_json(const PlotScene& scene) {
  Json east = Json::array();
  Json north = Json::array();
  const auto add = [&](size_t row) {
    const bool known = scene.trace_assigned[row];
    east.push_back(known ? tenths(scene.trace[row].east) : Json(nullptr));
    north.push_back(known ? tenths(scene.trace[row].north) : Json(nullptr));
  };
  const size_t rows = scene.trace.size();
  for (size_t row = 0; row < rows; row += kSceneTraceStep) add(row);
  if (rows > 0 && (rows - 1) % kSceneTraceStep != 0) add(rows - 1);
  return {{"step", kSceneTraceStep}, {"rows", rows}, {"east", east}, {"north", north}};
}

Json stretches_json(const std::vector<Stretch>& stretches) {
  Json list = Json::array();
  for (const Stretch& s : stretches) {
    list.push_back({{"start", s.start}, {"end", s.end}, {"value", s.value}});
  }
  return list;
}

}  // namespace

const char* mark_kind_name(MarkKind kind) {
  switch (kind) {
    case MarkKind::kSignal: return "signal";
    case MarkKind::kSpeedBoard: return "speed_board";
    case MarkKind::kIndicationBoard: return "indication_board";
    case MarkKind::kSlowdownWarning: return "slowdown_warning";
    case MarkKind::kSlowdownStart: return "slowdown_start";
    case MarkKind::kSlowdownEnd: return "slowdown_end";
    case MarkKind::kCodePoint: return "code_point";
    case MarkKind::kCodeCutPoint: return "code_cut_point";
  }
  return "unknown";
}

Json scene_json(const PlotScene& scene) {
  Json stations = Json::array();
  for (const StationMark& s : scene.stations) {
    stations.push_back({{"name", s.name},
                        {"position", s.position},
                        {"start", s.start},
                        {"end", s.end},
                        {"kind", s.kind}});
  }
  Json marks = Json::array();
  for (const PointMark& m : scene.marks) {
    marks.push_back(
        {{"kind", mark_kind_name(m.kind)}, {"position", m.position}, {"label", m.label}});
  }
  Json chainages = Json::array();
  for (const Chainage& c : scene.chainages) {
    chainages.push_back({{"start", c.start}, {"kilometre", c.kilometre}});
  }
  Json cab = nullptr;
  if (scene.cab_signalling) {
    cab = {{"start", scene.cab_signalling->start},
           {"end", scene.cab_signalling->end},
           {"value", scene.cab_signalling->value}};
  }
  return {{"scenario", scene.scenario_name},
          {"train", scene.train_number},
          {"route_length", scene.route_length},
          {"trace", trace_json(scene)},
          {"stations", stations},
          {"marks", marks},
          {"mountains", stretches_json(scene.mountains)},
          {"speed_limits", stretches_json(scene.speed_limits)},
          {"gradients", stretches_json(scene.gradients)},
          {"slowdowns", stretches_json(scene.slowdowns)},
          {"cab_signalling", cab},
          {"chainages", chainages}};
}

}  // namespace sb
