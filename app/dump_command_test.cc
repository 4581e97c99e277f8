#include "app/dump_command.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>

#include <nlohmann/json.hpp>

#include "inspect/test_bytes.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

using test::Bytes;
using ::testing::HasSubstr;
using ::testing::Not;

struct DumpRun {
  int status = -1;
  std::string out;
  std::string err;
};

DumpRun dump(MemoryFileSystem& files, const DumpOptions& options) {
  std::ostringstream out;
  std::ostringstream err;
  DumpRun run;
  run.status = dump_command(options, files, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

DumpOptions options_for(const std::string& path, std::optional<DumpKind> kind = std::nullopt,
                        std::optional<RowRequest> rows = std::nullopt) {
  DumpOptions options;
  options.path = path;
  options.kind = kind;
  options.rows = rows;
  return options;
}

DumpRun dump(MemoryFileSystem& files, const std::string& path, bool json = false,
             std::optional<RowRequest> rows = std::nullopt) {
  DumpOptions options = options_for(path, std::nullopt, rows);
  options.json = json;
  return dump(files, options);
}

// Rows first to last as --rows asks for them.
RowRequest rows(int32_t first, int32_t last) {
  return {first, last, "--rows " + std::to_string(first) + ":" + std::to_string(last)};
}

TEST(DumpRecords, PrintsFieldsByNameAndListsTheAllZeroRecords) {
  MemoryFileSystem files;
  files.files["sc.sim"] = test::records_file(test::sample_records());
  const DumpRun run = dump(files, "sc.sim");
  ASSERT_EQ(run.status, kExitClean) << run.err;
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(
      run.out,
      "records file sc.sim: 87 records, 3004 bytes\n"
      "record 1 (station): station kind 12 [kind], area start -400 m [long_1], area end 450 m "
      "[long_2], position 0 m [long_3], 4th entry value 1 [byte_1], name \"VALMIRA CENTRALE\" "
      "[text], 7th entry value 3 [short_1], 8th entry value -1 [short_2], 10th entry value 2 "
      "[short_3], 11th entry value 32767 [short_4], 12th entry value -32768 [short_5], 9th entry "
      "value 255 [byte_2], stop time 12 s [byte_3], 6th entry value 0 [byte_4], 5th entry value 0 "
      "[byte_5], departure 45540 s = 12:39:00 [long_4]\n"
      "record 80 (indication board text): board text \"Caf\xC3\xA9 \\\"Sud\\\"\" [text]\n"
      "record 81 (chainage from progressiva chilometrica uno, due or tre: the file does not "
      "tell which): start 1200 m [long_1], kilometre value 98000 m [long_2], flag 1 [long_3]\n"
      "record 84 (totals): braked mass 0 % [long_1], route length 302600 m [long_2], cars 0 "
      "[long_3], unused 7 [byte_2]\n"
      "record 85 (scenario): background one 0 [long_1], background three 0 [long_2], "
      "background two 0 [long_3], scenario name \"Valmira_Lunerio\" [text], format mark 611, "
      "expected 610 [short_1], scenario code -2147483648 [long_4]\n"
      "record 86 (train): cab signalling start 0 m [long_1], cab signalling end 0 m [long_2], "
      "cab signalling codes 0 [long_3], train number \"37924\" [text], sand 0 [short_1], "
      "first clock value 0 [short_3], second clock value 0 [short_4], third clock value 0 "
      "[short_5]\n"
      "all zero, not shown: records 0, 2-79, 82-83\n");
}

// Which entry of the line text a chainage was written in survives the
// ordering only when the order tells it.
TEST(DumpRecords, NamesTheEntryOfAChainageWhereTheOrderTellsIt) {
  GeneralRecords records{};
  for (int i = 0; i < 3; ++i) records[static_cast<size_t>(kChainageThreeRecord + i)].long_2 = i + 1;
  MemoryFileSystem files;
  files.files["sc.sim"] = test::records_file(records);
  const DumpRun run = dump(files, "sc.sim");
  EXPECT_THAT(run.out, HasSubstr("record 81 (chainage from progressiva chilometrica uno): "));
  EXPECT_THAT(run.out, HasSubstr("record 82 (chainage from progressiva chilometrica due): "));
  EXPECT_THAT(run.out, HasSubstr("record 83 (chainage from progressiva chilometrica tre): "));
}

TEST(DumpRecords, JsonCarriesEveryRecordWithTextsInUtf8) {
  MemoryFileSystem files;
  files.files["sc.sim"] = test::records_file(test::sample_records());
  const DumpRun run = dump(files, "sc.sim", /*json=*/true);
  ASSERT_EQ(run.status, kExitClean) << run.err;
  const nlohmann::json json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["kind"], "records");
  EXPECT_EQ(json["bytes"], 3004);
  ASSERT_EQ(json["records"].size(), 87u);
  EXPECT_EQ(json["records"][0]["role"], "unused");
  EXPECT_EQ(json["records"][1]["role"], "station");
  const nlohmann::json& station = json["records"][1]["fields"];
  ASSERT_EQ(station.size(), 16u);
  EXPECT_EQ(station[1],
            (nlohmann::json{
                {"slot", "long_1"}, {"meaning", "area start"}, {"unit", "m"}, {"value", -400}}));
  EXPECT_EQ(station[15]["value"], 45540);
  EXPECT_EQ(station[15]["time_of_day"], "12:39:00");
  EXPECT_EQ(json["records"][80]["fields"][5],
            (nlohmann::json{
                {"slot", "text"}, {"meaning", "board text"}, {"value", "Caf\xC3\xA9 \"Sud\""}}));
  EXPECT_EQ(json["records"][81]["written_as_one_of"],
            (nlohmann::json{"progressiva chilometrica uno", "progressiva chilometrica due",
                            "progressiva chilometrica tre"}));
  EXPECT_EQ(json["records"][84]["fields"][11], (nlohmann::json{{"slot", "byte_2"}, {"value", 7}}));
  EXPECT_EQ(json["records"][85]["index"], 85);
  EXPECT_EQ(json["records"][85]["fields"][6]["meaning"], "format mark");
}

std::vector<TrackCell> fixture_cells() {
  std::vector<TrackCell> cells(14);
  cells[1].value_1 = 5121;
  cells[1].value_2 = 2508;
  cells[2] = {kSpeedBoardCell, 1818, 2400, 0, 21};
  cells[3] = {kSignalCell, 32, 11, 0, 8, 220, 0, 2};
  cells[4].approach = 84;
  cells[5] = {kSlowdownStartCell, 60, 60, 0};
  cells[6] = {kSlowdownWarningCell, 100};
  cells[7] = {kWarningLeadInCell, 3, 3};
  cells[8] = {kStationStopCell, 1, 0, 9, 0, 0, 81};
  cells[9] = {kCodePointCell, 180};
  cells[10].kind = kCodeCutPointCell;
  cells[11].kind = kMountainMarkerCell;
  cells[11].mountain_side = 2;
  cells[12] = {kIndicationBoardCell, 80};
  cells[13] = {7, 5, 0, 0, 0, 4};
  // The line under every cell but the last.
  for (size_t i = 0; i + 1 < cells.size(); ++i) {
    cells[i].gradient = i < 6 ? 100 : 97;
    cells[i].speed_limit = 13;
    cells[i].adhesion = 100;
  }
  return cells;
}

std::string cells_file(const std::vector<TrackCell>& cells) {
  Bytes bytes;
  for (const TrackCell& cell : cells) bytes.cell(cell);
  return bytes;
}

TEST(DumpCells, UnpacksEachKindAndListsTheLineAsRuns) {
  MemoryFileSystem files;
  files.files["sc.dat"] = cells_file(fixture_cells());
  const DumpRun run = dump(files, "sc.dat");
  ASSERT_EQ(run.status, kExitClean) << run.err;
  EXPECT_EQ(run.out,
            "cells file sc.dat: 14 cells, 210 bytes\n"
            "format mark 5121 in cell 1\n"
            "scenario code 2508 in cell 1\n"
            "cell 2 at 100 m: speed board: rank A s speed 90 km/h, rank A d speed 90 km/h "
            "[value_1], rank B s speed 120 km/h, rank B d speed 0 km/h [value_2], rank C s speed "
            "0 km/h, rank C d speed 0 km/h [value_3], s stripes 2, d stripes 1 [value_4]\n"
            "cell 3 at 150 m: signal: first left-hand digit 3, first right-hand digit 2 "
            "[value_1], second left-hand digit 1, second right-hand digit 1 [value_2], third "
            "left-hand digit 0, third right-hand digit 0 [value_3], leading digit 0, left-hand "
            "code 2, right-hand code 2 [value_4], time 220 [signal_time]\n"
            "cell 4 at 200 m: approach mark 4, approach code 8 [approach]\n"
            "cell 5 at 250 m: slowdown start: speed 60 km/h [value_1], second speed 60 km/h "
            "[value_2], carried value f_tt 0 [value_3]\n"
            "cell 6 at 300 m: slowdown warning: speed 100 km/h [value_1], second speed 0 km/h "
            "[value_2]\n"
            "cell 7 at 350 m: warning lead-in: lead-in mark 3 [value_1], second-speed lead-in "
            "mark 3 [value_2]\n"
            "cell 8 at 400 m: station stop: station record 1 [value_1], unused 9 [value_3], "
            "approach mark 1, approach code 8 [approach]\n"
            "cell 9 at 450 m: code point: code value 180 [value_1]\n"
            "cell 10 at 500 m: code cut point\n"
            "cell 11 at 550 m: mountain marker\n"
            "cell 12 at 600 m: indication board: board text record 80 [value_1]\n"
            "cell 13 at 650 m: kind 7: unused 5 [value_1], signal time 4 [signal_time]\n"
            "cells 0-5: gradient 0\n"
            "cells 6-12: gradient -3\n"
            "cell 13: gradient none (byte 0)\n"
            "cells 0-12: speed limit 65 km/h\n"
            "cell 13: speed limit 0 km/h\n"
            "cells 0-12: adhesion 100\n"
            "cell 13: adhesion 0\n"
            "cells 0-2: mountain side 0\n"
            "cell 3: mountain side 2\n"
            "cells 4-10: mountain side 0\n"
            "cell 11: mountain side 2\n"
            "cells 12-13: mountain side 0\n");
}

TEST(DumpCells, CheckTheFormatMarkOfCell1) {
  TrackCell wrong_mark;
  wrong_mark.value_1 = 17;
  wrong_mark.value_2 = -3;
  struct Case {
    std::vector<TrackCell> cells;
    std::string lines;
  };
  const Case cases[] = {
      {{TrackCell{}, wrong_mark},
       "format mark 17 in cell 1, expected 5121\nscenario code -3 in cell 1\n"},
      {{TrackCell{}}, "no cell 1: no format mark, no scenario code\n"},
  };
  for (const Case& c : cases) {
    MemoryFileSystem files;
    files.files["sc.dat"] = cells_file(c.cells);
    const DumpRun run = dump(files, "sc.dat");
    EXPECT_EQ(run.status, kExitClean);
    EXPECT_THAT(run.out, HasSubstr(c.lines));
    EXPECT_THAT(run.out, Not(HasSubstr("cell 1 at")));
  }
}

TEST(DumpCells, JsonCarriesRawValuesMeaningsAndRuns) {
  MemoryFileSystem files;
  files.files["sc.dat"] = cells_file(fixture_cells());
  const DumpRun run = dump(files, "sc.dat", /*json=*/true);
  ASSERT_EQ(run.status, kExitClean) << run.err;
  const nlohmann::json json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["cell_count"], 14);
  EXPECT_EQ(json["format_mark"], 5121);
  EXPECT_EQ(json["scenario_code"], 2508);
  ASSERT_EQ(json["cells"].size(), 12u);
  const nlohmann::json& signal = json["cells"][1];
  EXPECT_EQ(signal["cell"], 3);
  EXPECT_EQ(signal["position"], 150);
  EXPECT_EQ(signal["kind_name"], "signal");
  EXPECT_EQ(signal["value_1"], 32);
  EXPECT_EQ(signal["signal_time"], 220);
  ASSERT_EQ(signal["meaning"].size(), 10u);
  EXPECT_EQ(signal["meaning"][8],
            (nlohmann::json{{"label", "right-hand code"}, {"value", 2}, {"slot", "value_4"}}));
  EXPECT_EQ(
      json["cells"][0]["meaning"][2],
      (nlohmann::json{
          {"label", "rank B s speed"}, {"value", 120}, {"unit", "km/h"}, {"slot", "value_2"}}));
  const nlohmann::json& gradient = json["runs"]["gradient"];
  ASSERT_EQ(gradient.size(), 3u);
  EXPECT_EQ(gradient[1], (nlohmann::json{{"first", 6}, {"last", 12}, {"byte", 97}, {"value", -3}}));
  EXPECT_TRUE(gradient[2]["value"].is_null());
  EXPECT_EQ(json["runs"]["speed_limit"][0]["value"], 65);
}

