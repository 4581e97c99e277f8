#include "platform/file_set_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "platform/memory_file_system.h"

namespace sb {
namespace {

namespace fs = std::filesystem;

using Files = std::map<std::string, std::string>;

// A set of three targets; the second has no old file.
const std::vector<std::string> kTargets = {"/d/a.dat", "/d/b.sim", "/d/c.dat"};
const Files kOldSet = {{"/d/a.dat", "old a"}, {"/d/c.dat", "old c"}};
const Files kNewSet = {{"/d/a.dat", "new a"}, {"/d/b.sim", "new b"}, {"/d/c.dat", "new c"}};

bool write_set(FileSystem& file_system, const Files& set, std::string* error) {
  FileSetWriter files(file_system);
  for (const auto& [target, bytes] : set) {
    if (BufferedWriter* out = files.add(target)) out->put(bytes);
  }
  const bool written = files.commit();
  *error = files.error();
  return written;
}

TEST(FileSetWriter, FinishesEveryFileBeforeReplacingAnyUnderTheLock) {
  MemoryFileSystem file_system;
  file_system.files = kOldSet;
  std::string error;
  ASSERT_TRUE(write_set(file_system, kNewSet, &error)) << error;
  EXPECT_EQ(file_system.files, kNewSet);  // no temporary, no kept file
  EXPECT_EQ(file_system.log,
            (std::vector<std::string>{"create /d/a.dat", "create /d/b.sim", "create /d/c.dat",
                                      "finish /d/a.dat", "finish /d/b.sim", "finish /d/c.dat",
                                      "lock /d/", "keep /d/a.dat", "keep /d/b.sim", "keep /d/c.dat",
                                      "replace /d/a.dat", "replace /d/b.sim", "replace /d/c.dat",
                                      "unlock /d/"}));
}

TEST(FileSetWriter, AFailureAtAnyStepLeavesTheWholeOldSet) {
  struct Case {
    const char* step;
    void (*inject)(MemoryFileSystem&);
    const char* error;
  };
  const Case cases[] = {
      {"the last file cannot be created",
       [](MemoryFileSystem& f) { f.unwritable.insert("/d/c.dat"); },
       "cannot write /d/c.dat: Permission denied"},
      {"the disk fills", [](MemoryFileSystem& f) { f.space_left = 7; },
       "cannot write /d/b.sim: No space left on device"},
      {"the second file fails as it is closed",
       [](MemoryFileSystem& f) { f.failing_close.insert("/d/b.sim"); },
       "cannot write /d/b.sim: Input/output error"},
      {"the directory cannot be locked", [](MemoryFileSystem& f) { f.unlockable.insert("/d/"); },
       "cannot lock /d/: Permission denied"},
      {"the last old file cannot be kept",
       [](MemoryFileSystem& f) { f.unkeepable.insert("/d/c.dat"); },
       "cannot keep the old /d/c.dat: Operation not permitted"},
      {"the first replacement fails", [](MemoryFileSystem& f) { f.failing_replaces = {0}; },
       "cannot replace /d/a.dat: Device or resource busy"},
      {"the second replacement fails", [](MemoryFileSystem& f) { f.failing_replaces = {1}; },
       "cannot replace /d/b.sim: Device or resource busy"},
      {"the last replacement fails", [](MemoryFileSystem& f) { f.failing_replaces = {2}; },
       "cannot replace /d/c.dat: Device or resource busy"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.step);
    MemoryFileSystem file_system;
    file_system.files = kOldSet;
    c.inject(file_system);
    std::string error;
    EXPECT_FALSE(write_set(file_system, kNewSet, &error));
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(file_system.files, kOldSet);
    EXPECT_TRUE(file_system.locked.empty());
  }
}

TEST(FileSetWriter, AnOldFileThatCannotBePutBackStaysUnderItsSecondName) {
  MemoryFileSystem file_system;
  file_system.files = kOldSet;
  // The last replacement fails, then so does putting back a.dat.
  file_system.failing_replaces = {2, 3};
  std::string error;
  EXPECT_FALSE(write_set(file_system, kNewSet, &error));
  EXPECT_EQ(error,
            "cannot replace /d/c.dat: Device or resource busy; the old file could not be put "
            "back and stays as /d/.sb-4.old (cannot replace /d/a.dat: Device or resource busy)");
  EXPECT_EQ(file_system.files,
            (Files{{"/d/.sb-4.old", "old a"}, {"/d/a.dat", "new a"}, {"/d/c.dat", "old c"}}));
}

TEST(FileSetWriter, AnEmptySetWritesNothing) {
  MemoryFileSystem file_system;
  FileSetWriter files(file_system);
  EXPECT_TRUE(files.commit());
  EXPECT_TRUE(file_system.files.empty());
}

// ---- On the disk ----

class DiskFileSet : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("file-set-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(directory_);
    fs::create_directories(directory_ / "d");
    fs::create_directories(directory_ / "elsewhere");
  }
  void TearDown() override { fs::remove_all(directory_); }

