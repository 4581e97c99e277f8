#ifndef SCENARIO_BUILDER_SOURCES_WRITTEN_LINES_FOR_TEST_H_
#define SCENARIO_BUILDER_SOURCES_WRITTEN_LINES_FOR_TEST_H_

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sb {

// Directory the writer tests write into.
inline constexpr char kTestDirectory[] = "C:/sim";

// The lines of a written text; every line must end in CR LF, with no CR or
// LF elsewhere.
inline std::vector<std::string> split_lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t end = bytes.find("\r\n", start);
    EXPECT_NE(end, std::string::npos) << "last line without CR LF";
    if (end == std::string::npos) break;
    std::string line = bytes.substr(start, end - start);
    EXPECT_EQ(line.find_first_of("\r\n"), std::string::npos) << line;
    lines.push_back(line);
    start = end + 2;
  }
  return lines;
}

}  // namespace sb

#endif  // SCENARIO_BUILDER_SOURCES_WRITTEN_LINES_FOR_TEST_H_
