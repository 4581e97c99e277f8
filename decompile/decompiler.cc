#include "decompile/decompiler.h"

#include <algorithm>
#include <array>
#include <deque>
#include <map>
#include <optional>
#include <set>

#include "compiler/chainage_order.h"
#include "compiler/station_stop_recorder.h"
#include "decompile/entry_order.h"
#include "decompile/marker_replay.h"
#include "decompile/mountain_stretches.h"
#include "decompile/source_text.h"
#include "decompile/step_profile.h"
#include "decompile/trace_curves.h"
#include "format/cell_geometry.h"
#include "format/cell_values.h"
#include "format/object_cells.h"
#include "format/record_fields.h"
#include "format/station_area.h"

namespace sb {
namespace {

// Why a decompile stopped, in plain words.
struct Failure {
  std::string why;
  // The files cannot be those of a clean build (else the recovery found no
  // texts for files that may well be a clean build's).
  bool files_not_clean = false;
};

std::string cell_name(int32_t cell) { return "cell " + std::to_string(cell); }

// ---- the train's objects ----

enum class EntryKind : uint8_t { kStation, kSlowdown, kSignal, kCodePoint };

struct TrainEntry {
  EntryKind kind;
  int32_t sort_key = 0;  // record of a station, cell of the others
  std::string line;
};

// What a station stop cell keeps of the object it was written over.
struct StopResidue {
  int32_t cell = 0;
  int station = 0;
  TrackCell cell_values;
  bool used = false;
  bool zero() const {
    return cell_values.value_2 == 0 && cell_values.value_3 == 0 && cell_values.value_4 == 0 &&
           cell_values.signal_time == 0;
  }
};

struct Slowdown {
  int32_t start = 0;
  int32_t end = -1;  // -1: the start cell itself (no end cell of its own)
  int16_t speed = 0;
  int16_t second_speed = 0;
  int16_t carried_value = 0;
  bool warning = false;
  bool lead_in = false;
  // The lead-in cells begin two cells below the warning: the start stands
  // on the half-way point below its cell, which rounds the lead-in's
  // position down and the warning's up.
  bool lead_in_lowered = false;
  // The second speed is a multiple of 65536: written as 65536.
  bool second_speed_wraps = false;
  std::vector<int> before_stations;
};

struct Signal {
  int32_t cell = 0;
  TrackCell values;
  bool hidden = false;
  int64_t code = 0;  // 3 × left-hand code + right-hand code
  std::vector<int> before_stations;
};

// Every step that may fail is [[nodiscard]] and returns false once it has
// set the failure (through refuse or fall_short); its caller returns false
// at once.
class Decompiler {
 public:
  Decompiler(const CompiledParts& scenario, bool approximate)
      : records_(scenario.records),
        cells_(scenario.cells),
        trace_file_(scenario.trace_file),
        approximate_(approximate) {}

  // The texts; false when the decompile stopped, with failure() saying why.
  [[nodiscard]] bool run(DecompiledTexts* texts) {
    if (!check_sizes() || !check_kinds()) return false;
    clear_stamps();
    if (!undo_code_point_pass() || !find_stations() || !find_boards() || !find_stop_cells() ||
        !find_slowdowns() || !find_signals()) {
      return false;
    }
    find_code_points();
    settle_signal_codes();
    find_signals_under_stop_cells_by_their_marks();
    return line_text(&texts->line_text) && train_text(&texts->train_text);
  }

  const Failure& failure() const { return failure_; }

 private:
  // The files cannot be those of a clean build.
  [[nodiscard]] bool refuse(std::string why) {
    failure_ = {std::move(why), true};
    return false;
  }
  // The recovery found no texts for files that may well be a clean build's.
  [[nodiscard]] bool fall_short(std::string why) {
    failure_ = {std::move(why), false};
    return false;
  }

  // A text of the files as one field of a source text.
  [[nodiscard]] bool spelled(std::string_view text, const std::string& what, std::string* field) {
    std::optional<std::string> written = text_field(text);
    if (!written) {
      return fall_short(what + " cannot be written in a source text (a line end or quotes in it)");
    }
    *field = std::move(*written);
    return true;
  }

  int32_t last() const { return static_cast<int32_t>(cells_.size()) - 1; }
  const TrackCell& cell(int32_t c) const { return cells_[static_cast<size_t>(c)]; }
  bool exists(int64_t c) const { return c >= 0 && c <= last(); }

  // ---- the files as a whole ----

  [[nodiscard]] bool check_sizes() {
    const int32_t route = route_length(records_);
    if (route < 0 || route > kMaxRouteLength) {
      return refuse("the route length " + std::to_string(route) + " m lies outside 0 to " +
                    std::to_string(kMaxRouteLength));
    }
    const int64_t cells = cells_for_route(route);
    if (static_cast<int64_t>(cells_.size()) != cells) {
      return refuse("the cells file holds " + std::to_string(cells_.size()) +
                    " cells, but a route of " + std::to_string(route) + " m has " +
                    std::to_string(cells));
    }
    return true;
  }

  [[nodiscard]] bool check_kinds() {
    for (int32_t c = 0; c <= last(); ++c) {
      const uint8_t kind = cell(c).kind;
      if ((kind >= 7 && kind <= 9) || kind > kIndicationBoardCell) {
        return refuse(cell_name(c) + " holds kind " + std::to_string(kind) +
                      ", which no entry makes");
      }
    }
    return true;
  }

  // Every build stamps the format marks and the scenario codes anew.
  void clear_stamps() {
    cells_[1].value_1 = 0;
    cells_[1].value_2 = 0;
    records_[kScenarioRecord].short_1 = 0;
    records_[kScenarioRecord].long_4 = 0;
  }

