#include "sources/builtin_scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "platform/memory_file_system.h"
#include "platform/paths.h"
#include "sources/line_list_writer.h"
#include "sources/written_lines_for_test.h"

namespace sb {
namespace {

std::vector<std::string> written_line_text() {
  MemoryFileSystem fs;
  std::string error;
  EXPECT_TRUE(dati_linea(fs, kTestDirectory, kBuiltinScenarioName, &error)) << error;
  return split_lines(fs.files[join_path(kTestDirectory, "Valmira_Lunerio_linea.txt")]);
}

std::vector<std::string> written_train_text() {
  MemoryFileSystem fs;
  std::string error;
  EXPECT_TRUE(dati_treno(fs, kTestDirectory, kBuiltinScenarioName, kBuiltinTrainNumber, &error))
      << error;
  return split_lines(fs.files[join_path(kTestDirectory, "Valmira_Lunerio_37924-.txt")]);
}

// Lines first..last (1-based, inclusive).
std::vector<std::string> lines_between(const std::vector<std::string>& lines, size_t first,
                                       size_t last) {
  return std::vector<std::string>(lines.begin() + (first - 1), lines.begin() + last);
}

// The row's fields without the blanks around them, joined by commas.
std::string squeezed(const std::string& row) {
  std::string result;
  size_t start = 0;
  while (true) {
    const size_t comma = row.find(',', start);
    std::string field =
        row.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    field.erase(0, field.find_first_not_of(' '));
    field.erase(field.find_last_not_of(' ') + 1);
    result += field;
    if (comma == std::string::npos) return result;
    result += ',';
    start = comma + 1;
  }
}

void expect_rows(const std::vector<std::string>& rows, const std::vector<std::string>& expected) {
  ASSERT_EQ(rows.size(), expected.size());
  for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(squeezed(rows[i]), expected[i]) << rows[i];
}

void expect_empty(const std::vector<std::string>& lines, std::initializer_list<size_t> numbers) {
  for (size_t number : numbers) EXPECT_EQ(lines[number - 1], "") << "line " << number;
}

TEST(BuiltinScenario, FileNames) {
  EXPECT_EQ(line_text_name(kBuiltinScenarioName), "Valmira_Lunerio_linea.txt");
  EXPECT_EQ(train_text_name(kBuiltinScenarioName, kBuiltinTrainNumber),
            "Valmira_Lunerio_37924-.txt");
  EXPECT_EQ(train_text_name("Other", "12"), "Other_12-.txt");
}

TEST(BuiltinScenario, WritersWriteTheirListsBesideTheProgram) {
  MemoryFileSystem fs;
  std::string error;
  ASSERT_TRUE(dati_linea(fs, kTestDirectory, "Tratta", &error)) << error;
  ASSERT_TRUE(dati_treno(fs, kTestDirectory, "Tratta", "101", &error)) << error;
  ASSERT_EQ(fs.files.size(), 2u);
  EXPECT_EQ(fs.files[join_path(kTestDirectory, "Tratta_linea.txt")],
            line_list_bytes(builtin_line_text()));
  EXPECT_EQ(fs.files[join_path(kTestDirectory, "Tratta_101-.txt")],
            line_list_bytes(builtin_train_text()));
}

TEST(BuiltinScenario, WritersReplaceOldFilesAndReportFailures) {
  MemoryFileSystem fs;
  const std::string line_path = join_path(kTestDirectory, "Valmira_Lunerio_linea.txt");
  const std::string train_path = join_path(kTestDirectory, "Valmira_Lunerio_37924-.txt");
  fs.files[line_path] = std::string(100000, 'x');
  fs.files[train_path] = "old train\r\n";
  std::string error;
  ASSERT_TRUE(dati_linea(fs, kTestDirectory, kBuiltinScenarioName, &error)) << error;
  EXPECT_EQ(fs.files[line_path], line_list_bytes(builtin_line_text()));

  fs.unwritable.insert(train_path);
  EXPECT_FALSE(dati_treno(fs, kTestDirectory, kBuiltinScenarioName, kBuiltinTrainNumber, &error));
  EXPECT_NE(error.find(train_path), std::string::npos) << error;
  EXPECT_EQ(fs.files[train_path], "old train\r\n");
}

TEST(BuiltinScenario, ListsEndWithTheMarkerThatIsNeverWritten) {
  for (const auto* list : {&builtin_line_text(), &builtin_train_text()}) {
    EXPECT_EQ(list->back(), kEndMarker);
    EXPECT_EQ(std::count(list->begin(), list->end(), kEndMarker), 1);
    EXPECT_EQ(line_list_bytes(*list).find("riferimento"), std::string::npos);
  }
}

// ---------------------------------------------------------------- line text

TEST(BuiltinLineText, SectionsStandOnTheirLines) {
  const std::vector<std::string> lines = written_line_text();
  ASSERT_EQ(lines.size(), 236u);
  const std::map<size_t, std::string> headers = {
      {1, "[generale]"},   {10, "[curve]"},        {95, "[pendenze]"}, {172, "[montagne]"},
      {184, "[cartelli]"}, {226, "[indicazioni]"}, {236, "[fine]"}};
  for (const auto& [number, header] : headers) EXPECT_EQ(lines[number - 1], header);
  expect_empty(lines, {170, 171, 194, 201, 218, 219, 220, 221, 222, 223, 224, 225});
  EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), 12);
}

