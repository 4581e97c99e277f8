#include "viewer/plot_scene.h"

#include <algorithm>
#include <cstdio>
#include <set>

#include "format/cell_geometry.h"
#include "format/cell_values.h"
#include "util/rounding.h"
#include "util/text.h"

namespace sb {
namespace {

// Where an object placed one cell beyond its position stands, and where a
// cell begins.
int32_t object_position(size_t cell) {
  return static_cast<int32_t>(sb::object_position(static_cast<int64_t>(cell)));
}
int32_t cell_start(size_t cell) {
  return static_cast<int32_t>(sb::cell_start(static_cast<int64_t>(cell)));
}

void read_trace(const DecodedTrace& trace, PlotScene* scene) {
  const size_t rows = trace.row_count();
  scene->trace.resize(rows);
  scene->trace_assigned.resize(rows);
  for (size_t row = 0; row < rows; ++row) {
    scene->trace[row] = {trace.value(0, row), trace.value(1, row)};
    scene->trace_assigned[row] = trace.assigned(0, row) && trace.assigned(1, row);
  }
}

// The left-hand (s) speed of rank A is the one shown.
std::string speed_board_label(const TrackCell& cell) {
  return std::to_string(unpack_speed_pair(cell.value_1).left);
}

std::string board_text(const CompiledScenario& scenario, int record) {
  if (record < kFirstStationRecord || record > kTopBoardRecord) return "";
  return cp1252_to_utf8(scenario.records[static_cast<size_t>(record)].text);
}

void read_marks(const CompiledScenario& scenario, PlotScene* scene) {
  for (size_t c = 0; c < scenario.cells.size(); ++c) {
    const TrackCell& cell = scenario.cells[c];
    switch (cell.kind) {
      case kSignalCell: scene->marks.push_back({MarkKind::kSignal, object_position(c), ""}); break;
      case kSpeedBoardCell:
        scene->marks.push_back(
            {MarkKind::kSpeedBoard, object_position(c), speed_board_label(cell)});
        break;
      case kIndicationBoardCell:
        scene->marks.push_back(
            {MarkKind::kIndicationBoard, object_position(c), board_text(scenario, cell.value_1)});
        break;
      case kSlowdownWarningCell:
        scene->marks.push_back(
            {MarkKind::kSlowdownWarning, object_position(c), std::to_string(cell.value_1)});
        break;
      case kSlowdownStartCell:
        scene->marks.push_back(
            {MarkKind::kSlowdownStart, object_position(c), std::to_string(cell.value_1)});
        break;
      case kSlowdownEndCell:
        scene->marks.push_back({MarkKind::kSlowdownEnd, object_position(c), ""});
        break;
      case kCodePointCell:
        scene->marks.push_back({MarkKind::kCodePoint, cell_start(c), std::to_string(cell.value_1)});
        break;
      case kCodeCutPointCell:
        scene->marks.push_back({MarkKind::kCodeCutPoint, cell_start(c), ""});
        break;
      default: break;
    }
  }
}

// Each slowdown start runs to the next slowdown end after it.
void read_slowdowns(const CompiledScenario& scenario, PlotScene* scene) {
  const std::vector<TrackCell>& cells = scenario.cells;
  for (size_t c = 0; c < cells.size(); ++c) {
    if (cells[c].kind != kSlowdownStartCell) continue;
    for (size_t e = c + 1; e < cells.size(); ++e) {
      if (cells[e].kind != kSlowdownEndCell) continue;
      scene->slowdowns.push_back({object_position(c), object_position(e), cells[c].value_1});
      break;
    }
  }
}

// Runs of cells with the same value of a line field, up to the end of the
// route; `keep` drops the runs that mean nothing (no mountain).
template <typename Value, typename Keep>
std::vector<Stretch> runs(const std::vector<TrackCell>& cells, int32_t route_length, Value value,
                          Keep keep) {
  std::vector<Stretch> stretches;
  for (size_t c = 0; c < cells.size() && cell_start(c) < route_length; ++c) {
    const int v = value(cells[c]);
    const int32_t end = std::min(cell_start(c + 1), route_length);
    if (!stretches.empty() && stretches.back().value == v &&
        stretches.back().end == cell_start(c)) {
      stretches.back().end = end;
    } else {
      stretches.push_back({cell_start(c), end, v});
    }
  }
  std::erase_if(stretches, [&](const Stretch& s) { return !keep(s.value); });
  return stretches;
}

bool is_blank(const GeneralRecord& record) { return record == GeneralRecord{}; }

// Stations fill the records from 1 up to the first blank one; records that
// an indication board names hold board texts instead.
void read_stations(const CompiledScenario& scenario, PlotScene* scene) {
  std::set<int> board_records;
  for (const TrackCell& cell : scenario.cells) {
    if (cell.kind == kIndicationBoardCell) board_records.insert(cell.value_1);
  }
  for (int r = kFirstStationRecord; r <= kTopBoardRecord; ++r) {
    const GeneralRecord& record = scenario.records[static_cast<size_t>(r)];
    if (is_blank(record) || board_records.count(r) != 0) break;
    scene->stations.push_back(
        {record.long_3, record.long_1, record.long_2, record.kind, cp1252_to_utf8(record.text)});
  }
}

void read_line_values(const CompiledScenario& scenario, PlotScene* scene) {
  const GeneralRecord& train = scenario.records[kTrainRecord];
  if (train.long_2 > train.long_1) {
    scene->cab_signalling = Stretch{train.long_1, train.long_2, train.long_3};
  }
  scene->posts = KilometrePosts::from_records(scenario.records);
  // From record 83 to 81, so that of two from the same start the leading
  // one, in the lower record, comes last.
  const ChainageRecords& records = scene->posts.records();
  for (auto chainage = records.rbegin(); chainage != records.rend(); ++chainage) {
    if (*chainage != Chainage{}) scene->chainages.push_back(*chainage);
  }
  std::stable_sort(scene->chainages.begin(), scene->chainages.end(),
                   [](const Chainage& a, const Chainage& b) { return a.start < b.start; });
}

}  // namespace

PlotScene build_plot_scene(const CompiledScenario& scenario) {
  PlotScene scene;
  scene.scenario_name = cp1252_to_utf8(scenario.records[kScenarioRecord].text);
  scene.train_number = cp1252_to_utf8(scenario.records[kTrainRecord].text);
  scene.route_length = scenario.route_length();
  read_trace(scenario.trace, &scene);
  read_stations(scenario, &scene);
  read_marks(scenario, &scene);
  read_slowdowns(scenario, &scene);
  const int32_t route = scene.route_length;
  const auto always = [](int) { return true; };
  scene.mountains = runs(
      scenario.cells, route, [](const TrackCell& c) { return int{c.mountain_side}; },
      [](int side) { return side != 0; });
  scene.speed_limits = runs(
      scenario.cells, route, [](const TrackCell& c) { return unpack_speed_limit(c.speed_limit); },
      always);
  scene.gradients = runs(
      scenario.cells, route, [](const TrackCell& c) { return stored_gradient(c.gradient); },
      always);
  read_line_values(scenario, &scene);
  return scene;
}

std::string reading_text(const PlotScene& scene, double position) {
  return chainage_text(round_half_even(scene.posts.reading_at_fraction(position)));
}

}  // namespace sb
