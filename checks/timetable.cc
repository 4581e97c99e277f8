#include "checks/timetable.h"

#include <algorithm>
#include <cstdio>

#include "grammar/entry_values.h"
#include "util/rounding.h"

namespace sb {
namespace {

constexpr int64_t kUnmarkedKind = 25;

// A speed limit as the cells keep it: its fifth, rounded, times 5.
int64_t kept_speed(int64_t written) { return round_div(static_cast<double>(written), 5.0) * 5; }

}  // namespace

LineSpeeds LineSpeeds::of(const TextEntries& train) {
  LineSpeeds speeds;
  for (const TextEntry& entry : train.entries) {
    if (!entry.complete()) continue;
    const auto values = train.values(entry);
    if (entry.id == EntryId::kSpeedLimit) {
      speeds.steps_.push_back(
          {values[kPositionValue].value, kept_speed(values[speed_limit_value::kSpeed].value)});
    } else if (entry.id == EntryId::kSlowdown) {
      const int64_t second = values[slowdown_value::kSecondSpeed].value;
      speeds.slowdowns_.push_back({values[kPositionValue].value,
                                   values[slowdown_value::kLength].value,
                                   std::max(values[slowdown_value::kSpeed].value, second)});
    }
  }
  return speeds;
}

std::optional<double> LineSpeeds::fastest_seconds(int64_t from, int64_t to) const {
  // The limit in force is piecewise constant between the positions where a
  // limit or a slowdown begins or ends.
  std::vector<int64_t> cuts = {from, to};
  for (const Step& step : steps_) {
    if (step.position > from && step.position < to) cuts.push_back(step.position);
  }
  for (const Slowdown& slowdown : slowdowns_) {
    for (int64_t at : {slowdown.start, slowdown.start + slowdown.length}) {
      if (at > from && at < to) cuts.push_back(at);
    }
  }
  std::sort(cuts.begin(), cuts.end());
  cuts.erase(std::unique(cuts.begin(), cuts.end()), cuts.end());
  std::vector<Step> profile = steps_;
  std::stable_sort(profile.begin(), profile.end(),
                   [](const Step& a, const Step& b) { return a.position < b.position; });
  double seconds = 0;
  size_t next_step = 0;
  std::optional<int64_t> limit;
  for (size_t i = 0; i + 1 < cuts.size(); ++i) {
    const int64_t start = cuts[i];
    while (next_step < profile.size() && profile[next_step].position <= start) {
      limit = profile[next_step].speed;
      ++next_step;
    }
    if (!limit) return std::nullopt;
    int64_t speed = *limit;
    for (const Slowdown& slowdown : slowdowns_) {
      if (slowdown.length > 0 && slowdown.start <= start &&
          start < slowdown.start + slowdown.length) {
        speed = std::min(speed, slowdown.speed);
      }
    }
    if (speed <= 0) return std::nullopt;
    seconds += static_cast<double>(cuts[i + 1] - start) * 3.6 / static_cast<double>(speed);
  }
  return seconds;
}

std::optional<int64_t> LineSpeeds::highest_limit(int64_t from, int64_t to) const {
  std::optional<int64_t> highest;
  std::optional<int64_t> before;  // the limit in force at `from`
  int64_t before_at = 0;
  for (const Step& step : steps_) {
    if (step.position <= from && (!before || step.position >= before_at)) {
      before = step.speed;
      before_at = step.position;
    } else if (step.position > from && step.position < to) {
      highest = std::max(highest.value_or(step.speed), step.speed);
    }
  }
  if (before) highest = std::max(highest.value_or(*before), *before);
  return highest;
}

std::optional<double> TimetableLeg::slack() const {
  if (!fastest) return std::nullopt;
  return static_cast<double>(scheduled) - *fastest;
}

Timetable timetable_of(const TextEntries& train, const LineSpeeds& speeds) {
  Timetable timetable;
  int64_t day = 0;
  for (const TextEntry& entry : train.entries) {
    if (entry.id != EntryId::kStation || !entry.complete()) continue;
    const auto values = train.values(entry);
    if (values[station_value::kKind].value >= kUnmarkedKind) continue;
    TimetableStop stop;
    stop.name = std::string(train.token(values[station_value::kName]));
    stop.position = values[kPositionValue].value;
    stop.stop = values[station_value::kStop].value;
    stop.written =
        (values[station_value::kHours].value * 60 + values[station_value::kMinutes].value) * 60 +
        values[station_value::kSeconds].value;
    stop.departure = stop.written + day;
    stop.at = train.location(train.keyword(entry));
    if (!timetable.stops.empty()) {
      const int64_t previous = timetable.stops.back().departure;
      if (stop.departure < previous && previous - stop.departure > kMidnightGap) {
        day += kSecondsPerDay;
        stop.departure += kSecondsPerDay;
      }
      stop.out_of_order = stop.departure < previous;
    }
    stop.arrival = stop.departure - stop.stop;
    timetable.stops.push_back(std::move(stop));
  }
  if (timetable.stops.empty()) return timetable;
  // At the last station the time is the arrival.
  timetable.stops.back().arrival = timetable.stops.back().departure;
  for (size_t i = 1; i < timetable.stops.size(); ++i) {
    const TimetableStop& from = timetable.stops[i - 1];
    const TimetableStop& to = timetable.stops[i];
    TimetableLeg leg;
    leg.from = i - 1;
    leg.to = i;
    leg.distance = to.position - from.position;
    leg.scheduled = to.arrival - from.departure;
    leg.timed = !from.out_of_order && !to.out_of_order && leg.distance > 0;
    if (leg.distance > 0) leg.fastest = speeds.fastest_seconds(from.position, to.position);
    if (leg.timed && leg.slack()) {
      const auto& best = timetable.tightest;
      if (!best || *leg.slack() < *timetable.legs[*best].slack()) {
        timetable.tightest = timetable.legs.size();
      }
    }
    timetable.legs.push_back(leg);
  }
  return timetable;
}

std::string clock_time(int64_t seconds) {
  const char* sign = seconds < 0 ? "-" : "";
  const long long s = seconds < 0 ? -seconds : seconds;
  char text[40];
  std::snprintf(text, sizeof text, "%s%02lld:%02lld:%02lld", sign, s / 3600, s / 60 % 60, s % 60);
  return text;
}

std::string duration(int64_t seconds) {
  const char* sign = seconds < 0 ? "-" : "";
  const long long s = seconds < 0 ? -seconds : seconds;
  char text[48];
  if (s < 60) {
    std::snprintf(text, sizeof text, "%s%lld s", sign, s);
  } else if (s % 60 == 0) {
    std::snprintf(text, sizeof text, "%s%lld min", sign, s / 60);
  } else {
    std::snprintf(text, sizeof text, "%s%lld min %lld s", sign, s / 60, s % 60);
  }
  return text;
}

}  // namespace sb
