#include "compiler/memorizza_dati.h"

#include <gtest/gtest.h>

#include <string>

#include "compiler/finding_text.h"
#include "model/error_codes.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

const char kLinePath[] = "/d/S_linea.txt";
const char kTrainPath[] = "/d/S_1-.txt";

std::string line_text(const std::string& body) {
  return "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\n" + body + "[fine]\r\n";
}

std::string train_text(const std::string& body) { return "[generale]\r\n" + body + "[fine]\r\n"; }

// Every read failure has one code; its cause says which failure it is, and
// only a text that cannot be read or ends early is announced as a read
// failure.
TEST(MemorizzaDati, AReadFailureCarriesItsCause) {
  const std::string station_name(70000, 'X');
  struct Case {
    const char* name;
    std::string line;
    std::string train;
    const char* unreadable;
    ReadCause cause;
    std::string words;
  };
  const Case cases[] = {
      {"line text unreadable", line_text(""), train_text(""), kLinePath, ReadCause::kUnreadable,
       "read failure: cannot read /d/S_linea.txt: Permission denied"},
      {"train text unreadable", line_text(""), train_text(""), kTrainPath, ReadCause::kUnreadable,
       "read failure: cannot read /d/S_1-.txt: Permission denied"},
      {"line text ends", "[generale]\r\nlunghezza percorso, 1000\r\n[curve]\r\npendenza, 300\r\n",
       train_text(""), "", ReadCause::kTextEnds,
       "read failure: the text ends where a field was expected"},
      {"train text ends", line_text(""), "[generale]\r\nsegnale, 850, 2\r\n", "",
       ReadCause::kTextEnds, "read failure: the text ends where a field was expected"},
      {"value too wide", line_text("pendenza, 300, 99999999999\r\n"), train_text(""), "",
       ReadCause::kTooWide,
       "the value 99999999999 does not fit a long (-2147483648 to 2147483647)"},
      {"speeds too wide", line_text("indicatori_vmax, 500, 90, 95, 1700, 0, 0, 0, 0, 0\r\n"),
       train_text(""), "", ReadCause::kTooWide,
       "the speeds 1700 and 0 do not pack into a short (-32768 to 32767)"},
      {"station time too wide", line_text(""),
       train_text("stazione, 0, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 600000, 0, 0, X\r\n"), "",
       ReadCause::kTooWide, "the station time 600000:0:0 does not fit a long"},
      {"speed too wide for a byte", line_text(""),
       train_text("velocita, 0, 1278\r\nvelocita, 100, 50\r\n"), "", ReadCause::kTooWide,
       "the speed 1278 km/h divided by 5 does not fit a byte (0 to 255)"},
      {"text too long", line_text(""),
       train_text("stazione, 0, 12, 400, 0,0,0, 0,0,0, 0,0,0, 0, 12,0,0, " + station_name + "\r\n"),
       "", ReadCause::kTooWide, "a text of 70000 bytes is longer than 65535"},
      {"no route length", "[generale]\r\nsfondo uno, 1\r\n[curve]\r\n[fine]\r\n", train_text(""),
       "", ReadCause::kNoRouteLength, "the general section gives no route length"},
  };
  for (const Case& c : cases) {
    MemoryFileSystem file_system;
    file_system.files[kLinePath] = c.line;
    file_system.files[kTrainPath] = c.train;
    if (*c.unreadable != '\0') file_system.unreadable.insert(c.unreadable);
    BuildState state;
    const Findings findings = memorizza_dati(state, file_system, {kLinePath, kTrainPath, false});
    ASSERT_EQ(findings.size(), 1u) << c.name;
    EXPECT_EQ(findings[0].code, kReadFailed) << c.name;
    EXPECT_EQ(findings[0].cause, c.cause) << c.name;
    EXPECT_EQ(describe(findings[0]), c.words) << c.name;
  }
}

// A missing line text has a code of its own; a missing train text is a
// read failure like an unreadable one.
TEST(MemorizzaDati, AMissingTextIsFoundByItsKind) {
  struct Case {
    const char* missing;
    ErrorCode code;
    ReadCause cause;
    std::string words;
  };
  const Case cases[] = {
      {kLinePath, kLineTextMissing, ReadCause::kNone, "the line text does not exist"},
      {kTrainPath, kReadFailed, ReadCause::kUnreadable,
       "read failure: cannot read /d/S_1-.txt: No such file or directory"},
  };
  for (const Case& c : cases) {
    MemoryFileSystem file_system;
    file_system.files[kLinePath] = line_text("");
    file_system.files[kTrainPath] = train_text("");
    file_system.files.erase(c.missing);
    BuildState state;
    const Findings findings = memorizza_dati(state, file_system, {kLinePath, kTrainPath, false});
    ASSERT_EQ(findings.size(), 1u) << c.missing;
    EXPECT_EQ(findings[0].code, c.code) << c.missing;
    EXPECT_EQ(findings[0].cause, c.cause) << c.missing;
    EXPECT_EQ(describe(findings[0]), c.words) << c.missing;
  }
}

}  // namespace
}  // namespace sb
