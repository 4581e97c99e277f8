#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sstream>

#include "app/compile_for_test.h"
#include "app/decompile_command.h"
#include "app/random_scenario_for_test.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

// The seeds the suite tries; SB_ROUND_TRIP_SEEDS=FIRST:COUNT tries others
// (a few thousand, by hand, after a change to the decompiler).
struct SeedRange {
  uint32_t first = 0;
  uint32_t count = 400;
};

SeedRange seed_range() {
  SeedRange range;
  if (const char* given = std::getenv("SB_ROUND_TRIP_SEEDS")) {
    unsigned long first = 0, count = 0;
    if (std::sscanf(given, "%lu:%lu", &first, &count) == 2) {
      range.first = static_cast<uint32_t>(first);
      range.count = static_cast<uint32_t>(count);
    }
  }
  return range;
}

// Compiles the texts at `line` and `train` into `directory`; the exit status.
int compile_into(MemoryFileSystem& files, const std::string& line, const std::string& train,
                 const std::string& directory) {
  return test::compile_texts(files, line, train, directory, "Zufall", "7");
}

// Every random scenario that compiles cleanly decompiles to texts that
// compile to the same three files.
TEST(DecompileRoundTrip, RandomScenarios) {
  const SeedRange seeds = seed_range();
  int clean = 0;
  for (uint32_t seed = seeds.first; seed - seeds.first < seeds.count; ++seed) {
    const test::RandomScenario scenario = test::random_scenario(seed);
    MemoryFileSystem files;
    files.files["src/l.txt"] = scenario.line_text;
    files.files["src/t.txt"] = scenario.train_text;
    if (compile_into(files, "src/l.txt", "src/t.txt", "built") != 0) continue;
    ++clean;
    std::ostringstream out, err;
    if (decompile_command({"built", "", "", "texts", false, false}, files, out, err) != 0) {
      ADD_FAILURE() << "seed " << seed << ": " << err.str() << "\n"
                    << scenario.line_text << "\n"
                    << scenario.train_text;
      continue;
    }
    ASSERT_EQ(compile_into(files, "texts/Zufall_linea.txt", "texts/Zufall_7-.txt", "again"), 0);
    for (const char* name : {"Zufall_linea.dat", "Zufall_7.sim", "Zufall_7.dat"}) {
      EXPECT_EQ(files.files[std::string("again/") + name],
                files.files[std::string("built/") + name])
          << "seed " << seed << " " << name;
    }
  }
  // Most seeds build cleanly, or the scenarios cover less than they claim.
  EXPECT_GE(clean, static_cast<int>(seeds.count) * 3 / 4);
}

}  // namespace
}  // namespace sb