std::string fixture_trace() {
  return Bytes()
      .int16_element(0)
      .int16_element(0)
      .double_element(3)
      .double_element(3)
      .unset()
      .int16_element(0)
      .int16_element(1)
      .double_element(5)
      .double_element(5.5)
      .unset();
}

TEST(DumpLineTrace, SummarisesAndShowsTheRowsAskedFor) {
  MemoryFileSystem files;
  files.files["tr_linea.dat"] = fixture_trace();
  const DumpRun run = dump(files, "tr_linea.dat", false, RowRequest{2, std::nullopt, "--rows 2:"});
  ASSERT_EQ(run.status, kExitClean) << run.err;
  EXPECT_EQ(run.out,
            "line trace tr_linea.dat: 5 rows in each column, 60 bytes\n"
            "column x: 2 int16, 2 double, 1 unset\n"
            "column y: 2 int16, 2 double, 1 unset\n"
            "extent x 0.000 to 3.000, y 0.000 to 5.500\n"
            "length along the trace 6.500 m\n"
            "row 2: x 3, y 5\n"
            "row 3: x 3, y 5.5\n"
            "row 4: x unset, y unset\n");
}

TEST(DumpLineTrace, ShowsExactValuesAndTheRouteLengthTheRowsImply) {
  Bytes bytes;
  bytes.int16_element(-7).double_element(0.1).double_element(651.999996);
  for (int i = 3; i < 7003; ++i) bytes.unset();
  bytes.int16_element(0).double_element(-1e-300).double_element(2);
  for (int i = 3; i < 7003; ++i) bytes.unset();
  MemoryFileSystem files;
  files.files["tr_linea.dat"] = bytes;
  const DumpRun run = dump(files, "tr_linea.dat", false, rows(0, 2));
  ASSERT_EQ(run.status, kExitClean) << run.err;
  EXPECT_THAT(run.out, HasSubstr("rows for a route of 2 m\n"));
  EXPECT_THAT(run.out, HasSubstr("row 0: x -7 (int16), y 0 (int16)\n"
                                 "row 1: x 0.1, y -1e-300\n"
                                 "row 2: x 651.999996, y 2\n"));
}