  [[nodiscard]] bool undo_code_point_pass() {
    std::string error;
    ReplayFailure failure{};
    std::vector<int32_t> placed;
    if (!code_points_of_the_pass(cells_, &placed, &error, &failure)) {
      return failure == ReplayFailure::kNoRun ? refuse(error) : fall_short(error);
    }
    pass_placed_.assign(cells_.size(), false);
    for (int32_t c : placed) {
      pass_placed_[static_cast<size_t>(c)] = true;
      cells_[static_cast<size_t>(c)].kind = kEmptyCell;
      cells_[static_cast<size_t>(c)].value_1 = 0;
    }
    return true;
  }

  // ---- records ----

  static bool is_station_record(const GeneralRecord& r) {
    return r.kind != 0 || r.long_1 != 0 || r.long_2 != 0 || r.long_3 != 0 || r.long_4 != 0 ||
           r.byte_1 != 0 || r.byte_2 != 0 || r.byte_3 != 0 || r.byte_4 != 0 || r.byte_5 != 0 ||
           r.short_1 != 0 || r.short_2 != 0 || r.short_3 != 0 || r.short_4 != 0 || r.short_5 != 0;
  }

  [[nodiscard]] bool find_stations() {
    station_count_ = 0;
    while (station_count_ + 1 <= kTopBoardRecord &&
           is_station_record(records_[static_cast<size_t>(station_count_) + 1])) {
      ++station_count_;
    }
    for (int r = kFirstStationRecord + 1; r <= station_count_; ++r) {
      const GeneralRecord& before = records_[static_cast<size_t>(r) - 1];
      const GeneralRecord& station = records_[static_cast<size_t>(r)];
      if (int64_t{area_start(station)} - kStationSpacing < area_end(before)) {
        return refuse("the station of record " + std::to_string(r) +
                      " stands closer to the one before than a build lets it: the files of a " +
                      "build that failed");
      }
    }
    for (int r = station_count_ + 1; r <= kTopBoardRecord; ++r) {
      if (is_station_record(records_[static_cast<size_t>(r)])) {
        return refuse("record " + std::to_string(r) + " holds a station behind an empty record " +
                      std::to_string(station_count_ + 1) + ": the files of a build that failed");
      }
    }
    return true;
  }

  [[nodiscard]] bool find_boards() {
    board_cell_of_record_.assign(kTopBoardRecord + 1, -1);
    int lowest = kTopBoardRecord + 1;
    for (int32_t c = 0; c <= last(); ++c) {
      if (cell(c).kind != kIndicationBoardCell) continue;
      const int r = cell(c).value_1;
      if (r <= station_count_ || r > kTopBoardRecord ||
          board_cell_of_record_[static_cast<size_t>(r)] >= 0) {
        return refuse(cell_name(c) + " holds an indication board whose text record " +
                      std::to_string(r) + " is no board record of its own");
      }
      board_cell_of_record_[static_cast<size_t>(r)] = c;
      lowest = std::min(lowest, r);
    }
    for (int r = station_count_ + 1; r <= kTopBoardRecord; ++r) {
      if (!records_[static_cast<size_t>(r)].text.empty()) lowest = std::min(lowest, r);
    }
    lowest_board_record_ = lowest;
    return true;
  }

  [[nodiscard]] bool find_stop_cells() {
    std::vector<bool> expected(cells_.size(), false);
    for (int r = 1; r <= station_count_; ++r) {
      const GeneralRecord& station = records_[static_cast<size_t>(r)];
      if (station.kind >= kUnmarkedStationKind) continue;
      const int64_t q = area_end_cell(station.long_2);
      if (!exists(q) || cell(static_cast<int32_t>(q)).kind != kStationStopCell ||
          cell(static_cast<int32_t>(q)).value_1 != r) {
        return refuse("the station of record " + std::to_string(r) +
                      " has no station stop cell in " + cell_name(static_cast<int32_t>(q)) +
                      ": the files of a build that failed");
      }
      expected[static_cast<size_t>(q)] = true;
      residues_.push_back({static_cast<int32_t>(q), r, cell(static_cast<int32_t>(q)), false});
    }
    for (int32_t c = 0; c <= last(); ++c) {
      if (cell(c).kind == kStationStopCell && !expected[static_cast<size_t>(c)]) {
        return refuse(cell_name(c) + " is a station stop cell of no station");
      }
    }
    return true;
  }

  StopResidue* residue_at(int32_t c) {
    for (StopResidue& residue : residues_) {
      if (residue.cell == c) return &residue;
    }
    return nullptr;
  }

  // ---- slowdowns ----

  [[nodiscard]] bool find_slowdowns() {
    lead_in_taken_.assign(cells_.size(), false);
    std::vector<bool> end_taken(cells_.size(), false);
    if (!find_slowdown_starts() || !find_slowdown_ends(end_taken) ||
        !find_ends_of_hidden_starts(end_taken)) {
      return false;
    }
    sort_slowdowns();
    return true;
  }

  void sort_slowdowns() {
    std::sort(slowdowns_.begin(), slowdowns_.end(),
              [](const Slowdown& a, const Slowdown& b) { return a.start < b.start; });
  }

