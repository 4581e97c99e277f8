#include "sources/driver_documents.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "platform/paths.h"
#include "sources/line_list_writer.h"
#include "sources/written_lines_for_test.h"

namespace sb {
namespace {

using Writer = bool (*)(FileSystem&, const std::string&, const std::string&, const std::string&,
                        std::string*);

std::vector<std::string> written(Writer writer, const std::string& name) {
  MemoryFileSystem fs;
  std::string error;
  EXPECT_TRUE(writer(fs, kTestDirectory, "Valmira_Lunerio", "37924", &error)) << error;
  EXPECT_EQ(fs.files.size(), 1u);
  return split_lines(fs.files[join_path(kTestDirectory, name)]);
}

std::vector<std::string> card() {
  return written(dati_scheda, "Valmira_Lunerio_37924_scheda_treno.txt");
}
std::vector<std::string> form() {
  return written(dati_rallentamenti, "Valmira_Lunerio_37924_rallentamenti.txt");
}
std::vector<std::string> notes() { return written(dati_note, "Valmira_Lunerio_37924_note.txt"); }

// Where the '|' of a table line stand.
std::vector<size_t> bars(const std::string& line) {
  std::vector<size_t> at;
  for (size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '|') at.push_back(i);
  }
  return at;
}

TEST(DriverDocuments, FileNames) {
  EXPECT_EQ(notes_name("A", "1"), "A_1_note.txt");
  EXPECT_EQ(slow_order_form_name("A", "1"), "A_1_rallentamenti.txt");
  EXPECT_EQ(timetable_card_name("A", "1"), "A_1_scheda_treno.txt");
}

TEST(DriverDocuments, LineCountsAndNoEndMarker) {
  const struct {
    const std::vector<std::string_view>& list;
    size_t lines;
  } documents[] = {{timetable_card_text(), 51}, {slow_order_form_text(), 46}, {notes_text(), 22}};
  for (const auto& document : documents) {
    EXPECT_EQ(document.list.back(), kEndMarker);
    const std::string bytes = line_list_bytes(document.list);
    EXPECT_EQ(split_lines(bytes).size(), document.lines);
    EXPECT_EQ(bytes.find("riferimento"), std::string::npos);
  }
  EXPECT_EQ(card().size(), 51u);
  EXPECT_EQ(form().size(), 46u);
  EXPECT_EQ(notes().size(), 22u);
}

TEST(DriverDocuments, WritersReplaceOldFilesAndReportFailures) {
  const Writer writers[] = {dati_note, dati_rallentamenti, dati_scheda};
  const std::string paths[] = {join_path(kTestDirectory, "V_1_note.txt"),
                               join_path(kTestDirectory, "V_1_rallentamenti.txt"),
                               join_path(kTestDirectory, "V_1_scheda_treno.txt")};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(paths[i]);
    MemoryFileSystem fs;
    fs.files[paths[i]] = std::string(20000, 'x');
    std::string error;
    ASSERT_TRUE(writers[i](fs, kTestDirectory, "V", "1", &error)) << error;
    EXPECT_LT(fs.files[paths[i]].size(), 20000u);
    EXPECT_EQ(fs.files[paths[i]].find('x'), std::string::npos);

    fs.files[paths[i]] = "old";
    fs.space_left = 10;
    EXPECT_FALSE(writers[i](fs, kTestDirectory, "V", "1", &error));
    EXPECT_NE(error.find(paths[i]), std::string::npos) << error;
    EXPECT_EQ(fs.files[paths[i]], "old");
  }
}

TEST(TimetableCard, BoxesAndQuotedLines) {
  const std::vector<std::string> lines = card();
  for (size_t number : {1, 2, 12, 13}) EXPECT_EQ(lines[number - 1], "") << number;
  EXPECT_EQ(lines[2],
            "  ___________________                                               ______________");
  EXPECT_EQ(lines[4],
            " |   TRENO n. 37924  |                   da: Valmira Centrale      |    V160 B    |");
  EXPECT_EQ(lines[8], " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ");
  EXPECT_EQ(lines[9], " |     REGIONALE     |              |      180T         |");
  EXPECT_EQ(lines[18],
            " |  65 |  65 |  349+970 |     | VALMIRA CENTRALE           |          12.39 |     |");
  EXPECT_EQ(lines[28],
            " |     |     |  389+410 |     | BRAVENTINA-COLLE DI MORESCA|  13.10 - 13.11 | 0.5 |");
  EXPECT_EQ(lines[35],
            " |     |     |  439+440 |     | LUNERIO                    |  13.51         | 1.0 |");
  EXPECT_EQ(lines.back(), "    ");
  // The header box: 19, 45 and 14 characters between its bars.
  for (size_t number : {4, 5, 6}) {
    EXPECT_EQ(bars(lines[number - 1]), (std::vector<size_t>{1, 21, 67, 82})) << number;
  }
}

