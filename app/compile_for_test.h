#ifndef SCENARIO_BUILDER_APP_COMPILE_FOR_TEST_H_
#define SCENARIO_BUILDER_APP_COMPILE_FOR_TEST_H_

#include <string>

#include "app/exit_status.h"
#include "compiler/memorizza_percorso.h"
#include "output/scenario_files.h"
#include "platform/file_system.h"

namespace sb::test {

// Compiles the texts at `line` and `train` into the three files of scenario
// `name`, train `number`, in `directory`, as compile does (the line trace
// included, the texts kept); the build's exit status.
inline int compile_texts(FileSystem& files, const std::string& line, const std::string& train,
                         const std::string& directory, const std::string& name,
                         const std::string& number) {
  BuildState state;
  state.scenario_name = name;
  state.train_number = number;
  BuildPlan plan;
  plan.texts = {line, train, /*delete_after_reading=*/false};
  plan.outputs = scenario_file_names(directory, name, number);
  return exit_status(memorizza_percorso(state, kWithLineTrace, files, plan));
}

}  // namespace sb::test

#endif  // SCENARIO_BUILDER_APP_COMPILE_FOR_TEST_H_