TEST(BuiltinLineText, GeneralRowsAreExact) {
  const std::vector<std::string> expected = {
      "lunghezza percorso,    302600",
      "progressiva chilometrica uno,    0,    350000,    0",
      "progressiva chilometrica due,    0,    0,    0",
      "progressiva chilometrica tre,    0,    0,    0",
      "sfondo uno,    0",
      "sfondo due,    1",
      "sfondo tre,    0",
      "ripetizione segnali 4 codici,    176050,    298600",
  };
  EXPECT_EQ(lines_between(written_line_text(), 2, 9), expected);
}

struct Curve {
  std::string row;
  char side;
  int curve_class;
  int start;
  int length;
};

std::vector<Curve> parse_curves(const std::vector<std::string>& rows) {
  // Two to four blanks after each comma, none before a comma or at the end.
  static const std::regex kCurve("curva([sd])([1-6]),( {2,4})([0-9]+),( {2,4})([0-9]+)");
  std::vector<Curve> curves;
  for (const std::string& row : rows) {
    std::smatch m;
    EXPECT_TRUE(std::regex_match(row, m, kCurve)) << row;
    if (m.empty()) continue;
    curves.push_back({row, m[1].str()[0], std::stoi(m[2]), std::stoi(m[4]), std::stoi(m[6])});
  }
  return curves;
}

TEST(BuiltinLineText, CurvesKeepEveryStatedCountAndOrder) {
  const std::vector<Curve> curves = parse_curves(lines_between(written_line_text(), 11, 94));
  ASSERT_EQ(curves.size(), 84u);

  std::map<char, int> sides;
  std::map<int, int> classes;
  for (const Curve& curve : curves) {
    ++sides[curve.side];
    ++classes[curve.curve_class];
  }
  EXPECT_EQ(sides, (std::map<char, int>{{'s', 45}, {'d', 39}}));
  EXPECT_EQ(classes, (std::map<int, int>{{1, 7}, {2, 12}, {3, 20}, {4, 34}, {5, 8}, {6, 3}}));

  EXPECT_EQ(curves.front().start, 650);
  EXPECT_EQ(curves.back().start, 296250);
  EXPECT_EQ(curves.back().start + curves.back().length, 297250);
  int joined = 0;
  for (size_t i = 1; i < curves.size(); ++i) {
    const Curve& before = curves[i - 1];
    EXPECT_GT(curves[i].start, before.start) << curves[i].row;
    EXPECT_GE(curves[i].start, before.start + before.length) << "overlap: " << curves[i].row;
    if (curves[i].start == before.start + before.length) ++joined;
  }
  EXPECT_EQ(joined, 6);

  const auto [shortest, longest] =
      std::minmax_element(curves.begin(), curves.end(),
                          [](const Curve& a, const Curve& b) { return a.length < b.length; });
  EXPECT_EQ(shortest->row, "curvas4,   66480,    50");
  EXPECT_EQ(longest->row, "curvas2,  60600,  4200");
  for (const Curve& curve : curves) {
    if (&curve != &*shortest) {
      EXPECT_GT(curve.length, 50) << curve.row;
    }
    if (&curve != &*longest) {
      EXPECT_LT(curve.length, 4200) << curve.row;
    }
  }
}

