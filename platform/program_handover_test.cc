#include "platform/program_handover.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace sb {
namespace {

namespace fs = std::filesystem;

TEST(HandOverTo, BecomesTheProgramWithTheArgumentsInOrder) {
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    hand_over_to("/bin/sh", {"-c", "exit $0", "7"});
    _exit(99);
  }
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 7);
}

TEST(HandOverTo, AMissingProgramIsToldApartFromOneThatCannotRun) {
  const fs::path directory = fs::temp_directory_path() / ("handover-" + std::to_string(getpid()));
  fs::create_directories(directory);
  const fs::path not_executable = directory / "program";
  std::ofstream(not_executable) << "#!/bin/sh\n";
  fs::permissions(not_executable, fs::perms::owner_read | fs::perms::owner_write);

  const HandoverFailure missing = hand_over_to((directory / "none").string(), {});
  EXPECT_TRUE(missing.missing);
  EXPECT_EQ(missing.reason, "No such file or directory");
  const HandoverFailure refused = hand_over_to(not_executable.string(), {});
  EXPECT_FALSE(refused.missing);
  EXPECT_EQ(refused.reason, "Permission denied");
  fs::remove_all(directory);
}

}  // namespace
}  // namespace sb

#endif
