#include "inspect/compiled_file.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"

namespace sb {
namespace {

TEST(CompiledFile, LargestSizesAreThoseOfTheLongestRoute) {
  EXPECT_EQ(trace_rows_for_route(0), 7001);
  EXPECT_EQ(cells_for_route(0), 141);
  // The last cell index is rounded, halves to even: 164.5 to 164, 165.5 to 166.
  EXPECT_EQ(cells_for_route(1225), 165);
  EXPECT_EQ(cells_for_route(1275), 167);
  EXPECT_EQ(kMostCellsFileBytes, static_cast<uint64_t>(cells_for_route(kMaxRouteLength)) * 15);
  EXPECT_EQ(kMostTraceFileBytes,
            static_cast<uint64_t>(trace_rows_for_route(kMaxRouteLength)) * 2 * (2 + 8));
  EXPECT_EQ(kMostRecordsFileBytes, 87u * (34 + 65535));
}

TEST(CompiledFile, ReadsAFileWithinItsBounds) {
  MemoryFileSystem files;
  files.files["a.dat"] = std::string(30, 'c');
  std::string bytes;
  std::string error;
  ASSERT_TRUE(read_sized_file(files, "a.dat", {15, 30, "a cells file"}, &bytes, &error)) << error;
  EXPECT_EQ(bytes, std::string(30, 'c'));
}

TEST(CompiledFile, RefusesAFileOutsideItsBoundsNamingThem) {
  const struct {
    uint64_t size;
    FileSizeBounds bounds;
    const char* message;
  } cases[] = {
      {1,
       {15, 15, "the cells file of a route of 0 m"},
       "cannot read a.dat: it is 1 byte, but the cells file of a route of 0 m is 15 bytes"},
      {16,
       {15, 15, "the cells file of a route of 0 m"},
       "cannot read a.dat: it is 16 bytes, but the cells file of a route of 0 m is 15 bytes"},
      {3,
       {4, 20, "the trace"},
       "cannot read a.dat: it is 3 bytes, but the trace is at least 4 bytes"},
      {21,
       {4, 20, "the trace"},
       "cannot read a.dat: it is 21 bytes, but the trace is at most 20 bytes"},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    files.files["a.dat"] = std::string(c.size, 'c');
    files.unreadable.insert("a.dat");  // refused before it is read, or the read would fail
    std::string bytes;
    std::string error;
    EXPECT_FALSE(read_sized_file(files, "a.dat", c.bounds, &bytes, &error));
    EXPECT_EQ(error, c.message);
  }
}

// A file that grows between the question and the reading is refused all
// the same, its bytes let go.
TEST(CompiledFile, RefusesAFileThatGrewSinceItsSizeWasAsked) {
  MemoryFileSystem files;
  files.files["a.dat"] = std::string(40, 'c');
  files.told_sizes["a.dat"] = 20;
  std::string bytes;
  std::string error;
  EXPECT_FALSE(read_sized_file(files, "a.dat", {0, 30, "a cells file"}, &bytes, &error));
  // The read stops at the bound, so the message states the bound, not the size.
  EXPECT_EQ(error, "cannot read a.dat: more than 30 bytes, the most a cells file may hold");
  EXPECT_EQ(bytes, "");
}

TEST(CompiledFile, PassesOnWhyTheSizeCannotBeHad) {
  MemoryFileSystem files;
  std::string bytes;
  std::string error;
  EXPECT_FALSE(read_sized_file(files, "gone.dat", {0, 30, "a cells file"}, &bytes, &error));
  EXPECT_EQ(error, "cannot read gone.dat: No such file or directory");
}

}  // namespace
}  // namespace sb