  std::string path(const std::string& name) const { return (directory_ / name).string(); }

  // The names in `folder`, with "@" before each link and "/" after each
  // directory.
  std::vector<std::string> entries(const std::string& folder) const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory_ / folder)) {
      std::string name = entry.path().filename().string();
      if (entry.is_symlink())
        name = "@" + name;
      else if (entry.is_directory())
        name += "/";
      names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  static std::string read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

  static void write(const std::string& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
  }

  fs::path directory_;
};

TEST_F(DiskFileSet, PlantedLinksAndStrayFilesAreNeverWrittenThrough) {
  const std::string victim = path("elsewhere/victim");
  write(victim, "the victim");
  // A link at a target, a dangling one at another, links and a directory
  // where temporaries of the target's name would go, a stray file.
  fs::create_symlink("../elsewhere/victim", path("d/a.dat"));
  fs::create_symlink("../elsewhere/new", path("d/b.sim"));
  fs::create_symlink("../elsewhere/victim", path("d/c.dat.partial"));
  fs::create_symlink("../elsewhere/victim", path("d/.sb-link.tmp"));
  fs::create_directory(path("d/b.sim.partial"));
  write(path("d/stray.tmp"), "stray");

  std::string error;
  ASSERT_TRUE(write_set(
      disk_file_system(),
      {{path("d/a.dat"), "new a"}, {path("d/b.sim"), "new b"}, {path("d/c.dat"), "new c"}}, &error))
      << error;
  EXPECT_EQ(read(victim), "the victim");
  EXPECT_EQ(entries("elsewhere"), std::vector<std::string>{"victim"});
  EXPECT_EQ(entries("d"),
            (std::vector<std::string>{"@.sb-link.tmp", "@c.dat.partial", "a.dat", "b.sim",
                                      "b.sim.partial/", "c.dat", "stray.tmp"}));
  EXPECT_EQ(read(path("d/a.dat")), "new a");
  EXPECT_EQ(read(path("d/b.sim")), "new b");
  EXPECT_EQ(read(path("d/c.dat")), "new c");
}

TEST_F(DiskFileSet, ADirectoryAtATargetLeavesEveryOldFileAndNoTemporary) {
  write(path("d/a.dat"), "old a");
  fs::create_directory(path("d/b.sim"));
  std::string error;
  EXPECT_FALSE(write_set(disk_file_system(),
                         {{path("d/a.dat"), "new a"}, {path("d/b.sim"), "new b"}}, &error));
  EXPECT_EQ(error, "cannot write " + path("d/b.sim") + ": a directory stands there");
  EXPECT_EQ(read(path("d/a.dat")), "old a");
  EXPECT_EQ(entries("d"), (std::vector<std::string>{"a.dat", "b.sim/"}));
}

