#include <gtest/gtest.h>
#include <sstream>

#include "compiler/memorizza_percorso.h"
#include "app/decompile_command.h"
#include "app/random_scenario_for_test.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

constexpr uint32_t kSeeds = 400;

// Compiles the texts at `line` and `train` into `directory`; the exit status.
int compile_into(MemoryFileSystem& files, const std::string& line, const std::string& train,
                 const std::string& directory) {
  BuildState state;
  state.scenario_name = "Zufall";
  state.train_number = "7";
  BuildPlan plan;
  plan.texts = {line, train, false};
  plan.outputs = scenario_file_names(directory, "Zufall", "7");
  return exit_status(memorizza_percorso(state, kWithLineTrace, files, plan));
}

// Every random scenario that compiles cleanly decompiles to texts that
// compile to the same three files.
TEST(DecompileRoundTrip, RandomScenarios) {
  int clean = 0;
  for (uint32_t seed = 0; seed < kSeeds; ++seed) {
    const test::RandomScenario scenario = test::random_scenario(seed);
    MemoryFileSystem files;
    files.files["src/l.txt"] = scenario.line_text;
    files.files["src/t.txt"] = scenario.train_text;
    if (compile_into(files, "src/l.txt", "src/t.txt", "built") != 0) continue;
    ++clean;
    std::ostringstream out, err;
    ASSERT_EQ(decompile_command({"built", "", "", "texts", false, false}, files, out, err), 0)
        << "seed " << seed << ": " << err.str() << "\n"
        << scenario.line_text << "\n"
        << scenario.train_text;
    ASSERT_EQ(compile_into(files, "texts/Zufall_linea.txt", "texts/Zufall_7-.txt", "again"), 0);
    for (const char* name : {"Zufall_linea.dat", "Zufall_7.sim", "Zufall_7.dat"}) {
      ASSERT_EQ(files.files[std::string("again/") + name],
                files.files[std::string("built/") + name])
          << "seed " << seed << " " << name;
    }
  }
  // Most seeds build cleanly, or the scenarios cover less than they claim.
  EXPECT_GE(clean, static_cast<int>(kSeeds) * 3 / 4);
}

}  // namespace
}  // namespace sb
