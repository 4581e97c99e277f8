#include "compiler/scenario_codes.h"

#include "util/text.h"

namespace sb {
namespace {

constexpr char kLetterTable[] = "aabbccddeeffgghhiillmmnnoo";
constexpr int kCountedCharacters = 25;

// Character i of the string, counted from 1.
int32_t code_of(const std::string& text, int i) {
  return static_cast<unsigned char>(text[static_cast<size_t>(i) - 1]);
}

}  // namespace

std::string code_string(const BuildState& state) {
  return cp1252_lower(state.record(kTrainRecord).text + state.record(kScenarioRecord).text) +
         kLetterTable;
}

int32_t codice_gara_st(const BuildState& state) {
  const std::string text = code_string(state);
  int32_t sum = 0;
  for (int i = 1; i <= kCountedCharacters; ++i) sum += code_of(text, i) * i;
  return sum;
}

int16_t codice_gara_og(const BuildState& state) {
  const std::string text = code_string(state);
  int32_t sum = 0;
  for (int i = 1; i <= kCountedCharacters; ++i) sum += code_of(text, i);
  return static_cast<int16_t>(sum);
}

}  // namespace sb
