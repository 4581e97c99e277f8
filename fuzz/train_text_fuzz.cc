// The train text compiler on any text, over a small fixed line of 20 km
// whose cells already hold a mountain stretch with markers, a speed board
// and an indication board.

#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "compiler/line_reader.h"
#include "compiler/train_reader.h"
#include "fuzz/fuzz_checks.h"

namespace {

constexpr char kLineText[] =
    "[generale]\r\n"
    "lunghezza percorso, 20000\r\n"
    "progressiva chilometrica uno, 0, 350000, 0\r\n"
    "ripetizione segnali 4 codici, 1000, 15000\r\n"
    "[curve]\r\n"
    "pendenza, 0, 2\r\n"
    "pendenza, 5000, -3\r\n"
    "montagna, 3000, 4000, 12\r\n"
    "indicatori_vmax, 6000, 90, 95, 100, 0, 90, 95, 100, 0\r\n"
    "cartello_indicatore, 8000, (Km 358+000)\r\n"
    "[fine]\r\n";

struct Line {
  sb::BuildState state;
  sb::LineTextResult result;
};

const Line& fixed_line() {
  static const Line line = [] {
    Line compiled;
    compiled.state.scenario_name = "Fuzz";
    compiled.state.train_number = "1";
    sb::Findings findings;
    compiled.result = sb::compile_line_text(compiled.state, kLineText, findings);
    FUZZ_CHECK(compiled.result.flow == sb::Flow::kNext);
    FUZZ_CHECK(findings.empty());
    return compiled;
  }();
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const Line& line = fixed_line();
  sb::BuildState state = line.state;
  sb::Findings findings;
  const sb::Flow flow =
      sb::compile_train_text(state, sb::fuzz::as_text(data, size), line.result, findings);
  const int32_t code = sb::fuzz::check_findings(findings);
  FUZZ_CHECK((flow == sb::Flow::kReadFailure) == (code == sb::kReadFailed));
  sb::fuzz::check_state_shape(state);
  // The train text fills cells; it never resizes them or touches the line's
  // records.
  FUZZ_CHECK(state.track_cells.size() == line.state.track_cells.size());
  for (int record = 81; record <= 83; ++record) {
    FUZZ_CHECK(state.record(record) == line.state.record(record));
  }
  const int next_board = line.result.next_board_record;
  FUZZ_CHECK(state.record(next_board + 1) == line.state.record(next_board + 1));
  return 0;
}
