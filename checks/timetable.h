#ifndef SCENARIO_BUILDER_CHECKS_TIMETABLE_H_
#define SCENARIO_BUILDER_CHECKS_TIMETABLE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "frontend/text_entries.h"
#include "model/source_location.h"

namespace sb {

// The speeds a train may run at along the line, as its texts give them: the
// speed-limit profile (each limit from its position to the next one's) and
// the slowdowns in force over their stretches.
class LineSpeeds {
 public:
  struct Step {
    int64_t position = 0;
    int64_t speed = 0;  // km/h as written
  };
  struct Slowdown {
    int64_t start = 0;
    int64_t length = 0;
    int64_t speed = 0;  // km/h: the greater of its two speeds
  };

  static LineSpeeds of(const TextEntries& train);

  // The least time, in seconds, to run from `from` to `to` (from < to) at
  // the limits and slowdowns in force, without accelerating or braking: a
  // lower bound of any real run.  Empty where a stretch has no limit above
  // 0 (before the first limit, or at a limit of 0).
  std::optional<double> fastest_seconds(int64_t from, int64_t to) const;

  // The highest limit in force anywhere on [from, to); empty where no limit
  // stands there.
  std::optional<int64_t> highest_limit(int64_t from, int64_t to) const;

  const std::vector<Step>& steps() const { return steps_; }
  const std::vector<Slowdown>& slowdowns() const { return slowdowns_; }

 private:
  std::vector<Step> steps_;  // in file order
  std::vector<Slowdown> slowdowns_;
};

// A station where the train stops, with its times in seconds from the
// midnight before the run's first station.  A time earlier than the previous
// station's by more than 12 hours is read as the next day: the run passed
// midnight.  Earlier by 12 hours or less, it stays as written, out of order.
struct TimetableStop {
  std::string name;  // Windows-1252, as written
  int64_t position = 0;
  int64_t stop = 0;       // seconds
  int64_t written = 0;    // the station time as written, in seconds
  int64_t departure = 0;  // the station time, on its day
  int64_t arrival = 0;    // departure less the stop time; the station time at the last
  bool out_of_order = false;
  SourceLocation at;
};

struct TimetableLeg {
  size_t from = 0;  // indices into the stops
  size_t to = 0;
  int64_t distance = 0;           // metres, station position to station position
  int64_t scheduled = 0;          // seconds, departure to arrival
  std::optional<double> fastest;  // seconds; empty where no limit allows a run
  // Set when the leg's times mean something: neither end out of order and
  // the stations in order along the line.
  bool timed = false;

  // Scheduled less fastest, in seconds, where both are known.
  std::optional<double> slack() const;
};

struct Timetable {
  std::vector<TimetableStop> stops;
  std::vector<TimetableLeg> legs;
  // Index of the timed leg with the least slack; empty when none has one.
  std::optional<size_t> tightest;
};

inline constexpr int64_t kSecondsPerDay = 24 * 60 * 60;
inline constexpr int64_t kMidnightGap = 12 * 60 * 60;

// The run as the train text times it: its stations with a kind below 25, in
// file order, and the legs between them.  Entries cut short are left out.
Timetable timetable_of(const TextEntries& train, const LineSpeeds& speeds);

// "12:39:00"; hours past 23 count on ("24:10:00" the next day).
std::string clock_time(int64_t seconds);
// "1 min 23 s", "45 s", "-30 s".
std::string duration(int64_t seconds);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_TIMETABLE_H_