  // The slowdowns of the start cells, and of the warnings whose start is
  // hidden under a station stop cell, by their starts.
  [[nodiscard]] bool find_slowdown_starts() {
    for (int32_t c = 0; c <= last(); ++c) {
      if (cell(c).kind != kSlowdownStartCell) continue;
      Slowdown s;
      s.start = c;
      s.speed = cell(c).value_1;
      s.second_speed = cell(c).value_2;
      s.carried_value = cell(c).value_3;
      slowdowns_.push_back(s);
    }
    // A warning whose start is hidden under a station stop cell.
    for (int32_t c = 0; c <= last(); ++c) {
      if (cell(c).kind != kSlowdownWarningCell) continue;
      const int32_t start = c + kSlowdownWarningCells;
      if (exists(start) && cell(start).kind == kSlowdownStartCell) continue;
      StopResidue* residue = exists(start) ? residue_at(start) : nullptr;
      if (residue == nullptr || residue->used || residue->cell_values.value_2 != cell(c).value_2) {
        return refuse(cell_name(c) + " is a slowdown warning without its slowdown start");
      }
      residue->used = true;
      Slowdown s;
      s.start = start;
      s.speed = cell(c).value_1;
      s.second_speed = cell(c).value_2;
      s.carried_value = residue->cell_values.value_3;
      s.before_stations.push_back(residue->station);
      slowdowns_.push_back(s);
    }
    sort_slowdowns();
    return true;
  }

  // Each slowdown's end among the free end cells of its three values, and
  // its warning.
  [[nodiscard]] bool find_slowdown_ends(std::vector<bool>& end_taken) {
    // The free end cells by their three values.
    std::map<std::array<int16_t, 3>, std::set<int32_t>> free_ends;
    for (int32_t c = 0; c <= last(); ++c) {
      if (cell(c).kind == kSlowdownEndCell) {
        free_ends[{cell(c).value_1, cell(c).value_2, cell(c).value_3}].insert(c);
      }
    }
    for (Slowdown& s : slowdowns_) {
      const auto it = free_ends.find({s.speed, s.second_speed, s.carried_value});
      if (it != free_ends.end() && !it->second.empty()) {
        // The nearest end after the start, else the last before it.
        auto end = it->second.upper_bound(s.start);
        if (end == it->second.end()) --end;
        s.end = *end;
        end_taken[static_cast<size_t>(s.end)] = true;
        it->second.erase(end);
      }
      if (!settle_warning(s)) return false;
    }
    return true;
  }

  // An end whose start is hidden under a station stop cell, which keeps
  // the slowdown's second speed and value.
  [[nodiscard]] bool find_ends_of_hidden_starts(const std::vector<bool>& end_taken) {
    for (int32_t c = 0; c <= last(); ++c) {
      if (cell(c).kind != kSlowdownEndCell || end_taken[static_cast<size_t>(c)]) continue;
      StopResidue* start = nullptr;
      for (StopResidue& residue : residues_) {
        const TrackCell& kept = residue.cell_values;
        if (!residue.used && kept.value_2 == cell(c).value_2 && kept.value_3 == cell(c).value_3 &&
            kept.value_4 == 0 && kept.signal_time == 0) {
          start = &residue;
          break;
        }
      }
      if (start == nullptr) {
        return refuse(cell_name(c) + " is a slowdown end without its slowdown start");
      }
      start->used = true;
      Slowdown s;
      s.start = start->cell;
      s.end = c;
      s.speed = cell(c).value_1;
      s.second_speed = cell(c).value_2;
      s.carried_value = cell(c).value_3;
      s.before_stations.push_back(start->station);
      if (!settle_warning(s)) return false;
      slowdowns_.push_back(s);
    }
    return true;
  }

  // The warning cell and the lead-in cells a slowdown starting in s.start
  // must have; those under station stop cells were written before them.
  [[nodiscard]] bool settle_warning(Slowdown& s) {
    const int32_t w = s.start - kSlowdownWarningCells;
    const bool may_warn =
        int64_t{kCellLength} * s.start > kSlowdownWarningFrom;  // some x above 1500 m
    const bool must_warn = int64_t{kCellLength} * (s.start - 1) > kSlowdownWarningFrom;
    if (!may_warn) return true;
    if (exists(w) && cell(w).kind == kSlowdownWarningCell) {
      s.warning = true;
    } else if (StopResidue* residue = exists(w) ? residue_at(w) : nullptr;
               must_warn && residue != nullptr && !residue->used) {
      residue->used = true;
      s.warning = true;
      s.before_stations.push_back(residue->station);
    } else if (must_warn) {
      return refuse("the slowdown starting in " + cell_name(s.start) + " has no warning in " +
                    cell_name(w));
    }
    if (!s.warning) return true;
    const std::optional<int32_t> nearest = lead_in_nearest(s, w);
    if (!nearest) return true;
    s.lead_in = true;
    s.lead_in_lowered = *nearest != w - 1;
    for (int i = 1; i <= kWarningLeadInCells; ++i) {
      const int32_t c = *nearest + 1 - i;
      if (!exists(c)) continue;
      if (cell(c).kind == kWarningLeadInCell) {
        lead_in_taken_[static_cast<size_t>(c)] = true;
        // A second speed of a multiple of 65536 leaves no trace but here.
        if (s.second_speed == 0 && cell(c).value_2 == i) s.second_speed_wraps = true;
        continue;
      }
      StopResidue* residue = residue_at(c);
      if (residue == nullptr || residue->used) {
        return refuse("the slowdown starting in " + cell_name(s.start) + " lacks its lead-in " +
                      cell_name(c));
      }
      residue->used = true;
      s.before_stations.push_back(residue->station);
    }
    return true;
  }

