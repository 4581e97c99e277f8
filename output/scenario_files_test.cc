#include "output/scenario_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <latch>
#include <thread>

#include "output/scenario_writers.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

// Runs one writer into an in-memory file and returns its bytes.
template <typename Write>
std::string bytes_of(Write write) {
  MemoryFileSystem file_system;
  std::string error;
  auto file = file_system.create("out", &error);
  BufferedWriter out(*file, 64);  // a small buffer, to cross its edge often
  write(out);
  EXPECT_TRUE(out.flush());
  EXPECT_TRUE(file->commit());
  return file_system.files["out"];
}

std::string hex(std::string_view bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string text;
  for (unsigned char c : bytes) {
    if (!text.empty()) text += ' ';
    text += digits[c >> 4];
    text += digits[c & 15];
  }
  return text;
}

TEST(RecordsFile, RecordSizeGrowsWithItsText) {
  std::array<GeneralRecord, kRecordCount> records{};
  const std::string empty = bytes_of([&](BufferedWriter& out) { write_records(records, out); });
  ASSERT_EQ(empty.size(), 87u * 34);
  EXPECT_EQ(empty, std::string(87 * 34, '\0'));

  records[0].text = "Valmira_Lunerio";
  records[0].short_1 = 610;
  records[0].long_4 = -2;
  const std::string named = bytes_of([&](BufferedWriter& out) { write_records(records, out); });
  ASSERT_EQ(named.size(), 87u * 34 + 15);
  EXPECT_EQ(hex(named.substr(14, 2)), "0F 00");
  EXPECT_EQ(named.substr(16, 15), "Valmira_Lunerio");
  EXPECT_EQ(hex(named.substr(31, 2)), "62 02");
  EXPECT_EQ(hex(named.substr(45, 4)), "FE FF FF FF");
}

TEST(RecordsFile, FieldsInDeclarationOrder) {
  std::array<GeneralRecord, kRecordCount> records{};
  GeneralRecord& r = records[0];
  r.kind = 1;
  r.long_1 = 0x02020202;
  r.long_2 = 0x03030303;
  r.long_3 = 0x04040404;
  r.byte_1 = 5;
  r.text = "x";
  r.short_1 = 0x0606;
  r.short_2 = 0x0707;
  r.short_3 = 0x0808;
  r.short_4 = 0x0909;
  r.short_5 = 0x0A0A;
  r.byte_2 = 0x0B;
  r.byte_3 = 0x0C;
  r.byte_4 = 0x0D;
  r.byte_5 = 0x0E;
  r.long_4 = 0x0F0F0F0F;
  const std::string bytes = bytes_of([&](BufferedWriter& out) { write_records(records, out); });
  EXPECT_EQ(hex(bytes.substr(0, 35)),
            "01 02 02 02 02 03 03 03 03 04 04 04 04 05 01 00 78 06 06 07 07 08 08 09 09 0A 0A "
            "0B 0C 0D 0E 0F 0F 0F 0F");
}

TEST(CellsFile, FifteenBytesACellInFieldOrder) {
  std::vector<TrackCell> cells(6193);
  cells[1].kind = kSignalCell;
  cells[1].value_1 = 5121;
  cells[1].value_2 = -1;
  cells[1].value_3 = 0x0303;
  cells[1].value_4 = 0x0404;
  cells[1].signal_time = 5;
  cells[1].approach = 6;
  cells[1].mountain_side = 7;
  cells[1].speed_limit = 8;
  cells[1].gradient = 9;
  cells[1].adhesion = 10;
  const std::string bytes = bytes_of([&](BufferedWriter& out) { write_cells(cells, out); });
  EXPECT_EQ(bytes.size(), 92895u);
  EXPECT_EQ(hex(bytes.substr(15, 15)), "01 01 14 FF FF 03 03 04 04 05 06 07 08 09 0A");
}