TEST(BuiltinLineText, QuotedCurveRowsAreExact) {
  const std::vector<std::string> rows = lines_between(written_line_text(), 11, 94);
  EXPECT_EQ(lines_between(rows, 1, 3),
            (std::vector<std::string>{"curvad5,  650,  200", "curvas5,  1100,  150",
                                      "curvas4,   2296,    912"}));
  EXPECT_EQ(rows.back(), "curvas4,  296250,  1000");

  const auto run = std::find(rows.begin(), rows.end(), "curvas2,  24000,  2050");
  ASSERT_LT(run + 2, rows.end());
  EXPECT_EQ(run[1], "curvas3,  26050,  750");
  EXPECT_EQ(run[2], "curvad2,  26800,  2050");

  std::vector<std::string> sharpest;
  std::copy_if(rows.begin(), rows.end(), std::back_inserter(sharpest),
               [](const std::string& row) { return row.rfind("curva", 0) == 0 && row[6] == '6'; });
  EXPECT_EQ(sharpest, (std::vector<std::string>{"curvad6,  89900,  100", "curvas6,  91200,  100",
                                                "curvad6,  91650,  100"}));
}

struct Gradient {
  std::string row;
  int position;
  int gradient;
};

TEST(BuiltinLineText, GradientsKeepEveryStatedCountAndOrder) {
  static const std::regex kGradient("pendenza,( +)(-?[0-9]+),( +)(-?[0-9]+)");
  std::vector<Gradient> gradients;
  for (const std::string& row : lines_between(written_line_text(), 96, 169)) {
    std::smatch m;
    ASSERT_TRUE(std::regex_match(row, m, kGradient)) << row;
    gradients.push_back({row, std::stoi(m[2]), std::stoi(m[4])});
  }
  ASSERT_EQ(gradients.size(), 74u);
  EXPECT_EQ(gradients[0].row, "pendenza,   0,    0");
  EXPECT_EQ(gradients[1].row, "pendenza, 300, -3");
  EXPECT_EQ(gradients.back().row, "pendenza, 170000, 0");

  const std::vector<std::pair<int, int>> first_rows = {
      {0, 0},   {300, -3}, {586, 0}, {165, -4}, {174, 0},  {875, -1}, {370, 0},
      {500, 4}, {485, -3}, {430, 0}, {846, -8}, {1300, 0}, {2050, -8}};
  for (size_t i = 0; i < first_rows.size(); ++i) {
    EXPECT_EQ(std::make_pair(gradients[i].position, gradients[i].gradient), first_rows[i])
        << "row " << i + 1;
  }
  const std::vector<int> next_positions = {5204, 5394, 6001, 8451};
  for (size_t i = 0; i < next_positions.size(); ++i) {
    EXPECT_EQ(gradients[13 + i].position, next_positions[i]);
  }
  for (size_t i = 13; i < gradients.size(); ++i) {
    EXPECT_GT(gradients[i].position, gradients[i - 1].position) << gradients[i].row;
  }

  int zeros = 0;
  std::set<int> values;
  for (const Gradient& g : gradients) {
    zeros += g.gradient == 0;
    values.insert(g.gradient);
  }
  EXPECT_EQ(zeros, 29);
  EXPECT_EQ(*values.begin(), -8);
  EXPECT_EQ(*values.rbegin(), 7);
}