  // The nearest lead-in cell of a slowdown warned in w, if it has lead-in
  // cells: just below the warning, or one lower when an even start cell
  // lets the start stand on its lower half-way point (which rounds the
  // lead-in's position down and the warning's up).  The cells must hold
  // their marks (some may lie under station stop cells), be no other
  // slowdown's, and carry second-speed marks when the slowdown has a second
  // speed.
  std::optional<int32_t> lead_in_nearest(const Slowdown& s, int32_t w) const {
    if (lead_in_fits(s, w - 1)) return w - 1;
    const bool may_lower =
        s.start % 2 == 0 && kCellLength * (s.start - 1) - kCellLength / 2 > kSlowdownWarningFrom;
    if (may_lower && lead_in_fits(s, w - 2)) return w - 2;
    return std::nullopt;
  }

  bool lead_in_fits(const Slowdown& s, int32_t nearest) const {
    bool marked = false;
    for (int i = 1; i <= kWarningLeadInCells; ++i) {
      const int32_t c = nearest + 1 - i;
      if (!exists(c) || cell(c).kind != kWarningLeadInCell || cell(c).value_1 != i) continue;
      if (lead_in_taken_[static_cast<size_t>(c)]) return false;
      const int16_t second = cell(c).value_2;
      if (s.second_speed != 0 ? second != i : (second != 0 && second != i)) return false;
      marked = true;
    }
    return marked;
  }

  std::string slowdown_line(const Slowdown& s) const {
    int32_t x = kCellLength * (s.start - 1);
    if (s.warning && x <= kSlowdownWarningFrom)
      x = kSlowdownWarningFrom + 1;  // the same cells, with a warning
    int32_t shift = 0;
    if (s.lead_in_lowered) {
      shift = kCellLength / 2;
      x = kCellLength * (s.start - 1) - shift;
    }
    const int32_t end = s.end < 0 ? s.start : s.end;
    const int32_t l = kCellLength * (end - s.start) + shift;
    return entry_line(EntryId::kSlowdown,
                      {x, s.speed, l, s.carried_value, s.lead_in ? 1 : 0,
                       s.second_speed_wraps ? int64_t{65536} : int64_t{s.second_speed}});
  }

  // ---- signals ----

  // Cells whose approach byte some station or visible signal writes.
  std::vector<bool> marked_by_known_writers() const {
    std::vector<bool> marked(cells_.size(), false);
    for (int r = 1; r <= station_count_; ++r) {
      for (const auto& [c, value] : station_marks(records_[static_cast<size_t>(r)])) {
        marked[static_cast<size_t>(c)] = true;
      }
    }
    for (int32_t c = 0; c <= last(); ++c) {
      if (cell(c).kind != kSignalCell) continue;
      for (int b = 1; b <= kApproachMarks; ++b) {
        if (exists(c - 2 * b)) marked[static_cast<size_t>(c - 2 * b)] = true;
      }
    }
    return marked;
  }

  [[nodiscard]] bool find_signals() {
    for (int32_t c = 0; c <= last(); ++c) {
      if (cell(c).kind == kSignalCell) signals_.push_back({c, cell(c), false, 0, {}});
    }
    // A signal under a station stop cell shows by its signal time or by
    // approach marks that nothing else writes.
    const std::vector<bool> marked = marked_by_known_writers();
    for (StopResidue& residue : residues_) {
      if (residue.used) continue;
      bool marks_of_its_own = false;
      for (int b = 1; b <= kApproachMarks; ++b) {
        const int32_t c = residue.cell - 2 * b;
        if (exists(c) && cell(c).approach != 0 && !marked[static_cast<size_t>(c)]) {
          marks_of_its_own = true;
        }
      }
      if (residue.cell_values.signal_time == 0 && !marks_of_its_own) continue;
      residue.used = true;
      add_hidden_signal(residue);
    }
    std::sort(signals_.begin(), signals_.end(),
              [](const Signal& a, const Signal& b) { return a.cell < b.cell; });
    for (const Signal& s : signals_) {
      if (s.cell - 2 * kApproachMarks < 0)
        return refuse("the signal in " + cell_name(s.cell) + " stands too near the start");
    }
    return true;
  }

  // ---- code points ----

  void find_code_points() {
    for (int32_t c = 0; c <= last(); ++c) {
      const TrackCell& here = cell(c);
      if (here.kind == kCodePointCell) {
        const auto value = static_cast<uint16_t>(here.value_1);
        code_points_.push_back({c, value == 0 ? int64_t{65536} : int64_t{value}});
      } else if (here.kind == kCodeCutPointCell) {
        code_points_.push_back({c, 0});
      }
    }
  }

  // ---- approach marks and the order of the train's entries ----

  // The approach marks of a station that fall in existing cells.
  std::vector<std::pair<int32_t, uint8_t>> station_marks(const GeneralRecord& station) const {
    std::vector<std::pair<int32_t, uint8_t>> marks;
    for (const StationApproachMark& mark : station_approach_marks(station)) {
      if (exists(mark.cell)) marks.emplace_back(static_cast<int32_t>(mark.cell), mark.mark);
    }
    return marks;
  }

  static uint8_t signal_mark(int64_t code, int b) { return static_cast<uint8_t>(code * 10 + b); }

  // A writer of approach bytes: a station (record) or a signal (index).
  struct Writer {
    bool station = false;
    int index = 0;
    uint8_t value = 0;
  };

