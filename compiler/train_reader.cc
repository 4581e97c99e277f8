#include "compiler/train_reader.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "compiler/code_point_recorder.h"
#include "compiler/memorizza_dati.h"
#include "compiler/signal_recorder.h"
#include "compiler/slowdown_recorder.h"
#include "compiler/station_stop_recorder.h"
#include "compiler/text_walk.h"
#include "format/cell_geometry.h"
#include "format/cell_values.h"
#include "format/record_fields.h"
#include "format/station_area.h"
#include "model/error_codes.h"

namespace sb {
namespace {

bool fits_long(int64_t value) {
  return value >= std::numeric_limits<int32_t>::min() &&
         value <= std::numeric_limits<int32_t>::max();
}

// A speed limit is stored as its fifth, which must fit a byte.
bool speed_byte(int32_t speed, uint8_t* byte) {
  const std::optional<uint8_t> packed = pack_speed_limit(speed);
  if (!packed) return false;
  *byte = *packed;
  return true;
}

// Adhesion keeps its low 8 bits.
bool adhesion_byte(int32_t adhesion, uint8_t* byte) {
  *byte = static_cast<uint8_t>(adhesion);
  return true;
}

// A step profile over the cells: each entry's value holds from its cell up
// to the next entry's; the cursor is the next cell still to be written.
struct Profile {
  uint8_t TrackCell::*field;
  bool (*to_byte)(int32_t value, uint8_t* byte);
  int32_t cursor = 0;
  int32_t previous = 0;
  SourceLocation previous_location;
};

class TrainReader {
 public:
  TrainReader(BuildState& state, std::string_view text, const LineTextResult& line,
              Findings& findings)
      : state_(state),
        walk_(SourceLocation::Text::kTrain, text, state, findings),
        findings_(findings),
        station_bound_(std::min(line.next_board_record, kTopBoardRecord)),
        line_ended_outside_(line.flow == Flow::kEnd) {}

  Flow run() {
    const Flow flow = read_entries();
    if (flow == Flow::kStop || flow == Flow::kReadFailure) return flow;
    if (!fill_to_end(speed_) || !fill_to_end(adhesion_)) return Flow::kReadFailure;
    check_chainages();
    return flow;
  }

 private:
  Flow read_entries() {
    const TextEntries& text = walk_.entries();
    if (!text.opened) return text.failed ? walk_.read_failure() : Flow::kNext;
    const Flow flow = walk_.each_entry(0, text.entries.size(),
                                       [this](const TextEntry& e) { return compile_entry(e); });
    if (flow != Flow::kNext) return flow;
    return text.failed ? walk_.read_failure() : Flow::kNext;
  }

  Flow compile_entry(const TextEntry& entry) {
    switch (entry.id) {
      case EntryId::kBrakedMass: return braked_mass();
      case EntryId::kCars: return cars();
      case EntryId::kSpeedLimit: return speed_limit();
      case EntryId::kAdhesion: return adhesion();
      case EntryId::kClock: return clock();
      case EntryId::kSand: return sand();
      case EntryId::kSignal: return signal();
      case EntryId::kSlowdown: return slowdown();
      case EntryId::kCodePoint: return code_point();
      case EntryId::kStation: return station();
      default: return Flow::kNext;  // the line text's
    }
  }

  // ---- entries ----

  Flow braked_mass() { return walk_.read_all(&sb::braked_mass(state_.general_records)); }
  Flow cars() { return walk_.read_all(&sb::car_count(state_.general_records)); }
  Flow sand() { return walk_.read_all(&state_.record(kTrainRecord).short_1); }
  Flow clock() {
    GeneralRecord& train = state_.record(kTrainRecord);
    return walk_.read_all(&train.short_3, &train.short_4, &train.short_5);
  }
  Flow speed_limit() { return profile_entry(speed_); }
  Flow adhesion() { return profile_entry(adhesion_); }

  Flow profile_entry(Profile& profile) {
    int32_t position = 0;
    int32_t value = 0;
    if (const Flow flow = walk_.read_all(&position, &value); flow != Flow::kNext) return flow;
    if (!walk_.fits(position)) return walk_.end_outside_the_line(position);
    const int64_t n = cell_of(position);
    if (n > 0 && !write_up_to(profile, n)) return Flow::kReadFailure;
    profile.previous = value;
    profile.previous_location = walk_.keyword();
    return Flow::kNext;
  }