TEST(DumpLineTrace, LeavesValuesThatAreNotFiniteOutOfExtentAndLength) {
  const std::string bytes = Bytes()
                                .int16_element(0)
                                .int16_element(0)
                                .double_element(std::numeric_limits<double>::infinity())
                                .double_element(0)
                                .double_element(0)
                                .int16_element(0)
                                .int16_element(1)
                                .double_element(2)
                                .double_element(3)
                                .double_element(4);
  MemoryFileSystem files;
  files.files["tr_linea.dat"] = bytes;
  const DumpRun run = dump(files, "tr_linea.dat");
  ASSERT_EQ(run.status, kExitClean) << run.err;
  EXPECT_THAT(run.out, HasSubstr("extent x 0.000 to 0.000, y 0.000 to 4.000\n"
                                 "length along the trace 2.000 m\n"
                                 "1 value not finite, left out of the extent and length\n"));
}

// Values no compiler writes are shown as they are, in text and JSON alike,
// and never taken for a number they are not.
TEST(DumpLineTrace, ShowsValuesNoRouteHasAsTheyAre) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    const char* text;
    nlohmann::json json;
    const char* not_finite;
  } cases[] = {
      {2e144, "2e+144", 2e144, ""},
      {inf, "inf", "inf", "1 value not finite"},
      {-inf, "-inf", "-inf", "1 value not finite"},
      {std::numeric_limits<double>::quiet_NaN(), "nan", "nan", "1 value not finite"},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    files.files["tr_linea.dat"] = Bytes()
                                      .int16_element(0)
                                      .double_element(c.value)
                                      .double_element(1)
                                      .int16_element(0)
                                      .double_element(2)
                                      .double_element(3);
    const DumpRun text = dump(files, "tr_linea.dat", false, rows(1, 1));
    ASSERT_EQ(text.status, kExitClean) << text.err;
    EXPECT_THAT(text.out, HasSubstr(std::string("row 1: x ") + c.text + ", y 2\n")) << c.text;
    EXPECT_THAT(text.out, HasSubstr(c.not_finite)) << c.text;

    const DumpRun json = dump(files, "tr_linea.dat", true, rows(1, 1));
    ASSERT_EQ(json.status, kExitClean) << json.err;
    const nlohmann::json document = nlohmann::json::parse(json.out);
    EXPECT_EQ(document["rows"][0]["x"], c.json) << c.text;
    EXPECT_EQ(document["non_finite"], c.not_finite[0] == '\0' ? 0 : 1) << c.text;
  }
}

