#include "compiler/train_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/reader_test_support.h"

namespace sb {
namespace {

using test::error_text;
using test::error_texts;

using Lines = std::vector<std::string>;

constexpr int32_t kBuiltInRoute = 302600;  // cells 0 to 6192
constexpr int32_t kShortRoute = 10000;     // cells 0 to 340

// A line's state and the failures a train text compiled into it found.
struct Train : BuildState {
  Findings findings;

  // The failure the text ended on as the user reads it, "" when there was none.
  std::string error() const { return error_text(findings); }
};

Train line_of(int32_t route_length) {
  Train state;
  size_for_route(state, route_length);
  return state;
}

// A train text: "[generale]" on line 1, the lines from line 2, "[fine]" last.
std::string train_text(const Lines& lines) {
  std::string text = "[generale]\r\n";
  for (const std::string& line : lines) text += line + "\r\n";
  return text + "[fine]\r\n";
}

Flow compile(Train& state, const Lines& lines, LineTextResult line = {}) {
  return compile_train_text(state, train_text(lines), line, state.findings);
}

LineTextResult boards_down_to(int32_t next_board_record) {
  LineTextResult line;
  line.next_board_record = next_board_record;
  return line;
}

std::string station(int32_t position, int kind, int32_t length, const std::string& name = "X") {
  return "stazione, " + std::to_string(position) + ", " + std::to_string(kind) + ", " +
         std::to_string(length) + ", 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, " + name;
}

std::string signal_at(int32_t position) {
  return "segnale, " + std::to_string(position) + ", 2, 3, 1, 0, 0, 2, 2,1,0, 0";
}

const Lines kBuiltInStations = {
    "stazione,       0, 12,  800,  1, 0, 1,  3,1,0,  2,1,1,    1,  12,39, 0, VALMIRA CENTRALE",
    "stazione,    1600, 12,  700,  0, 0, 1,  1,1,0,  4,1,1,   30,  12,42, 0, VALMIRA P.N.",
    "stazione,    9150, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,47, 0, MIRAVELLINA",
    "stazione,   14400, 12,  500,  0, 0, 0,  1,1,0,  4,1,1,   20,  12,52, 0, DUNTA",
    "stazione,   20500, 25,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, Nome Stazione",
    "stazione,   21900, 12,  600,  0, 0, 0,  1,1,0,  4,1,1,   30,  12,58, 0, SELMIA",
    "stazione,   29100, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,   20,  13, 3, 0, SAN LIBO MARCENTO",
    "stazione,   39900,  4,  600,  0, 0, 0,  1,1,0,  4,1,1,   20,  13,11, 0, "
    "BRAVENTINA - COLLE DI MORESCA",
    "stazione,   48950, 12,  500,  0, 0, 0,  1,1,0,  4,1,1,   20,  13,19, 0, ROVENZANELLO",
    "stazione,   55050, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,   20,  13,25, 0, PORTO DI LUDRA",
    "stazione,   66550, 12,  800,  0, 0, 0,  1,1,0,  4,1,1,   45,  13,33, 0, LUDRA - SAN VELDO",
    "stazione,   77050, 12,  500,  0, 0, 0,  1,1,0,  4,1,1,   20,  13,40, 0, ROCCAVERN",
    "",
    "stazione,   89500,  4,  600,  1, 0, 0,  1,1,0,  2,1,1,    0,  13,51, 0, LUNERIO",
};

TEST(TrainReader, TheBuiltInStations) {
  struct Row {
    uint8_t kind;
    int32_t position;
    int32_t start;
    int32_t end;
    int32_t time;
    int32_t stop_cell;  // 0: none
    const char* name;
  };
  const Row rows[] = {
      {12, 0, -400, 450, 45540, 8, "VALMIRA CENTRALE"},
      {12, 1600, 1250, 2000, 45720, 39, "VALMIRA P.N."},
      {12, 9150, 8900, 9450, 46020, 188, "MIRAVELLINA"},
      {12, 14400, 14150, 14650, 46320, 292, "DUNTA"},
      {25, 20500, 20400, 20600, 0, 0, "Nome Stazione"},
      {12, 21900, 21600, 22200, 46680, 443, "SELMIA"},
      {12, 29100, 28900, 29350, 46980, 586, "SAN LIBO MARCENTO"},
      {4, 39900, 39600, 40200, 47460, 803, "BRAVENTINA - COLLE DI MORESCA"},
      {12, 48950, 48700, 49200, 47940, 983, "ROVENZANELLO"},
      {12, 55050, 54850, 55300, 48300, 1105, "PORTO DI LUDRA"},
      {12, 66550, 66150, 66950, 48780, 1338, "LUDRA - SAN VELDO"},
      {12, 77050, 76800, 77300, 49200, 1545, "ROCCAVERN"},
      {4, 89500, 89200, 89800, 49860, 1795, "LUNERIO"},
  };
  Train state = line_of(kBuiltInRoute);
  ASSERT_EQ(compile(state, kBuiltInStations), Flow::kNext);
  EXPECT_EQ(state.error(), "");

  int record = 1;
  int stop_cells = 0;
  for (const Row& row : rows) {
    const GeneralRecord& r = state.record(record);
    EXPECT_EQ(r.kind, row.kind) << record;
    EXPECT_EQ(r.long_3, row.position) << record;
    EXPECT_EQ(r.long_1, row.start) << record;
    EXPECT_EQ(r.long_2, row.end) << record;
    EXPECT_EQ(r.long_4, row.time) << record;
    EXPECT_EQ(r.text, row.name) << record;
    if (row.stop_cell != 0) {
      ++stop_cells;
      EXPECT_EQ(state.cell(row.stop_cell).kind, kStationStopCell) << record;
      EXPECT_EQ(state.cell(row.stop_cell).value_1, record) << record;
      for (int b = 1; b <= 4; ++b) {
        EXPECT_EQ(state.cell(row.stop_cell - b).approach, 80 + b) << record << " mark " << b;
      }
    }
    ++record;
  }
  int marked = 0;
  for (const TrackCell& cell : state.track_cells) marked += cell.kind == kStationStopCell;
  EXPECT_EQ(marked, stop_cells);  // the kind-25 entry has no cell
  EXPECT_EQ(state.record(14), GeneralRecord{});

  // The first station loses values 5 and 6 after its extent used value 6;
  // later ones keep them, and every stored value lands in its field.
  EXPECT_EQ(state.record(1).byte_4, 0);
  EXPECT_EQ(state.record(2).byte_4, 1);
  const GeneralRecord& first = state.record(1);
  EXPECT_EQ((std::vector<int>{first.byte_1, first.short_1, first.short_2, first.byte_2,
                              first.short_3, first.short_4, first.short_5, first.byte_3}),
            (std::vector<int>{1, 3, 1, 0, 2, 1, 1, 1}));
  EXPECT_EQ(state.record(11).byte_3, 45);
}

TEST(TrainReader, StationExtentsByKind) {
  struct Case {
    int kind;
    int32_t length;
    uint8_t value_5;
    uint8_t value_6;
    int32_t start;
    int32_t end;
    uint8_t value_5_after;
    uint8_t value_6_after;
    bool approach_marks;
  };
  // A second station at 5000, behind a first one at 1000.
  const Case cases[] = {
      {12, 600, 1, 1, 4700, 5350, 1, 1, true},
      {12, 500, 1, 0, 4750, 5250, 0, 0, true},  // shorter than 600: value 5 cleared
      {5, 600, 1, 1, 4400, 5150, 1, 0, false},
      {6, 200, 0, 1, 4800, 5150, 0, 0, false},
      {7, 600, 0, 1, 4400, 5600, 0, 0, true},
      {8, 1000, 1, 0, 4000, 6000, 1, 0, true},
  };
  for (const Case& c : cases) {
    Train state = line_of(kShortRoute);
    const std::string second = "stazione, 5000, " + std::to_string(c.kind) + ", " +
                               std::to_string(c.length) + ", 0, " + std::to_string(c.value_5) +
                               ", " + std::to_string(c.value_6) + ", 0,0,0, 0,0,0, 0, 12,0,0, B";
    ASSERT_EQ(compile(state, {station(1000, 12, 200), second}), Flow::kNext) << c.kind;
    const GeneralRecord& r = state.record(2);
    EXPECT_EQ(r.long_1, c.start) << c.kind;
    EXPECT_EQ(r.long_2, c.end) << c.kind;
    EXPECT_EQ(r.byte_5, c.value_5_after) << c.kind;
    EXPECT_EQ(r.byte_4, c.value_6_after) << c.kind;
    const int32_t stop_cell = c.end / 50 - 1;
    EXPECT_EQ(state.cell(stop_cell).kind, kStationStopCell) << c.kind;
    EXPECT_EQ(state.cell(stop_cell).value_1, 2) << c.kind;
    EXPECT_EQ(state.cell(stop_cell - 1).approach, c.approach_marks ? 81 : 0) << c.kind;
    EXPECT_EQ(state.cell(stop_cell - 4).approach, c.approach_marks ? 84 : 0) << c.kind;
  }
}

TEST(TrainReader, StationStopCellsOverwriteWhateverTheCellHeld) {
  Train state = line_of(kShortRoute);
  state.cell(7).kind = kSignalCell;
  state.cell(6).kind = kSpeedBoardCell;
  ASSERT_EQ(compile(state, {station(0, 12, 800)}), Flow::kNext);  // area -400 to 400
  EXPECT_EQ(state.cell(7).kind, kStationStopCell);
  EXPECT_EQ(state.cell(6).kind, kSpeedBoardCell);
  EXPECT_EQ(state.cell(6).approach, 81);
}

TEST(TrainReader, StationsStandAtLeast350MetresApart) {
  // The first station's area ends at 1200; the second's begins 200 m before it.
  Train accepted = line_of(kShortRoute);
  EXPECT_EQ(compile(accepted, {station(1000, 12, 400), station(1750, 12, 400)}), Flow::kNext);
  EXPECT_EQ(accepted.error(), "");
  EXPECT_EQ(accepted.record(2).long_3, 1750);

  Train refused = line_of(kShortRoute);
  EXPECT_EQ(compile(refused, {station(1000, 12, 400), station(1700, 12, 400)}), Flow::kStop);
  EXPECT_EQ(refused.error(),
            "T.txt:3:1: error E22: the station at 1700 m starts less than 350 m "
            "after the end of the previous station");
}

TEST(TrainReader, StationsStopBelowTheBoardTexts) {
  struct Case {
    int32_t next_board_record;
    int stations;
    std::string error;
  };
  const Case cases[] = {
      {80, 78, ""},
      {80, 79,
       "T.txt:80:1: error E10: too many stations: they reach the records kept "
       "for the indication boards"},
      {3, 1, ""},
      {3, 2,
       "T.txt:3:1: error E10: too many stations: they reach the records kept "
       "for the indication boards"},
      {1, 1,
       "T.txt:2:1: error E10: too many stations: they reach the records kept "
       "for the indication boards"},
  };
  for (const Case& c : cases) {
    Train state = line_of(50000);
    Lines lines;
    for (int i = 0; i < c.stations; ++i) lines.push_back(station(600 * i, 25, 200));
    compile(state, lines, boards_down_to(c.next_board_record));
    EXPECT_EQ(state.error(), c.error) << c.next_board_record << " " << c.stations;
    // The station that fills the table is stored all the same.
    EXPECT_EQ(state.record(c.stations).long_3, 600 * (c.stations - 1));
  }
}

TEST(TrainReader, AStationNeverTakesARecordOfABoardText) {
  Train state = line_of(kShortRoute);
  state.record(1).text = "board";  // the line text filled records 80 down to 1
  EXPECT_EQ(compile(state, {station(1000, 12, 400)}, boards_down_to(0)), Flow::kStop);
  EXPECT_EQ(state.error(),
            "T.txt:2:1: error E10: too many stations: they reach the records kept "
            "for the indication boards");
  EXPECT_EQ(state.record(1).text, "board");
  EXPECT_EQ(state.record(1).long_3, 0);
}

TEST(TrainReader, ScalarEntries) {
  struct Case {
    Lines lines;
    int32_t cars;
    int32_t braked_mass;
    int16_t sand;
    std::vector<int16_t> clock;
  };
  const Case cases[] = {
      {{"numero vetture,    4", "percentuale massa frenata,    105", "sabbia,    200",
        "orologio,    12              48            40 "},
       4,
       105,
       200,
       {12, 48, 40}},
      {{"orologio, 12, 48, 40"}, 0, 0, 0, {12, 48, 40}},
      {{"orologio, 12", "48", "40"}, 0, 0, 0, {12, 48, 40}},
      {{"PERCENTUALE MASSA FRENATA, 90", "Numero Vetture, 7"}, 7, 90, 0, {0, 0, 0}},
      {{"frenata, 90", "massa, 80"}, 0, 0, 0, {0, 0, 0}},  // both words are needed
      {{"sabbia, 200", "sabbia, -3", "numero vetture, 4", "numero vetture, 5"},
       5,
       0,
       -3,
       {0, 0, 0}},
  };
  for (const Case& c : cases) {
    Train state = line_of(kShortRoute);
    ASSERT_EQ(compile(state, c.lines), Flow::kNext) << c.lines[0];
    EXPECT_EQ(state.record(kTotalsRecord).long_3, c.cars) << c.lines[0];
    EXPECT_EQ(state.record(kTotalsRecord).long_1, c.braked_mass) << c.lines[0];
    const GeneralRecord& train = state.record(kTrainRecord);
    EXPECT_EQ(train.short_1, c.sand) << c.lines[0];
    EXPECT_EQ((std::vector<int16_t>{train.short_3, train.short_4, train.short_5}), c.clock)
        << c.lines[0];
    EXPECT_EQ(train.short_2, 0) << c.lines[0];
  }
}

// The speed_limit bytes of the cells, and the first cell of each run of equal bytes.
std::vector<std::pair<int32_t, uint8_t>> runs(const BuildState& state, uint8_t TrackCell::*field) {
  std::vector<std::pair<int32_t, uint8_t>> result;
  for (int32_t i = 0; i <= state.cell_last_index; ++i) {
    const uint8_t value = state.cell(i).*field;
    if (result.empty() || result.back().second != value) result.emplace_back(i, value);
  }
  return result;
}

TEST(TrainReader, TheBuiltInProfiles) {
  Train state = line_of(kBuiltInRoute);
  const Lines lines = {
      "[aderenze]",
      "aderenza,   0,    100",
      "[vel_limite]",
      "",
      "velocita,       0,    65",
      "velocita,    1350,   115",
      "velocita,    3850,   150",
      "velocita,   17000,   125",
      "velocita,   20100,    60",
      "velocita,   20700,    95",
      "velocita,   22500,   150",
      "velocita,   47000,   150",
      "velocita,   87550,    95",
      "",
  };
  ASSERT_EQ(compile(state, lines), Flow::kNext);
  const std::vector<std::pair<int32_t, uint8_t>> speeds = {{0, 13},   {27, 23},   {77, 30},
                                                           {340, 25}, {402, 12},  {414, 19},
                                                           {450, 30}, {1751, 19}, {6190, 0}};
  EXPECT_EQ(runs(state, &TrackCell::speed_limit), speeds);
  const std::vector<std::pair<int32_t, uint8_t>> adhesion = {{0, 100}, {6190, 0}};
  EXPECT_EQ(runs(state, &TrackCell::adhesion), adhesion);
}

TEST(TrainReader, ProfileSteps) {
  struct Case {
    const char* what;
    Lines lines;
    std::vector<std::pair<int32_t, uint8_t>> speeds;
  };
  const Case cases[] = {
      {"two entries at one position: the first one's speed in that cell",
       {"velocita, 0, 50", "velocita, 500, 100", "velocita, 500, 150"},
       {{0, 10}, {10, 20}, {11, 30}, {338, 0}}},
      {"an entry out of order writes one cell",
       {"velocita, 0, 50", "velocita, 500, 100", "velocita, 200, 150"},
       {{0, 10}, {10, 20}, {11, 30}, {338, 0}}},
      {"positions round to the even cell",
       {"velocita, 0, 50", "velocita, 525, 100", "velocita, 575, 150"},
       {{0, 10}, {10, 20}, {12, 30}, {338, 0}}},
      {"before the first entry the speed is 0",
       {"velocita, 500, 100"},
       {{0, 0}, {10, 20}, {338, 0}}},
      {"an entry at the last valid position reaches cell U - 2",
       {"velocita, 0, 50", "velocita, 16900, 100"},
       {{0, 10}, {338, 20}, {339, 0}}},
      {"negative positions write no cell",
       {"velocita, -500, 50", "velocita, -20, 100", "velocita, 100, 150"},
       {{0, 20}, {2, 30}, {338, 0}}},
  };
  for (const Case& c : cases) {
    Train state = line_of(kShortRoute);
    ASSERT_EQ(compile(state, c.lines), Flow::kNext) << c.what;
    EXPECT_EQ(runs(state, &TrackCell::speed_limit), c.speeds) << c.what;
  }
}

TEST(TrainReader, BothCursorsStopAtTheLastCell) {
  // Entries out of order, one cell each, until the cursor stands at the last cell.
  Lines speed_lines = {"velocita, 6900, 50"};
  Lines adhesion_lines = {"aderenza, 6900, 10"};
  for (int i = 0; i < 10; ++i) {
    speed_lines.push_back("velocita, 50, 50");
    adhesion_lines.push_back("aderenza, 50, 10");
  }
  Train state = line_of(0);  // cells 0 to 140
  Lines lines = speed_lines;
  lines.insert(lines.end(), adhesion_lines.begin(), adhesion_lines.end());
  ASSERT_EQ(compile(state, lines), Flow::kNext);
  const std::vector<std::pair<int32_t, uint8_t>> expected = {{0, 0}, {138, 10}};
  EXPECT_EQ(runs(state, &TrackCell::speed_limit), expected);
  EXPECT_EQ(runs(state, &TrackCell::adhesion), expected);
}

TEST(TrainReader, AdhesionKeepsItsLow8Bits) {
  Train state = line_of(kShortRoute);
  ASSERT_EQ(compile(state, {"aderenza, 0, 300", "aderenza, 100, -1"}), Flow::kNext);
  const std::vector<std::pair<int32_t, uint8_t>> expected = {{0, 44}, {2, 255}, {338, 0}};
  EXPECT_EQ(runs(state, &TrackCell::adhesion), expected);
}

TEST(TrainReader, ASpeedWhoseFifthDoesNotFitAByteIsAReadFailure) {
  struct Case {
    Lines lines;
    std::string error;
  };
  const Case cases[] = {
      {{"velocita, 0, 1277", "velocita, 100, 50"}, ""},
      {{"velocita, 0, 1278", "velocita, 100, 50"},
       "T.txt:2:1: error E25: the speed 1278 km/h divided by 5 does not fit a "
       "byte (0 to 255)"},
      {{"velocita, 0, 1300", "velocita, 0, 50"}, ""},  // never written
      {{"velocita, 0, 50", "", "velocita, 100, -3"},
       "T.txt:4:1: error E25: the speed -3 km/h divided by 5 does not fit a "
       "byte (0 to 255)"},  // at the ending fill
  };
  for (const Case& c : cases) {
    Train state = line_of(kShortRoute);
    const Flow flow = compile(state, c.lines);
    EXPECT_EQ(state.error(), c.error) << c.lines[0];
    EXPECT_EQ(flow, c.error.empty() ? Flow::kNext : Flow::kReadFailure) << c.lines[0];
  }
}

TEST(TrainReader, CodePoints) {
  struct Case {
    const char* line;
    int32_t cell;
    uint8_t kind;
    int16_t value;
  };
  const Case cases[] = {
      {"abbattimento, 1000, 5", 20, kCodePointCell, 5},
      {"abbattimento, 1000, 70000", 20, kCodePointCell, 4464},
      {"abbattimento, 1000, 0", 20, kCodeCutPointCell, 0},
      {"abbattimento, 1000, -3", 20, kCodeCutPointCell, 0},
      {"abbattimento, 1025, 1", 20, kCodePointCell, 1},
      {"abbattimento, -25, 1", 0, kCodePointCell, 1},
  };
  for (const Case& c : cases) {
    Train state = line_of(kShortRoute);
    ASSERT_EQ(compile(state, {c.line}), Flow::kNext) << c.line;
    EXPECT_EQ(state.error(), "") << c.line;
    EXPECT_EQ(state.cell(c.cell).kind, c.kind) << c.line;
    EXPECT_EQ(state.cell(c.cell).value_1, c.value) << c.line;
  }
}

TEST(TrainReader, TheWalk) {
  struct Case {
    const char* what;
    std::string text;
    int16_t sand;
  };
  const Case cases[] = {
      {"without the section", "sabbia, 5\r\n[fine]\r\n", 0},
      {"a bare keyword as the last field", "[generale]\r\nsabbia, 5\r\nsabbia", 5},
      {"the last entry without [fine]", "[generale]\r\nsabbia, 5\r\n", 5},
      {"a comment word behind the values", "[generale]\r\nsabbia, 5, sabbia, 6\r\n[fine]\r\n", 6},
      {"values on the next line", "[generale]\r\nsabbia\r\n7\r\n[fine]\r\n", 7},
      {"a comma before the line end is an empty value", "[generale]\r\nsabbia,\r\n7\r\n[fine]\r\n",
       0},
      {"dashes hide up to two fields",
       "[generale]\r\n-a-, sabbia, 5\r\n-a-,-b-, sabbia, 6\r\n[fine]\r\n", 6},
  };
  for (const Case& c : cases) {
    Train state = line_of(kShortRoute);
    EXPECT_EQ(compile_train_text(state, c.text, {}, state.findings), Flow::kNext) << c.what;
    EXPECT_EQ(state.error(), "") << c.what;
    EXPECT_EQ(state.record(kTrainRecord).short_1, c.sand) << c.what;
  }
}

TEST(TrainReader, WithoutEntriesTheEndingStillRuns) {
  Train state = line_of(kShortRoute);
  state.cell(0).speed_limit = 9;
  state.record(kChainageTwoRecord).long_2 = 1210;
  EXPECT_EQ(compile_train_text(state, "no section here\r\n", {}, state.findings), Flow::kNext);
  EXPECT_EQ(state.cell(0).speed_limit, 0);
  EXPECT_EQ(state.error(),
            "L.txt: error E2: a kilometre chainage starts or reads at a value that "
            "is not a multiple of 50 m");
}

TEST(TrainReader, AFieldWithTwoKeywordsStartsBothEntries) {
  Train state = line_of(kShortRoute);
  const std::string text = train_text({"stazione segnale, 850, 2, 3, 1, 0, 0, 2, 2,1,0, 220",
                                       "1000, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, BOTH"});
  ASSERT_EQ(compile_train_text(state, text, {}, state.findings), Flow::kNext);
  EXPECT_EQ(state.cell(18).kind, kSignalCell);
  EXPECT_EQ(state.record(1).long_3, 1000);
  EXPECT_EQ(state.record(1).text, "BOTH");
}

TEST(TrainReader, ReadFailures) {
  struct Case {
    std::string text;
    std::string error;
  };
  const Case cases[] = {
      {"", "T.txt: error E25: read failure: the text ends where a field was expected"},
      {"[generale]\r\nsegnale, 850, 2\r\n",
       "T.txt:2:15: error E25: read failure: the text ends where a field was "
       "expected"},
      {"[generale]\r\nsabbia, 40000\r\n[fine]\r\n",
       "T.txt:2:9: error E25: the value 40000 does not fit a short (-32768 to "
       "32767)"},
      {train_text({station(0, 256, 400)}),
       "T.txt:2:14: error E25: the value 256 does not fit a byte (0 to 255)"},
      {train_text({"stazione, 0, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 600000, 0, 0, X"}),
       "T.txt:2:58: error E25: the station time 600000:0:0 does not fit a long"},
  };
  for (const Case& c : cases) {
    Train state = line_of(kShortRoute);
    EXPECT_EQ(compile_train_text(state, c.text, {}, state.findings), Flow::kReadFailure) << c.text;
    EXPECT_EQ(state.error(), c.error) << c.text;
  }
}

TEST(TrainReader, FailuresWithTheirPositions) {
  struct Case {
    Lines lines;
    Flow flow;
    std::string error;
  };
  const Case cases[] = {
      {{signal_at(850), "abbattimento, 900, 1"},
       Flow::kStop,
       "T.txt:3:1: error E7: the code point at 900 m needs cell 18, which "
       "already holds a signal"},
      {{"abbattimento, 900, 0", "abbattimento, 900, 1"},
       Flow::kStop,
       "T.txt:3:1: error E7: the code point at 900 m needs cell 18, which "
       "already holds a code cut point"},
      {{station(25, 12, 400)},
       Flow::kStop,
       "T.txt:2:1: error E8: the station at 25 m does not stand at a multiple "
       "of 50 m"},
      {{station(1000, 12, 750)},
       Flow::kStop,
       "T.txt:2:1: error E9: the station at 1000 m has a length that is not a "
       "multiple of 100 m"},
      {{signal_at(850), signal_at(860)},
       Flow::kStop,
       "T.txt:3:1: error E16: the signal at 860 m needs cell 18, which already "
       "holds a signal"},
      {{signal_at(2000), "rallentamento, 2000, 60, 700, 0, 0, 60"},
       Flow::kStop,
       "T.txt:3:1: error E18: the slowdown at 2000 m needs the start cell 41, "
       "which already holds a signal"},
      {{station(0, 12, 100)},
       Flow::kStop,
       "T.txt:2:1: error E24: a station ends within 100 m of the start of the "
       "line"},
      {{station(-1000, 12, 400)},
       Flow::kStop,
       "T.txt:2:1: error E24: a station ends within 100 m of the start of the "
       "line"},
      // Entries outside the line end the reading as its end would.
      {{"velocita, 16950, 50"},
       Flow::kEnd,
       "T.txt:2:1: error E15: the entry at 16950 m lies outside the line, "
       "whose last cell is 340 (the rest of the text is not compiled)"},
      {{"aderenza, 16950, 50"},
       Flow::kEnd,
       "T.txt:2:1: error E15: the entry at 16950 m lies outside the line, "
       "whose last cell is 340 (the rest of the text is not compiled)"},
      {{signal_at(16950)},
       Flow::kEnd,
       "T.txt:2:1: error E15: the entry at 16950 m lies outside the line, "
       "whose last cell is 340 (the rest of the text is not compiled)"},
      {{"rallentamento, 16950, 60, 0, 0, 0, 0"},
       Flow::kEnd,
       "T.txt:2:1: error E15: the entry at 16950 m lies outside the line, "
       "whose last cell is 340 (the rest of the text is not compiled)"},
      {{"abbattimento, 16950, 1"},
       Flow::kEnd,
       "T.txt:2:1: error E15: the entry at 16950 m lies outside the line, "
       "whose last cell is 340 (the rest of the text is not compiled)"},
      {{station(16250, 12, 400)},
       Flow::kEnd,
       "T.txt:2:1: error E15: the entry at 16250 m lies outside the line, "
       "whose last cell is 340 (the rest of the text is not compiled)"},
      {{signal_at(300)},
       Flow::kEnd,
       "T.txt:2:1: error E15: the entry at 300 m lies outside the line, whose "
       "last cell is 340 (the rest of the text is not compiled)"},
      {{"abbattimento, -26, 1"},
       Flow::kEnd,
       "T.txt:2:1: error E15: the entry at -26 m lies outside the line, whose "
       "last cell is 340 (the rest of the text is not compiled)"},
      {{"rallentamento, -10, 60, 700, 0, 0, 0"},
       Flow::kEnd,
       "T.txt:2:1: error E15: the entry at -10 m lies outside the line, whose "
       "last cell is 340 (the rest of the text is not compiled)"},
      {{"rallentamento, 2000, 60, 16000, 0, 0, 0"},
       Flow::kEnd,
       "T.txt:2:1: error E15: the entry at 2000 m lies outside the line, whose "
       "last cell is 340 (the rest of the text is not compiled)"},
      {{"rallentamento, 2000, 60, -2200, 0, 0, 0"},
       Flow::kEnd,
       "T.txt:2:1: error E15: the entry at 2000 m lies outside the line, whose "
       "last cell is 340 (the rest of the text is not compiled)"},
  };
  for (const Case& c : cases) {
    Train state = line_of(kShortRoute);
    EXPECT_EQ(compile(state, c.lines), c.flow) << c.lines.back();
    ASSERT_EQ(state.findings.size(), 1u) << c.lines.back();
    EXPECT_EQ(state.error(), c.error) << c.lines.back();
  }
}

TEST(TrainReader, TheEndingRunsAfterAnEntryOutsideTheLineButNotAfterAStop) {
  const Lines start = {"velocita, 0, 50", "aderenza, 0, 100", "velocita, 16900, 100"};
  Lines outside = start;
  outside.push_back(signal_at(16950));
  outside.push_back("sabbia, 5");  // not read any more
  Train ended = line_of(kShortRoute);
  EXPECT_EQ(compile(ended, outside), Flow::kEnd);
  EXPECT_EQ(ended.error(),
            "T.txt:5:1: error E15: the entry at 16950 m lies outside the line, "
            "whose last cell is 340 (the rest of the text is not compiled)");
  EXPECT_EQ(ended.record(kTrainRecord).short_1, 0);
  EXPECT_EQ(ended.cell(338).speed_limit, 20);
  EXPECT_EQ(ended.cell(337).adhesion, 100);

  Lines stopping = start;
  stopping.push_back(station(25, 12, 400));
  Train stopped = line_of(kShortRoute);
  stopped.record(kChainageOneRecord).long_1 = 10;
  EXPECT_EQ(compile(stopped, stopping), Flow::kStop);
  EXPECT_EQ(stopped.error(),
            "T.txt:5:1: error E8: the station at 25 m does not stand at a multiple "
            "of 50 m");  // no chainage check either
  EXPECT_EQ(stopped.cell(337).speed_limit, 10);
  EXPECT_EQ(stopped.cell(338).speed_limit, 0);
  EXPECT_EQ(stopped.cell(0).adhesion, 0);
}

TEST(TrainReader, TheChainageCheckFollowsTheEnding) {
  for (int record : {kChainageThreeRecord, kChainageTwoRecord, kChainageOneRecord}) {
    Train state = line_of(kShortRoute);
    state.record(record).long_1 = -150;  // negative multiples pass
    state.record(record).long_2 = 1025;
    EXPECT_EQ(compile(state, {signal_at(99999)}), Flow::kEnd);
    EXPECT_EQ(error_texts(state.findings),
              (std::vector<std::string>{
                  "T.txt:2:1: error E15: the entry at 99999 m lies outside the line, "
                  "whose last cell is 340 (the rest of the text is not compiled)",
                  "L.txt: error E2: a kilometre chainage starts or reads at a value that "
                  "is not a multiple of 50 m"}))
        << record;
    // The chainage refused is not in the text.
    EXPECT_EQ(state.findings.back().value, record);
  }
}

TEST(TrainReader, AFailedPositionCheckOfTheLineTextStopsAtTheFirstSignalOrSlowdown) {
  const Lines cases[] = {
      {"velocita, 0, 50", signal_at(850), "rallentamento, 5000, 60, 700, 0, 0, 60"},
      {"velocita, 0, 50", "rallentamento, 5000, 60, 700, 0, 0, 60", signal_at(850)},
  };
  for (const Lines& lines : cases) {
    Train state = line_of(kShortRoute);
    LineTextResult line;
    line.flow = Flow::kEnd;
    EXPECT_EQ(compile(state, lines, line), Flow::kStop) << lines[1];
    EXPECT_EQ(state.findings, Findings{}) << "the line text's failure stands";
    const bool signal_first = lines[1] == signal_at(850);
    EXPECT_EQ(state.cell(18).kind, signal_first ? kSignalCell : kEmptyCell) << lines[1];
    EXPECT_EQ(state.cell(101).kind, signal_first ? kEmptyCell : kSlowdownStartCell) << lines[1];
    EXPECT_EQ(state.cell(0).speed_limit, 0) << "no ending fills";
  }

  Train without = line_of(kShortRoute);
  LineTextResult line;
  line.flow = Flow::kEnd;
  EXPECT_EQ(compile(without, {"velocita, 0, 50", station(1000, 12, 400)}, line), Flow::kNext);
  EXPECT_EQ(without.findings, Findings{});
  EXPECT_EQ(without.cell(0).speed_limit, 10);
  EXPECT_EQ(without.record(1).long_3, 1000);
}

TEST(TrainReader, StationsThatWouldLeaveTheCellsAreRefused) {
  // Cells 0 to 140: the position check allows 6000, but a kind-7 station of
  // 2000 m would stop in cell 159.
  Train state = line_of(0);
  EXPECT_EQ(compile(state, {station(6000, 7, 2000, "FAR")}), Flow::kEnd);
  EXPECT_EQ(state.error(),
            "T.txt:2:1: error E15: the entry at 6000 m lies outside the line, whose "
            "last cell is 140 (the rest of the text is not compiled)");
  EXPECT_EQ(state.record(1).long_2, 8000);
  EXPECT_EQ(state.record(1).text, "FAR");
  for (const TrackCell& cell : state.track_cells) EXPECT_EQ(cell.approach, 0);

  // An area beyond what a long holds.
  Train huge = line_of(0);
  EXPECT_EQ(compile(huge, {station(-2147483600, 12, 200000000)}), Flow::kEnd);
  EXPECT_EQ(huge.error(),
            "T.txt:2:1: error E15: the entry at -2147483600 m lies outside the "
            "line, whose last cell is 140 (the rest of the text is not compiled)");
  EXPECT_EQ(huge.record(1).long_1, 0);
}

}  // namespace
}  // namespace sb
