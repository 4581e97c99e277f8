#include "checks/timetable_report.h"

#include <gtest/gtest.h>

#include <string>

namespace sb {
namespace {

Timetable timetable_of_text(const std::string& train_text) {
  const TextEntries train = read_text_entries(train_text, SourceLocation::Text::kTrain);
  return timetable_of(train, LineSpeeds::of(train));
}

// 120 km/h to 3000 m, 60 from there; a slowdown at 40 over 1000 to 1600 m.
std::string train(const std::string& stations) {
  return "[generale]\r\nvelocita, 0, 120\r\nvelocita, 3000, 60\r\n" + stations +
         "rallentamento, 1000, 40, 600, 0, 0, 40\r\n[fine]\r\n";
}

TEST(TimetableReport, LegsWithTheirSlackAndTheTightestMarked) {
  // A: 1000 m at 120 (30 s), 600 m at 40 (54 s), 400 m at 120 (12 s): 96 s.
  // B: 1000 m at 120 (30 s), 2000 m at 60 (120 s): 150 s.
  const Timetable timetable =
      timetable_of_text(train("stazione, 0, 12, 400, 1,0,0, 1,1,0, 2,1,1, 1, 8,0,0, ALFA\r\n"
                              "stazione, 2000, 25, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, PUNTO\r\n"
                              "stazione, 2000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 30, 8,2,30, BETA\r\n"
                              "stazione, 5000, 12, 400, 1,0,0, 1,1,0, 2,1,1, 0, 8,6,0, GAMMA\r\n"));
  EXPECT_EQ(timetable_report(timetable),
            "legs (fastest: at the limits and slowdowns, without accelerating or braking):\n"
            "  from   to          km  scheduled  fastest  slack\n"
            "  ALFA   BETA     2.000       2:00     1:36   0:24  tightest\n"
            "  BETA   GAMMA    3.000       3:30     2:30   1:00\n");
  const nlohmann::ordered_json json = timetable_report_json(timetable);
  EXPECT_EQ(json.dump(),
            R"({"stations":[{"name":"ALFA","position":0,"arrival":null,"departure":28800},)"
            R"({"name":"BETA","position":2000,"arrival":28920,"departure":28950},)"
            R"({"name":"GAMMA","position":5000,"arrival":29160,"departure":null}],)"
            R"("legs":[{"from":0,"to":1,"distance":2000,"scheduled":120,"fastest":96,"slack":24,)"
            R"("tightest":true},{"from":1,"to":2,"distance":3000,"scheduled":210,"fastest":150,)"
            R"("slack":60,"tightest":false}],"tightest":0})");
}

// An accented letter is two bytes shown and one character wide.
TEST(TimetableReport, AccentedNamesAreAlignedByCharacters) {
  const Timetable timetable =
      timetable_of_text(train("stazione, 0, 12, 400, 1,0,0, 1,1,0, 2,1,1, 1, 8,0,0, CITT\xC0\r\n"
                              "stazione, 2000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 30, 8,2,30, BETA\r\n"
                              "stazione, 5000, 12, 400, 1,0,0, 1,1,0, 2,1,1, 0, 8,6,0, GAMMA\r\n"));
  EXPECT_EQ(timetable_report(timetable),
            "legs (fastest: at the limits and slowdowns, without accelerating or braking):\n"
            "  from   to          km  scheduled  fastest  slack\n"
            "  CITT\u00c0  BETA     2.000       2:00     1:36   0:24  tightest\n"
            "  BETA   GAMMA    3.000       3:30     2:30   1:00\n");
}

TEST(TimetableReport, LegsWithoutAFastestRunOrInOrderTimesShowADash) {
  // The first limit, at 500 m, leaves 0 to 500 m without one; the third
  // station's time runs backwards.
  const std::string text =
      "[generale]\r\nvelocita, 500, 100\r\n"
      "stazione, 0, 12, 400, 1,0,0, 1,1,0, 2,1,1, 1, 8,0,0, ALFA\r\n"
      "stazione, 2000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 30, 8,5,0, BETA\r\n"
      "stazione, 4000, 12, 400, 1,0,0, 1,1,0, 2,1,1, 0, 7,0,0, GAMMA\r\n[fine]\r\n";
  EXPECT_EQ(timetable_report(timetable_of_text(text)),
            "legs (fastest: at the limits and slowdowns, without accelerating or braking):\n"
            "  from   to          km  scheduled  fastest  slack\n"
            "  ALFA   BETA     2.000       4:30        -      -\n"
            "  BETA   GAMMA    2.000          -     1:12      -\n");
}

TEST(TimetableReport, NothingWithoutALeg) {
  EXPECT_EQ(timetable_report(timetable_of_text(
                train("stazione, 0, 12, 400, 1,0,0, 1,1,0, 2,1,1, 1, 8,0,0, ALFA\r\n"))),
            "");
}

TEST(Timetable, MidnightIsPassedOnlyByATimeMoreThan12HoursEarlier) {
  const struct {
    const char* previous;
    const char* next;
    int64_t scheduled;  // seconds from departure to arrival
    bool out_of_order;
  } cases[] = {
      {"23,50,0", "0,10,0", 20 * 60, false},
      {"23,50,0", "24,10,0", 20 * 60, false},
      {"12,0,0", "0,0,0", -12 * 3600, true},  // exactly 12 hours earlier
      {"12,0,1", "0,0,0", 12 * 3600 - 1, false},
      {"12,0,0", "11,0,0", -3600, true},
      {"12,0,0", "12,0,0", 0, false},
  };
  for (const auto& c : cases) {
    const Timetable timetable = timetable_of_text(
        "[generale]\r\nstazione, 0, 12, 400, 1,0,0, 1,1,0, 2,1,1, 1, " + std::string(c.previous) +
        ", A\r\nstazione, 5000, 12, 400, 1,0,0, 1,1,0, 2,1,1, 0, " + std::string(c.next) +
        ", B\r\n[fine]\r\n");
    ASSERT_EQ(timetable.legs.size(), 1u);
    EXPECT_EQ(timetable.legs[0].scheduled, c.scheduled) << c.previous << " " << c.next;
    EXPECT_EQ(timetable.stops[1].out_of_order, c.out_of_order) << c.previous << " " << c.next;
  }
}

TEST(LineSpeeds, FastestRunTakesTheLowerOfLimitAndSlowdown) {
  const TextEntries entries = read_text_entries(
      "[generale]\r\nvelocita, 0, 90\r\nvelocita, 1000, 45\r\nvelocita, 2000, 0\r\n"
      "velocita, 3000, 72\r\n"
      "rallentamento, 500, 18, 200, 0, 0, 0\r\n"
      "rallentamento, 1200, 72, 200, 0, 0, 0\r\n[fine]\r\n",
      SourceLocation::Text::kTrain);
  const LineSpeeds speeds = LineSpeeds::of(entries);
  // 25 m/s, 5 m/s in the slowdown, 12.5 m/s from 1000 m (the faster
  // slowdown does not raise the limit).
  EXPECT_EQ(speeds.fastest_seconds(0, 1000), 20.0 + 40.0 + 12.0);
  EXPECT_EQ(speeds.fastest_seconds(900, 1500), 4.0 + 40.0);
  EXPECT_EQ(speeds.fastest_seconds(1500, 2500), std::nullopt);  // a limit of 0
  EXPECT_EQ(speeds.highest_limit(900, 1500), 90);
  EXPECT_EQ(speeds.highest_limit(1000, 1500), 45);
  EXPECT_EQ(speeds.highest_limit(3000, 3100), 70);  // kept in steps of 5 km/h
}

}  // namespace
}  // namespace sb
