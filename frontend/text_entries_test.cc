#include "frontend/text_entries.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "sources/builtin_scenario.h"
#include "sources/line_list_writer.h"

namespace sb {
namespace {

constexpr auto kLine = SourceLocation::Text::kLine;
constexpr auto kTrain = SourceLocation::Text::kTrain;

// What a field shows in the tables below: "role line:column `as written`".
std::string shown(const TextEntries& read, const TextField& field) {
  return std::string(role_name(field.role)) + " " + std::to_string(field.line) + ":" +
         std::to_string(field.column) + " `" + std::string(read.written(field)) + "`";
}

std::vector<std::string> shown_fields(const TextEntries& read) {
  std::vector<std::string> fields;
  for (const TextField& field : read.fields) fields.push_back(shown(read, field));
  return fields;
}

// The line and column of byte `offset`, counted afresh: CR LF, a lone CR and
// a lone LF each end a line.
std::pair<int, int> line_and_column(std::string_view text, size_t offset) {
  int line = 1;
  size_t line_start = 0;
  for (size_t i = 0; i < offset; ++i) {
    const bool crlf = text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n';
    if ((text[i] == '\r' && !crlf) || text[i] == '\n') {
      ++line;
      line_start = i + 1;
    }
  }
  return {line, static_cast<int>(offset - line_start) + 1};
}

// What holds of every field of every text: the fields tile it, each one's
// place agrees with its offsets, what is written holds no blank at its edges
// and no delimiter unless quoted, and the reader's token lies inside it.
void expect_sound_fields(const TextEntries& read) {
  EXPECT_EQ(rebuild_text(read), read.text);
  size_t begin = 0;
  for (const TextField& field : read.fields) {
    SCOPED_TRACE(shown(read, field));
    ASSERT_LE(begin, field.start);
    ASSERT_LE(field.start, field.stop);
    ASSERT_LE(field.stop, field.end);
    EXPECT_LT(begin, field.end);
    EXPECT_EQ(read.text.substr(begin, field.start - begin).find_first_not_of(" \t"),
              std::string_view::npos);
    EXPECT_EQ(line_and_column(read.text, field.start),
              std::make_pair(int{field.line}, int{field.column}));
    const std::string_view written = read.written(field);
    if (written.empty() || written.front() != '"') {
      EXPECT_EQ(written.find_first_of(",\r\n"), std::string_view::npos);
      if (!written.empty()) {
        EXPECT_NE(written.back(), ' ');
      }
    }
    if (!written.empty()) {
      EXPECT_NE(written.front(), ' ');
    }
    EXPECT_GE(field.token, field.start);
    EXPECT_LE(field.token + field.token_size, field.stop);
    begin = field.end;
  }
  EXPECT_EQ(begin, read.text.size());
}

TEST(TextEntries, BuiltInTextsFieldByField) {
  const std::string line_text = line_list_bytes(builtin_line_text());
  const std::string train_text = line_list_bytes(builtin_train_text());
  const TextEntries line = read_text_entries(line_text, kLine);
  const TextEntries train = read_text_entries(train_text, kTrain);
  for (const TextEntries* read : {&line, &train}) {
    expect_sound_fields(*read);
    EXPECT_FALSE(read->failed);
    EXPECT_TRUE(read->opened);
    EXPECT_EQ(shown(*read, read->fields.back()),
              "last " + std::to_string(read == &line ? 236 : 63) + ":1 `[fine]`");
    for (const TextEntry& entry : read->entries) EXPECT_TRUE(entry.complete());
  }
  std::map<EntryId, int> counts;
  for (const TextEntries* read : {&line, &train}) {
    for (const TextEntry& entry : read->entries) ++counts[entry.id];
  }
  const std::map<EntryId, int> expected = {
      {EntryId::kRouteLength, 1},
      {EntryId::kChainageThree, 1},
      {EntryId::kChainageTwo, 1},
      {EntryId::kChainageOne, 1},
      {EntryId::kBackgroundOne, 1},
      {EntryId::kBackgroundTwo, 1},
      {EntryId::kBackgroundThree, 1},
      {EntryId::kCabSignalling, 1},
      {EntryId::kCurve, 84},
      {EntryId::kGradient, 74},
      {EntryId::kMountain, 11},
      {EntryId::kSpeedBoard, 31},
      {EntryId::kIndicationBoard, 9},
      {EntryId::kBrakedMass, 1},
      {EntryId::kCars, 1},
      {EntryId::kSpeedLimit, 9},
      {EntryId::kAdhesion, 1},
      {EntryId::kClock, 1},
      {EntryId::kSand, 1},
      {EntryId::kSignal, 22},
      {EntryId::kSlowdown, 2},
      {EntryId::kStation, 13},
  };
  EXPECT_EQ(counts, expected);
  // Every field is an entry's keyword or value, a header, a blank line, a
  // comment, the opening field or the last one.
  for (const TextEntries* read : {&line, &train}) {
    for (const TextField& field : read->fields) {
      if (field.role != FieldRole::kStray) continue;
      const std::string_view written = read->written(field);
      EXPECT_TRUE(written.empty() || written.starts_with("[")) << shown(*read, field);
    }
  }
  // The first station, value by value.
  const TextEntry& station =
      *std::find_if(train.entries.begin(), train.entries.end(),
                    [](const TextEntry& e) { return e.id == EntryId::kStation; });
  EXPECT_EQ(shown(train, train.keyword(station)), "keyword 21:1 `stazione`");
  EXPECT_EQ(train.values(station).size(), 17u);
  EXPECT_EQ(train.written(train.values(station).back()), "VALMIRA CENTRALE");
  EXPECT_EQ(train.values(station)[1].value, 12);
}

TEST(TextEntries, EachFieldWithItsRoleAndPlace) {
  const std::string text =
      "x, [a]\r\n [GENERALE] \r\nsabbia,  -7 , x\r\n- a note, y\r\n"
      "orologio,  12   48 ,40\r\nstazione, 0,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15, \"A, B\" z\r\n"
      "[fine]";
  const TextEntries read = read_text_entries(text, kTrain);
  expect_sound_fields(read);
  EXPECT_EQ(shown_fields(read),
            (std::vector<std::string>{
                "skipped 1:1 `x`",        "skipped 1:4 `[a]`", "opening 2:2 `[GENERALE]`",
                "keyword 3:1 `sabbia`",   "value 3:10 `-7`",   "stray 3:15 `x`",
                "comment 4:1 `- a note`", "stray 4:11 `y`",    "keyword 5:1 `orologio`",
                "value 5:12 `12`",        "value 5:17 `48`",   "value 5:21 `40`",
                "keyword 6:1 `stazione`", "value 6:11 `0`",    "value 6:13 `1`",
                "value 6:15 `2`",         "value 6:17 `3`",    "value 6:19 `4`",
                "value 6:21 `5`",         "value 6:23 `6`",    "value 6:25 `7`",
                "value 6:27 `8`",         "value 6:29 `9`",    "value 6:31 `10`",
                "value 6:34 `11`",        "value 6:37 `12`",   "value 6:40 `13`",
                "value 6:43 `14`",        "value 6:46 `15`",   "value 6:50 `\"A, B\" z`",
                "last 7:1 `[fine]`",
            }));
  ASSERT_EQ(read.entries.size(), 3u);
  EXPECT_EQ(read.fields[4].value, -7);
  EXPECT_EQ(read.token(read.values(read.entries[2]).back()), "A, B");
  // Each byte belongs to the field whose span holds it.
  EXPECT_EQ(read.written(*field_at(read, text.find("48") + 1)), "48");
  // The blanks behind a number belong to it.
  EXPECT_EQ(read.written(*field_at(read, text.find("48") - 1)), "12");
  EXPECT_EQ(field_at(read, text.size()), nullptr);
}

TEST(TextEntries, TheWalksRules) {
  struct Case {
    const char* name;
    SourceLocation::Text which;
    ReadOptions options;
    std::string text;
    std::vector<std::string> roles;  // every field's role, in order
    std::vector<EntryId> entries;
  };
  const std::vector<Case> cases = {
      {"a third comment in a row is a keyword field",
       kTrain,
       {},
       "[generale]\r\n-a-,-b-,-sabbia-,1\r\n[fine]\r\n",
       {"opening", "comment", "comment", "keyword", "value", "last"},
       {EntryId::kSand}},
      {"the general section skips ten comments, and examines a last field after one",
       kLine,
       {},
       "[generale]\r\n-,-,-,-,-,-,-,-,-,-,-x\r\n-,lunghezza percorso\r\n",
       {"opening", "comment", "comment", "comment", "comment", "comment", "comment", "comment",
        "comment", "comment", "comment", "stray", "comment", "keyword"},
       {EntryId::kRouteLength}},
      {"a header without a dash closes the general section",
       kLine,
       {},
       "[generale]\r\n-[x]\r\nlunghezza percorso, 5\r\n[y]\r\npendenza, 1, 2\r\n[fine]",
       {"opening", "comment", "keyword", "value", "stray", "keyword", "value", "value", "last"},
       {EntryId::kRouteLength, EntryId::kGradient}},
      {"one keyword field may start two entries, the second reading after the first",
       kLine,
       {},
       "[generale]\r\nprogressiva tre due, 1, 2, 3, 4, 5, 6\r\n[fine]",
       {"opening", "keyword", "value", "value", "value", "value", "value", "value", "last"},
       {EntryId::kChainageThree, EntryId::kChainageTwo}},
      {"keyword tests are substrings, some of them of exact letter case",
       kLine,
       {},
       "[generale]\r\nPROGRESSIVA uno, 1\r\n[c]\r\nxcurvas2y, 1, 2\r\n[fine]",
       {"opening", "stray", "stray", "stray", "keyword", "value", "value", "last"},
       {EntryId::kCurve}},
      {"curves are read only when asked for",
       kLine,
       {.curves = false},
       "[generale]\r\n[c]\r\ncurvas2, 1, 2\r\n[fine]",
       {"opening", "stray", "stray", "stray", "stray", "last"},
       {}},
      {"values are taken from the next fields wherever they stand",
       kTrain,
       {},
       "[generale]\r\nvelocita, 100\r\n[x]\r\n[fine]\r\n",
       {"opening", "keyword", "value", "value", "last"},
       {EntryId::kSpeedLimit}},
      {"without the opening field nothing is examined",
       kTrain,
       {},
       "sabbia, 1\r\n[fine]\r\n",
       {"skipped", "skipped", "last"},
       {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TextEntries read = read_text_entries(c.text, c.which, c.options);
    expect_sound_fields(read);
    std::vector<std::string> roles;
    for (const TextField& field : read.fields) roles.emplace_back(role_name(field.role));
    EXPECT_EQ(roles, c.roles);
    std::vector<EntryId> ids;
    for (const TextEntry& entry : read.entries) ids.push_back(entry.id);
    EXPECT_EQ(ids, c.entries);
  }
}

TEST(TextEntries, BrokenTextsGiveEntriesUpToTheBreak) {
  struct Case {
    const char* name;
    std::string text;
    std::string failure;    // "line:column why"
    size_t entries;         // entries read, the last one cut short
    size_t values_of_last;  // values the last entry holds
    size_t unread;          // fields beyond the break
    std::string failed_on;  // the field reading failed on; empty when it took none
    bool between = false;   // it failed between entries, the last one complete
  };
  const std::vector<Case> cases = {
      {"cut short inside an entry", "[generale]\r\nsabbia, 1\r\nstazione, 100, 3",
       "3:16 the text ends where a field was expected", 2, 2, 0, ""},
      {"a value missing at the end", "[generale]\r\nvelocita, 0\r\n",
       "2:11 the text ends where a field was expected", 1, 1, 0, ""},
      {"a value too wide for its slot",
       "[generale]\r\nsabbia, 40000\r\nvelocita, 0, 1\r\n[fine]\r\n",
       "2:9 the value 40000 does not fit a short (-32768 to 32767)", 1, 0, 4, "40000"},
      {"a stray quote runs to the line end and takes the comma with it",
       "[generale]\r\nsabbia, 1\r\n\"velocita, 0\r\n5\r\n",
       "4:1 the text ends where a field was expected", 2, 1, 0, ""},
      {"an empty text", "", "0:0 the text ends where a field was expected", 0, 0, 0, ""},
      {"a keyword field longer than a text may be",
       "[generale]\r\nsabbia, 1\r\n" + std::string(70000, 'x') + "\r\n[fine]\r\n",
       "3:1 a text of 70000 bytes is longer than 65535", 1, 1, 1, std::string(70000, 'x'), true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TextEntries read = read_text_entries(c.text, kTrain);
    expect_sound_fields(read);
    ASSERT_TRUE(read.failed);
    EXPECT_EQ(std::to_string(read.failure.line) + ":" + std::to_string(read.failure.column) + " " +
                  read.failure.why,
              c.failure);
    ASSERT_EQ(read.entries.size(), c.entries);
    if (c.entries > 0) {
      EXPECT_EQ(read.entries.back().complete(), c.between);
      EXPECT_EQ(read.entries.back().values, c.values_of_last);
      EXPECT_EQ(read.failed_entry, !c.between);
    }
    size_t unread = 0;
    for (const TextField& field : read.fields) unread += field.role == FieldRole::kUnread ? 1 : 0;
    EXPECT_EQ(unread, c.unread);
    ASSERT_LE(read.failed_field, read.fields.size());
    EXPECT_EQ(read.failed_field == read.fields.size()
                  ? std::string()
                  : std::string(read.written(read.fields[read.failed_field])),
              c.failed_on);
  }
}

// Texts made of the grammar's own lines in a random order, with comments,
// blanks, quotes and the three line ends mixed in, then a few bytes changed:
// whatever the bytes, the fields give them back.
TEST(TextEntries, GeneratedTextsComeBackByteForByte) {
  std::mt19937 random(25);
  const auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
  const std::vector<std::string> extras = {
      "- a note, with a comma", "[sezione]", "\"quoted, text\"", "  ,  ,", "12   48", "x\ty"};
  const std::vector<std::string> ends = {"\r\n", "\n", "\r"};
  for (int round = 0; round < 200; ++round) {
    std::string text = "[generale]\r\n";
    const size_t lines = 1 + pick(40);
    for (size_t i = 0; i < lines; ++i) {
      const auto entries = grammar_entries();
      text += pick(4) == 0 ? extras[pick(extras.size())]
                           : std::string(entries[pick(entries.size())].example);
      text += ends[pick(ends.size())];
    }
    if (round % 2 == 1) {
      for (int k = 0; k < 5; ++k) text[pick(text.size())] = ",\r\n\"- ["[pick(7)];
    }
    if (round % 3 == 2) text.resize(pick(text.size()));
    for (auto which : {kLine, kTrain}) {
      SCOPED_TRACE(text);
      expect_sound_fields(read_text_entries(text, which));
    }
  }
}

}  // namespace
}  // namespace sb
