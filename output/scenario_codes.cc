#include "output/scenario_codes.h"

#include "util/text.h"

namespace sb {
namespace {

constexpr char kLetterTable[] = "aabbccddeeffgghhiillmmnnoo";
constexpr int kCountedCharacters = 25;

void build_code_string(BuildState& state) {
  state.line_buffer =
      cp1252_lower(state.record(kTrainRecord).text + state.record(kScenarioRecord).text) +
      kLetterTable;
}

int32_t code_of(const BuildState& state, int i) {
  return static_cast<unsigned char>(state.line_buffer[static_cast<size_t>(i) - 1]);
}

}  // namespace

int32_t codice_gara_st(BuildState& state) {
  build_code_string(state);
  int32_t sum = 0;
  for (int i = 1; i <= kCountedCharacters; ++i) sum += code_of(state, i) * i;
  return sum;
}

int16_t codice_gara_og(BuildState& state) {
  build_code_string(state);
  int32_t sum = 0;
  for (int i = 1; i <= kCountedCharacters; ++i) sum += code_of(state, i);
  return static_cast<int16_t>(sum);
}

}  // namespace sb
