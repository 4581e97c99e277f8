#include "sources/line_list_writer.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"

namespace sb {
namespace {

const char kPath[] = "dir/out.txt";

TEST(LineListBytes, EndsEveryLineInCrLfAndKeepsBlanks) {
  EXPECT_EQ(line_list_bytes({"[generale]", "", "orologio,  12 ", "  ", kEndMarker}),
            "[generale]\r\n\r\norologio,  12 \r\n  \r\n");
}

TEST(LineListBytes, StopsAtTheEndMarker) {
  EXPECT_EQ(line_list_bytes({"a", kEndMarker, "after the marker", kEndMarker}), "a\r\n");
  EXPECT_EQ(line_list_bytes({kEndMarker}), "");
  // Only the exact marker ends the list.
  EXPECT_EQ(
      line_list_bytes({"Riferimento fine del file", "riferimento fine del file ", kEndMarker}),
      "Riferimento fine del file\r\nriferimento fine del file \r\n");
}

TEST(LineListBytes, WritesEveryLineWhenThereIsNoMarker) {
  EXPECT_EQ(line_list_bytes({"a", "b"}), "a\r\nb\r\n");
}

TEST(LineListBytes, KeepsSingleByteCharacters) {
  EXPECT_EQ(line_list_bytes({"\xE8 \xE0", kEndMarker}), std::string("\xE8 \xE0\r\n"));
}

TEST(WriteLineList, CreatesTheFile) {
  MemoryFileSystem fs;
  std::string error;
  ASSERT_TRUE(write_line_list(fs, kPath, {"one", "two", kEndMarker}, &error)) << error;
  EXPECT_EQ(fs.files[kPath], "one\r\ntwo\r\n");
}

TEST(WriteLineList, ReplacesALongerFileWhole) {
  MemoryFileSystem fs;
  fs.files[kPath] = std::string(5000, 'x') + "\r\nold tail\r\n";
  std::string error;
  ASSERT_TRUE(write_line_list(fs, kPath, {"new", kEndMarker}, &error)) << error;
  EXPECT_EQ(fs.files[kPath], "new\r\n");
}

TEST(WriteLineList, FailureLeavesTheOldFileAndNamesIt) {
  struct Fault {
    const char* name;
    void (*inject)(MemoryFileSystem&);
  };
  const Fault faults[] = {
      {"disk full", [](MemoryFileSystem& fs) { fs.space_left = 3; }},
      {"unwritable", [](MemoryFileSystem& fs) { fs.unwritable.insert(kPath); }},
  };
  for (const Fault& fault : faults) {
    SCOPED_TRACE(fault.name);
    MemoryFileSystem fs;
    fs.files[kPath] = "old contents\r\n";
    fault.inject(fs);
    std::string error;
    EXPECT_FALSE(write_line_list(fs, kPath, {"a longer new line", kEndMarker}, &error));
    EXPECT_NE(error.find(kPath), std::string::npos) << error;
    EXPECT_EQ(fs.files[kPath], "old contents\r\n");
  }
}

}  // namespace
}  // namespace sb
