#include <gtest/gtest.h>
#include <sstream>

#include "app/compile_for_test.h"
#include "app/decompile_command.h"
#include "bench/generated_scenario.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

// Compiles the texts at `line` and `train` into `directory`; the exit status.
int compile_into(MemoryFileSystem& files, const std::string& line, const std::string& train,
                 const std::string& directory) {
  return test::compile_texts(files, line, train, directory, kGeneratedScenarioName,
                             kGeneratedTrainNumber);
}

// The scenarios of the scale series decompile to texts that compile to the
// same files.
TEST(GeneratedRoundTrip, TenToOneThousandKilometres) {
  for (int32_t length : {10000, 100000, 300000, 1000000}) {
    const GeneratedScenario texts = generate_scenario(length);
    MemoryFileSystem files;
    files.files["src/l.txt"] = texts.line_text;
    files.files["src/t.txt"] = texts.train_text;
    ASSERT_EQ(compile_into(files, "src/l.txt", "src/t.txt", "built"), 0) << length;
    std::ostringstream out, err;
    ASSERT_EQ(decompile_command({"built", "", "", "texts", false, false}, files, out, err), 0)
        << length << ": " << err.str();
    ASSERT_EQ(compile_into(files, "texts/Generato_linea.txt", "texts/Generato_12345-.txt", "again"),
              0);
    for (const char* name : {"Generato_linea.dat", "Generato_12345.sim", "Generato_12345.dat"}) {
      EXPECT_TRUE(files.files[std::string("again/") + name] ==
                  files.files[std::string("built/") + name])
          << length << " " << name;
    }
  }
}

}  // namespace
}  // namespace sb