TEST(BuiltinLineText, MountainRows) {
  const std::vector<std::string> rows = lines_between(written_line_text(), 173, 183);
  EXPECT_EQ(rows[0], "montagna,   3033,  3783,  12");
  expect_rows(rows,
              {"montagna,3033,3783,12", "montagna,17712,18349,12", "montagna,19033,19414,12",
               "montagna,19534,20641,12", "montagna,21216,21449,12", "montagna,24049,26096,12",
               "montagna,26631,28828,12", "montagna,29411,38721,12", "montagna,40821,46006,12",
               "montagna,51806,53942,12", "montagna,58563,64833,12"});
}

TEST(BuiltinLineText, SpeedBoardRows) {
  std::vector<std::string> rows = lines_between(written_line_text(), 185, 217);
  rows.erase(rows.begin() + 16);  // the empty lines after the 9th and the 15th board
  rows.erase(rows.begin() + 9);
  const std::vector<std::string> values = {
      "2500,105,115,125,0,105,115,125,0",   "3850,140,150,150,0,140,150,150,0",
      "15900,120,125,130,0,120,125,130,0",  "19450,90,95,100,0,90,95,100,0",
      "22500,140,150,150,0,140,150,150,0",  "46050,140,150,150,0,140,150,150,0",
      "85950,90,95,100,2,90,95,100,2",      "86200,90,95,100,1,90,95,100,1",
      "86450,90,95,100,0,90,95,100,0",      "90100,120,130,135,0,,,,0",
      "96600,120,140,150,0,,,,0",           "116500,120,140,140,0,,,,0",
      "128700,100,105,110,0,,,,0",          "139500,120,140,150,0,,,,0",
      "145900,100,105,110,0,,,,0",          "148500,120,140,150,0,120,140,150,0",
      "173150,110,130,135,0,110,130,135,0", "176450,140,150,150,0,140,150,150,0",
      "178050,140,160,180,0,140,160,180,0", "205900,140,150,160,0,140,150,160,0",
      "207900,140,150,150,0,140,150,150,0", "212050,140,160,180,0,140,160,180,0",
      "223900,140,160,170,0,140,160,170,0", "241900,120,140,150,0,120,140,150,0",
      "245050,140,150,160,0,140,150,160,0", "253900,120,140,150,0,120,140,150,0",
      "258050,140,150,155,0,140,150,155,0", "270900,120,140,150,0,120,140,150,0",
      "295800,80,85,90,2,80,85,90,2",       "296050,80,85,90,1,80,85,90,1",
      "296300,80,85,90,0,80,85,90,0"};
  std::vector<std::string> expected;
  for (const std::string& v : values) expected.push_back("indicatori_vmax," + v);
  expect_rows(rows, expected);

  // Two blanks after every comma; in the last three rows three before a
  // two-digit speed.
  static const std::regex kUsual("indicatori_vmax(,  [0-9]*){9}");
  static const std::regex kLastThree(
      "indicatori_vmax,  [0-9]+(,   [0-9]{2}){3},  [0-9](,   [0-9]{2}){3},  [0-9]");
  for (size_t i = 0; i < rows.size(); ++i) {
    EXPECT_TRUE(std::regex_match(rows[i], i < 28 ? kUsual : kLastThree)) << rows[i];
  }
  EXPECT_EQ(rows[0], "indicatori_vmax,  2500,  105,  115,  125,  0,  105,  115,  125,  0");
  EXPECT_EQ(rows[9], "indicatori_vmax,  90100,  120,  130,  135,  0,  ,  ,  ,  0");
  EXPECT_EQ(rows[28], "indicatori_vmax,  295800,   80,   85,   90,  2,   80,   85,   90,  2");
}

TEST(BuiltinLineText, IndicationBoardRowsAreExact) {
  const std::vector<std::string> expected = {
      "cartello_indicatore,  24000,   (Galleria)(  Tuma  )(Ml. 2047)",
      "cartello_indicatore,  26600,   (Galleria)(Fulmerio)(Ml. 2197)",
      "cartello_indicatore,  29350,   ( Galleria  )(S. Teodosia)( Ml. 9310  )",
      "cartello_indicatore,  40750,   ( Galleria  )(Del Corvino)( Ml. 5185  )",
      "cartello_indicatore,  58500,   (Galleria)( Ludra  )(Ml. 6270)",
      "cartello_indicatore,  129700,   (km 479+719)",
      "cartello_indicatore,  146850,   (Km 496+893)",
      "cartello_indicatore,  174200,   (Km 524+122)",
      "cartello_indicatore,  297100,   (Km 647+107)",
  };
  EXPECT_EQ(lines_between(written_line_text(), 227, 235), expected);
}