  Flow signal() {
    SignalEntry s;
    const Flow flow = walk_.read_all(&s.position, &s.left_code, &s.left_digit_1, &s.left_digit_2,
                                     &s.left_digit_3, &s.leading_digit, &s.right_code,
                                     &s.right_digit_1, &s.right_digit_2, &s.right_digit_3, &s.time);
    if (flow != Flow::kNext) return flow;
    if (!walk_.fits(s.position)) return walk_.end_outside_the_line(s.position);
    Finding refusal;
    const bool recorded = memo_segnale(state_, s, &refusal);
    return after_recorder(recorded, std::move(refusal), s.position);
  }

  Flow slowdown() {
    SlowdownEntry s;
    const Flow flow = walk_.read_all(&s.start, &s.speed, &s.length, &s.carried_value, &s.lead_in,
                                     &s.second_speed);
    if (flow != Flow::kNext) return flow;
    if (!walk_.fits(s.start)) return walk_.end_outside_the_line(s.start);
    Finding refusal;
    const bool recorded = memo_rallentamento(state_, s, &refusal);
    return after_recorder(recorded, std::move(refusal), s.start);
  }

  // A refusal by a recorder ends the reading (as at the end of the text when
  // the entry lies outside the line); so does a failed position check that
  // the line text left behind, once the entry has been recorded.
  Flow after_recorder(bool recorded, Finding refusal, int32_t position) {
    if (recorded) return line_ended_outside_ ? Flow::kStop : Flow::kNext;
    return after_refusal(std::move(refusal), position);
  }

  // A recorder's refusal stops the compilation, or ends the reading when the
  // entry needs cells outside the line.
  Flow after_refusal(Finding refused, int32_t position) {
    const bool outside = refused.code == kOutsideTheLine;
    const Flow flow = walk_.refuse(std::move(refused), position);
    return outside ? Flow::kEnd : flow;
  }

  Flow code_point() {
    int32_t position = 0;
    int32_t value = 0;
    if (const Flow flow = walk_.read_all(&position, &value); flow != Flow::kNext) return flow;
    if (!walk_.fits(position)) return walk_.end_outside_the_line(position);
    Finding refusal;
    if (record_code_point(state_, position, value, &refusal)) return Flow::kNext;
    return after_refusal(std::move(refusal), position);
  }

  Flow station() {
    // Without a free record below the board texts the table is full already.
    if (station_ > station_bound_) return walk_.stop(kStationTableFull);
    GeneralRecord& record = state_.record(station_);
    if (const Flow flow = walk_.read_all(&record.long_3); flow != Flow::kNext) return flow;
    const int32_t position = record.long_3;
    if (!walk_.fits(position, kStationReach)) return walk_.end_outside_the_line(position);
    if (position % kCellLength != 0) return walk_.stop_at(kStationPositionNotMultiple, position);
    int32_t length = 0;
    if (const Flow flow = walk_.read_all(&record.kind, &length); flow != Flow::kNext) return flow;
    if (length % kStationLengthStep != 0) return walk_.stop_at(kStationLengthNotMultiple, position);
    if (const Flow flow = read_station_values(record); flow != Flow::kNext) return flow;
    if (!set_extent(record, length)) return walk_.end_outside_the_line(position);
    if (length < 600) record.byte_5 = 0;
    if (station_ == kFirstStationRecord) {
      record.byte_4 = 0;
      record.byte_5 = 0;
    }
    if (Finding refusal; !record_station_stop(state_, station_, &refusal)) {
      if (refusal.code == kOutsideTheLine) return walk_.end_outside_the_line(position);
      return walk_.stop(refusal.code);
    }
    if (station_ > kFirstStationRecord &&
        int64_t{area_start(record)} - kStationSpacing < area_end(state_.record(station_ - 1))) {
      return walk_.stop_at(kStationsTooClose, position);
    }
    ++station_;
    if (station_ >= station_bound_) return walk_.stop(kStationTableFull);
    return Flow::kNext;
  }

