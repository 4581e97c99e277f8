#include "checks/meaning_checks.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "checks/timetable.h"
#include "compiler/finding_text.h"
#include "grammar/entry_values.h"
#include "util/rounding.h"

namespace sb {
namespace {

std::optional<int64_t> route_length_of(const TextEntries& line) {
  std::optional<int64_t> length;
  for (const TextEntry& entry : line.entries) {
    if (entry.id == EntryId::kRouteLength && entry.complete()) {
      length = line.values(entry)[route_length_value::kLength].value;
    }
  }
  return length;
}

std::string station(const TimetableStop& stop) { return shown(stop.name); }

class MeaningChecker {
 public:
  MeaningChecker(const TextEntries& line, const TextEntries& train,
                 std::vector<Diagnostic>* diagnostics)
      : line_(line), train_(train), speeds_(LineSpeeds::of(train)), diagnostics_(diagnostics) {}

  void run() {
    const Timetable timetable = timetable_of(train_, speeds_);
    check_order(timetable);
    check_legs(timetable);
    check_speed_limits();
    check_slowdowns();
    check_named_points();
  }

 private:
  void check_order(const Timetable& timetable) {
    for (size_t i = 1; i < timetable.stops.size(); ++i) {
      const TimetableStop& stop = timetable.stops[i];
      if (!stop.out_of_order) continue;
      const TimetableStop& before = timetable.stops[i - 1];
      warn(WarningId::kTimetableOrder, stop.at,
           "the time of " + station(stop) + ", " + clock_time(stop.written) +
               ", is earlier than the time of " + station(before) + " before it, " +
               clock_time(before.written) +
               ": station times run forward along the run (one more than 12 hours earlier is "
               "read as the next day)",
           before.at);
    }
  }

  void check_legs(const Timetable& timetable) {
    for (const TimetableLeg& leg : timetable.legs) {
      if (!leg.timed || !leg.fastest) continue;
      if (static_cast<double>(leg.scheduled) >= *leg.fastest) continue;
      const TimetableStop& from = timetable.stops[leg.from];
      const TimetableStop& to = timetable.stops[leg.to];
      const auto fastest = static_cast<int64_t>(std::ceil(*leg.fastest));
      warn(WarningId::kInfeasibleLeg, to.at,
           "the leg from " + station(from) + " to " + station(to) + ", " + metres(leg.distance) +
               ", is given " + duration(leg.scheduled) + " (departure " +
               clock_time(from.departure) + ", arrival " + clock_time(to.arrival) +
               "), but the fastest run at the speed limits and slowdowns in force takes " +
               duration(fastest) + " even without accelerating or braking",
           from.at);
    }
  }

  void check_speed_limits() {
    for (const TextEntry& entry : train_.entries) {
      if (entry.id != EntryId::kSpeedLimit || !entry.complete()) continue;
      const auto values = train_.values(entry);
      const int64_t speed = values[speed_limit_value::kSpeed].value;
      if (round_div(static_cast<double>(speed), 5.0) != 0) continue;
      const std::string kept = speed == 0 ? "" : " (kept as 0 km/h)";
      warn(WarningId::kSpeedLimitZero, location(entry),
           "the speed limit at " + metres(values[kPositionValue].value) + " is " +
               std::to_string(speed) + " km/h" + kept + ": the train cannot run on from there");
    }
  }

  // A station of kind 25 or above gets no stop cell: the train passes it,
  // so a time or a stop time there is one the run never keeps.
  void check_named_points() {
    for (const TextEntry& entry : train_.entries) {
      if (entry.id != EntryId::kStation || !entry.complete()) continue;
      const auto values = train_.values(entry);
      const int64_t kind = values[station_value::kKind].value;
      if (kind < 25) continue;
      const int64_t stop = values[station_value::kStop].value;
      const int64_t time =
          (values[station_value::kHours].value * 60 + values[station_value::kMinutes].value) * 60 +
          values[station_value::kSeconds].value;
      if (stop == 0 && time == 0) continue;
      warn(WarningId::kNamedPointTime, location(entry),
           "the named point " + shown(train_.token(values[station_value::kName])) + " at " +
               metres(values[kPositionValue].value) + " (kind " + std::to_string(kind) + ") has " +
               (time != 0 ? "the time " + clock_time(time) : std::string("no time")) +
               " and a stop of " + std::to_string(stop) +
               " s, but the train does not stop at a kind of 25 or above: for a stop, give a "
               "kind below 25");
    }
  }

