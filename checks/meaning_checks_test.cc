#include "checks/meaning_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/text_check.h"
#include "sources/builtin_scenario.h"
#include "sources/line_list_writer.h"
#include "starter/starter_scenario.h"

namespace sb {
namespace {

std::string builtin_line() { return line_list_bytes(builtin_line_text()); }
std::string builtin_train() { return line_list_bytes(builtin_train_text()); }

std::vector<std::string> meaning_warnings(const std::string& line_text,
                                          const std::string& train_text) {
  std::vector<Diagnostic> diagnostics;
  check_meaning(read_text_entries(line_text, SourceLocation::Text::kLine),
                read_text_entries(train_text, SourceLocation::Text::kTrain), &diagnostics);
  sort_diagnostics(diagnostics);
  std::vector<std::string> lines;
  for (const Diagnostic& d : diagnostics) lines.push_back(format_diagnostic(d, "L", "T"));
  return lines;
}

// The built-in train text with each `from` replaced by its `to` (each must
// stand in it once).
struct Edit {
  std::string from;
  std::string to;
};

std::string edited(std::string text, const std::vector<Edit>& edits) {
  for (const Edit& edit : edits) {
    const size_t at = text.find(edit.from);
    EXPECT_NE(at, std::string::npos) << edit.from;
    EXPECT_EQ(text.find(edit.from, at + 1), std::string::npos) << edit.from;
    if (at != std::string::npos) text.replace(at, edit.from.size(), edit.to);
  }
  return text;
}

struct Case {
  const char* what;
  std::vector<Edit> edits;
  std::vector<std::string> expected;  // empty: a near miss, no warning
};

void expect_cases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(meaning_warnings(builtin_line(), edited(builtin_train(), c.edits)), c.expected)
        << c.what;
  }
}

const char kPn[] = "30,  12,42, 0, VALMIRA P.N.";
const char kMiravellina[] = "20,  12,47, 0, MIRAVELLINA";
const char kRoccavern[] = "20,  13,40, 0, ROCCAVERN";
const char kLunerio[] = "0,  13,51, 0, LUNERIO";
const char kFirstSlowdown[] = "rallentamento,    2000,    60,  700, 0,  0,  60";
const char kSecondSlowdown[] = "rallentamento,   77800,   100,  500, 0,  1,  100";

TEST(MeaningChecks, TimetableOrder) {
  expect_cases({
      {"an hour before the previous station",
       {{kPn, "30,  11,42, 0, VALMIRA P.N."}},
       {"T:22:1: warning W50: the time of VALMIRA P.N., 11:42:00, is earlier than the time of "
        "VALMIRA CENTRALE before it, 12:39:00: station times run forward along the run (one "
        "more than 12 hours earlier is read as the next day) (T:21:1) [-Wtimetable-order]"}},
      {"a time just short of 12 hours back stays out of order",
       {{kLunerio, "0,  1,41, 0, LUNERIO"}},
       {"T:34:1: warning W50: the time of LUNERIO, 01:41:00, is earlier than the time of "
        "ROCCAVERN before it, 13:40:00: station times run forward along the run (one more "
        "than 12 hours earlier is read as the next day) (T:32:1) [-Wtimetable-order]"}},
      {"near miss: a run past midnight",
       {{kRoccavern, "20,  23,50, 0, ROCCAVERN"}, {kLunerio, "0,  0,5, 0, LUNERIO"}},
       {}},
      {"near miss: hours past 23 count on",
       {{kRoccavern, "20,  23,50, 0, ROCCAVERN"}, {kLunerio, "0,  24,5, 0, LUNERIO"}},
       {}},
  });
}

TEST(MeaningChecks, NamedPointWithATime) {
  expect_cases({
      {"a time",
       {{"0,   0, 0, 0, Nome Stazione", "0,   12,55, 0, Nome Stazione"}},
       {"T:25:1: warning W57: the named point Nome Stazione at 20500 m (kind 25) has the time "
        "12:55:00 and a stop of 0 s, but the train does not stop at a kind of 25 or above: for "
        "a stop, give a kind below 25 [-Wnamed-point-time]"}},
      {"a stop time alone",
       {{"0,0,0,    0,   0, 0, 0, Nome Stazione", "0,0,0,    30,   0, 0, 0, Nome Stazione"}},
       {"T:25:1: warning W57: the named point Nome Stazione at 20500 m (kind 25) has no time "
        "and a stop of 30 s, but the train does not stop at a kind of 25 or above: for a stop, "
        "give a kind below 25 [-Wnamed-point-time]"}},
      // A stop at kind 24 is in the timetable: 12:55 lies between DUNTA's
      // 12:52 and SELMIA's 12:58, with time enough either way.
      {"near miss: a kind below 25 is a stop",
       {{"stazione,   20500, 25,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   0, 0, 0, Nome Stazione",
         "stazione,   20500, 24,  200,  0, 0, 0,  0,0,0,  0,0,0,    0,   12,55, 0, Nome "
         "Stazione"}},
       {}},
  });
}