// Every body entry's position, plus 100 m, must stay within the cells of the
// 302600 m route: (302600 + 7000) / 50 = 6192 is the last cell.
TEST(BuiltinLineText, EveryBodyPositionLiesWithinTheRoute) {
  const std::vector<std::string> lines = written_line_text();
  for (size_t number = 11; number <= 235; ++number) {
    const std::string& line = lines[number - 1];
    if (line.empty() || line[0] == '[') continue;
    const size_t comma = line.find(',');
    ASSERT_NE(comma, std::string::npos) << line;
    const int position = std::stoi(line.substr(comma + 1));
    EXPECT_GE(position, 0) << line;
    EXPECT_LE((position + 100) / 50.0, 6192.0) << line;
  }
}

// --------------------------------------------------------------- train text

TEST(BuiltinTrainText, LayoutAndQuotedRows) {
  const std::vector<std::string> lines = written_train_text();
  ASSERT_EQ(lines.size(), 63u);
  const std::map<size_t, std::string> exact = {
      {1, "[generale]"},
      {2, "numero vetture,    4"},
      {3, "percentuale massa frenata,    105"},
      {4, "sabbia,    200"},
      {5, "orologio,    12              48            40 "},
      {6, "[aderenze]"},
      {7, "aderenza,   0,    100"},
      {8, "[vel_limite]"},
      {10, "velocita,       0,    65"},
      {20, "[stazioni]"},
      {21,
       "stazione,       0, 12,  800,  1, 0, 1,  3,1,0,  2,1,1,    1,  12,39, 0, VALMIRA CENTRALE"},
      {25, "stazione,   20500, 25,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, Nome Stazione"},
      {34, "stazione,   89500,  4,  600,  1, 0, 0,  1,1,0,  2,1,1,    0,  13,51, 0, LUNERIO"},
      {35, "[rallentamenti]"},
      {36, "rallentamento,    2000,    60,  700, 0,  0,  60"},
      {37, "rallentamento,   77800,   100,  500, 0,  1,  100"},
      {38, "[segnali]"},
      {39, "segnale,     850,   2, 3, 1,  0, 0,    2,  2,1,0, 220"},
      {62, "[codici]"},
      {63, "[fine]"},
  };
  for (const auto& [number, line] : exact) EXPECT_EQ(lines[number - 1], line) << number;
  expect_empty(lines, {9, 19, 33, 60});
  EXPECT_EQ(std::count(lines.begin(), lines.end(), ""), 4);
}

TEST(BuiltinTrainText, SpeedLimitRows) {
  expect_rows(lines_between(written_train_text(), 10, 18),
              {"velocita,0,65", "velocita,1350,115", "velocita,3850,150", "velocita,17000,125",
               "velocita,20100,60", "velocita,20700,95", "velocita,22500,150", "velocita,47000,150",
               "velocita,87550,95"});
}

