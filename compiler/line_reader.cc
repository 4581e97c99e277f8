#include "compiler/line_reader.h"

#include <optional>
#include <string>
#include <utility>

#include "compiler/chainage_order.h"
#include "compiler/entry_walk.h"
#include "compiler/field_reader.h"
#include "compiler/gradient_cursor.h"
#include "compiler/indication_board_recorder.h"
#include "compiler/line_recorders.h"
#include "compiler/line_trace_builder.h"
#include "compiler/memorizza_dati.h"
#include "format/cell_geometry.h"
#include "model/error_codes.h"
#include "util/text.h"

namespace sb {
namespace {

constexpr int kMostGeneralComments = 10;
constexpr int32_t kCabSignalStep = 50;

// How the walk goes on after a step.
enum class Flow {
  kGoOn,
  kEndOfBody,    // a failed position check: the rest of the text is not read
  kStop,         // a failure: the compile ends here
  kReadFailure,  // error 25
};

bool closes_general_section(const std::string& field) {
  if (!contains(field, "[") || !contains(field, "]")) return false;
  const size_t first = field.find_first_not_of(" \t");
  return first == std::string::npos || field[first] != '-';
}

class LineTextCompiler {
 public:
  LineTextCompiler(BuildState& state, std::string_view text, Findings& findings)
      : state_(state), reader_(text), findings_(findings) {}

  LineTextResult run();

 private:
  // Walks.
  Flow seek_general();
  Flow read_general_section();
  Flow read_general_keyword();
  Flow read_body();
  void finish_line();

  // General entries.
  Flow apply_general_entry();
  Flow read_route_length();
  Flow read_chainage(int record);
  Flow read_background(int32_t& target);
  Flow read_cab_signalling();

  // Body entries.
  Flow apply_body_entry();
  Flow read_gradient();
  Flow read_curve();
  Flow read_mountain();
  Flow read_speed_board();
  Flow read_indication_board();
  void prepare_body();

  // Failures.
  bool read_long(int32_t* value);
  Flow read_failure();
  Flow refuse_without_route_length();
  Flow stop(int32_t code);
  Flow stop_with(int32_t code, int64_t value);
  Flow refuse(Finding finding, int32_t position);
  Flow end_outside_the_line(int32_t position);
  bool position_fits(int32_t position) const;
  void note_keyword_location();