  std::vector<std::vector<Writer>> approach_writers() const {
    std::vector<std::vector<Writer>> writers(cells_.size());
    for (int r = 1; r <= station_count_; ++r) {
      for (const auto& [c, value] : station_marks(records_[static_cast<size_t>(r)])) {
        writers[static_cast<size_t>(c)].push_back({true, r, value});
      }
    }
    for (size_t i = 0; i < signals_.size(); ++i) {
      for (int b = 1; b <= kApproachMarks; ++b) {
        writers[static_cast<size_t>(signals_[i].cell - 2 * b)].push_back(
            {false, static_cast<int>(i), signal_mark(signals_[i].code, b)});
      }
    }
    return writers;
  }

  // The approach marks that no station or signal, with the codes settled,
  // leaves.
  int unexplained_marks() const {
    const std::vector<std::vector<Writer>> writers = approach_writers();
    int unexplained = 0;
    for (int32_t c = 0; c <= last(); ++c) {
      const uint8_t wanted = cell(c).approach;
      if (wanted == 0) continue;
      bool explained = false;
      for (const Writer& w : writers[static_cast<size_t>(c)]) {
        const Signal* signal = w.station ? nullptr : &signals_[static_cast<size_t>(w.index)];
        const uint8_t value = signal ? signal_mark(signal->code, (signal->cell - c) / 2) : w.value;
        if (value == wanted) explained = true;
      }
      if (!explained) ++unexplained;
    }
    return unexplained;
  }

  // Signals under station stop cells whose marks all lie where other
  // entries write, and went under them or misled the codes settled from
  // them: while some mark stays unexplained, the unused stop cell that,
  // taken for a signal, leaves the fewest unexplained becomes one.
  void find_signals_under_stop_cells_by_their_marks() {
    int unexplained = unexplained_marks();
    while (unexplained > 0) {
      StopResidue* best = nullptr;
      for (StopResidue& residue : residues_) {
        if (residue.used || residue.cell - 2 * kApproachMarks < 0) continue;
        const std::vector<Signal> kept = signals_;
        add_hidden_signal(residue);
        settle_signal_codes();
        if (const int left = unexplained_marks(); left < unexplained) {
          unexplained = left;
          best = &residue;
        }
        signals_ = kept;
      }
      if (best == nullptr) break;
      add_hidden_signal(*best);
      best->used = true;
      settle_signal_codes();
    }
  }

  void add_hidden_signal(const StopResidue& residue) {
    Signal hidden{residue.cell, residue.cell_values, true, 0, {residue.station}};
    hidden.values.value_1 = 0;
    signals_.push_back(hidden);
    std::sort(signals_.begin(), signals_.end(),
              [](const Signal& a, const Signal& b) { return a.cell < b.cell; });
  }

  // The code (3 × left-hand code + right-hand code) of each signal that an
  // approach mark tells: first from marks that only it writes; then, round
  // by round, from marks whose other writers are all settled and none of
  // them leaves the mark.  A signal whose marks all went under other marks
  // takes the code that its fourth value's last digit gives.
  void settle_signal_codes() {
    const std::vector<std::vector<Writer>> writers = approach_writers();
    std::vector<bool> settled(signals_.size(), false);
    auto value_of = [&](const Writer& w, int32_t c) -> std::optional<uint8_t> {
      if (w.station) return w.value;
      if (!settled[static_cast<size_t>(w.index)]) return std::nullopt;
      const Signal& other = signals_[static_cast<size_t>(w.index)];
      return signal_mark(other.code, (other.cell - c) / 2);
    };
    // Settles signal i from one of its marks; `sure_only`: only from a mark
    // that no other entry writes.
    auto try_settle = [&](size_t i, bool sure_only) {
      Signal& s = signals_[i];
      for (int b = 1; b <= kApproachMarks; ++b) {
        const int32_t c = s.cell - 2 * b;
        const uint8_t wanted = cell(c).approach;
        bool others_explain = false;
        bool others_settled = true;
        for (const Writer& w : writers[static_cast<size_t>(c)]) {
          if (!w.station && w.index == static_cast<int>(i)) continue;
          const std::optional<uint8_t> value = value_of(w, c);
          if (!value) others_settled = false;
          if (value && *value == wanted) others_explain = true;
        }
        const bool alone = writers[static_cast<size_t>(c)].size() == 1;
        if (!(alone || (!sure_only && others_settled && !others_explain))) continue;
        if (settle_code(s, wanted, b)) return true;
      }
      return false;
    };
    std::deque<size_t> waiting;
    std::vector<bool> queued(signals_.size(), false);
    for (size_t i = 0; i < signals_.size(); ++i) {
      settled[i] = try_settle(i, true);
      if (!settled[i]) {
        waiting.push_back(i);
        queued[i] = true;
      }
    }
    // A signal settled may settle the signals that share its marks' cells.
    while (!waiting.empty()) {
      const size_t i = waiting.front();
      waiting.pop_front();
      queued[i] = false;
      if (settled[i] || !try_settle(i, false)) continue;
      settled[i] = true;
      for (int b = 1; b <= kApproachMarks; ++b) {
        for (const Writer& w : writers[static_cast<size_t>(signals_[i].cell - 2 * b)]) {
          const auto j = static_cast<size_t>(w.index);
          if (w.station || settled[j] || queued[j]) continue;
          waiting.push_back(j);
          queued[j] = true;
        }
      }
    }
    for (size_t i = 0; i < signals_.size(); ++i) {
      if (!settled[i]) signals_[i].code = ((signals_[i].values.value_4 % 10) + 10) % 10;
    }
  }

  // The code of a signal whose mark `b` is `mark`, brought to agree with its
  // fourth value (10 × leading digit + code); false when none does.
  static bool settle_code(Signal& s, uint8_t mark, int b) {
    const int twice = (mark - b + 256) % 256;
    if (twice % 2 != 0) return false;
    const int64_t code = (int64_t{twice / 2} * 77) % 128;  // 10 code = mark - b (mod 256)
    for (int j = -3; j <= 4; ++j) {
      const int64_t candidate = code + 128 * j;
      if ((int64_t{s.values.value_4} - candidate) % 10 == 0) {
        s.code = candidate;
        return true;
      }
    }
    return false;
  }