TEST(BuiltinTrainText, StationRows) {
  const std::vector<std::string> lines = written_train_text();
  std::vector<std::string> rows = lines_between(lines, 21, 32);
  rows.push_back(lines[33]);
  expect_rows(rows,
              {
                  "stazione,0,12,800,1,0,1,3,1,0,2,1,1,1,12,39,0,VALMIRA CENTRALE",
                  "stazione,1600,12,700,0,0,1,1,1,0,4,1,1,30,12,42,0,VALMIRA P.N.",
                  "stazione,9150,12,500,0,0,1,1,1,0,4,1,1,20,12,47,0,MIRAVELLINA",
                  "stazione,14400,12,500,0,0,0,1,1,0,4,1,1,20,12,52,0,DUNTA",
                  "stazione,20500,25,200,0,0,0,0,0,0,0,0,0,0,0,0,0,Nome Stazione",
                  "stazione,21900,12,600,0,0,0,1,1,0,4,1,1,30,12,58,0,SELMIA",
                  "stazione,29100,12,400,0,0,1,1,1,0,4,1,1,20,13,3,0,SAN LIBO MARCENTO",
                  "stazione,39900,4,600,0,0,0,1,1,0,4,1,1,20,13,11,0,BRAVENTINA - COLLE DI MORESCA",
                  "stazione,48950,12,500,0,0,0,1,1,0,4,1,1,20,13,19,0,ROVENZANELLO",
                  "stazione,55050,12,400,0,0,1,1,1,0,4,1,1,20,13,25,0,PORTO DI LUDRA",
                  "stazione,66550,12,800,0,0,0,1,1,0,4,1,1,45,13,33,0,LUDRA - SAN VELDO",
                  "stazione,77050,12,500,0,0,0,1,1,0,4,1,1,20,13,40,0,ROCCAVERN",
                  "stazione,89500,4,600,1,0,0,1,1,0,2,1,1,0,13,51,0,LUNERIO",
              });
  // Fields 7-9 and 10-12 without inner blanks, 14-15 as one group (a
  // one-digit minute after one blank), the name one blank after its comma.
  static const std::regex kStation(
      "stazione(, +[0-9]+){6},  [0-9],[0-9],[0-9],  [0-9],[0-9],[0-9], +[0-9]+, +[0-9]+,"
      "( [0-9]|[0-9]{2}), +[0-9]+, [^ ].*[^ ]");
  for (const std::string& row : rows) EXPECT_TRUE(std::regex_match(row, kStation)) << row;
  EXPECT_EQ(rows[6],
            "stazione,   29100, 12,  400,  0, 0, 1,  1,1,0,  4,1,1,   20,  13, 3, 0, "
            "SAN LIBO MARCENTO");
}

TEST(BuiltinTrainText, SignalRows) {
  const std::vector<std::string> lines = written_train_text();
  std::vector<std::string> rows = lines_between(lines, 39, 59);
  rows.push_back(lines[60]);
  expect_rows(rows, {
                        "segnale,850,2,3,1,0,0,2,2,1,0,220", "segnale,6650,1,4,1,0,0,1,3,1,0,0",
                        "segnale,8000,2,3,1,1,0,2,2,1,1,0",  "segnale,12000,1,4,1,0,0,1,3,1,0,0",
                        "segnale,13300,2,3,1,1,0,2,2,1,1,0", "segnale,18750,1,5,6,0,0,0,0,0,0,0",
                        "segnale,20100,2,2,5,1,1,1,3,1,0,0", "segnale,21150,2,3,1,1,0,2,2,1,1,0",
                        "segnale,26650,1,4,1,0,0,1,3,1,0,0", "segnale,28000,2,3,1,1,0,2,2,1,1,0",
                        "segnale,37450,1,4,1,0,0,1,3,1,0,0", "segnale,38800,2,3,1,1,0,2,2,1,1,0",
                        "segnale,46400,1,4,1,0,0,1,3,1,0,0", "segnale,47800,2,3,1,1,0,2,2,1,1,0",
                        "segnale,52600,1,4,1,0,0,1,3,1,0,0", "segnale,53900,2,3,1,1,0,2,2,1,1,0",
                        "segnale,64100,1,4,1,0,0,1,3,1,0,0", "segnale,65500,2,3,1,1,0,2,2,1,1,0",
                        "segnale,74600,1,4,1,0,0,1,3,1,0,0", "segnale,76000,2,3,1,1,0,2,2,1,1,0",
                        "segnale,87000,1,5,6,0,0,1,3,1,0,0", "segnale,88400,2,2,3,1,1,2,2,1,1,0",
                    });
  // d1, d2 and d3 as one group without blanks.
  static const std::regex kSignal("segnale(, +[0-9]+){7}, +[0-9],[0-9],[0-9], +[0-9]+");
  for (const std::string& row : rows) EXPECT_TRUE(std::regex_match(row, kSignal)) << row;
}

}  // namespace
}  // namespace sb
