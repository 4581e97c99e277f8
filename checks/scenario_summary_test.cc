#include "checks/scenario_summary.h"

#include <gtest/gtest.h>

#include <string>

#include "format/chainages.h"
#include "format/record_fields.h"

namespace sb {
namespace {

// The summary's first line, for chainages as the records hold them.
std::string route_line(const ChainageRecords& chainages) {
  BuildState state;
  route_length(state.general_records) = 200000;
  store_chainage(chainages[0], state.general_records[kChainageThreeRecord]);
  store_chainage(chainages[1], state.general_records[kChainageTwoRecord]);
  store_chainage(chainages[2], state.general_records[kChainageOneRecord]);
  const std::string summary = scenario_summary(state, LineFacts{}, TrainFacts{});
  return summary.substr(0, summary.find('\n'));
}

// The summary reads the posts as the plot and the cell view do: of two
// chainages from the same start the one in the lower record leads, and an
// empty record holds nowhere.
TEST(ScenarioSummary, ReadsTheChainageAtBothEndsByTheOneRule) {
  EXPECT_EQ(route_line({Chainage{0, 350000, 0}, Chainage{0, 200000, 0}, {}}),
            "route: 200000 m, no cells; chainage 350+000 to 550+000");
  EXPECT_EQ(
      route_line({Chainage{100000, 10000, 0}, Chainage{0, 350000, 0}, Chainage{0, 500000, 0}}),
      "route: 200000 m, no cells; chainage 350+000 to 110+000");
  EXPECT_EQ(route_line({Chainage{100000, 10000, 0}, {}, Chainage{0, 500000, 0}}),
            "route: 200000 m, no cells; chainage 500+000 to 110+000");
  EXPECT_EQ(route_line({}), "route: 200000 m, no cells; chainage 0+000 to 200+000");
}

}  // namespace
}  // namespace sb