  std::string signal_line(const Signal& s) const {
    const TrackCell& v = s.values;
    const int64_t leading_digit = (int64_t{v.value_4} - s.code) / 10;
    int64_t left_code = 0;
    int64_t time = 0;
    if (v.signal_time != 0) {
      left_code = 2;
      time = v.signal_time >= 101 ? v.signal_time : v.signal_time + 256;
    } else {
      left_code = s.code >= 0 ? s.code / 3 : -((2 - s.code) / 3);
    }
    const int64_t right_code = s.code - 3 * left_code;
    const Digits digits_1 = unpack_digits(v.value_1);
    const Digits digits_2 = unpack_digits(v.value_2);
    const Digits digits_3 = unpack_digits(v.value_3);
    return entry_line(EntryId::kSignal, {object_position(s.cell), left_code, digits_1.tens,
                                         digits_2.tens, digits_3.tens, leading_digit, right_code,
                                         digits_1.units, digits_2.units, digits_3.units, time});
  }

  [[nodiscard]] bool station_line(int r, std::string* line) {
    const GeneralRecord& st = records_[static_cast<size_t>(r)];
    const int64_t p = st.long_3;
    int64_t length = 0;
    int64_t value_6 = st.byte_4;
    if (st.kind >= 5 && st.kind <= 8) {
      length = p - st.long_1;
      value_6 = 0;
    } else {
      length = 2 * (p - st.long_1);
      if (r == kFirstStationRecord) value_6 = int64_t{st.long_2} - (p + length / 2) == 50 ? 1 : 0;
    }
    const int64_t t = st.long_4;
    *line =
        entry_line(EntryId::kStation, {p, st.kind, length, st.byte_1, st.byte_5, value_6,
                                       st.short_1, st.short_2, st.byte_2, st.short_3, st.short_4,
                                       st.short_5, st.byte_3, t / 3600, t % 3600 / 60, t % 60});
    std::string name;
    if (!spelled(st.text, "the name of the station of record " + std::to_string(r), &name)) {
      return false;
    }
    *line += ", " + name;
    return true;
  }

  // The entries of the train text in an order that reproduces every
  // overwrite: stations in record order first, then slowdowns, signals and
  // code points by cell, each moved before the stations that were written
  // over it, and the writers of each approach byte ordered so that one of
  // those whose value it keeps writes last.
  [[nodiscard]] bool ordered_train_entries(std::vector<TrainEntry>* ordered) {
    std::vector<TrainEntry> entries;
    for (int r = 1; r <= station_count_; ++r) {
      std::string line;
      if (!station_line(r, &line)) return false;
      entries.push_back({EntryKind::kStation, r, std::move(line)});
    }
    const size_t first_slowdown = entries.size();
    for (const Slowdown& s : slowdowns_)
      entries.push_back({EntryKind::kSlowdown, s.start, slowdown_line(s)});
    const size_t first_signal = entries.size();
    for (const Signal& s : signals_)
      entries.push_back({EntryKind::kSignal, s.cell, signal_line(s)});
    for (const auto& [c, value] : code_points_) {
      entries.push_back(
          {EntryKind::kCodePoint, c, entry_line(EntryId::kCodePoint, {kCellLength * c, value})});
    }
    const size_t n = entries.size();
    std::vector<std::set<size_t>> edges(n);
    for (int r = 2; r <= station_count_; ++r) edges[station_node(r - 1)].insert(station_node(r));
    for (size_t i = 0; i < slowdowns_.size(); ++i) {
      for (int r : slowdowns_[i].before_stations) edges[first_slowdown + i].insert(station_node(r));
    }
    for (size_t i = 0; i < signals_.size(); ++i) {
      for (int r : signals_[i].before_stations) edges[first_signal + i].insert(station_node(r));
    }
    std::vector<SharedCell> shared_cells;
    if (!approach_mark_cells(first_signal, &shared_cells)) return false;
    std::optional<std::vector<size_t>> order = constrained_order(edges, shared_cells);
    // The nearest order: the approach marks as they fall.
    if (!order && approximate_) order = constrained_order(edges);
    if (!order) return fall_short("the stations and signals overwrite one another in a circle");
    for (size_t i : *order) ordered->push_back(std::move(entries[i]));
    return true;
  }

  // The node of the station of record r among the train's entries.
  static size_t station_node(int r) { return static_cast<size_t>(r - 1); }

  // The cells whose approach byte some writers leave and others overwrite,
  // by their writers' nodes (signals from node first_signal on).
  [[nodiscard]] bool approach_mark_cells(size_t first_signal,
                                         std::vector<SharedCell>* shared_cells) {
    const std::vector<std::vector<Writer>> writers = approach_writers();
    for (int32_t c = 0; c <= last(); ++c) {
      const auto& here = writers[static_cast<size_t>(c)];
      const uint8_t wanted = cell(c).approach;
      if (here.empty()) {
        if (wanted != 0 && !approximate_)
          return fall_short(cell_name(c) +
                            " has an approach mark that no station or signal writes");
        continue;
      }
      SharedCell shared;
      for (const Writer& w : here) {
        const size_t node =
            w.station ? station_node(w.index) : first_signal + static_cast<size_t>(w.index);
        (w.value == wanted ? shared.leaving : shared.overwritten).push_back(node);
      }
      if (shared.leaving.empty()) {
        if (approximate_) continue;
        return fall_short("no order of the stations and signals leaves the approach mark " +
                          std::to_string(wanted) + " in " + cell_name(c));
      }
      if (!shared.overwritten.empty()) shared_cells->push_back(std::move(shared));
    }
    return true;
  }