TEST(TimetableCard, TableLinesAreEightyThreeCharactersInSevenCells) {
  const std::vector<std::string> lines = card();
  EXPECT_EQ(lines[2].size(), 82u);
  EXPECT_EQ(lines[13].size(), 82u);
  // Cells of 5, 5, 10, 5, 28, 16 and 5 characters.
  const std::vector<size_t> cells = {1, 7, 13, 24, 30, 59, 76, 82};
  for (size_t number = 15; number <= 50; ++number) {
    EXPECT_EQ(lines[number - 1].size(), 83u) << number;
    EXPECT_EQ(bars(lines[number - 1]), cells) << number;
  }
  for (size_t number = 37; number <= 49; ++number) EXPECT_EQ(lines[number - 1], lines[17]);
  EXPECT_EQ(lines[49], lines[16]);
}

TEST(SlowOrderForm, QuotedLinesAndTable) {
  const std::vector<std::string> lines = form();
  for (size_t number : {1, 6, 40}) EXPECT_EQ(lines[number - 1], "") << number;
  EXPECT_EQ(lines[4], "  Linea  VALMIRA CENTRALE - LUNERIO");
  EXPECT_EQ(lines[13],
            " | 1 | VALMIRA P.N. - MIRAVELLINA |     352    |     60   |   700   |    ----    |");
  EXPECT_EQ(lines[14],
            " | 2 | ROCCAVERN S. - LUNERIO     |     427    |    100   |   500   |    ----    |");
  EXPECT_EQ(lines[3].size(), 81u);
  EXPECT_EQ(lines[7].size(), 81u);
  // Cells of 3, 28, 12, 10, 9 and 12 characters.
  const std::vector<size_t> cells = {1, 5, 34, 47, 58, 68, 81};
  for (size_t number = 9; number <= 39; ++number) {
    EXPECT_EQ(lines[number - 1].size(), 82u) << number;
    EXPECT_EQ(bars(lines[number - 1]), cells) << number;
  }
  for (size_t number = 16; number <= 38; ++number) EXPECT_EQ(lines[number - 1], lines[12]);
  EXPECT_EQ(lines[38], lines[11]);
  // The key of the prescriptions: A, B, D, then C.
  EXPECT_EQ(lines[40], "              Prescrizioni specifiche");
  EXPECT_EQ(lines[41].substr(0, 4), " A -");
  EXPECT_EQ(lines[42].substr(0, 4), " B -");
  EXPECT_EQ(lines[43], " D - Rallentamneto N. ... e N. ...  sono contigui");
  EXPECT_EQ(lines[44].substr(0, 4), " C -");
  EXPECT_EQ(lines.back(), "     i giorni esclusi i seguenti:.........");
}

TEST(Notes, FixedLinesWidthsAndTrailingBlanks) {
  const std::vector<std::string> lines = notes();
  EXPECT_EQ(lines[0], "Simulazione del treno regionale 37924 Valmira-Lunerio");
  EXPECT_EQ(lines[1], "");
  EXPECT_EQ(lines[16], std::string(17, ' '));
  EXPECT_EQ(lines[17], "                 Buon divertimento");
  EXPECT_EQ(lines[20], "Orario Giugno 2001");
  EXPECT_EQ(lines[21], "4A");
  for (size_t number = 1; number <= 22; ++number) {
    const std::string& line = lines[number - 1];
    EXPECT_LE(line.size(), 83u) << number;
    if (number == 17 || line.empty()) continue;
    const bool one_trailing_blank = number == 10 || number == 12 || number == 14;
    EXPECT_EQ(line.back() == ' ', one_trailing_blank) << number;
    if (one_trailing_blank) {
      EXPECT_NE(line[line.size() - 2], ' ') << number;
    }
  }
  for (size_t number : {19, 20}) {  // the signature, indented
    EXPECT_EQ(lines[number - 1].substr(0, 2), "  ") << number;
    EXPECT_NE(lines[number - 1].find_first_not_of(' '), std::string::npos) << number;
  }
}

TEST(Notes, AccentedLettersAreSingleBytes) {
  const std::string bytes = line_list_bytes(notes_text());
  EXPECT_NE(bytes.find('\xE8'), std::string::npos);  // è
  EXPECT_NE(bytes.find('\xE0'), std::string::npos);  // à
  for (char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    EXPECT_TRUE(byte < 0x80 || byte == 0xE8 || byte == 0xE0) << static_cast<int>(byte);
  }
}

}  // namespace
}  // namespace sb