// The disk as it is, but a directory appears at `planted` just before its
// old file is kept: another program's, at the worst moment.
class PlantingFileSystem : public FileSystem {
 public:
  explicit PlantingFileSystem(std::string planted) : planted_(std::move(planted)) {}
  bool exists(const std::string& path) override { return disk().exists(path); }
  bool read_file(const std::string& path, const ReadLimit& limit, std::string* contents,
                 std::string* error) override {
    return disk().read_file(path, limit, contents, error);
  }
  bool file_size(const std::string& path, uint64_t* bytes, std::string* error) override {
    return disk().file_size(path, bytes, error);
  }
  bool remove(const std::string& path) override { return disk().remove(path); }
  std::unique_ptr<OutputFile> create(const std::string& target, std::string* error) override {
    return disk().create(target, error);
  }
  bool keep_aside(const std::string& path, std::string* kept, std::string* error) override {
    if (path == planted_) fs::create_directory(path);
    return disk().keep_aside(path, kept, error);
  }
  bool replace(const std::string& from, const std::string& to, std::string* error) override {
    return disk().replace(from, to, error);
  }
  std::unique_ptr<DirectoryLock> lock_directory(const std::string& directory,
                                                std::string* error) override {
    return disk().lock_directory(directory, error);
  }

 private:
  static FileSystem& disk() { return disk_file_system(); }
  std::string planted_;
};

TEST_F(DiskFileSet, ADirectoryThatAppearsAtATargetIsNeverMoved) {
  write(path("d/a.dat"), "old a");
  PlantingFileSystem planting(path("d/b.sim"));
  std::string error;
  EXPECT_FALSE(
      write_set(planting, {{path("d/a.dat"), "new a"}, {path("d/b.sim"), "new b"}}, &error));
  EXPECT_EQ(error, "cannot write " + path("d/b.sim") + ": a directory stands there");
  EXPECT_EQ(read(path("d/a.dat")), "old a");
  EXPECT_EQ(entries("d"), (std::vector<std::string>{"a.dat", "b.sim/"}));

  std::string kept;
  EXPECT_FALSE(disk_file_system().keep_aside(path("d/b.sim"), &kept, &error));
  EXPECT_EQ(kept, "");
  EXPECT_EQ(entries("d"), (std::vector<std::string>{"a.dat", "b.sim/"}));
}

TEST_F(DiskFileSet, AReplacedFileKeepsItsPermissions) {
  write(path("d/private.txt"), "old");
  write(path("d/shared.sim"), "old");
  fs::permissions(path("d/private.txt"), fs::perms::owner_read | fs::perms::owner_write);
  fs::permissions(path("d/shared.sim"),
                  fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  std::string error;
  ASSERT_TRUE(write_set(disk_file_system(),
                        {{path("d/private.txt"), "new"}, {path("d/shared.sim"), "new"}}, &error))
      << error;
  EXPECT_EQ(read(path("d/private.txt")), "new");
  EXPECT_EQ(fs::status(path("d/private.txt")).permissions(),
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(fs::status(path("d/shared.sim")).permissions(),
            fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
}

TEST_F(DiskFileSet, ANameAsLongAsTheSystemAllowsCanBeWritten) {
  const std::string longest = path("d/" + std::string(255 - 4, 'n') + ".sim");
  write(longest, "old");
  std::string error;
  ASSERT_TRUE(write_set(disk_file_system(), {{longest, "new"}}, &error)) << error;
  EXPECT_EQ(read(longest), "new");
  EXPECT_EQ(entries("d").size(), 1u);
}

TEST_F(DiskFileSet, TwoRunsIntoOneDirectoryEachLeaveAWholeSet) {
  const std::vector<std::string> targets = {path("d/x_linea.dat"), path("d/x_1.sim"),
                                            path("d/x_1.dat")};
  auto set_of = [&](char run) {
    Files set;
    // Long enough that the runs overlap while writing.
    for (const std::string& target : targets) set[target] = std::string(1 << 18, run);
    return set;
  };
  const Files first = set_of('1');
  const Files second = set_of('2');
  for (int round = 0; round < 25; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::string first_error;
    std::string second_error;
    bool first_written = false;
    bool second_written = false;
    std::thread other(
        [&] { second_written = write_set(disk_file_system(), second, &second_error); });
    first_written = write_set(disk_file_system(), first, &first_error);
    other.join();
    EXPECT_TRUE(first_written) << first_error;
    EXPECT_TRUE(second_written) << second_error;
    const char whole = read(targets[0]).front();
    for (const std::string& target : targets) {
      EXPECT_EQ(read(target), std::string(1 << 18, whole)) << target;
    }
    EXPECT_EQ(entries("d").size(), 3u);
  }
}

}  // namespace
}  // namespace sb
