#include "inspect/scenario_locator.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"

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
  ScenarioId scenario;
  EXPECT_TRUE(only_scenario({{"A", "1"}}, "dir", &scenario, &error));
  EXPECT_EQ(scenario, (ScenarioId{"A", "1"}));
  EXPECT_FALSE(only_scenario({}, "dir", &scenario, &error));
  EXPECT_EQ(error,
            "no compiled scenario in dir: it needs NAME_linea.dat, NAME_N.sim and NAME_N.dat "
            "side by side");
  EXPECT_FALSE(only_scenario({{"B", "1"}, {"B", "2"}}, "dir", &scenario, &error));
  EXPECT_EQ(error,
            "dir holds 2 compiled scenarios (B 1, B 2): choose one with --scenario and "
            "--train-number");
  EXPECT_EQ(scenario, (ScenarioId{"A", "1"})) << "a refusal leaves the scenario as it was";
}

// Both names given are taken as they are, without looking at the directory;
// a name that cannot be a Windows-1252 file name is refused first.
TEST(ChooseScenario, TakesBothNamesAsGivenAndRefusesOnesWindows1252Lacks) {
  MemoryFileSystem file_system;
  file_system.files = {{"/d/A_linea.dat", ""}, {"/d/A_1.sim", ""}, {"/d/A_1.dat", ""}};
  struct Case {
    const char* scenario_name;
    const char* train_number;
    bool chosen;
    ScenarioId expected;
    std::string error;
  };
  const Case cases[] = {
      {"", "", true, {"A", "1"}, ""},
      {"Citt\xC3\xA0", "7", true, {"Citt\xE0", "7"}, ""},
      {"\xCE\xA9",
       "",
       false,
       {"old", "0"},
       "--scenario \"\xCE\xA9\" has a character Windows-1252 lacks"},
      {"A",
       "\xCE\xA9",
       false,
       {"old", "0"},
       "--train-number \"\xCE\xA9\" has a character Windows-1252 lacks"},
  };
  for (const Case& c : cases) {
    ScenarioId scenario{"old", "0"};
    std::string error;
    EXPECT_EQ(
        choose_scenario(file_system, "/d", c.scenario_name, c.train_number, &scenario, &error),
        c.chosen)
        << c.scenario_name;
    EXPECT_EQ(scenario, c.expected) << c.scenario_name;
    EXPECT_EQ(error, c.error) << c.scenario_name;
  }
}

}  // namespace
}  // namespace sb
