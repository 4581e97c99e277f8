#include "compiler/line_reader.h"

#include <optional>
#include <string>
#include <utility>

#include "compiler/chainage_order.h"
#include "compiler/gradient_cursor.h"
#include "compiler/indication_board_recorder.h"
#include "compiler/line_recorders.h"
#include "compiler/line_trace_builder.h"
#include "compiler/memorizza_dati.h"
#include "compiler/text_walk.h"
#include "format/record_fields.h"
#include "frontend/text_rules.h"
#include "model/error_codes.h"
#include "util/text.h"

namespace sb {
namespace {

constexpr int32_t kCabSignalStep = 50;

class LineTextCompiler {
 public:
  LineTextCompiler(BuildState& state, std::string_view text, Findings& findings)
      : state_(state),
        walk_(SourceLocation::Text::kLine, text, state, findings,
              ReadOptions{.curves = state.trace_flag != 0}) {}

  LineTextResult run();

 private:
  // Walks.
  Flow seek_general();
  Flow read_general_section();
  Flow read_body();
  void finish_line();

  // The entry's compile, by its kind.
  Flow compile_entry(const TextEntry& entry);

  // General entries.
  Flow read_route_length();
  Flow read_chainage(int record);
  Flow read_background(int32_t GeneralRecord::*target);
  Flow read_cab_signalling();

  // Body entries.
  Flow read_gradient();
  Flow read_curve();
  Flow read_mountain();
  Flow read_speed_board();
  Flow read_indication_board();
  void prepare_body();

