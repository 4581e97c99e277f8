#include "live/diagnostic_places.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"

namespace sb {
namespace {

using Json = nlohmann::ordered_json;

constexpr char kLine[] =
    "[generale]\r\n"
    "lunghezza percorso,    20000\r\n"
    "[pendenze]\r\n"
    "pendenza, 300, -3\r\n"
    "[montagne]\r\n"
    "montagna,   3033,\r\n"
    "   3783,  12\r\n"
    "[fine]\r\n";
constexpr char kTrain[] =
    "[generale]\r\n"
    "numero vetture,    4\r\n"
    "[segnali]\r\n"
    "segnale,     850,   2, 3, 1,  0, 0,    2,  2,1,0, 220\r\n"
    "[fine]\r\n";

Json at(const char* file, int line) {
  return {{"file", file}, {"line", line}, {"severity", "warning"}};
}

TEST(PlaceDiagnostics, GivesTheEntrysPositionWhereItsFirstValueIsOne) {
  MemoryFileSystem texts;
  texts.files["l.txt"] = kLine;
  texts.files["t.txt"] = kTrain;
  Json diagnostics = Json::array({at("l.txt", 4), at("l.txt", 7), at("t.txt", 4), at("l.txt", 2),
                                  at("t.txt", 2), at("other.txt", 4), at("l.txt", 99)});
  diagnostics.push_back({{"file", "l.txt"}, {"line", nullptr}});
  place_diagnostics(diagnostics, texts, "l.txt", "t.txt");
  EXPECT_EQ(diagnostics[0]["position"], 300);   // a gradient
  EXPECT_EQ(diagnostics[1]["position"], 3033);  // a mountain's second line
  EXPECT_EQ(diagnostics[2]["position"], 850);   // a signal of the train text
  for (size_t i = 3; i < diagnostics.size(); ++i) {
    EXPECT_FALSE(diagnostics[i].contains("position")) << diagnostics[i].dump();
  }
}

}  // namespace
}  // namespace sb
