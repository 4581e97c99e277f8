// The language server through the real program, as an editor speaks to it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "lsp/file_uri.h"
#include "lsp/server_process_for_test.h"
#include "starter/starter_scenario.h"
#include "util/text.h"

namespace sb {
namespace {

namespace fs = std::filesystem;
using Json = nlohmann::json;

// The starter scenario S, train 7, on disk in a folder of the test's own.
class LanguageServerTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() / ("sb_lsp_" + std::to_string(getpid()) + "_" +
                                     testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(folder_);
    write("S_linea.txt", starter_line_text("S"));
    write("S_7-.txt", starter_train_text("S", "7"));
  }
  void TearDown() override { fs::remove_all(folder_); }

  void write(const std::string& name, const std::string& bytes) {
    std::ofstream(folder_ / name, std::ios::binary) << bytes;
  }
  std::string uri(const std::string& name) const {
    return file_uri_of_path((folder_ / name).generic_string());
  }
  std::string utf8_of(const std::string& name) const {
    return cp1252_to_utf8(name == "S_linea.txt" ? starter_line_text("S")
                                                : starter_train_text("S", "7"));
  }

  // A server started and initialized, with `capabilities`.
  void start(Json capabilities = Json::object()) {
    const Json reply = server_.request(
        "initialize",
        {{"processId", nullptr}, {"rootUri", nullptr}, {"capabilities", capabilities}});
    ASSERT_TRUE(reply.contains("result")) << reply;
    initialize_result_ = reply["result"];
    server_.notify("initialized", Json::object());
  }
  void open(const std::string& name, const std::string& utf8, int version = 1) {
    server_.notify(
        "textDocument/didOpen",
        {{"textDocument",
          {{"uri", uri(name)},
           {"languageId", name.ends_with("linea.txt") ? "scenario-line" : "scenario-train"},
           {"version", version},
           {"text", utf8}}}});
  }
  void change(const std::string& name, int version, Json changes) {
    server_.notify("textDocument/didChange",
                   {{"textDocument", {{"uri", uri(name)}, {"version", version}}},
                    {"contentChanges", std::move(changes)}});
  }
  // The next diagnostics published for `name`, others passed over.
  Json diagnostics_for(const std::string& name) {
    for (;;) {
      const Json message = server_.next_notification("textDocument/publishDiagnostics");
      if (message.is_null()) return message;
      if (message["params"]["uri"] == uri(name)) return message["params"];
    }
  }
  int shut_down() {
    const Json reply = server_.request("shutdown");
    EXPECT_EQ(reply["result"], nullptr) << reply;
    server_.notify("exit", nullptr);
    return server_.wait();
  }