TEST(DumpLineTrace, JsonCarriesTheSummaryAndRows) {
  MemoryFileSystem files;
  files.files["tr_linea.dat"] = fixture_trace();
  const DumpRun run = dump(files, "tr_linea.dat", true, rows(3, 4));
  ASSERT_EQ(run.status, kExitClean) << run.err;
  const nlohmann::json json = nlohmann::json::parse(run.out);
  EXPECT_EQ(json["kind"], "trace");
  EXPECT_EQ(json["row_count"], 5);
  EXPECT_TRUE(json["route_length"].is_null());
  EXPECT_EQ(json["columns"]["x"]["double"], 2);
  EXPECT_EQ(json["columns"]["y"]["max"], 5.5);
  EXPECT_EQ(json["length"], 6.5);
  ASSERT_EQ(json["rows"].size(), 2u);
  EXPECT_EQ(json["rows"][0],
            (nlohmann::json{
                {"row", 3}, {"x", 3.0}, {"y", 5.5}, {"x_tag", "double"}, {"y_tag", "double"}}));
  EXPECT_TRUE(json["rows"][1]["x"].is_null());
  EXPECT_EQ(json["rows"][1]["y_tag"], "unset");
  // The rows are printed one by one, laid out as the whole document would be.
  EXPECT_EQ(run.out, json.dump(2) + "\n");
}