TEST(LineTraceFile, ElementSizesFollowTheirTags) {
  const int32_t n = 1000;
  LineTrace trace;
  trace.reset(n);
  trace.set_int16(0, 0, 0);
  trace.set_int16(1, 0, 1);
  for (int32_t row = 2; row <= n - 2; ++row) trace.set_double(row, 0.5, -row);
  const std::string bytes = bytes_of([&](BufferedWriter& out) { write_line_trace(trace, out); });
  ASSERT_EQ(bytes.size(), static_cast<size_t>(20 * n - 36));
  EXPECT_EQ(line_trace_file_bytes(trace), bytes.size());
  const size_t column = static_cast<size_t>(10 * n - 18);
  EXPECT_EQ(hex(bytes.substr(0, 8)), "02 00 00 00 02 00 00 00");
  EXPECT_EQ(hex(bytes.substr(8, 10)), "05 00 00 00 00 00 00 00 E0 3F");  // 0.5
  EXPECT_EQ(hex(bytes.substr(column - 4, 4)), "00 00 00 00");            // two unset rows
  EXPECT_EQ(hex(bytes.substr(column, 8)), "02 00 00 00 02 00 01 00");
  EXPECT_EQ(hex(bytes.substr(column + 8, 10)), "05 00 00 00 00 00 00 00 00 C0");  // -2.0
}

// Rows of any type in any order: each element keeps its own size and place,
// the runs of doubles around the others included.
TEST(LineTraceFile, MixedRowsKeepTheirOrderAndSizes) {
  LineTrace trace;
  trace.reset(5);
  trace.set_double(0, 1.0, 0.0);
  trace.set_int16(1, -1, 7);
  trace.set_double(2, 2.0, 0.0);
  trace.set_double(3, -2.0, 0.0);
  trace.set_double(5, 0.5, 0.0);
  const std::string bytes = bytes_of([&](BufferedWriter& out) { write_line_trace(trace, out); });
  ASSERT_EQ(bytes.size(), 2u * (10 + 4 + 10 + 10 + 2 + 10));
  EXPECT_EQ(line_trace_file_bytes(trace), bytes.size());
  EXPECT_EQ(hex(bytes.substr(0, 14)), "05 00 00 00 00 00 00 00 F0 3F 02 00 FF FF");
  EXPECT_EQ(hex(bytes.substr(14, 10)), "05 00 00 00 00 00 00 00 00 40");  // 2.0
  EXPECT_EQ(hex(bytes.substr(24, 10)), "05 00 00 00 00 00 00 00 00 C0");  // -2.0
  EXPECT_EQ(hex(bytes.substr(34, 12)), "00 00 05 00 00 00 00 00 00 00 E0 3F");
  EXPECT_EQ(hex(bytes.substr(46 + 10, 4)), "02 00 07 00");  // column 1, row 1
}

// The writer follows a trace whose values a helper is still storing: what
// it writes is what it would write of the finished trace.
TEST(LineTraceFile, WrittenWhileTheValuesAreStillComingIn) {
  const int32_t last = 400000;
  LineTrace finished;
  finished.reset(last);
  LineTrace filling;
  filling.reset(last);
  for (LineTrace* trace : {&finished, &filling}) {
    trace->set_int16(0, 0, 0);
    trace->set_int16(1, 0, 1);
  }
  for (int32_t row = 2; row <= last - 2; ++row) finished.set_double(row, row * 0.5, -row);
  filling.mark_doubles(2, last - 2);
  std::latch go(1);
  ASSERT_TRUE(filling.fill_in_background([&filling, &go, last](std::stop_token) {
    go.wait();
    for (int32_t row = 2; row <= last - 2; ++row) {
      filling.store_double_values(row, row * 0.5, -row);
      if (row % 4096 == 0 || row == last - 2) {
        filling.report_stored(row + 1);
        std::this_thread::sleep_for(std::chrono::microseconds(20));  // a slow helper
      }
    }
  }));
  go.count_down();
  const std::string bytes = bytes_of([&](BufferedWriter& out) { write_line_trace(filling, out); });
  EXPECT_EQ(line_trace_file_bytes(filling), bytes.size());
  EXPECT_TRUE(bytes == bytes_of([&](BufferedWriter& out) { write_line_trace(finished, out); }));
}

BuildState small_state() {
  BuildState state;
  state.trace_flag = 1;
  size_for_route(state, 100);
  return state;
}