TEST(MeaningChecks, FeasibleLegs) {
  expect_cases({
      // 400 m at 115 km/h, 700 m of slowdown at 60, 1150 m at 115, 5300 m at
      // 150: 217.7 s.
      {"a leg faster than the limits and the slowdown allow",
       {{kMiravellina, "20,  12,43, 0, MIRAVELLINA"}},
       {"T:23:1: warning W51: the leg from VALMIRA P.N. to MIRAVELLINA, 7550 m, is given 40 s "
        "(departure 12:42:00, arrival 12:42:40), but the fastest run at the speed limits and "
        "slowdowns in force takes 3 min 38 s even without accelerating or braking (T:22:1) "
        "[-Winfeasible-leg]"}},
      {"near miss: 2 s to spare", {{kMiravellina, "20,  12,46, 0, MIRAVELLINA"}}, {}},
      {"a stop time longer than the leg",
       {{kPn, "90,  12,40, 0, VALMIRA P.N."}},
       {"T:22:1: warning W51: the leg from VALMIRA CENTRALE to VALMIRA P.N., 1600 m, is given "
        "-30 s (departure 12:39:00, arrival 12:38:30), but the fastest run at the speed limits "
        "and slowdowns in force takes 1 min 23 s even without accelerating or braking (T:21:1) "
        "[-Winfeasible-leg]"}},
      {"the last station's time is its arrival",
       {{kLunerio, "60,  13,44, 0, LUNERIO"}},
       {"T:34:1: warning W51: the leg from ROCCAVERN to LUNERIO, 12450 m, is given 4 min "
        "(departure 13:40:00, arrival 13:44:00), but the fastest run at the speed limits and "
        "slowdowns in force takes 5 min 32 s even without accelerating or braking (T:32:1) "
        "[-Winfeasible-leg]"}},
      {"past midnight, two minutes for 12 km",
       {{kRoccavern, "20,  23,58, 0, ROCCAVERN"}, {kLunerio, "0,  0,0, 0, LUNERIO"}},
       {"T:34:1: warning W51: the leg from ROCCAVERN to LUNERIO, 12450 m, is given 2 min "
        "(departure 23:58:00, arrival 24:00:00), but the fastest run at the speed limits and "
        "slowdowns in force takes 5 min 32 s even without accelerating or braking (T:32:1) "
        "[-Winfeasible-leg]"}},
      {"near miss: a limit of 0 on the leg leaves it to its own warning",
       {{"velocita,   20100,    60", "velocita,   20100,    0"},
        {"30,  12,58, 0, SELMIA", "30,  12,53, 0, SELMIA"}},
       {"T:14:1: warning W56: the speed limit at 20100 m is 0 km/h: the train cannot run on "
        "from there [-Wspeed-limit-zero]"}},
  });
}

