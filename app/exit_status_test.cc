#include "app/exit_status.h"

#include <gtest/gtest.h>

#include <vector>

namespace sb {
namespace {

TEST(ExitStatus, OfABuild) {
  struct Case {
    BuildEnd end;
    bool finding;
    int status;
  };
  const std::vector<Case> cases = {
      {BuildEnd::kDone, false, 0},        {BuildEnd::kDone, true, 1},
      {BuildEnd::kStopped, false, 3},     {BuildEnd::kNoCells, true, 3},
      {BuildEnd::kWriteFailed, false, 3},
  };
  for (const Case& c : cases) {
    BuildReport report;
    report.end = c.end;
    if (c.finding) report.findings.push_back(Finding{});
    EXPECT_EQ(exit_status(report), c.status) << static_cast<int>(c.end) << " " << c.finding;
  }
}

}  // namespace
}  // namespace sb