  BuildState& state_;
  FieldReader reader_;
  Findings& findings_;
  std::string field_;
  SourceLocation keyword_location_;
  bool ended_outside_the_line_ = false;
  bool route_length_given_ = false;
  GradientCursor gradients_;
  std::optional<LineTraceBuilder> trace_;
  int32_t next_board_record_ = kTopBoardRecord;
};

LineTextResult LineTextCompiler::run() {
  Flow flow = seek_general();
  if (flow == Flow::kGoOn) flow = read_general_section();
  if (flow == Flow::kGoOn) {
    progressive_ordina(state_);
    if (!route_length_given_) flow = refuse_without_route_length();
  }
  if (flow == Flow::kGoOn) {
    prepare_body();
    flow = read_body();
  }
  if (flow == Flow::kGoOn || flow == Flow::kEndOfBody) finish_line();

  LineTextResult result;
  result.next_board_record = next_board_record_;
  result.ended_outside_the_line = ended_outside_the_line_;
  if (flow == Flow::kStop) result.outcome = TextOutcome::kStopped;
  if (flow == Flow::kReadFailure) result.outcome = TextOutcome::kReadFailure;
  return result;
}

// ---- Walks ----

Flow LineTextCompiler::seek_general() {
  switch (seek_general_section(reader_)) {
    case WalkStep::kField: return Flow::kGoOn;
    case WalkStep::kReadFailure: return read_failure();
    case WalkStep::kStop: break;
  }
  note_keyword_location();
  return stop(kNoGeneralSection);
}

// Inside the general section a comment may be followed by the end of the
// text: reading past it is a read failure.
Flow LineTextCompiler::read_general_keyword() {
  if (!reader_.read_text(&field_)) return read_failure();
  note_keyword_location();
  return Flow::kGoOn;
}

Flow LineTextCompiler::read_general_section() {
  while (!reader_.at_end()) {
    if (Flow flow = read_general_keyword(); flow != Flow::kGoOn) return flow;
    if (reader_.at_end()) return Flow::kGoOn;  // the last field is not examined
    for (int i = 0; i < kMostGeneralComments && contains(field_, "-"); ++i) {
      if (Flow flow = read_general_keyword(); flow != Flow::kGoOn) return flow;
    }
    if (Flow flow = apply_general_entry(); flow != Flow::kGoOn) return flow;
    if (closes_general_section(field_)) return Flow::kGoOn;
  }
  return Flow::kGoOn;
}

void LineTextCompiler::prepare_body() {
  state_.mountain_count = 0;
  next_board_record_ = kTopBoardRecord;
  gradients_ = GradientCursor{};
  if (state_.trace_flag != 0) trace_.emplace(state_.line_trace);
}

Flow LineTextCompiler::read_body() {
  while (true) {
    switch (next_keyword_field(reader_, &field_)) {
      case WalkStep::kStop: return Flow::kGoOn;
      case WalkStep::kReadFailure: return read_failure();
      case WalkStep::kField: break;
    }
    note_keyword_location();
    if (Flow flow = apply_body_entry(); flow != Flow::kGoOn) return flow;
  }
}

void LineTextCompiler::finish_line() {
  gradients_.fill_to_end(state_);
  if (trace_) trace_->straight_to_end();
}

// ---- General entries ----

Flow LineTextCompiler::apply_general_entry() {
  // Every row that matches reads its values, in this order.
  if (contains_ignoring_case(field_, "lunghezza") && contains_ignoring_case(field_, "percorso")) {
    if (Flow flow = read_route_length(); flow != Flow::kGoOn) return flow;
  }
  const struct {
    const char* word;
    int record;
  } chainages[] = {
      {"tre", kChainageThreeRecord}, {"due", kChainageTwoRecord}, {"uno", kChainageOneRecord}};
  for (const auto& row : chainages) {
    if (!contains(field_, "progressiva") || !contains(field_, row.word)) continue;
    if (Flow flow = read_chainage(row.record); flow != Flow::kGoOn) return flow;
  }
  // Background two and three are crossed in the scenario record.
  GeneralRecord& scenario = state_.record(kScenarioRecord);
  const struct {
    const char* word;
    int32_t& target;
  } backgrounds[] = {{"uno", scenario.long_1}, {"due", scenario.long_3}, {"tre", scenario.long_2}};
  for (const auto& row : backgrounds) {
    if (!contains(field_, "sfondo") || !contains(field_, row.word)) continue;
    if (Flow flow = read_background(row.target); flow != Flow::kGoOn) return flow;
  }
  if (contains(field_, "segnali") && contains(field_, "ripetizione")) return read_cab_signalling();
  return Flow::kGoOn;
}

Flow LineTextCompiler::read_route_length() {
  int32_t& length = state_.record(kTotalsRecord).long_2;
  if (!read_long(&length)) return read_failure();
  if (length < 0 || length > kMaxRouteLength) return stop_with(kRouteLengthRefused, length);
  size_for_route(state_, length);
  route_length_given_ = true;
  return Flow::kGoOn;
}

Flow LineTextCompiler::read_chainage(int record) {
  GeneralRecord& chainage = state_.record(record);
  if (!read_long(&chainage.long_1) || !read_long(&chainage.long_2) ||
      !read_long(&chainage.long_3)) {
    return read_failure();
  }
  return Flow::kGoOn;
}

Flow LineTextCompiler::read_background(int32_t& target) {
  return read_long(&target) ? Flow::kGoOn : read_failure();
}

Flow LineTextCompiler::read_cab_signalling() {
  GeneralRecord& train = state_.record(kTrainRecord);
  if (!read_long(&train.long_1) || !read_long(&train.long_2)) return read_failure();
  if (train.long_1 % kCabSignalStep != 0) return stop_with(kCabStartNotMultiple, train.long_1);
  if (train.long_2 % kCabSignalStep != 0) return stop_with(kCabEndNotMultiple, train.long_2);
  if (contains(field_, "4")) {
    train.long_3 = 4;
  } else if (contains(field_, "9")) {
    train.long_3 = 9;
  } else {
    return stop(kCabCodesMissing);
  }
  if (train.long_2 == 0) train.long_3 = 0;
  return Flow::kGoOn;
}

// ---- Body entries ----

Flow LineTextCompiler::apply_body_entry() {
  const struct {
    bool matches;
    Flow (LineTextCompiler::*read)();
  } rows[] = {
      {contains_ignoring_case(field_, "pendenza"), &LineTextCompiler::read_gradient},
      {contains_ignoring_case(field_, "curva") && trace_.has_value(),
       &LineTextCompiler::read_curve},
      {contains_ignoring_case(field_, "montagna"), &LineTextCompiler::read_mountain},
      {contains_ignoring_case(field_, "indicatori_v"), &LineTextCompiler::read_speed_board},
      {contains_ignoring_case(field_, "indicat") && contains_ignoring_case(field_, "cartello"),
       &LineTextCompiler::read_indication_board},
  };
  for (const auto& row : rows) {
    if (!row.matches) continue;
    if (Flow flow = (this->*row.read)(); flow != Flow::kGoOn) return flow;
  }
  return Flow::kGoOn;
}

Flow LineTextCompiler::read_gradient() {
  int32_t position = 0;
  int32_t gradient = 0;
  if (!read_long(&position) || !read_long(&gradient)) return read_failure();
  if (!position_fits(position)) return end_outside_the_line(position);
  gradients_.change(state_, position, gradient);
  return Flow::kGoOn;
}

Flow LineTextCompiler::read_curve() {
  const std::optional<double> turn = curve_turn(field_);
  int32_t start = 0;
  int32_t length = 0;
  if (!read_long(&start) || !read_long(&length)) return read_failure();
  if (!position_fits(start)) return end_outside_the_line(start);
  if (!turn) return stop(kCurveRefused);
  if (!trace_->curve(start, length, *turn)) return stop(kCurveRefused);
  return Flow::kGoOn;
}

Flow LineTextCompiler::read_mountain() {
  int32_t start = 0;
  int32_t end = 0;
  int32_t kind = 0;
  if (!read_long(&start) || !read_long(&end) || !read_long(&kind)) return read_failure();
  if (!position_fits(start) || !span_fits(state_, mountain_cells(start, end))) {
    return end_outside_the_line(start);
  }
  if (std::optional<Finding> refused = memo_montagna(state_, start, end, kind)) {
    return refuse(std::move(*refused), start);
  }
  return Flow::kGoOn;
}

Flow LineTextCompiler::read_speed_board() {
  int32_t position = 0;
  SpeedBoard board;
  for (int32_t* value : {&position, &board.left_speed_a, &board.left_speed_b, &board.left_speed_c,
                         &board.left_stripes, &board.right_speed_a, &board.right_speed_b,
                         &board.right_speed_c, &board.right_stripes}) {
    if (!read_long(value)) return read_failure();
  }
  if (!position_fits(position) || !state_.cell_exists(board_cell(position))) {
    return end_outside_the_line(position);
  }
  if (std::optional<Finding> refused = memo_indicatori_v_max(state_, position, board)) {
    if (refused->code != kReadFailed) return refuse(std::move(*refused), position);
    refused->location = keyword_location_;
    findings_.push_back(std::move(*refused));
    return Flow::kReadFailure;
  }
  return Flow::kGoOn;
}

Flow LineTextCompiler::read_indication_board() {
  int32_t position = 0;
  std::string text;
  if (!read_long(&position) || !reader_.read_text(&text)) return read_failure();
  if (!position_fits(position) || !state_.cell_exists(board_cell(position))) {
    return end_outside_the_line(position);
  }
  if (std::optional<Finding> refused =
          record_indication_board(state_, position, std::move(text), next_board_record_)) {
    return refuse(std::move(*refused), position);
  }
  return Flow::kGoOn;
}

// ---- Failures ----

bool LineTextCompiler::read_long(int32_t* value) { return reader_.read_long(value); }

Flow LineTextCompiler::read_failure() {
  findings_.push_back(sb::read_failure(
      reader_.failure(), {SourceLocation::Text::kLine, reader_.line(), reader_.column()}));
  return Flow::kReadFailure;
}

Flow LineTextCompiler::refuse_without_route_length() {
  findings_.push_back(
      sb::read_failure("the general section gives no route length", keyword_location_));
  return Flow::kReadFailure;
}

Flow LineTextCompiler::stop(int32_t code) { return stop_with(code, 0); }

Flow LineTextCompiler::stop_with(int32_t code, int64_t value) {
  Finding finding = failure_of(code, keyword_location_);
  finding.value = value;
  findings_.push_back(std::move(finding));
  return Flow::kStop;
}

Flow LineTextCompiler::refuse(Finding finding, int32_t position) {
  finding.location = keyword_location_;
  finding.position = position;
  findings_.push_back(std::move(finding));
  return Flow::kStop;
}

Flow LineTextCompiler::end_outside_the_line(int32_t position) {
  refuse(outside_the_line(state_), position);
  ended_outside_the_line_ = true;
  return Flow::kEndOfBody;
}

// The entry's position plus 100 m may reach the last cell, no further.
bool LineTextCompiler::position_fits(int32_t position) const {
  return reach_fits(position, kEntryReach, state_.cell_last_index);
}

void LineTextCompiler::note_keyword_location() {
  keyword_location_ = {SourceLocation::Text::kLine, reader_.line(), reader_.column()};
}

}  // namespace

LineTextResult compile_line_text(BuildState& state, std::string_view text, Findings& findings) {
  return LineTextCompiler(state, text, findings).run();
}

}  // namespace sb
