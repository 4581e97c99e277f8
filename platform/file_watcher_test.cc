#include "platform/file_watcher.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>

namespace sb {
namespace {

namespace fs = std::filesystem;

// Far beyond what a change takes to be told; only a failing test waits it.
constexpr int kPatience = 5000;
// Long enough for a change that is coming to be told.
constexpr int kSettle = 300;

class FileWatcherTest : public ::testing::Test {
 public:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("file-watcher-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(directory_);
    fs::create_directories(directory_);
    write("line.txt", "first");
  }
  void TearDown() override { fs::remove_all(directory_); }

  std::string path(const std::string& name) const { return (directory_ / name).string(); }
  void write(const std::string& name, const std::string& text) const {
    std::ofstream(path(name), std::ios::binary) << text;
  }
  std::unique_ptr<FileWatcher> watch_line() const {
    std::string error;
    auto watcher = watch_files({path("line.txt")}, &error);
    EXPECT_NE(watcher, nullptr) << error;
    return watcher;
  }

  fs::path directory_;
};

TEST_F(FileWatcherTest, EveryWayOfSavingIsOneChange) {
  const struct {
    const char* how;
    std::function<void(FileWatcherTest&)> save;
  } cases[] = {
      {"written in place", [](FileWatcherTest& t) { t.write("line.txt", "second"); }},
      {"appended to",
       [](FileWatcherTest& t) { std::ofstream(t.path("line.txt"), std::ios::app) << "more"; }},
      {"replaced by a file renamed over it",
       [](FileWatcherTest& t) {
         t.write("line.txt.new", "second");
         fs::rename(t.path("line.txt.new"), t.path("line.txt"));
       }},
      {"deleted and written anew",
       [](FileWatcherTest& t) {
         fs::remove(t.path("line.txt"));
         t.write("line.txt", "second");
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    const auto watcher = watch_line();
    c.save(*this);
    EXPECT_EQ(watcher->wait(kPatience), FileWatcher::Event::kChanged);
    EXPECT_EQ(watcher->wait(kSettle), FileWatcher::Event::kTimeout);
  }
}

TEST_F(FileWatcherTest, ChangesCloseTogetherAreOne) {
  const auto watcher = watch_line();
  for (int i = 0; i < 5; ++i) {
    write("line.txt", "edit " + std::to_string(i));
    ::usleep(20 * 1000);
  }
  EXPECT_EQ(watcher->wait(kPatience), FileWatcher::Event::kChanged);
  EXPECT_EQ(watcher->wait(kSettle), FileWatcher::Event::kTimeout);
}

TEST_F(FileWatcherTest, OtherFilesOfTheDirectoryAreNotChanges) {
  const auto watcher = watch_line();
  write("line.dat", "output");
  write("line.txt.swp", "an editor's own file");
  EXPECT_EQ(watcher->wait(kSettle), FileWatcher::Event::kTimeout);
}

TEST_F(FileWatcherTest, FilesOfTwoDirectoriesAreWatched) {
  fs::create_directories(directory_ / "trains");
  std::string error;
  const auto watcher = watch_files({path("line.txt"), path("trains/train.txt")}, &error);
  ASSERT_NE(watcher, nullptr) << error;
  write("trains/train.txt", "a train text that did not stand yet");
  EXPECT_EQ(watcher->wait(kPatience), FileWatcher::Event::kChanged);
}

TEST_F(FileWatcherTest, AMissingDirectoryIsRefused) {
  std::string error;
  EXPECT_EQ(watch_files({path("gone/line.txt")}, &error), nullptr);
  EXPECT_EQ(error, "cannot watch the directory " + path("gone") + ": No such file or directory");
}

}  // namespace
}  // namespace sb