  BuildState& state_;
  TextWalk walk_;
  std::string_view field_;
  bool route_length_given_ = false;
  GradientCursor gradients_;
  std::optional<LineTraceBuilder> trace_;
  int32_t next_board_record_ = kTopBoardRecord;
};

LineTextResult LineTextCompiler::run() {
  Flow flow = seek_general();
  if (flow == Flow::kNext) flow = read_general_section();
  if (flow == Flow::kNext) {
    progressive_ordina(state_);
    if (!route_length_given_) {
      const TextEntries& text = walk_.entries();
      flow = walk_.fail(ReadCause::kNoRouteLength, "the general section gives no route length",
                        text.location(text.fields[text.general_last]));
    }
  }
  if (flow == Flow::kNext) {
    prepare_body();
    flow = read_body();
  }
  if (flow == Flow::kNext || flow == Flow::kEnd) finish_line();

  return {flow, next_board_record_};
}

// ---- Walks ----

Flow LineTextCompiler::seek_general() {
  const TextEntries& text = walk_.entries();
  if (text.opened) return Flow::kNext;
  if (text.failed) return walk_.read_failure();
  // Said where the section should begin: at the first field, unless the
  // header stands as the last field, which the reader never examines.
  const TextField& last = text.fields.back();
  const bool header_last = contains_ignoring_case(text.token(last), kOpeningField);
  walk_.note_keyword(header_last ? last : text.fields.front());
  return walk_.stop(kNoGeneralSection);
}

// The general section's entries, then its end: a read failure there, or
// the route length it must give.
Flow LineTextCompiler::read_general_section() {
  const TextEntries& text = walk_.entries();
  const size_t end = text.general_done ? text.body : text.entries.size();
  if (const Flow flow =
          walk_.each_entry(0, end, [this](const TextEntry& e) { return compile_entry(e); });
      flow != Flow::kNext) {
    return flow;
  }
  if (!text.general_done) return walk_.read_failure();
  return Flow::kNext;
}

void LineTextCompiler::prepare_body() {
  state_.mountain_count = 0;
  next_board_record_ = kTopBoardRecord;
  gradients_ = GradientCursor{};
  if (state_.trace_flag != 0) trace_.emplace(state_.line_trace);
}

// Reads the body to its end (kNext), or to a failed position check (kEnd).
Flow LineTextCompiler::read_body() {
  const TextEntries& text = walk_.entries();
  const Flow flow = walk_.each_entry(text.body, text.entries.size(),
                                     [this](const TextEntry& e) { return compile_entry(e); });
  if (flow != Flow::kNext) return flow;
  return text.failed ? walk_.read_failure() : Flow::kNext;
}

void LineTextCompiler::finish_line() {
  gradients_.fill_to_end(state_);
  if (trace_) trace_->straight_to_end();
}

// ---- General entries ----

Flow LineTextCompiler::compile_entry(const TextEntry& entry) {
  field_ = walk_.entries().token(walk_.entries().keyword(entry));
  // Background two and three are crossed in the scenario record.
  switch (entry.id) {
    case EntryId::kRouteLength: return read_route_length();
    case EntryId::kChainageThree: return read_chainage(kChainageThreeRecord);
    case EntryId::kChainageTwo: return read_chainage(kChainageTwoRecord);
    case EntryId::kChainageOne: return read_chainage(kChainageOneRecord);
    case EntryId::kBackgroundOne: return read_background(&GeneralRecord::long_1);
    case EntryId::kBackgroundTwo: return read_background(&GeneralRecord::long_3);
    case EntryId::kBackgroundThree: return read_background(&GeneralRecord::long_2);
    case EntryId::kCabSignalling: return read_cab_signalling();
    case EntryId::kGradient: return read_gradient();
    case EntryId::kCurve: return read_curve();
    case EntryId::kMountain: return read_mountain();
    case EntryId::kSpeedBoard: return read_speed_board();
    case EntryId::kIndicationBoard: return read_indication_board();
    default: return Flow::kNext;  // the train text's
  }
}

Flow LineTextCompiler::read_background(int32_t GeneralRecord::*target) {
  return walk_.read_all(&(state_.record(kScenarioRecord).*target));
}

Flow LineTextCompiler::read_route_length() {
  int32_t& length = route_length(state_.general_records);
  if (const Flow flow = walk_.read_all(&length); flow != Flow::kNext) return flow;
  if (length < 0 || length > kMaxRouteLength) return walk_.stop(kRouteLengthRefused, length);
  size_for_route(state_, length);
  route_length_given_ = true;
  return Flow::kNext;
}

Flow LineTextCompiler::read_chainage(int record) {
  GeneralRecord& chainage = state_.record(record);
  return walk_.read_all(&chainage.long_1, &chainage.long_2, &chainage.long_3);
}

Flow LineTextCompiler::read_cab_signalling() {
  GeneralRecord& train = state_.record(kTrainRecord);
  if (const Flow flow = walk_.read_all(&train.long_1, &train.long_2); flow != Flow::kNext) {
    return flow;
  }
  if (train.long_1 % kCabSignalStep != 0) return walk_.stop(kCabStartNotMultiple, train.long_1);
  if (train.long_2 % kCabSignalStep != 0) return walk_.stop(kCabEndNotMultiple, train.long_2);
  if (contains(field_, "4")) {
    train.long_3 = 4;
  } else if (contains(field_, "9")) {
    train.long_3 = 9;
  } else {
    return walk_.stop(kCabCodesMissing);
  }
  if (train.long_2 == 0) train.long_3 = 0;
  return Flow::kNext;
}

// ---- Body entries ----

Flow LineTextCompiler::read_gradient() {
  int32_t position = 0;
  int32_t gradient = 0;
  if (const Flow flow = walk_.read_all(&position, &gradient); flow != Flow::kNext) return flow;
  if (!walk_.fits(position)) return walk_.end_outside_the_line(position);
  gradients_.change(state_, position, gradient);
  return Flow::kNext;
}

Flow LineTextCompiler::read_curve() {
  const std::optional<double> turn = curve_turn(field_);
  int32_t start = 0;
  int32_t length = 0;
  if (const Flow flow = walk_.read_all(&start, &length); flow != Flow::kNext) return flow;
  if (!walk_.fits(start)) return walk_.end_outside_the_line(start);
  if (!turn) return walk_.stop(kCurveRefused);
  if (!trace_->curve(start, length, *turn)) return walk_.stop(kCurveRefused);
  return Flow::kNext;
}

Flow LineTextCompiler::read_mountain() {
  int32_t start = 0;
  int32_t end = 0;
  int32_t kind = 0;
  if (const Flow flow = walk_.read_all(&start, &end, &kind); flow != Flow::kNext) return flow;
  if (!walk_.fits(start) || !span_fits(state_, mountain_cells(start, end))) {
    return walk_.end_outside_the_line(start);
  }
  if (Finding refusal; !memo_montagna(state_, start, end, kind, &refusal)) {
    return walk_.refuse(std::move(refusal), start);
  }
  return Flow::kNext;
}

Flow LineTextCompiler::read_speed_board() {
  int32_t position = 0;
  SpeedBoard board;
  if (const Flow flow =
          walk_.read_all(&position, &board.left_speed_a, &board.left_speed_b, &board.left_speed_c,
                         &board.left_stripes, &board.right_speed_a, &board.right_speed_b,
                         &board.right_speed_c, &board.right_stripes);
      flow != Flow::kNext) {
    return flow;
  }
  if (!walk_.fits(position) || !state_.cell_exists(board_cell(position))) {
    return walk_.end_outside_the_line(position);
  }
  if (Finding refusal; !memo_indicatori_v_max(state_, position, board, &refusal)) {
    if (refusal.code != kReadFailed) return walk_.refuse(std::move(refusal), position);
    return walk_.fail(refusal.cause, std::move(refusal.detail), walk_.keyword());
  }
  return Flow::kNext;
}

Flow LineTextCompiler::read_indication_board() {
  int32_t position = 0;
  std::string text;
  if (const Flow flow = walk_.read_all(&position, &text); flow != Flow::kNext) return flow;
  if (!walk_.fits(position) || !state_.cell_exists(board_cell(position))) {
    return walk_.end_outside_the_line(position);
  }
  if (Finding refusal;
      !record_indication_board(state_, position, std::move(text), next_board_record_, &refusal)) {
    return walk_.refuse(std::move(refusal), position);
  }
  return Flow::kNext;
}

}  // namespace

LineTextResult compile_line_text(BuildState& state, std::string_view text, Findings& findings) {
  return LineTextCompiler(state, text, findings).run();
}

}  // namespace sb