TEST(DumpLineTrace, ShowsNoRowsUnlessAsked) {
  MemoryFileSystem files;
  files.files["tr_linea.dat"] = fixture_trace();
  const DumpRun run = dump(files, "tr_linea.dat");
  ASSERT_EQ(run.status, kExitClean) << run.err;
  EXPECT_THAT(run.out, Not(HasSubstr("row ")));
}

TEST(Dump, RowsSelectIndices) {
  MemoryFileSystem files;
  files.files["sc.sim"] = test::records_file(test::sample_records());
  files.files["sc.dat"] = cells_file(fixture_cells());

  const DumpRun records = dump(files, "sc.sim", false, RowRequest{85, std::nullopt, "--rows 85:"});
  EXPECT_THAT(records.out, HasSubstr("record 85 "));
  EXPECT_THAT(records.out, HasSubstr("record 86 "));
  EXPECT_THAT(records.out, Not(HasSubstr("record 84 ")));
  EXPECT_THAT(records.out, Not(HasSubstr("all zero")));

  const DumpRun cells = dump(files, "sc.dat", false, rows(3, 4));
  EXPECT_THAT(cells.out, HasSubstr("format mark 5121 in cell 1\n"));
  EXPECT_THAT(cells.out, HasSubstr("cell 3 at 150 m: signal"));
  EXPECT_THAT(cells.out, HasSubstr("cell 4 at 200 m: approach"));
  EXPECT_THAT(cells.out, Not(HasSubstr("cell 2 at")));
  EXPECT_THAT(cells.out, Not(HasSubstr("cell 5 at")));
  EXPECT_THAT(cells.out, HasSubstr("cells 3-4: gradient 0\n"));
}