  struct Slowdown {
    int64_t start = 0;
    int64_t length = 0;
    int64_t speed = 0;
    SourceLocation at;
  };

  void check_slowdowns() {
    const std::optional<int64_t> route_length = route_length_of(line_);
    std::vector<Slowdown> seen;
    for (const TextEntry& entry : train_.entries) {
      if (entry.id != EntryId::kSlowdown || !entry.complete()) continue;
      const auto values = train_.values(entry);
      const Slowdown slowdown{values[kPositionValue].value, values[slowdown_value::kLength].value,
                              values[slowdown_value::kSpeed].value, location(entry)};
      check_slowdown(slowdown, route_length);
      if (slowdown.length <= 0) continue;
      for (const Slowdown& other : seen) check_overlap(slowdown, other);
      seen.push_back(slowdown);
    }
  }

  void check_slowdown(const Slowdown& slowdown, std::optional<int64_t> route_length) {
    const int64_t end = slowdown.start + slowdown.length;
    const std::string what = "the slowdown at " + metres(slowdown.start);
    if (slowdown.length == 0) {
      warn(WarningId::kSlowdownEmpty, slowdown.at, what + " is 0 m long: it slows nothing");
    }
    if (route_length && slowdown.start <= *route_length && end > *route_length) {
      warn(WarningId::kSlowdownPastEnd, slowdown.at,
           what + ", " + metres(slowdown.length) +
               " long, runs past the end of the line: it "
               "ends at " +
               metres(end) + ", the route at " + metres(*route_length));
    }
    if (slowdown.length < 0) return;
    const std::optional<int64_t> limit =
        speeds_.highest_limit(slowdown.start, std::max(end, slowdown.start + 1));
    if (!limit || *limit <= 0 || slowdown.speed < *limit) return;
    warn(WarningId::kSlowdownNotSlower, slowdown.at,
         what + " (" + std::to_string(slowdown.speed) +
             " km/h) does not slow the train: the speed limit there is " +
             (slowdown.length > 0 ? "at most " : "") + std::to_string(*limit) + " km/h");
  }

  void check_overlap(const Slowdown& slowdown, const Slowdown& other) {
    const int64_t start = std::max(slowdown.start, other.start);
    const int64_t end = std::min(slowdown.start + slowdown.length, other.start + other.length);
    if (start >= end || slowdown.speed == other.speed) return;
    warn(WarningId::kSlowdownOverlap, slowdown.at,
         "the slowdown at " + metres(slowdown.start) + " (" + std::to_string(slowdown.speed) +
             " km/h) overlaps the slowdown at " + metres(other.start) + " (" +
             std::to_string(other.speed) + " km/h) from " + metres(start) + " to " + metres(end) +
             ": two speeds for one stretch",
         other.at);
  }

  SourceLocation location(const TextEntry& entry) const {
    return train_.location(train_.keyword(entry));
  }

  void warn(WarningId id, SourceLocation at, std::string message,
            std::optional<SourceLocation> related = std::nullopt) {
    Diagnostic diagnostic = make_warning(id, at, std::move(message));
    diagnostic.related = related;
    diagnostics_->push_back(std::move(diagnostic));
  }

  const TextEntries& line_;
  const TextEntries& train_;
  const LineSpeeds speeds_;
  std::vector<Diagnostic>* diagnostics_;
};

}  // namespace

void check_meaning(const TextEntries& line, const TextEntries& train,
                   std::vector<Diagnostic>* diagnostics) {
  MeaningChecker(line, train, diagnostics).run();
}

}  // namespace sb
