#include "platform/held_directory.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/file_set_writer.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

bool write_file(FileSystem& file_system, const std::string& target) {
  FileSetWriter files(file_system);
  if (BufferedWriter* out = files.add(target)) out->put("new");
  return files.commit();
}

// Sets written into the held directory, however its name is spelt, take no
// second lock; another directory is locked as before; the lock ends with
// the holder.
TEST(HeldDirectory, CoversEverySetWrittenThereUntilReleased) {
  MemoryFileSystem file_system;
  std::string error;
  std::unique_ptr<HeldDirectory> held = HeldDirectory::take(file_system, "/d", &error);
  ASSERT_NE(held, nullptr) << error;
  EXPECT_EQ(file_system.locked, (std::set<std::string>{"/d/"}));
  file_system.log.clear();
  ASSERT_TRUE(write_file(*held, "/d/a.dat"));
  ASSERT_TRUE(write_file(*held, "/d//b.dat"));
  ASSERT_TRUE(write_file(*held, "/e/c.dat"));
  EXPECT_EQ(std::count(file_system.log.begin(), file_system.log.end(), "lock /d/"), 0);
  EXPECT_EQ(std::count(file_system.log.begin(), file_system.log.end(), "lock /e/"), 1);
  EXPECT_EQ(file_system.files.at("/d/a.dat"), "new");
  held.reset();
  EXPECT_TRUE(file_system.locked.empty());
}

TEST(HeldDirectory, ADirectoryThatCannotBeLockedIsRefused) {
  MemoryFileSystem file_system;
  file_system.unlockable.insert("/d/");
  std::string error;
  EXPECT_EQ(HeldDirectory::take(file_system, "/d/", &error), nullptr);
  EXPECT_EQ(error, "cannot lock /d/: Permission denied");
}

}  // namespace
}  // namespace sb