TEST(Dump, APositionSelectsItsCellOrTraceRow) {
  MemoryFileSystem files;
  files.files["sc.dat"] = cells_file(fixture_cells());
  files.files["tr_linea.dat"] = fixture_trace();
  const struct {
    const char* path;
    double metres;
    const char* shown;
    const char* not_shown;
  } cases[] = {
      {"sc.dat", 150, "cell 3 at 150 m: signal", "cell 4 at"},
      {"sc.dat", 175, "cell 4 at 200 m: approach", "cell 3 at"},     // 3.5 rounds to 4
      {"sc.dat", 125, "cell 2 at 100 m: speed board", "cell 3 at"},  // 2.5 rounds to 2
      {"sc.dat", 10, "cell 0 at 0 m: empty\ncell 0: gradient 0\n", "cell 1 at"},
      {"tr_linea.dat", 3.4, "row 3: x 3, y 5.5\n", "row 2:"},
  };
  for (const auto& c : cases) {
    DumpOptions options = options_for(c.path);
    options.at = PositionRequest{c.metres, "--at"};
    const DumpRun run = dump(files, options);
    EXPECT_EQ(run.status, kExitClean) << run.err;
    EXPECT_THAT(run.out, HasSubstr(c.shown)) << c.metres;
    EXPECT_THAT(run.out, Not(HasSubstr(c.not_shown))) << c.metres;
  }
}

TEST(Dump, RowsBeyondTheTableAreAnError) {
  MemoryFileSystem files;
  files.files["sc.sim"] = test::records_file(test::sample_records());
  files.files["sc.dat"] = cells_file(fixture_cells());
  files.files["tr_linea.dat"] = fixture_trace();
  const struct {
    const char* path;
    std::optional<RowRequest> rows;
    std::optional<PositionRequest> at;
    const char* message;
  } cases[] = {
      {"sc.sim", rows(80, 87), std::nullopt,
       "--rows 80:87 goes past the end of sc.sim: the last record is 86"},
      {"sc.sim", RowRequest{87, std::nullopt, "--rows 87:"}, std::nullopt,
       "--rows 87: goes past the end of sc.sim: the last record is 86"},
      {"sc.dat", rows(14, 14), std::nullopt,
       "--rows 14:14 goes past the end of sc.dat: the last cell is 13"},
      {"tr_linea.dat", rows(0, 5), std::nullopt,
       "--rows 0:5 goes past the end of tr_linea.dat: the last row is 4"},
      {"sc.dat", std::nullopt, PositionRequest{675, "--at 675"},
       "--at 675 (cell 14) goes past the end of sc.dat: the last cell is 13"},
      {"tr_linea.dat", std::nullopt, PositionRequest{5000, "--km 5"},
       "--km 5 (row 5000) goes past the end of tr_linea.dat: the last row is 4"},
      {"sc.dat", std::nullopt, PositionRequest{1e308, "--at 1e308"},
       "--at 1e308 goes past the end of sc.dat: the last cell is 13"},
      {"sc.dat", std::nullopt, PositionRequest{-1, "--at -1"},
       "--at -1: give a position of 0 m or more"},
      {"sc.sim", std::nullopt, PositionRequest{100, "--at 100"},
       "--at 100: sc.sim is a records file, which has no rows by position; give --rows"},
  };
  for (const auto& c : cases) {
    DumpOptions options = options_for(c.path, std::nullopt, c.rows);
    options.at = c.at;
    const DumpRun run = dump(files, options);
    EXPECT_EQ(run.status, kExitUsage) << c.message;
    EXPECT_EQ(run.err, std::string("scenario-builder dump: ") + c.message + "\n");
    EXPECT_EQ(run.out, "") << c.message;
  }
}

TEST(Dump, TextsAreConvertedForTheTerminalUnlessRaw) {
  MemoryFileSystem files;
  files.files["sc.sim"] = test::records_file(test::sample_records());
  DumpOptions options = options_for("sc.sim", std::nullopt, rows(80, 80));
  EXPECT_THAT(dump(files, options).out, HasSubstr("text \"Caf\xC3\xA9 \\\"Sud\\\"\""));
  options.raw = true;
  EXPECT_THAT(dump(files, options).out, HasSubstr("text \"Caf\xE9 \\\"Sud\\\"\""));
}

