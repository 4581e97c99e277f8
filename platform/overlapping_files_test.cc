#include "platform/overlapping_files.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"

namespace sb {
namespace {

// The memory file system takes a path for the same file only as itself.
TEST(NoInputIsAnOutput, NamesTheFirstInputThatIsAnOutput) {
  MemoryFileSystem file_system;
  file_system.files = {{"/d/a.txt", "a"}, {"/d/b.txt", "b"}, {"/d/c.dat", "c"}};
  std::string error = "untouched";
  EXPECT_TRUE(no_input_is_an_output(file_system, {"/d/a.txt", "/d/b.txt"},
                                    {"/d/c.dat", "/d/new.dat"}, &error));
  EXPECT_EQ(error, "untouched");
  EXPECT_FALSE(no_input_is_an_output(file_system, {"/d/a.txt", "/d/b.txt", "/d/c.dat"},
                                     {"/d/c.dat", "/d/b.txt"}, &error));
  EXPECT_EQ(error, "the input /d/b.txt is the same file as the output /d/b.txt");
}

}  // namespace
}  // namespace sb