  fs::path folder_;
  ServerProcess server_{SB_PROGRAM};
  Json initialize_result_;
};

Json range(int line, int start, int end) {
  return {{"start", {{"line", line}, {"character", start}}},
          {"end", {{"line", line}, {"character", end}}}};
}

// The position of the first `needle` in an ASCII text, `plus` characters on.
Json position_of(const std::string& text, const std::string& needle, int plus = 0) {
  const size_t at = text.find(needle);
  EXPECT_NE(at, std::string::npos) << needle;
  const size_t line_start =
      text.rfind('\n', at) == std::string::npos ? 0 : text.rfind('\n', at) + 1;
  return {{"line", std::count(text.begin(), text.begin() + static_cast<long>(at), '\n')},
          {"character", at - line_start + static_cast<size_t>(plus)}};
}
// The range of `size` characters from that position.
Json range_of(const std::string& text, const std::string& needle, int size, int plus = 0) {
  const Json start = position_of(text, needle, plus);
  return range(start["line"], start["character"], start["character"].get<int>() + size);
}
Json whole_text() {
  return {{"start", {{"line", 0}, {"character", 0}}},
          {"end", {{"line", 100000}, {"character", 0}}}};
}

// --- lifecycle and malformed input

TEST_F(LanguageServerTest, InitializeShutdownExit) {
  start();
  const Json& capabilities = initialize_result_["capabilities"];
  EXPECT_EQ(capabilities["positionEncoding"], "utf-16");
  EXPECT_EQ(capabilities["textDocumentSync"]["change"], 2);
  EXPECT_EQ(initialize_result_["serverInfo"]["name"], "scenario-builder");
  for (const char* provider :
       {"hoverProvider", "completionProvider", "signatureHelpProvider", "documentSymbolProvider",
        "inlayHintProvider", "definitionProvider", "codeActionProvider"}) {
    EXPECT_TRUE(capabilities.contains(provider)) << provider;
  }
  EXPECT_EQ(shut_down(), 0);
  // Nothing but the two responses went out.
  EXPECT_EQ(server_.unread(100), "");
}

TEST_F(LanguageServerTest, TheClientsUtf8IsTaken) {
  start({{"general", {{"positionEncodings", {"utf-8", "utf-16"}}}}});
  EXPECT_EQ(initialize_result_["capabilities"]["positionEncoding"], "utf-8");
}

TEST_F(LanguageServerTest, ExitWithoutShutdownEndsWithOne) {
  start();
  server_.notify("exit", nullptr);
  EXPECT_EQ(server_.wait(), 1);
}

TEST_F(LanguageServerTest, MalformedMessagesGetErrorsAndTheConnectionStays) {
  const Json early = server_.request("textDocument/hover", Json::object());
  EXPECT_EQ(early["error"]["code"], -32002) << early;
  start();
  server_.send_body("{\"jsonrpc\": \"2.0\", \"id\": 5, \"method\": ");
  Json reply = server_.receive();
  EXPECT_EQ(reply["error"]["code"], -32700) << reply;
  EXPECT_EQ(reply["id"], nullptr);
  server_.send_body("[1, 2]");
  reply = server_.receive();
  EXPECT_EQ(reply["error"]["code"], -32600) << reply;
  // A frame without a length is passed over, and said so on stderr only.
  server_.send_raw("Content-Type: text/plain\r\n\r\n");
  server_.notify("workspace/somethingNew", {{"x", 1}});
  reply = server_.request("scenario/unknown");
  EXPECT_EQ(reply["error"]["code"], -32601) << reply;
  reply = server_.request("textDocument/didOpen", "not an object");
  EXPECT_TRUE(reply.contains("error")) << reply;
  EXPECT_EQ(shut_down(), 0);
  EXPECT_NE(server_.errors().find("a frame has no Content-Length header"), std::string::npos);
}

// --- diagnostics

TEST_F(LanguageServerTest, ACleanTextGetsAnEmptyListWithItsVersion) {
  start();
  open("S_linea.txt", utf8_of("S_linea.txt"), 3);
  const Json published = diagnostics_for("S_linea.txt");
  EXPECT_EQ(published["version"], 3);
  EXPECT_EQ(published["diagnostics"], Json::array());
}

TEST_F(LanguageServerTest, AnEditRechecksBothTextsOfThePair) {
  start();
  const std::string train = utf8_of("S_7-.txt");
  open("S_linea.txt", utf8_of("S_linea.txt"));
  open("S_7-.txt", train);
  EXPECT_EQ(diagnostics_for("S_7-.txt")["diagnostics"], Json::array());
  // An incremental edit: the second signal moved onto the first's place.
  const size_t line = static_cast<size_t>(
      std::count(train.begin(), train.begin() + train.find("segnale,    4500"), '\n'));
  change("S_7-.txt", 2, {{{"range", range(static_cast<int>(line), 12, 16)}, {"text", "1600"}}});
  Json published = diagnostics_for("S_7-.txt");
  EXPECT_EQ(published["version"], 2);
  ASSERT_EQ(published["diagnostics"].size(), 1u) << published;
  const Json& clash = published["diagnostics"][0];
  EXPECT_EQ(clash["code"], "E16");
  EXPECT_EQ(clash["severity"], 1);
  EXPECT_EQ(clash["range"], range(static_cast<int>(line), 0, 7));
  EXPECT_EQ(
      clash["message"],
      "the signal at 1600 m needs cell 33 at 1650 m, which already holds the signal at 1600 m");
  EXPECT_EQ(clash["relatedInformation"][0]["location"]["uri"], uri("S_7-.txt"));
  EXPECT_EQ(clash["relatedInformation"][0]["location"]["range"],
            range(static_cast<int>(line) - 1, 0, 7));
  // The line text of the pair was checked again with it.
  EXPECT_EQ(diagnostics_for("S_linea.txt")["version"], 1);
  // A whole-text change puts it right.
  change("S_7-.txt", 3, {{{"text", train}}});
  published = diagnostics_for("S_7-.txt");
  EXPECT_EQ(published["version"], 3);
  EXPECT_EQ(published["diagnostics"], Json::array());
}

TEST_F(LanguageServerTest, ATextOfThePairThatIsNotOpenIsReadFromDisk) {
  // The line text on disk has a shorter route than the train text needs.
  std::string line = starter_line_text("S");
  line.replace(line.find("6000"), 4, "3000");
  write("S_linea.txt", line);
  start();
  open("S_7-.txt", utf8_of("S_7-.txt"));
  const Json published = diagnostics_for("S_7-.txt");
  ASSERT_FALSE(published["diagnostics"].empty()) << published;
  for (const Json& diagnostic : published["diagnostics"]) {
    EXPECT_EQ(diagnostic["data"]["name"], "beyond-route") << diagnostic;
  }
  // Once the line text is open, the editor's text is the truth.
  open("S_linea.txt", utf8_of("S_linea.txt"));
  EXPECT_EQ(diagnostics_for("S_7-.txt")["diagnostics"], Json::array());
}

TEST_F(LanguageServerTest, WarningsCarryTheirCodeAndName) {
  start();
  std::string line = utf8_of("S_linea.txt");
  line.replace(line.find("sfondo uno"), 10, "sfondo unno");
  open("S_linea.txt", line);
  const Json published = diagnostics_for("S_linea.txt");
  ASSERT_EQ(published["diagnostics"].size(), 1u) << published;
  const Json& warning = published["diagnostics"][0];
  EXPECT_EQ(warning["severity"], 2);
  EXPECT_EQ(warning["data"]["name"], "unknown-keyword");
  EXPECT_EQ(warning["code"], "W21");
  EXPECT_NE(
      warning["message"].get<std::string>().find("did you mean `sfondo uno`? [-Wunknown-keyword]"),
      std::string::npos)
      << warning;
}

// An accented name before the field at fault: its column counts À as one
// UTF-16 unit, two UTF-8 bytes, one byte of the text.
TEST_F(LanguageServerTest, ColumnsAfterAnAccentedName) {
  for (const bool utf8 : {false, true}) {
    ServerProcess server(SB_PROGRAM);
    Json capabilities = Json::object();
    if (utf8) capabilities = {{"general", {{"positionEncodings", {"utf-8"}}}}};
    server.request("initialize", {{"capabilities", capabilities}});
    std::string line = utf8_of("S_linea.txt");
    const std::string entry = "sfondo uno,    0";
    line.replace(line.find(entry), entry.size(), "CITTÀ, sfondo uno,    x");
    server.notify("textDocument/didOpen", {{"textDocument",
                                            {{"uri", uri("S_linea.txt")},
                                             {"languageId", "scenario-line"},
                                             {"version", 1},
                                             {"text", line}}}});
    const Json published = server.next_notification("textDocument/publishDiagnostics")["params"];
    ASSERT_EQ(published["diagnostics"].size(), 2u) << published;
    const int row =
        static_cast<int>(std::count(line.begin(), line.begin() + line.find("CITT"), '\n'));
    // CITTÀ is a keyword field of its own, unknown; then the value that is
    // not a number.
    EXPECT_EQ(published["diagnostics"][0]["range"], range(row, 0, utf8 ? 6 : 5));
    EXPECT_EQ(published["diagnostics"][1]["code"], "W24");
    EXPECT_EQ(published["diagnostics"][1]["range"], range(row, utf8 ? 23 : 22, utf8 ? 24 : 23));
  }
}

TEST_F(LanguageServerTest, ACharacterWindows1252LacksIsAnError) {
  start();
  std::string line = utf8_of("S_linea.txt");
  line.replace(line.find("[curve]"), 0, "- Łódź \xF0\x9F\x9A\x86\r\n");
  open("S_linea.txt", line);
  const Json published = diagnostics_for("S_linea.txt");
  ASSERT_EQ(published["diagnostics"].size(), 3u) << published;
  const int row = static_cast<int>(std::count(line.begin(), line.begin() + line.find("- Ł"), '\n'));
  EXPECT_EQ(published["diagnostics"][0]["range"], range(row, 2, 3));
  EXPECT_EQ(published["diagnostics"][0]["message"],
            "\"Ł\" (U+0141) cannot be written in Windows-1252, the texts' encoding");
  EXPECT_EQ(published["diagnostics"][1]["range"], range(row, 5, 6));  // ó is in it, ź not
  EXPECT_EQ(published["diagnostics"][2]["range"], range(row, 7, 9));  // two UTF-16 units
  EXPECT_EQ(
      published["diagnostics"][2]["message"],
      "\"\xF0\x9F\x9A\x86\" (U+1F686) cannot be written in Windows-1252, the texts' encoding");
}

TEST_F(LanguageServerTest, ANewerEditSupersedesTheCheckOfAnOlderOne) {
  start();
  const std::string line = utf8_of("S_linea.txt");
  open("S_linea.txt", line);
  EXPECT_EQ(diagnostics_for("S_linea.txt")["version"], 1);
  // Twenty edits at once: whatever is published comes in order, and the
  // last publication is of the last version, clean again.
  for (int version = 2; version <= 21; ++version) {
    std::string text = line;
    if (version < 21) text.replace(text.find("sfondo uno"), 10, "sfondo unno");
    change("S_linea.txt", version, {{{"text", text}}});
  }
  int last = 1;
  int publications = 0;
  while (last < 21) {
    const Json published = diagnostics_for("S_linea.txt");
    ASSERT_FALSE(published.is_null());
    EXPECT_GT(published["version"].get<int>(), last);
    last = published["version"].get<int>();
    ++publications;
    if (last == 21) {
      EXPECT_EQ(published["diagnostics"], Json::array());
    }
  }
  EXPECT_LE(publications, 20);
}

TEST_F(LanguageServerTest, ClosingATextClearsItsDiagnostics) {
  start();
  std::string line = utf8_of("S_linea.txt");
  line.replace(line.find("sfondo uno"), 10, "sfondo unno");
  open("S_linea.txt", line);
  EXPECT_EQ(diagnostics_for("S_linea.txt")["diagnostics"].size(), 1u);
  server_.notify("textDocument/didClose", {{"textDocument", {{"uri", uri("S_linea.txt")}}}});
  EXPECT_EQ(diagnostics_for("S_linea.txt")["diagnostics"], Json::array());
}

TEST_F(LanguageServerTest, OtherDocumentsGetNoDiagnostics) {
  start();
  open("notes.txt", "anything");
  open("S_7-.txt", utf8_of("S_7-.txt"));
  // The first publication is the train text's: the notes got none.
  const Json published = server_.next_notification("textDocument/publishDiagnostics");
  EXPECT_EQ(published["params"]["uri"], uri("S_7-.txt"));
}

// --- what the server tells of a text

// A request about a place of an open text.
Json at_place(const std::string& uri, const Json& position) {
  return {{"textDocument", {{"uri", uri}}}, {"position", position}};
}

TEST_F(LanguageServerTest, HoverOnAKeywordAValueAndAPosition) {
  start();
  const std::string line = utf8_of("S_linea.txt");
  const std::string train = utf8_of("S_7-.txt");
  open("S_linea.txt", line);
  open("S_7-.txt", train);
  const auto hover = [&](const std::string& name, const std::string& needle, int plus) {
    const std::string& text = name == "S_linea.txt" ? line : train;
    const Json reply =
        server_.request("textDocument/hover", at_place(uri(name), position_of(text, needle, plus)));
    EXPECT_TRUE(reply.contains("result")) << reply;
    return reply["result"];
  };
  Json shown = hover("S_linea.txt", "pendenza,    1500,    6", 3);
  ASSERT_TRUE(shown.is_object()) << shown;
  EXPECT_EQ(shown["contents"]["kind"], "markdown");
  std::string text = shown["contents"]["value"];
  EXPECT_TRUE(text.starts_with("**gradient change** (line text, body)")) << text;
  EXPECT_NE(text.find("- `gradient` -100 to 155: gradient up to the next change"),
            std::string::npos)
      << text;
  EXPECT_EQ(shown["range"], range_of(line, "pendenza,    1500,    6", 8));

  text = hover("S_linea.txt", "pendenza,    1500,    6", 22)["contents"]["value"];
  EXPECT_TRUE(text.starts_with("**gradient**: value 2 of 2 of the gradient change")) << text;
  EXPECT_NE(text.find("Range: -100 to 155;"), std::string::npos) << text;

  // A position: the route km, the kilometre posts (12+000 at the start),
  // the cell and what the build put in it.
  text = hover("S_linea.txt", "pendenza,    1500,    6", 14)["contents"]["value"];
  EXPECT_NE(text.find("Route km 1.500, chainage km 13+500, cell 30 (1500 m)."), std::string::npos)
      << text;
  EXPECT_NE(text.find("Compiled cell 30: no object; speed limit 100 km/h, gradient 6, adhesion "
                      "100"),
            std::string::npos)
      << text;
  // A signal stands in the cell after its position's.
  text = hover("S_7-.txt", "segnale,    1600", 14)["contents"]["value"];
  EXPECT_NE(text.find("cell 32 (1600 m)"), std::string::npos) << text;
  EXPECT_NE(text.find("Cell 33: signal: "), std::string::npos) << text;

  // Off the entries: a header, a comment.
  EXPECT_EQ(hover("S_linea.txt", "[pendenze]", 2), nullptr);
  EXPECT_EQ(hover("S_linea.txt", "- gradient", 3), nullptr);
}

TEST_F(LanguageServerTest, CompletionOffersTheKeywordsOfTheSectionAtTheCursor) {
  start();
  std::string line = utf8_of("S_linea.txt");
  line.replace(line.find("sfondo due"), 10, "sfo");
  const std::string train = utf8_of("S_7-.txt");
  open("S_linea.txt", line);
  open("S_7-.txt", train);
  const auto labels = [&](const std::string& name, const Json& position) {
    const Json reply = server_.request("textDocument/completion", at_place(uri(name), position));
    EXPECT_TRUE(reply["result"].is_array()) << reply;
    std::vector<std::string> found;
    for (const Json& item : reply["result"]) found.push_back(item["label"]);
    return found;
  };
  using Labels = std::vector<std::string>;
  const Labels general = {"lunghezza percorso",
                          "progressiva chilometrica tre",
                          "progressiva chilometrica due",
                          "progressiva chilometrica uno",
                          "sfondo uno",
                          "sfondo due",
                          "sfondo tre",
                          "ripetizione segnali 4 codici"};
  const Labels body = {"pendenza", "curvad5", "montagna", "indicatori_vmax", "cartello_indicatore"};
  EXPECT_EQ(labels("S_linea.txt", position_of(line, "sfondo uno")), general);
  EXPECT_EQ(labels("S_linea.txt", position_of(line, "pendenza,    1500")), body);
  EXPECT_EQ(labels("S_linea.txt", position_of(line, "montagna", 4)), body);
  EXPECT_EQ(labels("S_7-.txt", position_of(train, "sabbia")).size(), 10u);
  // Among an entry's values, and before the entries open: none.
  EXPECT_EQ(labels("S_linea.txt", position_of(line, "1500", 2)), Labels{});
  EXPECT_EQ(labels("S_linea.txt", position_of(line, "Line text")), Labels{});

  // A keyword being written is replaced whole, with a snippet of the values.
  const Json reply = server_.request("textDocument/completion",
                                     at_place(uri("S_linea.txt"), position_of(line, "sfo,", 3)));
  const Json& item = reply["result"][5];
  EXPECT_EQ(item["label"], "sfondo due");
  EXPECT_EQ(item["insertTextFormat"], 2);
  EXPECT_EQ(item["textEdit"]["range"], range_of(line, "sfo,", 3));
  EXPECT_EQ(item["textEdit"]["newText"], "sfondo due, ${1:code}");
  EXPECT_EQ(reply["result"][7]["textEdit"]["newText"],
            "ripetizione segnali 4 codici, ${1:start}, ${2:end}");
}

TEST_F(LanguageServerTest, SignatureHelpNamesTheValueAtTheCursor) {
  start();
  const std::string train = utf8_of("S_7-.txt");
  open("S_7-.txt", train);
  const auto help = [&](const Json& position) {
    return server_.request("textDocument/signatureHelp",
                           at_place(uri("S_7-.txt"), position))["result"];
  };
  Json shown = help(position_of(train, "velocita,    1000,   100", 22));
  ASSERT_TRUE(shown.is_object()) << shown;
  EXPECT_EQ(shown["signatures"][0]["label"], "velocita, position, speed");
  EXPECT_EQ(shown["signatures"][0]["parameters"][1]["label"], Json::array({20, 25}));
  EXPECT_EQ(shown["signatures"][0]["parameters"][1]["documentation"], "(km/h) line speed limit");
  EXPECT_EQ(shown["activeParameter"], 1);
  // Right behind the keyword, the first value is next; the station's name
  // is its seventeenth.
  EXPECT_EQ(help(position_of(train, "velocita,    1000", 9))["activeParameter"], 0);
  EXPECT_EQ(help(position_of(train, "PARTENZA", 2))["activeParameter"], 16);
  EXPECT_EQ(help(position_of(train, "[segnali]", 2)), nullptr);
}

TEST_F(LanguageServerTest, SymbolsNameSectionsStationsAndObjectsByPosition) {
  start();
  const std::string train = utf8_of("S_7-.txt");
  open("S_7-.txt", train);
  const Json reply = server_.request("textDocument/documentSymbol",
                                     {{"textDocument", {{"uri", uri("S_7-.txt")}}}});
  std::vector<std::string> outline;
  for (const Json& section : reply["result"]) {
    std::string entry = section["name"];
    for (const Json& child : section["children"]) entry += " / " + child["name"].get<std::string>();
    outline.push_back(entry);
  }
  EXPECT_EQ(outline, (std::vector<std::string>{
                         "[generale]", "[aderenze]", "[vel_limite]",
                         "[stazioni] / PARTENZA / ARRIVO", "[rallentamenti] / slowdown at 2600 m",
                         "[segnali] / signal at 1600 m / signal at 4500 m", "[codici]", "[fine]"}));
  const Json& station = reply["result"][3]["children"][0];
  EXPECT_EQ(station["selectionRange"], range_of(train, "PARTENZA", 8));
  EXPECT_EQ(station["range"]["start"], position_of(train, "stazione,     500"));
}

TEST_F(LanguageServerTest, InlayHintsGiveTheChainageOfEachPosition) {
  start();
  std::string line = utf8_of("S_linea.txt");
  // From 3000 m the posts read from 100+000.
  line.replace(line.find("progressiva chilometrica due,    0,    0"), 40,
               "progressiva chilometrica due, 3000, 100000");
  open("S_linea.txt", line);
  const Json reply =
      server_.request("textDocument/inlayHint",
                      {{"textDocument", {{"uri", uri("S_linea.txt")}}}, {"range", range(0, 0, 0)}});
  ASSERT_TRUE(reply["result"].is_array()) << reply;
  EXPECT_EQ(reply["result"], Json::array()) << "nothing in an empty range";
  const Json all = server_.request(
      "textDocument/inlayHint",
      {{"textDocument", {{"uri", uri("S_linea.txt")}}}, {"range", whole_text()}})["result"];
  std::map<std::string, std::string> hints;
  for (const Json& hint : all) {
    hints[hint["position"].dump()] = hint["label"];
    EXPECT_TRUE(hint["paddingLeft"]);
  }
  EXPECT_EQ(hints[position_of(line, "1500,    6", 4).dump()], "km 13+500");
  EXPECT_EQ(hints[position_of(line, "3500,   -4", 4).dump()], "km 100+500");
  EXPECT_EQ(hints[position_of(line, "2000,    3000", 4).dump()], "km 14+000");
  EXPECT_EQ(hints[position_of(line, "2000,    3000", 13).dump()], "km 100+000");
  EXPECT_EQ(hints.count(position_of(line, "6000", 4).dump()), 0u) << "a length is no position";
}

TEST_F(LanguageServerTest, DefinitionGoesToTheOtherEntryOfADiagnostic) {
  start();
  std::string train = utf8_of("S_7-.txt");
  train.replace(train.find("segnale,    4500"), 16, "segnale,    1600");
  open("S_7-.txt", train);
  const Json published = diagnostics_for("S_7-.txt");
  ASSERT_EQ(published["diagnostics"].size(), 1u) << published;
  const Json& clash = published["diagnostics"][0];
  const Json reply =
      server_.request("textDocument/definition",
                      at_place(uri("S_7-.txt"), position_of(train, "segnale,    1600,   2", 3)));
  EXPECT_EQ(reply["result"], Json::array({clash["relatedInformation"][0]["location"]})) << reply;
  // Elsewhere there is nowhere to go.
  EXPECT_EQ(server_.request("textDocument/definition",
                            at_place(uri("S_7-.txt"), position_of(train, "sabbia")))["result"],
            Json::array());
}

TEST_F(LanguageServerTest, CodeActionsFixAMisspeltKeywordAndAValueOutOfRange) {
  start();
  std::string line = utf8_of("S_linea.txt");
  line.replace(line.find("sfondo uno"), 10, "sfondo unno");
  line.replace(line.find("pendenza,    1500,    6"), 23, "pendenza,    1500,  300");
  open("S_linea.txt", line);
  const Json published = diagnostics_for("S_linea.txt");
  ASSERT_EQ(published["diagnostics"].size(), 2u) << published;
  const auto actions = [&](const Json& diagnostic) {
    return server_.request("textDocument/codeAction",
                           {{"textDocument", {{"uri", uri("S_linea.txt")}}},
                            {"range", diagnostic["range"]},
                            {"context", {{"diagnostics", Json::array({diagnostic})}}}})["result"];
  };
  Json fixes = actions(published["diagnostics"][0]);
  ASSERT_EQ(fixes.size(), 1u) << fixes;
  EXPECT_EQ(fixes[0]["title"], "Change to `sfondo uno`");
  EXPECT_EQ(fixes[0]["kind"], "quickfix");
  EXPECT_EQ(
      fixes[0]["edit"]["changes"][uri("S_linea.txt")],
      Json::array({{{"range", range_of(line, "sfondo unno", 11)}, {"newText", "sfondo uno"}}}));
  fixes = actions(published["diagnostics"][1]);
  ASSERT_EQ(fixes.size(), 1u) << fixes;
  EXPECT_EQ(fixes[0]["title"], "Set the gradient change's gradient to 155");
  EXPECT_EQ(fixes[0]["edit"]["changes"][uri("S_linea.txt")],
            Json::array({{{"range", range_of(line, "1500,  300", 3, 7)}, {"newText", "155"}}}));
}

TEST_F(LanguageServerTest, OtherTextsAndPlacesOutsideATextGetEmptyAnswers) {
  start();
  open("notes.txt", "pendenza, 100, 2\r\n");
  open("S_linea.txt", utf8_of("S_linea.txt"));
  const Json nowhere = {{"line", 100000}, {"character", 0}};
  const Json past_the_line_end = {{"line", 0}, {"character", 500}};
  for (const std::string method : {"textDocument/hover", "textDocument/completion",
                                   "textDocument/signatureHelp", "textDocument/definition"}) {
    for (const auto& [name, position] :
         {std::pair{std::string("notes.txt"), Json{{"line", 0}, {"character", 2}}},
          std::pair{std::string("S_linea.txt"), nowhere},
          std::pair{std::string("S_linea.txt"), past_the_line_end},
          std::pair{std::string("never_opened_linea.txt"), Json{{"line", 0}, {"character", 0}}}}) {
      const Json reply = server_.request(method, at_place(uri(name), position));
      ASSERT_TRUE(reply.contains("result")) << method << " " << reply;
      EXPECT_TRUE(reply["result"].is_null() || reply["result"] == Json::array())
          << method << " " << name << " " << reply;
    }
  }
  EXPECT_EQ(server_.request("textDocument/documentSymbol",
                            {{"textDocument", {{"uri", uri("notes.txt")}}}})["result"],
            Json::array());
  EXPECT_EQ(shut_down(), 0);
}

}  // namespace
}  // namespace sb