  // ---- texts ----

  std::vector<uint8_t> cell_bytes(uint8_t TrackCell::*field) const {
    std::vector<uint8_t> bytes(cells_.size());
    for (size_t c = 0; c < cells_.size(); ++c) bytes[c] = cells_[c].*field;
    return bytes;
  }

  [[nodiscard]] bool chainage_lines(SourceText& text) {
    // Unflagged values of the three records, tried as chainage one, two and
    // three in every arrangement until the ordering gives the records back.
    std::array<GeneralRecord, 3> found;
    for (int i = 0; i < 3; ++i) {
      found[static_cast<size_t>(i)] =
          records_[static_cast<size_t>(kChainageThreeRecord) + static_cast<size_t>(i)];
      if (found[static_cast<size_t>(i)].long_3 == 1) found[static_cast<size_t>(i)].long_2 -= 100;
    }
    std::array<int, 3> order = {0, 1, 2};  // records 81, 82, 83 as chainage one, two, three
    bool reproduced = false;
    do {
      BuildState state;
      state.record(kChainageOneRecord) = found[static_cast<size_t>(order[0])];
      state.record(kChainageTwoRecord) = found[static_cast<size_t>(order[1])];
      state.record(kChainageThreeRecord) = found[static_cast<size_t>(order[2])];
      progressive_ordina(state);
      reproduced = true;
      for (int i = 0; i < 3; ++i) {
        const GeneralRecord& a = state.record(kChainageThreeRecord + i);
        const GeneralRecord& b =
            records_[static_cast<size_t>(kChainageThreeRecord) + static_cast<size_t>(i)];
        if (a.long_1 != b.long_1 || a.long_2 != b.long_2 || a.long_3 != b.long_3)
          reproduced = false;
      }
    } while (!reproduced && std::next_permutation(order.begin(), order.end()));
    if (!reproduced) return refuse("no three chainages order into records 81 to 83");
    const EntryId names[] = {EntryId::kChainageOne, EntryId::kChainageTwo, EntryId::kChainageThree};
    for (int i = 0; i < 3; ++i) {
      const GeneralRecord& c = found[static_cast<size_t>(order[static_cast<size_t>(i)])];
      text.line(entry_line(names[i], {c.long_1, c.long_2, c.long_3}));
    }
    return true;
  }

  [[nodiscard]] bool line_text(std::string* bytes) {
    SourceText text;
    if (!general_line_section(text) || !curve_section(text)) return false;
    text.line("[pendenze]");
    for (const ProfileStep& step : profile_steps(cell_bytes(&TrackCell::gradient))) {
      text.line(entry_line(EntryId::kGradient, {step.position, stored_gradient(step.byte)}));
    }
    if (!mountain_section(text)) return false;
    speed_board_section(text);
    if (!indication_board_section(text)) return false;
    text.line("[fine]");
    *bytes = text.bytes();
    return true;
  }

  [[nodiscard]] bool general_line_section(SourceText& text) {
    const GeneralRecord& scenario = records_[kScenarioRecord];
    const GeneralRecord& train = records_[kTrainRecord];
    text.line("[generale]");
    text.line(entry_line(EntryId::kRouteLength, {route_length(records_)}));
    if (!chainage_lines(text)) return false;
    text.line(entry_line(EntryId::kBackgroundOne, {scenario.long_1}));
    text.line(entry_line(EntryId::kBackgroundTwo, {scenario.long_3}));
    text.line(entry_line(EntryId::kBackgroundThree, {scenario.long_2}));
    const bool nine = train.long_3 == 9;
    if (!(train.long_3 == 4 || nine || (train.long_3 == 0 && train.long_2 == 0))) {
      return refuse("record 86 gives " + std::to_string(train.long_3) +
                    " signal codes, not 4 or 9");
    }
    text.line(entry_line(nine ? "ripetizione segnali 9 codici" : "ripetizione segnali 4 codici",
                         {train.long_1, train.long_2}));
    return true;
  }

  [[nodiscard]] bool curve_section(SourceText& text) {
    text.line("[curve]");
    std::vector<CurveEntry> curves;
    std::string error;
    const auto rows = static_cast<size_t>(trace_rows_for_route(route_length(records_)));
    if (!trace_curves(trace_file_, rows, last(), &curves, &error)) return refuse(error);
    for (const CurveEntry& c : curves) {
      const std::string keyword =
          std::string(c.left ? "curvas" : "curvad") + std::to_string(c.curve_class);
      text.line(entry_line(keyword, {c.start, c.length}));
    }
    return true;
  }

  [[nodiscard]] bool mountain_section(SourceText& text) {
    text.line("[montagne]");
    std::vector<MarkerNeed> needs(cells_.size(), MarkerNeed::kAny);
    for (size_t c = 0; c < cells_.size(); ++c) {
      if (pass_placed_[c]) continue;
      if (cells_[c].kind == kEmptyCell) needs[c] = MarkerNeed::kNone;
      if (cells_[c].kind == kMountainMarkerCell) needs[c] = MarkerNeed::kMarker;
    }
    std::vector<MountainEntry> mountains;
    std::string error;
    if (!mountain_entries(cell_bytes(&TrackCell::mountain_side), needs, &mountains, &error))
      return refuse(error);
    for (const MountainEntry& m : mountains)
      text.line(entry_line(EntryId::kMountain, {m.start, m.end, m.kind}));
    return true;
  }