TEST(Dump, FailsWithOneLineNamingTheFile) {
  MemoryFileSystem files;
  files.files["sc.dat"] = std::string(16, '\0');
  files.files["odd.txt"] = Bytes().unset();
  files.files["sc.sim"] = test::records_file({});
  files.unreadable.insert("locked.sim");
  files.files["locked.sim"] = "";
  // Sizes told without a byte stored, as a sparse file's: each is one byte
  // beyond the largest file of its kind and is refused before it is read.
  files.files["huge_linea.dat"] = "";
  files.told_sizes["huge_linea.dat"] = 20140021;
  files.files["huge.dat"] = "";
  files.told_sizes["huge.dat"] = 302116;
  files.files["huge.sim"] = "";
  files.told_sizes["huge.sim"] = 5704504;
  files.files["sparse_linea.dat"] = "";
  files.told_sizes["sparse_linea.dat"] = uint64_t{10} << 30;
  files.unreadable.insert("sparse_linea.dat");  // reading it would fail otherwise
  struct Case {
    DumpOptions options;
    std::string message;
  };
  const Case cases[] = {
      {options_for("missing.sim"), "cannot read missing.sim: No such file or directory\n"},
      {options_for("locked.sim"), "cannot read locked.sim: Permission denied\n"},
      {options_for("notes.txt"),
       "cannot tell what notes.txt holds from its name (.sim, _linea.dat or .dat): give --kind "
       "records, cells or trace\n"},
      {options_for("sc.dat"),
       "cannot decode sc.dat as a cells file: is 16 bytes, not a whole number of 15-byte "
       "cells: cell 1 at byte 15 has only 1 byte\n"},
      {options_for("odd.txt", DumpKind::kLineTrace),
       "cannot decode odd.txt as a line trace file: holds an odd number of elements (1, ending "
       "at byte 2): the two columns must have the same number of rows\n"},
      {options_for("sc.sim", DumpKind::kCells),
       "cannot decode sc.sim as a cells file: is 2958 bytes, not a whole number of 15-byte "
       "cells: cell 197 at byte 2955 has only 3 bytes\n"},
      {options_for("huge_linea.dat"),
       "cannot read huge_linea.dat: it is 20140021 bytes, but a line trace file is at most "
       "20140020 bytes\n"},
      {options_for("huge.dat"),
       "cannot read huge.dat: it is 302116 bytes, but a cells file is at most 302115 bytes\n"},
      {options_for("huge.sim"),
       "cannot read huge.sim: it is 5704504 bytes, but a records file is at most 5704503 "
       "bytes\n"},
      {options_for("sparse_linea.dat", std::nullopt, rows(0, 1)),
       "cannot read sparse_linea.dat: it is 10737418240 bytes, but a line trace file is at most "
       "20140020 bytes\n"},
      {options_for("sc.sim", std::nullopt, rows(5, 2)),
       "--rows 5:2: the first row comes after the last\n"},
  };
  for (const Case& c : cases) {
    const DumpRun run = dump(files, c.options);
    EXPECT_EQ(run.status, kExitUsage) << c.options.path;
    EXPECT_EQ(run.err, "scenario-builder dump: " + c.message);
    EXPECT_EQ(run.out, "") << c.options.path;
  }
}

// A 10 GB file on disk that stores no byte: refused at once, where reading
// it whole would take 10 GB of memory.
TEST(Dump, RefusesAHugeSparseFileOnDiskWithoutReadingIt) {
#ifdef _WIN32
  GTEST_SKIP() << "a file this size would take its space on the disk";
#endif
  const std::filesystem::path directory =
      std::filesystem::temp_directory_path() /
      ("sb-dump-test-" + std::to_string(std::random_device{}()));
  std::filesystem::create_directories(directory);
  const std::string path = (directory / "Huge_linea.dat").string();
  { std::ofstream create(path, std::ios::binary); }
  std::filesystem::resize_file(path, uint64_t{10} << 30);

  std::ostringstream out;
  std::ostringstream err;
  const int status =
      dump_command(options_for(path, std::nullopt, rows(0, 1)), disk_file_system(), out, err);
  std::filesystem::remove_all(directory);
  EXPECT_EQ(status, kExitUsage);
  EXPECT_EQ(err.str(), "scenario-builder dump: cannot read " + path +
                           ": it is 10737418240 bytes, but a line trace file is at most "
                           "20140020 bytes\n");
  EXPECT_EQ(out.str(), "");
}