TEST(ScenarioFiles, NamesJoinDirectoryScenarioAndTrain) {
  const ScenarioFileNames names = scenario_file_names("/d", "Valmira_Lunerio", "37924");
  EXPECT_EQ(names.line_trace, "/d/Valmira_Lunerio_linea.dat");
  EXPECT_EQ(names.records, "/d/Valmira_Lunerio_37924.sim");
  EXPECT_EQ(names.cells, "/d/Valmira_Lunerio_37924.dat");
}

TEST(ScenarioFiles, ALongerOldFileIsReplacedWhole) {
  MemoryFileSystem file_system;
  const ScenarioFileNames names = scenario_file_names("/d", "s", "1");
  file_system.files[names.cells] = std::string(1 << 20, 'x');
  std::string error;
  ASSERT_TRUE(write_scenario_files(small_state(), file_system, names, &error)) << error;
  // 7100 rows beyond the start: 143 cells, and 7101 unset rows a column.
  EXPECT_EQ(file_system.files[names.cells].size(), 15u * 143);
  EXPECT_EQ(file_system.files[names.records].size(), 87u * 34);
  EXPECT_EQ(file_system.files[names.line_trace].size(), 2u * 2 * 7101);
}

// The trace file is the one long file: its size is announced before it is
// written, so that the system can set the space aside in one step.
TEST(ScenarioFiles, TheTraceFileIsAnnouncedWithItsSize) {
  MemoryFileSystem file_system;
  BuildState state = small_state();
  for (int32_t row = 0; row <= 7098; ++row) state.line_trace.set_double(row, 1.0, 2.0);
  const ScenarioFileNames names = scenario_file_names("/d", "s", "1");
  std::string error;
  ASSERT_TRUE(write_scenario_files(state, file_system, names, &error)) << error;
  EXPECT_EQ(file_system.expected_sizes[names.line_trace], 2u * (10 * 7099 + 2 * 2));
  EXPECT_EQ(file_system.expected_sizes[names.line_trace],
            file_system.files[names.line_trace].size());
}

TEST(ScenarioFiles, WithoutTheTraceFlagNoTraceFile) {
  MemoryFileSystem file_system;
  BuildState state = small_state();
  state.trace_flag = 0;
  const ScenarioFileNames names = scenario_file_names("/d", "s", "1");
  std::string error;
  ASSERT_TRUE(write_scenario_files(state, file_system, names, &error));
  EXPECT_EQ(file_system.files.count(names.line_trace), 0u);
}

TEST(ScenarioFiles, AFailedWriteLeavesEveryOldFileIntact) {
  const ScenarioFileNames names = scenario_file_names("/d", "s", "1");
  struct Case {
    const char* what;
    void (*inject)(MemoryFileSystem&, const ScenarioFileNames&);
    const char* error;
  };
  const Case cases[] = {
      {"disk full", [](MemoryFileSystem& fs, const ScenarioFileNames&) { fs.space_left = 20000; },
       "cannot write /d/s_linea.dat: No space left on device"},
      {"unwritable cells",
       [](MemoryFileSystem& fs, const ScenarioFileNames& n) { fs.unwritable.insert(n.cells); },
       "cannot write /d/s_1.dat: Permission denied"},
  };
  for (const Case& c : cases) {
    MemoryFileSystem file_system;
    file_system.files = {{names.line_trace, "old trace"},
                         {names.records, "old records"},
                         {names.cells, "old cells"}};
    c.inject(file_system, names);
    std::string error;
    EXPECT_FALSE(write_scenario_files(small_state(), file_system, names, &error)) << c.what;
    EXPECT_EQ(error, c.error);
    EXPECT_EQ(file_system.files[names.line_trace], "old trace") << c.what;
    EXPECT_EQ(file_system.files[names.records], "old records") << c.what;
    EXPECT_EQ(file_system.files[names.cells], "old cells") << c.what;
  }
}

TEST(ScenarioFiles, ATextTooLongForItsLengthIsRefused) {
  MemoryFileSystem file_system;
  BuildState state = small_state();
  state.record(80).text.assign(65536, 'x');
  std::string error;
  EXPECT_FALSE(
      write_scenario_files(state, file_system, scenario_file_names("/d", "s", "1"), &error));
  EXPECT_EQ(error, "cannot write /d/s_1.sim: the text of record 80 is longer than 65535 bytes");
  EXPECT_TRUE(file_system.files.empty());
}

}  // namespace
}  // namespace sb