  void speed_board_section(SourceText& text) {
    text.line("[cartelli]");
    for (int32_t c = 0; c <= last(); ++c) {
      const TrackCell& here = cell(c);
      const StopResidue* residue = residue_at(c);
      if (here.kind != kSpeedBoardCell && (residue == nullptr || residue->used || residue->zero()))
        continue;
      // A board under a station stop cell lost its first value.
      const int16_t v1 = here.kind == kSpeedBoardCell ? here.value_1 : int16_t{0};
      const SpeedPair rank_a = unpack_speed_pair(v1);
      const SpeedPair rank_b = unpack_speed_pair(here.value_2);
      const SpeedPair rank_c = unpack_speed_pair(here.value_3);
      const Digits stripes = unpack_digits(here.value_4);
      text.line(entry_line(EntryId::kSpeedBoard,
                           {object_position(c), rank_a.left, rank_b.left, rank_c.left, stripes.tens,
                            rank_a.right, rank_b.right, rank_c.right, stripes.units}));
      if (residue != nullptr) residue_at(c)->used = true;
    }
  }

  [[nodiscard]] bool indication_board_section(SourceText& text) {
    text.line("[indicazioni]");
    for (int r = kTopBoardRecord; r >= lowest_board_record_; --r) {
      int32_t c = board_cell_of_record_[static_cast<size_t>(r)];
      if (c < 0 && !hidden_board_cell(r, &c)) return false;
      std::string board_text;
      if (!spelled(records_[static_cast<size_t>(r)].text,
                   "the text of the board of record " + std::to_string(r), &board_text)) {
        return false;
      }
      text.line(std::string(grammar_entry(EntryId::kIndicationBoard).keyword) + ", " +
                std::to_string(object_position(c)) + ", " + board_text);
    }
    return true;
  }

  // A board whose cell a station stop cell took: any such cell that keeps
  // nothing of another object.
  [[nodiscard]] bool hidden_board_cell(int r, int32_t* cell) {
    for (StopResidue& residue : residues_) {
      if (!residue.used && residue.zero() && residue.cell >= 1) {
        residue.used = true;
        *cell = residue.cell;
        return true;
      }
    }
    return refuse("the board text of record " + std::to_string(r) + " has no cell");
  }

  [[nodiscard]] bool train_text(std::string* bytes) {
    SourceText text;
    const GeneralRecord& train = records_[kTrainRecord];
    text.line("[generale]");
    text.line(entry_line(EntryId::kCars, {car_count(records_)}));
    text.line(entry_line(EntryId::kBrakedMass, {braked_mass(records_)}));
    text.line(entry_line(EntryId::kSand, {train.short_1}));
    text.line(entry_line(EntryId::kClock, {train.short_3, train.short_4, train.short_5}));
    text.line("[aderenze]");
    for (const ProfileStep& step : profile_steps(cell_bytes(&TrackCell::adhesion))) {
      text.line(entry_line(EntryId::kAdhesion, {step.position, step.byte}));
    }
    text.line("[vel_limite]");
    for (const ProfileStep& step : profile_steps(cell_bytes(&TrackCell::speed_limit))) {
      text.line(entry_line(EntryId::kSpeedLimit, {step.position, 5 * int64_t{step.byte}}));
    }
    std::vector<TrainEntry> entries;
    if (!ordered_train_entries(&entries)) return false;
    object_sections(entries, text);
    text.line("[fine]");
    *bytes = text.bytes();
    return true;
  }

  // The sections of the train's objects, each header written as the
  // entries before it run out, so that the order is kept.
  static void object_sections(const std::vector<TrainEntry>& entries, SourceText& text) {
    const char* headers[] = {"[stazioni]", "[rallentamenti]", "[segnali]", "[codici]"};
    std::array<size_t, 4> remaining{};
    for (const TrainEntry& e : entries) ++remaining[static_cast<size_t>(e.kind)];
    size_t section = 0;
    text.line(headers[0]);
    auto advance = [&] {
      while (section + 1 < 4 && remaining[section] == 0) text.line(headers[++section]);
    };
    advance();
    for (const TrainEntry& e : entries) {
      text.line(e.line);
      --remaining[static_cast<size_t>(e.kind)];
      advance();
    }
  }

  std::array<GeneralRecord, kRecordCount> records_;
  std::vector<TrackCell> cells_;
  std::string_view trace_file_;
  const bool approximate_;
  std::vector<bool> pass_placed_;
  int station_count_ = 0;
  std::vector<int32_t> board_cell_of_record_;
  int lowest_board_record_ = kTopBoardRecord + 1;
  std::vector<StopResidue> residues_;
  std::vector<Slowdown> slowdowns_;
  std::vector<bool> lead_in_taken_;  // lead-in cells a slowdown has claimed
  std::vector<Signal> signals_;
  std::vector<std::pair<int32_t, int64_t>> code_points_;
  Failure failure_;
};

}  // namespace

bool decompile_scenario(const CompiledParts& scenario, DecompiledTexts* texts, std::string* error,
                        const DecompileMode& mode) {
  Decompiler decompiler(scenario, mode.approximate);
  DecompiledTexts recovered;
  if (decompiler.run(&recovered)) {
    *texts = std::move(recovered);
    return true;
  }
  *error = decompiler.failure().why;
  if (mode.files_not_clean != nullptr) *mode.files_not_clean = decompiler.failure().files_not_clean;
  return false;
}

}  // namespace sb
