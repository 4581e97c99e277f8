#include "format/scenario_names.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(ScenarioNames, DefaultsFromTheInputNames) {
  EXPECT_EQ(scenario_name_from_line_text("dir/Valmira_Lunerio_linea.txt"), "Valmira_Lunerio");
  EXPECT_EQ(scenario_name_from_line_text("line.txt"), std::nullopt);
  EXPECT_EQ(scenario_name_from_line_text("_linea.txt"), std::nullopt);
  EXPECT_EQ(train_number_from_train_text("d/Valmira_Lunerio_37924-.txt", "Valmira_Lunerio"),
            "37924");
  EXPECT_EQ(train_number_from_train_text("Other_37924-.txt", "Valmira_Lunerio"), std::nullopt);
  EXPECT_EQ(train_number_from_train_text("Valmira_Lunerio_37924.txt", "Valmira_Lunerio"),
            std::nullopt);
  EXPECT_EQ(train_number_from_train_text("Valmira_Lunerio_-.txt", "Valmira_Lunerio"), std::nullopt);
}

TEST(ScenarioNames, ChecksKeepOutputsInsideTheirDirectory) {
  struct Case {
    const char* name;
    bool is_train_number;
    const char* error;
  };
  const Case cases[] = {
      {"", false, "the scenario name is empty"},
      {"a/b", false, "the scenario name \"a/b\" holds a path separator"},
      {"a\\b", true, "the train number \"a\\b\" holds a path separator"},
      {"..", false, "the scenario name \"..\" holds \"..\""},
      {"\xE4\xB8\xAD", false,
       "the scenario name \"\xE4\xB8\xAD\" holds a character that "
       "Windows-1252 cannot write"},
      {"a\x1B[2Jb", false,
       "the scenario name holds the control character U+001B, which a file name cannot hold"},
      {"12\t3", true,
       "the train number holds the control character U+0009, which a file name cannot hold"},
      {"a\x7F", false,
       "the scenario name holds the control character U+007F, which a file name cannot hold"},
      {"a\xC2\x9B", false,
       "the scenario name holds the control character U+009B, which a file name cannot hold"},
      {"a:b", false,
       "the scenario name \"a:b\" holds the character ':' (U+003A), which Windows "
       "does not allow in file names"},
      {"1?", true,
       "the train number \"1?\" holds the character '?' (U+003F), which Windows "
       "does not allow in file names"},
      {"a*\"<>|", false,
       "the scenario name \"a*\"<>|\" holds the character '*' (U+002A), "
       "which Windows does not allow in file names"},
      {"LINEA", true,
       "the train number \"LINEA\" would make the cells file overwrite the line "
       "trace file"},
  };
  for (const Case& c : cases) {
    std::string name = "kept";
    std::string error;
    const char* what = c.is_train_number ? "the train number" : "the scenario name";
    EXPECT_FALSE(checked_name(what, c.name, c.is_train_number, &name, &error)) << c.name;
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(name, "kept") << c.name;
    error.clear();
    EXPECT_FALSE(checked_name(what, c.name, c.is_train_number, nullptr, &error)) << c.name;
    EXPECT_EQ(error, c.error);
  }
}

TEST(ScenarioNames, AcceptedNamesComeOutInWindows1252) {
  std::string name;
  std::string error;
  ASSERT_TRUE(checked_name("the scenario name", "Citt\xC3\xA0", false, &name, &error));
  EXPECT_EQ(name, "Citt\xE0");
  ASSERT_TRUE(checked_name("the scenario name", "linea", false, &name, &error));
  EXPECT_EQ(name, "linea");
  EXPECT_TRUE(checked_name("the train number", "37924", true, nullptr, &error));
  EXPECT_EQ(error, "");
}

}  // namespace
}  // namespace sb