// A device or a pipe tells no size before it is read: it is refused rather
// than read without a bound.
TEST(Dump, RefusesWhatIsNotARegularFileOnDisk) {
#ifdef _WIN32
  GTEST_SKIP() << "no /dev/null";
#endif
  std::ostringstream out;
  std::ostringstream err;
  const int status =
      dump_command(options_for("/dev/null", DumpKind::kCells), disk_file_system(), out, err);
  EXPECT_EQ(status, kExitUsage);
  EXPECT_EQ(err.str(),
            "scenario-builder dump: cannot read /dev/null: not a regular file, whose size could be "
            "checked\n");
  EXPECT_EQ(out.str(), "");
}

TEST(Dump, KindFromNameAndFlag) {
  const struct {
    const char* name;
    std::optional<DumpKind> kind;
  } names[] = {
      {"Valmira_Lunerio_37924.sim", DumpKind::kRecords},
      {"Valmira_Lunerio_37924.dat", DumpKind::kCells},
      {"Valmira_Lunerio_linea.dat", DumpKind::kLineTrace},
      {"C:\\SCENARI\\VALMIRA_LUNERIO_LINEA.DAT", DumpKind::kLineTrace},
      {"out/x.SIM", DumpKind::kRecords},
      {"Valmira_Lunerio_linea.txt", std::nullopt},
      {"x.dat.bak", std::nullopt},
      {"sim", std::nullopt},
  };
  for (const auto& c : names) EXPECT_EQ(dump_kind_from_name(c.name), c.kind) << c.name;

  EXPECT_EQ(dump_kind_from_flag("records"), DumpKind::kRecords);
  EXPECT_EQ(dump_kind_from_flag("cells"), DumpKind::kCells);
  EXPECT_EQ(dump_kind_from_flag("trace"), DumpKind::kLineTrace);
  EXPECT_EQ(dump_kind_from_flag("Trace"), std::nullopt);
  EXPECT_EQ(dump_kind_from_flag("sim"), std::nullopt);
}

TEST(ParseRowRange, AcceptsRangesOneRowAndOpenEndsAndExplainsBadOnes) {
  const char* const kForms = "give FIRST:LAST such as 0:99, one row, FIRST: for the rest or :LAST";
  const struct {
    const char* text;
    std::optional<RowRequest> range;
    std::string error;
  } cases[] = {
      {"0:99", RowRequest{0, 99, "--rows 0:99"}, ""},
      {"7:7", RowRequest{7, 7, "--rows 7:7"}, ""},
      {"10", RowRequest{10, 10, "--rows 10"}, ""},
      {"100:", RowRequest{100, std::nullopt, "--rows 100:"}, ""},
      {":5", RowRequest{0, 5, "--rows :5"}, ""},
      {"0:2147483647", RowRequest{0, 2147483647, "--rows 0:2147483647"}, ""},
      {"9:3", std::nullopt, "the first row comes after the last"},
      {"0:2147483648", std::nullopt, "row numbers go up to 2147483647"},
      {"2147483648:", std::nullopt, "row numbers go up to 2147483647"},
      {"", std::nullopt, kForms},
      {":", std::nullopt, kForms},
      {"-1:3", std::nullopt, kForms},
      {"+1:3", std::nullopt, kForms},
      {"1:2:3", std::nullopt, kForms},
      {"a:b", std::nullopt, kForms},
      {" 1:2", std::nullopt, kForms},
  };
  // A refused range leaves the request as it was.
  const RowRequest untouched{-1, -1, "untouched"};
  for (const auto& c : cases) {
    RowRequest request = untouched;
    std::string error;
    EXPECT_EQ(parse_row_range(c.text, &request, &error), c.range.has_value()) << c.text;
    EXPECT_EQ(request, c.range.value_or(untouched)) << c.text;
    EXPECT_EQ(error, c.error) << c.text;
  }
}

}  // namespace
}  // namespace sb
