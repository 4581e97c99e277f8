#ifndef SCENARIO_BUILDER_VIEWER_PLOT_SCENE_H_
#define SCENARIO_BUILDER_VIEWER_PLOT_SCENE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "format/kilometre_posts.h"
#include "inspect/compiled_scenario.h"

namespace sb {

// What a drawing shows of a compiled scenario, in route metres and UTF-8
// texts, read back from the records and cells.  An object placed in cell c
// by the "one cell beyond" rule (signals, boards, slowdown points) stands at
// (c - 1) x 50 m; a code point at c x 50 m; the line values of cell c
// (gradient, speed limit, mountain side) cover c x 50 to c x 50 + 50 m.

struct TracePoint {
  double east = 0;   // x, metres
  double north = 0;  // y, metres
};

enum class MarkKind : uint8_t {
  kSignal,
  kSpeedBoard,
  kIndicationBoard,
  kSlowdownWarning,
  kSlowdownStart,
  kSlowdownEnd,
  kCodePoint,
  kCodeCutPoint,
};

struct PointMark {
  MarkKind kind = MarkKind::kSignal;
  int32_t position = 0;
  std::string label;  // speed, board text, code value; empty for none
};

// A stretch [start, end) of route metres with one value.
struct Stretch {
  int32_t start = 0;
  int32_t end = 0;
  int value = 0;

  bool operator==(const Stretch&) const = default;
};

struct StationMark {
  int32_t position = 0;
  int32_t start = 0;  // extent of the station area
  int32_t end = 0;
  int kind = 0;
  std::string name;
};

struct PlotScene {
  std::string scenario_name;  // UTF-8
  std::string train_number;   // UTF-8
  int32_t route_length = 0;

  // One point a metre, row r at r metres; rows never assigned are absent.
  std::vector<TracePoint> trace;
  std::vector<bool> trace_assigned;

  std::vector<StationMark> stations;      // in record order
  std::vector<PointMark> marks;           // in cell order
  std::vector<Stretch> mountains;         // value: mountain side
  std::vector<Stretch> speed_limits;      // value: km/h
  std::vector<Stretch> gradients;         // value: gradient
  std::vector<Stretch> slowdowns;         // start to end point, value: km/h
  std::optional<Stretch> cab_signalling;  // value: number of codes
  // The chainages that are not empty, by increasing start; of two from the
  // same start the leading one last, so that the last one starting at or
  // before a position holds there (as `posts` reads it).
  std::vector<Chainage> chainages;
  KilometrePosts posts;  // what the posts read along the route

  bool has_point(int32_t row) const {
    return row >= 0 && static_cast<size_t>(row) < trace.size() &&
           trace_assigned[static_cast<size_t>(row)];
  }
};

PlotScene build_plot_scene(const CompiledScenario& scenario);

// What the kilometre posts read at a route position, rounded to the metre:
// "350+000".
std::string reading_text(const PlotScene& scene, double position);

}  // namespace sb

#endif  // SCENARIO_BUILDER_VIEWER_PLOT_SCENE_H_
