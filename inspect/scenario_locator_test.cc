#include "inspect/scenario_locator.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(CompleteScenarios, NeedsAllThreeFiles) {
  struct Case {
    const char* name;
    std::vector<std::string> files;
    std::string scenario;
    std::string train;
    std::vector<ScenarioId> expected;
  };
  const std::vector<Case> cases = {
      {"one scenario, underscores in its name",
       {"Valmira_Lunerio_linea.dat", "Valmira_Lunerio_37924.sim", "Valmira_Lunerio_37924.dat",
        "Valmira_Lunerio_37924_note.txt"},
       "",
       "",
       {{"Valmira_Lunerio", "37924"}}},
      {"no line trace", {"A_1.sim", "A_1.dat"}, "", "", {}},
      {"no cells", {"A_linea.dat", "A_1.sim"}, "", "", {}},
      {"two trains on one line",
       {"A_linea.dat", "A_2.sim", "A_2.dat", "A_1.sim", "A_1.dat"},
       "",
       "",
       {{"A", "1"}, {"A", "2"}}},
      {"train number chosen",
       {"A_linea.dat", "A_2.sim", "A_2.dat", "A_1.sim", "A_1.dat"},
       "",
       "2",
       {{"A", "2"}}},
      {"scenario name chosen",
       {"A_linea.dat", "A_1.sim", "A_1.dat", "B_linea.dat", "B_1.sim", "B_1.dat"},
       "B",
       "",
       {{"B", "1"}}},
      {"both splits of a stem with two underscores",
       {"A_linea.dat", "A_B_linea.dat", "A_B_1.sim", "A_B_1.dat"},
       "",
       "",
       {{"A", "B_1"}, {"A_B", "1"}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(complete_scenarios(c.files, c.scenario, c.train), c.expected) << c.name;
  }
}

TEST(OnlyScenario, ExplainsNoneAndSeveral) {
  std::string error;
  EXPECT_EQ(only_scenario({{"A", "1"}}, "dir", &error), (ScenarioId{"A", "1"}));
  EXPECT_FALSE(only_scenario({}, "dir", &error));
  EXPECT_EQ(error,
            "no compiled scenario in dir: it needs NAME_linea.dat, NAME_N.sim and NAME_N.dat "
            "side by side");
  EXPECT_FALSE(only_scenario({{"A", "1"}, {"A", "2"}}, "dir", &error));
  EXPECT_EQ(error,
            "dir holds 2 compiled scenarios (A 1, A 2): choose one with --scenario and "
            "--train-number");
}

}  // namespace
}  // namespace sb
