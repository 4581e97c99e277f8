#include "inspect/scenario_decoder.h"

#include <gtest/gtest.h>

#include <functional>

#include "inspect/test_bytes.h"

namespace sb {
namespace {

using test::Bytes;

TEST(DecodeRecords, ReadsEveryFieldOfAll87Records) {
  const auto expected = test::sample_records();
  const std::string bytes = test::records_file(expected);
  ASSERT_EQ(bytes.size(), 2958u + 16 + 10 + 15 + 5);

  std::array<GeneralRecord, kRecordCount> decoded{};
  std::string error;
  ASSERT_TRUE(decode_records(bytes, &decoded, &error)) << error;
  for (int i = 0; i < kRecordCount; ++i) {
    EXPECT_EQ(decoded[static_cast<size_t>(i)], expected[static_cast<size_t>(i)]) << "record " << i;
  }
}

TEST(DecodeCells, ReadsEveryFieldInFileOrder) {
  TrackCell signal;
  signal.kind = kSignalCell;
  signal.value_1 = 32;
  signal.value_2 = -1;
  signal.value_3 = -32768;
  signal.value_4 = 8;
  signal.signal_time = 220;
  signal.approach = 84;
  signal.mountain_side = 2;
  signal.speed_limit = 30;
  signal.gradient = 97;
  signal.adhesion = 255;
  TrackCell mark;
  mark.value_1 = 5121;
  mark.value_2 = 2508;
  const std::string bytes = Bytes().cell(TrackCell{}).cell(mark).cell(signal);
  ASSERT_EQ(bytes.substr(16, 4), std::string("\x01\x14\xCC\x09", 4));

  std::vector<TrackCell> cells;
  std::string error;
  ASSERT_TRUE(decode_cells(bytes, &cells, &error)) << error;
  EXPECT_EQ(cells, (std::vector<TrackCell>{TrackCell{}, mark, signal}));
}

TEST(DecodeLineTrace, SplitsTheElementsIntoTwoColumns) {
  const std::string bytes = Bytes()
                                .int16_element(0)
                                .double_element(0.002)
                                .unset()
                                .int16_element(-1)
                                .double_element(651.999996)
                                .unset();
  DecodedTrace trace;
  std::string error;
  ASSERT_TRUE(decode_line_trace(bytes, &trace, &error)) << error;
  ASSERT_EQ(trace.row_count(), 3u);
  const std::vector<TraceTag> tags = {TraceTag::kInt16, TraceTag::kDouble, TraceTag::kUnset};
  EXPECT_EQ(trace.columns[0].tags, tags);
  EXPECT_EQ(trace.columns[1].tags, tags);
  EXPECT_EQ(trace.columns[0].values, (std::vector<double>{0, 0.002, 0}));
  EXPECT_EQ(trace.columns[1].values, (std::vector<double>{-1, 651.999996, 0}));
}

TEST(ScenarioDecoders, RejectMalformedFilesNamingTheByte) {
  using Decoder = std::function<bool(std::string_view, std::string*)>;
  const Decoder records = [](std::string_view bytes, std::string* error) {
    std::array<GeneralRecord, kRecordCount> out{};
    return decode_records(bytes, &out, error);
  };
  const Decoder cells = [](std::string_view bytes, std::string* error) {
    std::vector<TrackCell> out;
    return decode_cells(bytes, &out, error);
  };
  const Decoder trace = [](std::string_view bytes, std::string* error) {
    DecodedTrace out;
    return decode_line_trace(bytes, &out, error);
  };
  const std::string empty_records = test::records_file({});
  struct Case {
    const char* what;
    Decoder decoder;
    std::string bytes;
    std::string message;
  };
  const Case cases[] = {
      {"empty records", records, "",
       "ends inside record 0 at byte 0: its kind needs 1 byte, 0 left"},
      {"records end inside a number", records, empty_records.substr(0, 86 * 34 + 10),
       "ends inside record 86 at byte 2933: its long_3 needs 4 bytes, 1 left"},
      {"records end inside a text", records,
       Bytes().u8(0).i32(0).i32(0).i32(0).u8(0).u16(5).raw("abc"),
       "ends inside record 0 at byte 16: its text needs 5 bytes, 3 left"},
      {"records end inside a text length", records, empty_records.substr(0, 15),
       "ends inside record 0 at byte 14: its text length needs 2 bytes, 1 left"},
      {"bytes after record 86", records, empty_records + "\x01\x02",
       "goes on after record 86: 2 bytes more from byte 2958"},
      {"empty cells", cells, "", "is empty: no cell at byte 0"},
      {"cells cut short", cells, std::string(47, '\0'),
       "is 47 bytes, not a whole number of 15-byte cells: cell 3 at byte 45 has only 2 bytes"},
      {"one byte of cells", cells, std::string(1, '\0'),
       "is 1 byte, not a whole number of 15-byte cells: cell 0 at byte 0 has only 1 byte"},
      {"empty trace", trace, "", "is empty: no element at byte 0"},
      {"unknown tag", trace, Bytes().int16_element(0).u16(3).i16(0),
       "element 1 at byte 4 has the unknown tag 3"},
      {"tag cut short", trace, Bytes().unset().u8(5),
       "element 1 at byte 2 is cut short: its tag needs 2 bytes, 1 left"},
      {"double cut short", trace, Bytes().unset().u16(5).i32(0),
       "element 1 at byte 2 is cut short: tag 5 needs 8 bytes after it, 4 left"},
      {"integer cut short", trace, Bytes().u16(2).u8(0),
       "element 0 at byte 0 is cut short: tag 2 needs 2 bytes after it, 1 left"},
      {"odd element count", trace, Bytes().int16_element(0).double_element(1).unset(),
       "holds an odd number of elements (3, ending at byte 16): the two columns must have the "
       "same number of rows"},
  };
  for (const Case& c : cases) {
    std::string error;
    EXPECT_FALSE(c.decoder(c.bytes, &error)) << c.what;
    EXPECT_EQ(error, c.message) << c.what;
  }
}

TEST(ScenarioDecoders, LeaveTheResultUntouchedOnFailure) {
  std::vector<TrackCell> cells(2);
  cells[1].kind = kSignalCell;
  const std::vector<TrackCell> before = cells;
  std::string error;
  EXPECT_FALSE(decode_cells(std::string(16, '\0'), &cells, &error));
  EXPECT_EQ(cells, before);

  DecodedTrace trace;
  trace.columns[0].tags = {TraceTag::kDouble};
  const std::string unknown_tag = Bytes().unset().u16(9);
  EXPECT_FALSE(decode_line_trace(unknown_tag, &trace, &error));
  EXPECT_EQ(trace.columns[0].tags, std::vector<TraceTag>{TraceTag::kDouble});
}

}  // namespace
}  // namespace sb