  // The station values after its length: stored values, time and name.
  Flow read_station_values(GeneralRecord& record) {
    Flow flow = walk_.read_all(&record.byte_1, &record.byte_5, &record.byte_4, &record.short_1,
                               &record.short_2, &record.byte_2, &record.short_3, &record.short_4,
                               &record.short_5, &record.byte_3);
    if (flow != Flow::kNext) return flow;
    int32_t hours = 0;
    int32_t minutes = 0;
    int32_t seconds = 0;
    if (flow = walk_.read_all(&hours, &minutes, &seconds); flow != Flow::kNext) return flow;
    const int64_t time = (int64_t{hours} * 60 + minutes) * 60 + seconds;
    if (!fits_long(time)) {
      return walk_.fail(ReadCause::kTooWide,
                        "the station time " + std::to_string(hours) + ":" +
                            std::to_string(minutes) + ":" + std::to_string(seconds) +
                            " does not fit a long",
                        walk_.here());
    }
    record.long_4 = static_cast<int32_t>(time);
    return walk_.read_all(&record.text);
  }

  // False, nothing changed, when the station area does not fit the longs.
  static bool set_extent(GeneralRecord& record, int32_t length) {
    const StationArea extent =
        station_area(record.long_3, record.kind, length, /*extended=*/record.byte_4 != 0);
    if (!fits_long(extent.start) || !fits_long(extent.end)) return false;
    area_start(record) = static_cast<int32_t>(extent.start);
    area_end(record) = static_cast<int32_t>(extent.end);
    if (record.kind >= 5 && record.kind <= 8) record.byte_4 = 0;
    return true;
  }

  // ---- profiles ----

  // Writes the previous value from the cursor on, at least one cell, until
  // the cursor reaches cell n; the cursor never passes the last cell.
  bool write_up_to(Profile& profile, int64_t n) {
    do {
      if (profile.cursor >= last_cell()) return true;
      if (!write_at_cursor(profile)) return false;
    } while (profile.cursor < n);
    return true;
  }

  // The last value runs on to the third cell from the end.
  bool fill_to_end(Profile& profile) {
    do {
      if (!state_.cell_exists(profile.cursor)) return true;
      if (!write_at_cursor(profile)) return false;
    } while (profile.cursor < last_cell() - 2);
    return true;
  }

  bool write_at_cursor(Profile& profile) {
    uint8_t byte = 0;
    if (!profile.to_byte(profile.previous, &byte)) {
      walk_.fail(ReadCause::kTooWide,
                 "the speed " + std::to_string(profile.previous) +
                     " km/h divided by 5 does not fit a byte (0 to 255)",
                 profile.previous_location);
      return false;
    }
    state_.cell(profile.cursor).*profile.field = byte;
    ++profile.cursor;
    return true;
  }

  void check_chainages() {
    for (int index : {kChainageThreeRecord, kChainageTwoRecord, kChainageOneRecord}) {
      const GeneralRecord& chainage = state_.record(index);
      if (chainage.long_1 % kCellLength != 0 || chainage.long_2 % kCellLength != 0) {
        Finding finding = failure_of(kChainageNotMultiple, {SourceLocation::Text::kLine, 0, 0});
        finding.value = index;
        findings_.push_back(std::move(finding));
      }
    }
  }

  // The last cell: the profiles never pass it.
  int32_t last_cell() const { return static_cast<int32_t>(state_.track_cells.size()) - 1; }

  BuildState& state_;
  TextWalk walk_;
  Findings& findings_;
  const int32_t station_bound_;
  // The line text ended at a failed position check.
  const bool line_ended_outside_;
  int32_t station_ = kFirstStationRecord;
  Profile speed_{&TrackCell::speed_limit, &speed_byte, 0, 0, {}};
  Profile adhesion_{&TrackCell::adhesion, &adhesion_byte, 0, 0, {}};
};

}  // namespace

Flow compile_train_text(BuildState& state, std::string_view text, const LineTextResult& line,
                        Findings& findings) {
  return TrainReader(state, text, line, findings).run();
}

}  // namespace sb
