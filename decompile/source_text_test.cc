#include "decompile/source_text.h"

#include <gtest/gtest.h>

#include "frontend/field_reader.h"

namespace sb {
namespace {

TEST(TextField, ReadsBackAsWritten) {
  const struct {
    const char* text;
    const char* field;  // nullptr: no spelling gives it back
  } cases[] = {
      {"VALMIRA CENTRALE", "VALMIRA CENTRALE"},
      {"BRAVENTINA - COLLE", "BRAVENTINA - COLLE"},
      {"", ""},
      {"(Km 1,5)", "\"(Km 1,5)\""},
      {" leading blank", "\" leading blank\""},
      {"trailing blank ", "\"trailing blank \""},
      {"\"quoted\" start", nullptr},
      {"a \"quote\" inside", "a \"quote\" inside"},
      {"comma, and \"quote\"", nullptr},
      {"two\r\nlines", nullptr},
  };
  for (const auto& c : cases) {
    const std::optional<std::string> field = text_field(c.text);
    if (c.field == nullptr) {
      EXPECT_FALSE(field) << c.text;
      continue;
    }
    ASSERT_TRUE(field) << c.text;
    EXPECT_EQ(*field, c.field);
    // The field reader gives the text back, and the next field after it.
    const std::string source = *field + ", next\r\n";
    FieldReader reader(source);
    std::string read;
    ASSERT_TRUE(reader.read_text(&read));
    EXPECT_EQ(read, c.text);
    ASSERT_TRUE(reader.read_text(&read));
    EXPECT_EQ(read, "next");
  }
}

TEST(EntryLine, KeywordThenValues) {
  EXPECT_EQ(entry_line("pendenza", {300, -3}), "pendenza, 300, -3");
  EXPECT_EQ(entry_line("[fine]", {}), "[fine]");
  SourceText text;
  text.line("[generale]");
  text.line(entry_line("sabbia", {200}));
  EXPECT_EQ(text.bytes(), "[generale]\r\nsabbia, 200\r\n");
}

}  // namespace
}  // namespace sb
