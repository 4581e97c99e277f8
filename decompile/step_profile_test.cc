#include "decompile/step_profile.h"

#include <gtest/gtest.h>

#include "compiler/gradient_cursor.h"

namespace sb {
namespace {

// The gradient bytes that the entries write through the line text's cursor.
std::vector<uint8_t> compiled(const std::vector<ProfileStep>& steps, size_t cells) {
  BuildState state;
  state.track_cells.resize(cells);
  state.cell_last_index = static_cast<int32_t>(cells) - 1;
  GradientCursor cursor;
  for (const ProfileStep& step : steps) cursor.change(state, step.position, step.byte - 100);
  cursor.fill_to_end(state);
  std::vector<uint8_t> bytes;
  for (const TrackCell& cell : state.track_cells) bytes.push_back(cell.gradient);
  return bytes;
}

TEST(ProfileSteps, CompileBackToTheCells) {
  // Cells 0 to 9: the cursor fills 0 to 6 at least; 7 to 9 only on request.
  const std::vector<std::vector<uint8_t>> cases = {
      {100, 100, 100, 100, 100, 100, 100, 0, 0, 0},        // one gradient throughout
      {100, 97, 97, 103, 103, 103, 100, 0, 0, 0},          // changes
      {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},                      // -100 everywhere: as unwritten
      {100, 100, 100, 100, 100, 100, 100, 100, 0, 0},      // one cell beyond the fill
      {100, 100, 100, 100, 100, 100, 100, 5, 6, 0},        // two beyond
      {100, 100, 100, 100, 100, 100, 100, 100, 100, 100},  // every cell
      {100, 100, 100, 100, 100, 100, 90, 0, 7, 0},         // a written zero before a value
  };
  for (const std::vector<uint8_t>& cells : cases) {
    EXPECT_EQ(compiled(profile_steps(cells), cells.size()), cells)
        << ::testing::PrintToString(cells);
  }
}

TEST(ProfileSteps, OneEntryPerChange) {
  const std::vector<uint8_t> cells = {100, 97, 97, 103, 103, 103, 100, 0, 0, 0};
  const std::vector<ProfileStep> expected = {{0, 100}, {50, 97}, {150, 103}, {300, 100}};
  EXPECT_EQ(profile_steps(cells), expected);
}

}  // namespace
}  // namespace sb
