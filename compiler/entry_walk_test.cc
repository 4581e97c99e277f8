#include "compiler/entry_walk.h"

#include <gtest/gtest.h>

#include <vector>

namespace sb {
namespace {

std::vector<std::string> keyword_fields(std::string_view text) {
  FieldReader reader(text);
  std::vector<std::string> fields;
  std::string field;
  if (seek_general_section(reader) != WalkStep::kField) return fields;
  while (next_keyword_field(reader, &field) == WalkStep::kField) fields.push_back(field);
  return fields;
}

TEST(EntryWalk, SkipsThePreambleAndNeverExaminesTheLastField) {
  EXPECT_EQ(keyword_fields("x\r\n[GENERALE]\r\nsabbia\r\n[fine]\r\n"),
            std::vector<std::string>{"sabbia"});
  EXPECT_EQ(keyword_fields("[generale]\r\nsabbia\r\n"), std::vector<std::string>{});
  EXPECT_EQ(keyword_fields("no section\r\nsabbia\r\n"), std::vector<std::string>{});
}

TEST(EntryWalk, UpToTwoCommentFieldsInARow) {
  EXPECT_EQ(keyword_fields("[generale]\r\n-a-,b\r\n-a-,-b-,c\r\n-a-,-b-,-c-\r\n[fine]\r\n"),
            (std::vector<std::string>{"b", "c", "-c-"}));
}

TEST(EntryWalk, AFailedReadIsReported) {
  FieldReader reader("");
  EXPECT_EQ(seek_general_section(reader), WalkStep::kReadFailure);
}

}  // namespace
}  // namespace sb
