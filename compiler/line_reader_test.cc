#include "compiler/line_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "compiler/line_recorders.h"
#include "compiler/memorizza_dati.h"
#include "compiler/reader_test_support.h"
#include "model/error_codes.h"

namespace sb {
namespace {

using test::error_text;

// A line text of `length` metres: the general section on lines 1 to 3, the
// body from line 4 on.
std::string line_text(int32_t length, std::string_view body) {
  return "[generale]\r\nlunghezza percorso, " + std::to_string(length) + "\r\n[curve]\r\n" +
         std::string(body) + "[fine]\r\n";
}

struct Compiled {
  BuildState state;
  LineTextResult result;
  Findings findings;

  // The failure the text ended on as the user reads it, "" when there was none.
  std::string error() const { return error_text(findings); }
};

Compiled compile(std::string_view text, int32_t trace_flag = 0) {
  Compiled c;
  c.state.trace_flag = trace_flag;
  c.result = compile_line_text(c.state, text, c.findings);
  return c;
}

std::array<int32_t, 3> longs(const BuildState& state, int record) {
  const GeneralRecord& r = state.record(record);
  return {r.long_1, r.long_2, r.long_3};
}

TEST(CompileLineText, RouteLengthSizesCellsAndTrace) {
  struct Case {
    int32_t length, cell_last_index, trace_last_index;
  };
  const Case cases[] = {
      {302600, 6192, 309600},    {4025, 220, 11025}, {4075, 222, 11075},
      {1000000, 20140, 1007000}, {0, 140, 7000},
  };
  for (const Case& c : cases) {
    const Compiled out = compile(line_text(c.length, ""), 1);
    EXPECT_EQ(out.error(), "") << c.length;
    EXPECT_EQ(out.state.record(kTotalsRecord).long_2, c.length);
    EXPECT_EQ(out.state.cell_last_index, c.cell_last_index) << c.length;
    EXPECT_EQ(out.state.track_cells.size(), static_cast<size_t>(c.cell_last_index) + 1);
    EXPECT_EQ(out.state.trace_last_index, c.trace_last_index) << c.length;
    EXPECT_EQ(out.state.line_trace.last_index(), c.trace_last_index) << c.length;
  }
}

TEST(CompileLineText, GeneralSection) {
  const Compiled out = compile(
      "preambolo, -1\r\n"
      "[generale]\r\n"
      "lunghezza percorso,    4000\r\n"
      "progressiva chilometrica tre,    0,    0,    0\r\n"
      "progressiva chilometrica due,    100000,    200000,    0\r\n"
      "progressiva chilometrica uno,    0,    350000,    1\r\n"
      "sfondo uno,    7\r\n"
      "sfondo due,    8\r\n"
      "sfondo tre,    9\r\n"
      "ripetizione segnali 4 codici,    176050,    298600\r\n"
      "[curve]\r\n"
      "[fine]\r\n");
  EXPECT_EQ(out.error(), "");
  EXPECT_EQ(out.result.flow, Flow::kNext);
  EXPECT_EQ(out.result.next_board_record, 80);
  // The chainages are ordered by start, flags applied.
  EXPECT_EQ(longs(out.state, 81), (std::array<int32_t, 3>{100000, 200000, 0}));
  EXPECT_EQ(longs(out.state, 82), (std::array<int32_t, 3>{0, 350100, 1}));
  EXPECT_EQ(longs(out.state, 83), (std::array<int32_t, 3>{0, 0, 0}));
  // Backgrounds one, three, two.
  EXPECT_EQ(longs(out.state, kScenarioRecord), (std::array<int32_t, 3>{7, 9, 8}));
  EXPECT_EQ(longs(out.state, kTrainRecord), (std::array<int32_t, 3>{176050, 298600, 4}));
}

// Route length and body keywords ignore letter case; the other general
// keywords do not.
TEST(CompileLineText, KeywordLetterCase) {
  const Compiled out = compile(
      "[GENERALE]\r\n"
      "LUNGHEZZA Percorso, 4000\r\n"
      "Progressiva chilometrica uno, 0, 350000, 0\r\n"
      "sfondo uno, 7\r\n"
      "Sfondo due, 8\r\n"
      "SEGNALI ripetizione 4, 50, 100\r\n"
      "[curve]\r\n"
      "PENDENZA, 300, -3\r\n"
      "Montagna, 3033, 3783, 12\r\n"
      "INDICATORI_VMAX, 2500, 90, 95, 100, 0, 90, 95, 100, 0\r\n"
      "Cartello_INDICATORE, 5000, (Km 5)\r\n"
      "[fine]\r\n");
  EXPECT_EQ(out.error(), "");
  EXPECT_EQ(out.state.record(kTotalsRecord).long_2, 4000);
  EXPECT_EQ(longs(out.state, 81), (std::array<int32_t, 3>{0, 0, 0}));
  EXPECT_EQ(longs(out.state, 83), (std::array<int32_t, 3>{0, 0, 0}));
  EXPECT_EQ(longs(out.state, kScenarioRecord), (std::array<int32_t, 3>{7, 0, 0}));
  EXPECT_EQ(longs(out.state, kTrainRecord), (std::array<int32_t, 3>{0, 0, 0}));
  EXPECT_EQ(out.state.cell(6).gradient, 97);
  EXPECT_EQ(out.state.cell(61).mountain_side, 2);
  EXPECT_EQ(out.state.cell(51).kind, kSpeedBoardCell);
  EXPECT_EQ(out.state.cell(101).kind, kIndicationBoardCell);
}

TEST(CompileLineText, CabSignalling) {
  struct Case {
    const char* keyword;
    int32_t start, end;
    int32_t codes;
    std::string error;
  };
  const Case cases[] = {
      {"ripetizione segnali 4 codici", 176050, 298600, 4, ""},
      {"ripetizione segnali 9 codici", 50, 100, 9, ""},
      {"ripetizione segnali 9 o 4", 50, 100, 4, ""},
      {"ripetizione segnali 4 codici", 50, 0, 0, ""},
      {"ripetizione segnali 4 codici", -50, -100, 4, ""},
      {"ripetizione segnali 4 codici", 25, 100, 0,
       "L.txt:3:1: error E3: the cab-signalling start 25 m is not a multiple of 50 m"},
      {"ripetizione segnali 4 codici", 50, -75, 0,
       "L.txt:3:1: error E4: the cab-signalling end -75 m is not a multiple of 50 m"},
      {"ripetizione segnali", 50, 100, 0,
       "L.txt:3:1: error E5: the cab-signalling keyword field names neither 4 nor 9 codes"},
  };
  for (const Case& c : cases) {
    const Compiled out = compile("[generale]\r\nlunghezza percorso, 4000\r\n" +
                                 std::string(c.keyword) + ", " + std::to_string(c.start) + ", " +
                                 std::to_string(c.end) + "\r\n[curve]\r\n[fine]\r\n");
    EXPECT_EQ(out.error(), c.error) << c.keyword << " " << c.start << " " << c.end;
    EXPECT_EQ(longs(out.state, kTrainRecord), (std::array<int32_t, 3>{c.start, c.end, c.codes}))
        << c.keyword << " " << c.start << " " << c.end;
    EXPECT_EQ(out.result.flow, c.error.empty() ? Flow::kNext : Flow::kStop);
  }
}

// Comments stand where a keyword is expected: up to ten in a row in the
// general section, up to two in the body; the next one is examined.
TEST(CompileLineText, CommentFields) {
  std::string ten_comments;
  for (int i = 0; i < 10; ++i) ten_comments += "-c-,";
  struct Case {
    const char* name;
    std::string text;
    int32_t route_length;  // 0: not recognised
    uint8_t cell_6_gradient;
    const char* error = "";
  };
  const Case cases[] = {
      {"general comments before a keyword",
       "[generale]\r\n- a -, - b -, lunghezza percorso, 4000\r\n[curve]\r\n[fine]\r\n", 4000, 100},
      {"the 11th field is examined",
       "[generale]\r\n" + ten_comments + "-lunghezza percorso-, 4000\r\n[curve]\r\n[fine]\r\n",
       4000, 100},
      {"the 12th field is a comment again",
       "[generale]\r\n-c-," + ten_comments + "-lunghezza percorso-, 4000\r\n[curve]\r\n[fine]\r\n",
       0, 0, "L.txt:3:1: error E25: the general section gives no route length"},
      {"a body comment before a keyword", line_text(4000, "- nota -, pendenza, 300, -3\r\n"), 4000,
       97},
      {"two body comments", line_text(4000, "-a-, -b-, pendenza, 300, -3\r\n"), 4000, 97},
      {"the third body field is examined", line_text(4000, "-a-, -b-, -pendenza-, 300, -3\r\n"),
       4000, 97},
      {"a keyword with a dash is a comment", line_text(4000, "pendenza-x, 300, -3\r\n"), 4000, 100},
  };
  for (const Case& c : cases) {
    const Compiled out = compile(c.text);
    EXPECT_EQ(out.state.record(kTotalsRecord).long_2, c.route_length) << c.name;
    EXPECT_EQ(out.error(), c.error) << c.name;
    if (c.route_length != 0) {
      EXPECT_EQ(out.state.cell(6).gradient, c.cell_6_gradient) << c.name;
    }
  }
}

// General entries are recognised only in the general section, body entries
// only in the body; any bracketed field not beginning with a dash ends the
// general section.
TEST(CompileLineText, SectionsKeepTheirEntries) {
  const Compiled out = compile(
      "[generale]\r\nlunghezza percorso, 4000\r\npendenza, 300, -3\r\nnota [a] b\r\n"
      "sfondo uno, 7\r\npendenza, 600, -5\r\n[fine]\r\n");
  EXPECT_EQ(out.error(), "");
  EXPECT_EQ(out.state.record(kScenarioRecord).long_1, 0);
  EXPECT_EQ(out.state.cell(6).gradient, 100);
  EXPECT_EQ(out.state.cell(12).gradient, 95);
}

TEST(CompileLineText, GradientsFillTheCellsInOnePass) {
  struct Case {
    const char* name;
    const char* body;
    std::vector<std::pair<int32_t, uint8_t>> cells;  // cell, stored gradient
  };
  // Route of 4000 m: cells 0 to 220.
  const Case cases[] = {
      {"out-of-order change writes one cell",
       "pendenza, 300, -3\r\npendenza, 586, 0\r\npendenza, 165, -4\r\n",
       {{0, 100}, {5, 100}, {6, 97}, {11, 97}, {12, 100}, {13, 96}, {217, 96}, {218, 0}}},
      {"a change at 0 writes no cell", "pendenza, 0, 5\r\n", {{0, 105}, {217, 105}, {218, 0}}},
      {"a change at the last valid position",
       "pendenza, 10900, 2\r\n",
       {{217, 100}, {218, 102}, {219, 0}, {220, 0}}},
      {"out-of-order changes past the last cell",
       "pendenza, 10900, 2\r\npendenza, 100, 3\r\npendenza, 100, 4\r\npendenza, 100, 5\r\n"
       "pendenza, 100, 6\r\n",
       {{218, 102}, {219, 103}, {220, 104}}},
      {"low 8 bits", "pendenza, 0, 200\r\n", {{0, 44}}},
  };
  for (const Case& c : cases) {
    const Compiled out = compile(line_text(4000, c.body));
    EXPECT_EQ(out.error(), "") << c.name;
    for (const auto& [cell, gradient] : c.cells) {
      EXPECT_EQ(out.state.cell(cell).gradient, gradient) << c.name << ", cell " << cell;
    }
  }
}

TEST(CompileLineText, CurvesShapeTheLineTrace) {
  const Compiled out = compile(line_text(4000, "curvad5,  650,  200\r\nCURVAS3, 900, 100\r\n"), 1);
  const LineTrace& trace = out.state.line_trace;
  EXPECT_EQ(out.error(), "");
  EXPECT_EQ(trace.tag(1), TraceTag::kInt16);
  EXPECT_EQ(trace.x(651), 0.002);
  EXPECT_EQ(trace.y(651), 651.0);
  EXPECT_NEAR(trace.x(850), 39.6747, 1e-4);
  EXPECT_NEAR(trace.y(850), 844.7083, 1e-4);
  // The left-hand class-3 curve turns back by 0.04 rad of the 0.4.
  const double dx = trace.x(1000) - trace.x(999);
  const double dy = trace.y(1000) - trace.y(999);
  EXPECT_NEAR(std::atan2(dx, dy), 0.36, 1e-5);
  EXPECT_EQ(trace.tag(10998), TraceTag::kDouble);
  EXPECT_EQ(trace.tag(10999), TraceTag::kUnset);
  EXPECT_EQ(out.state.cell(17), TrackCell{.gradient = 100});
}

TEST(CompileLineText, WithoutTheTraceCurvesAreNotRead) {
  const Compiled out = compile(line_text(4000, "curvad, 650, 200\r\npendenza, 300, -3\r\n"), 0);
  EXPECT_EQ(out.error(), "");
  EXPECT_TRUE(out.state.line_trace.empty());
  EXPECT_EQ(out.state.cell(6).gradient, 97);
}

TEST(CompileLineText, MountainStretches) {
  Compiled out;
  out.state.mountain_count = 5;  // left from elsewhere: counting starts afresh
  out.result = compile_line_text(out.state, line_text(4000, "montagna,   3033,  3783,  12\r\n"),
                                 out.findings);
  EXPECT_EQ(out.error(), "");
  EXPECT_EQ(out.state.mountain_count, 1);
  EXPECT_EQ(out.state.cell(61).mountain_side, 2);
  EXPECT_EQ(out.state.cell(75).mountain_side, 2);
  EXPECT_EQ(out.state.cell(76).mountain_side, 0);
  EXPECT_EQ(out.state.cell(64).kind, kMountainMarkerCell);
}

TEST(CompileLineText, IndicationBoardsTakeRecordsFromTheTop) {
  const Compiled out = compile(line_text(
      4000, "cartello_indicatore,  1000,   (Km 1+000)\r\ncartello_indicatore, 2000, \"a, b\"\r\n"));
  EXPECT_EQ(out.error(), "");
  EXPECT_EQ(out.result.next_board_record, 78);
  EXPECT_EQ(out.state.cell(21).kind, kIndicationBoardCell);
  EXPECT_EQ(out.state.cell(21).value_1, 80);
  EXPECT_EQ(out.state.record(80).text, "(Km 1+000)");
  EXPECT_EQ(out.state.cell(41).value_1, 79);
  EXPECT_EQ(out.state.record(79).text, "a, b");
}

TEST(CompileLineText, BoardsOnAMountainMarkerReplaceIt) {
  const Compiled out =
      compile(line_text(4000,
                        "montagna, 3033, 3783, 12\r\n"
                        "cartello_indicatore, 3150, (galleria)\r\n"
                        "indicatori_vmax, 3350, 90, 95, 100, 0, 90, 95, 100, 0\r\n"));
  EXPECT_EQ(out.error(), "");
  EXPECT_EQ(out.state.cell(64).kind, kIndicationBoardCell);
  EXPECT_EQ(out.state.cell(68).kind, kSpeedBoardCell);
  EXPECT_EQ(out.state.cell(68).mountain_side, 2);
}

std::string repeated(int count, const std::function<std::string(int)>& entry) {
  std::string body;
  for (int i = 0; i < count; ++i) body += entry(i);
  return body;
}

// A failure reads as the place of the entry and what went wrong with it: the
// position, the cell refused and what held it, the line's last cell, the
// value refused.
TEST(CompileLineText, Failures) {
  const std::string board = "indicatori_vmax, 2500, 90, 95, 100, 0, 90, 95, 100, 0\r\n";
  const std::string sign = "cartello_indicatore, 2500, (Km 2)\r\n";
  struct Case {
    const char* name;
    std::string text;
    Flow flow;
    std::string error;
  };
  const Case cases[] = {
      {"no general section", "preambolo\r\naltro\r\n", Flow::kStop,
       "L.txt:1:1: error E102: no field contains \"[generale]\": the text has no general section"},
      {"general section header as the last field", "x\r\n[generale]", Flow::kStop,
       "L.txt:2:1: error E102: no field contains \"[generale]\": the text has no general section"},
      {"empty text", "", Flow::kReadFailure,
       "L.txt: error E25: read failure: the text ends where a field was expected"},
      {"no route length", "[generale]\r\nsfondo uno, 1\r\n[curve]\r\n[fine]\r\n",
       Flow::kReadFailure, "L.txt:3:1: error E25: the general section gives no route length"},
      {"comment up to the end of the general section",
       "[generale]\r\nlunghezza percorso, 4000\r\n-a-\r\n-b-\r\n", Flow::kReadFailure,
       "L.txt:4:1: error E25: read failure: the text ends where a field was expected"},
      {"entry cut off", "[generale]\r\nlunghezza percorso, 4000\r\n[curve]\r\npendenza, 300\r\n",
       Flow::kReadFailure,
       "L.txt:4:11: error E25: read failure: the text ends where a field was expected"},
      {"value too wide", line_text(4000, "pendenza, 300, 99999999999\r\n"), Flow::kReadFailure,
       "L.txt:4:16: error E25: the value 99999999999 does not fit a long "
       "(-2147483648 to 2147483647)"},
      {"speeds too wide", line_text(4000, "indicatori_vmax, 2500, 90, 95, 1700, 0, 0, 0, 0, 0\r\n"),
       Flow::kReadFailure,
       "L.txt:4:1: error E25: the speeds 1700 and 0 do not pack into a short (-32768 to 32767)"},
      {"route too long", line_text(1000001, ""), Flow::kStop,
       "L.txt:2:1: error E1: the route length 1000001 m is outside 0 to 1000000 m"},
      {"negative route", line_text(-1, ""), Flow::kStop,
       "L.txt:2:1: error E1: the route length -1 m is outside 0 to 1000000 m"},
      {"beyond the route", line_text(4000, "pendenza, 0, 1\r\n  pendenza, 10950, 2\r\n"),
       Flow::kEnd,
       "L.txt:5:3: error E15: the entry at 10950 m lies outside the line, "
       "whose last cell is 220 (the rest of the text is not compiled)"},
      {"indication board before cell 0", line_text(4000, "cartello_indicatore, -100, x\r\n"),
       Flow::kEnd,
       "L.txt:4:1: error E15: the entry at -100 m lies outside the line, whose "
       "last cell is 220 (the rest of the text is not compiled)"},
      {"speed board before cell 0",
       line_text(4000, "indicatori_vmax, -80, 90, 95, 100, 0, 90, 95, 100, 0\r\n"), Flow::kEnd,
       "L.txt:4:1: error E15: the entry at -80 m lies outside the line, whose "
       "last cell is 220 (the rest of the text is not compiled)"},
      {"mountain stretch past the last cell", line_text(4000, "montagna, 10000, 12000, 12\r\n"),
       Flow::kEnd,
       "L.txt:4:1: error E15: the entry at 10000 m lies outside the line, "
       "whose last cell is 220 (the rest of the text is not compiled)"},
      {"mountain stretch before cell 0", line_text(4000, "montagna, -200, 100, 12\r\n"), Flow::kEnd,
       "L.txt:4:1: error E15: the entry at -200 m lies outside the line, whose "
       "last cell is 220 (the rest of the text is not compiled)"},
      {"curve without class", line_text(4000, "curvad5, 100, 10\r\ncurvad, 650, 200\r\n"),
       Flow::kStop,
       "L.txt:5:1: error E103: the curve has no class digit 1 to 6 in its "
       "keyword field, or it runs past the end of the line trace"},
      {"curve past the last trace row", line_text(0, "curvad5, 6900, 200\r\n"), Flow::kStop,
       "L.txt:4:1: error E103: the curve has no class digit 1 to 6 in its "
       "keyword field, or it runs past the end of the line trace"},
      {"indication board on an indication board", line_text(4000, sign + sign), Flow::kStop,
       "L.txt:5:1: error E6: the indication board at 2500 m needs cell 51, "
       "which already holds an indication board"},
      {"indication board on a speed board", line_text(4000, board + sign), Flow::kStop,
       "L.txt:5:1: error E6: the indication board at 2500 m needs cell 51, "
       "which already holds a speed board"},
      {"speed board on a speed board", line_text(4000, board + board), Flow::kStop,
       "L.txt:5:1: error E21: the speed board at 2500 m needs cell 51, which "
       "already holds a speed board"},
      {"speed board on an indication board", line_text(4000, sign + board), Flow::kStop,
       "L.txt:5:1: error E21: the speed board at 2500 m needs cell 51, which "
       "already holds an indication board"},
      {"81st indication board",
       line_text(9000, repeated(81,
                                [](int i) {
                                  return "cartello_indicatore, " + std::to_string(100 * i) +
                                         ", t\r\n";
                                })),
       Flow::kStop,
       "L.txt:84:1: error E104: the indication board at 8000 m finds no free "
       "record: at most 80 boards, fewer with stations"},
      {"81st mountain stretch",
       line_text(9000, repeated(81,
                                [](int i) {
                                  return "montagna, " + std::to_string(100 * i) + ", " +
                                         std::to_string(100 * i + 60) + ", 2\r\n";
                                })),
       Flow::kStop, "L.txt:84:1: error E105: the mountain stretch at 8000 m is beyond the 80th"},
  };
  for (const Case& c : cases) {
    const Compiled out = compile(c.text, 1);
    ASSERT_EQ(out.findings.size(), 1u) << c.name;
    EXPECT_EQ(out.error(), c.error) << c.name;
    EXPECT_EQ(out.result.flow, c.flow) << c.name;
    // Only the end of the text and a position out of the line fill the
    // gradients and the trace to the end.
    if (!out.state.has_cells() || out.state.line_trace.empty()) continue;
    const bool filled = c.flow == Flow::kNext || c.flow == Flow::kEnd;
    const int32_t last_fill_cell = out.state.cell_last_index - 3;
    EXPECT_EQ(out.state.cell(last_fill_cell).gradient != 0, filled) << c.name;
    // A curve running past the last row has computed the rows up to it.
    const int32_t last_row = out.state.trace_last_index - 2;
    if (out.findings.back().code != kCurveRefused) {
      EXPECT_EQ(out.state.line_trace.tag(last_row) == TraceTag::kDouble, filled) << c.name;
    }
    EXPECT_EQ(out.state.line_trace.tag(last_row + 1), TraceTag::kUnset) << c.name;
  }
}

TEST(CompileLineText, AFailureLeavesTheRowsNotYetComputedUnset) {
  const Compiled out = compile(line_text(4000, "curvad5, 100, 10\r\ncurvad, 650, 200\r\n"), 1);
  EXPECT_EQ(out.error(),
            "L.txt:5:1: error E103: the curve has no class digit 1 to 6 in its "
            "keyword field, or it runs past the end of the line trace");
  EXPECT_EQ(out.state.line_trace.tag(110), TraceTag::kDouble);
  EXPECT_EQ(out.state.line_trace.tag(111), TraceTag::kUnset);
}

TEST(CompileLineText, APositionOutOfTheLineEndsTheBodyOnly) {
  const Compiled out =
      compile(line_text(4000, "pendenza, 300, -3\r\npendenza, 10950, 1\r\npendenza, 600, -5\r\n"));
  EXPECT_EQ(out.error(),
            "L.txt:5:1: error E15: the entry at 10950 m lies outside the line, "
            "whose last cell is 220 (the rest of the text is not compiled)");
  EXPECT_EQ(out.state.cell(6).gradient, 97);
  EXPECT_EQ(out.state.cell(12).gradient, 97);  // the change at 600 was not read
  EXPECT_EQ(out.state.cell(217).gradient, 97);
}

}  // namespace
}  // namespace sb