TEST(MeaningChecks, Slowdowns) {
  expect_cases({
      {"as fast as the limit",
       {{kFirstSlowdown, "rallentamento,    2000,    115,  700, 0,  0,  115"}},
       {"T:36:1: warning W52: the slowdown at 2000 m (115 km/h) does not slow the train: the "
        "speed limit there is at most 115 km/h [-Wslowdown-not-slower]"}},
      {"faster than the limit",
       {{kFirstSlowdown, "rallentamento,    2000,    140,  700, 0,  0,  140"}},
       {"T:36:1: warning W52: the slowdown at 2000 m (140 km/h) does not slow the train: the "
        "speed limit there is at most 115 km/h [-Wslowdown-not-slower]"}},
      {"near miss: below the limit",
       {{kFirstSlowdown, "rallentamento,    2000,    110,  700, 0,  0,  110"}},
       {}},
      {"near miss: below the higher of two limits it spans",
       {{kFirstSlowdown, "rallentamento,    3000,    120,  2000, 0,  0,  120"}},
       {}},
      {"0 m long",
       {{kFirstSlowdown, "rallentamento,    2000,    60,  0, 0,  0,  60"}},
       {"T:36:1: warning W53: the slowdown at 2000 m is 0 m long: it slows nothing "
        "[-Wslowdown-empty]"}},
      {"near miss: 50 m long",
       {{kFirstSlowdown, "rallentamento,    2000,    60,  50, 0,  0,  60"}},
       {}},
      {"past the end of the line",
       {{kSecondSlowdown, "rallentamento,   77800,   100,  225000, 0,  1,  100"}},
       {"T:37:1: warning W54: the slowdown at 77800 m, 225000 m long, runs past the end of the "
        "line: it ends at 302800 m, the route at 302600 m [-Wslowdown-past-end]"}},
      {"near miss: up to the end of the line",
       {{kSecondSlowdown, "rallentamento,   77800,   100,  224800, 0,  1,  100"}},
       {}},
      {"overlapping at another speed",
       {{kFirstSlowdown,
         std::string(kFirstSlowdown) + "\r\nrallentamento,    2500,    80,  400, 0,  0,  80"}},
       {"T:37:1: warning W55: the slowdown at 2500 m (80 km/h) overlaps the slowdown at 2000 m "
        "(60 km/h) from 2500 m to 2700 m: two speeds for one stretch (T:36:1) "
        "[-Wslowdown-overlap]"}},
      {"near miss: overlapping at the same speed",
       {{kFirstSlowdown,
         std::string(kFirstSlowdown) + "\r\nrallentamento,    2500,    60,  400, 0,  0,  60"}},
       {}},
      {"near miss: one ending where the other begins",
       {{kFirstSlowdown,
         std::string(kFirstSlowdown) + "\r\nrallentamento,    2700,    80,  400, 0,  0,  80"}},
       {}},
  });
}

TEST(MeaningChecks, SpeedLimitZero) {
  expect_cases({
      {"a limit of 0",
       {{"velocita,   87550,    95", "velocita,   87550,    0"}},
       {"T:18:1: warning W56: the speed limit at 87550 m is 0 km/h: the train cannot run on "
        "from there [-Wspeed-limit-zero]"}},
      {"a limit the cells keep as 0",
       {{"velocita,   87550,    95", "velocita,   87550,    2"}},
       {"T:18:1: warning W56: the speed limit at 87550 m is 2 km/h (kept as 0 km/h): the train "
        "cannot run on from there [-Wspeed-limit-zero]"}},
      {"near miss: the least limit kept above 0",
       {{"velocita,   87550,    95", "velocita,   87550,    3"}},
       // 1950 m at 5 km/h: the last leg cannot be kept.
       {"T:34:1: warning W51: the leg from ROCCAVERN to LUNERIO, 12450 m, is given 11 min "
        "(departure 13:40:00, arrival 13:51:00), but the fastest run at the speed limits and "
        "slowdowns in force takes 27 min 42 s even without accelerating or braking (T:32:1) "
        "[-Winfeasible-leg]"}},
  });
}

// Every check, of form and of meaning, on a pair of texts: the warnings
// shown by default.
std::vector<std::string> all_warnings(const std::string& line_text, const std::string& train_text) {
  std::vector<Diagnostic> diagnostics;
  const LineFacts line = check_line_text(line_text, &diagnostics);
  check_train_text(train_text, line, &diagnostics);
  check_meaning(read_text_entries(line_text, SourceLocation::Text::kLine),
                read_text_entries(train_text, SourceLocation::Text::kTrain), &diagnostics);
  std::vector<std::string> lines;
  for (const Diagnostic& d : diagnostics) {
    // Those shown only with -Wall are left out.
    const std::optional<WarningId> id = d.code.warning();
    if (id && warning_kind(*id).level == WarningLevel::kAll) continue;
    lines.push_back(format_diagnostic(d, "L", "T"));
  }
  return lines;
}

TEST(MeaningChecks, NoneOnTheBuiltInPairOrTheStarter) {
  EXPECT_EQ(all_warnings(builtin_line(), builtin_train()), std::vector<std::string>{});
  EXPECT_EQ(all_warnings(starter_line_text("Nuova"), starter_train_text("Nuova", "101")),
            std::vector<std::string>{});
}

}  // namespace
}  // namespace sb
