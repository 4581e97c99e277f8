#include "checks/timetable_report.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

#include "checks/diagnostic.h"
#include "util/text.h"

namespace sb {
namespace {

std::optional<int64_t> fastest_of(const TimetableLeg& leg) {
  if (!leg.fastest) return std::nullopt;
  return static_cast<int64_t>(std::ceil(*leg.fastest));
}

std::optional<int64_t> slack_of(const TimetableLeg& leg) {
  const std::optional<int64_t> fastest = fastest_of(leg);
  if (!leg.timed || !fastest) return std::nullopt;
  return leg.scheduled - *fastest;
}

// "2:30", "-0:30", "75:00": minutes and seconds.
std::string minutes(int64_t seconds) {
  const char* sign = seconds < 0 ? "-" : "";
  const long long s = seconds < 0 ? -seconds : seconds;
  char text[40];
  std::snprintf(text, sizeof text, "%s%lld:%02lld", sign, s / 60, s % 60);
  return text;
}

// "-" for none.
std::string minutes(std::optional<int64_t> seconds) { return seconds ? minutes(*seconds) : "-"; }

std::string kilometres(int64_t metres) {
  char text[40];
  std::snprintf(text, sizeof text, "%.3f", static_cast<double>(metres) / 1000.0);
  return text;
}

// Padded to `width` characters (a name's accented letters take two bytes).
std::string left(std::string text, size_t width) {
  const size_t length = utf8_length(text);
  if (length < width) text.append(width - length, ' ');
  return text;
}

std::string right(std::string text, size_t width) {
  const size_t length = utf8_length(text);
  if (length < width) text.insert(0, width - length, ' ');
  return text;
}

}  // namespace

std::string timetable_report(const Timetable& timetable) {
  if (timetable.legs.empty()) return {};
  std::vector<std::string> names;
  size_t width = std::string("from").size();
  for (const TimetableStop& stop : timetable.stops) {
    names.push_back(shown(stop.name));
    width = std::max(width, utf8_length(names.back()));
  }
  std::string out =
      "legs (fastest: at the limits and slowdowns, without accelerating or "
      "braking):\n";
  out += "  " + left("from", width) + "  " + left("to", width) +
         "       km  scheduled  fastest  slack\n";
  for (size_t i = 0; i < timetable.legs.size(); ++i) {
    const TimetableLeg& leg = timetable.legs[i];
    const std::string scheduled = leg.timed ? minutes(leg.scheduled) : "-";
    std::string row = "  " + left(names[leg.from], width) + "  " + left(names[leg.to], width) +
                      "  " + right(kilometres(leg.distance), 7) + "  " + right(scheduled, 9) +
                      "  " + right(minutes(fastest_of(leg)), 7) + "  " +
                      right(minutes(slack_of(leg)), 5);
    if (timetable.tightest == i) row += "  tightest";
    out += row + "\n";
  }
  return out;
}

nlohmann::ordered_json timetable_report_json(const Timetable& timetable) {
  using Json = nlohmann::ordered_json;
  const auto number_or_null = [](std::optional<int64_t> value) {
    return value ? Json(*value) : Json(nullptr);
  };
  Json stations = Json::array();
  for (size_t i = 0; i < timetable.stops.size(); ++i) {
    const TimetableStop& stop = timetable.stops[i];
    const bool first = i == 0;
    const bool last = i + 1 == timetable.stops.size();
    stations.push_back({{"name", shown(stop.name)},
                        {"position", stop.position},
                        {"arrival", first ? Json(nullptr) : Json(stop.arrival)},
                        {"departure", last ? Json(nullptr) : Json(stop.departure)}});
  }
  Json legs = Json::array();
  for (size_t i = 0; i < timetable.legs.size(); ++i) {
    const TimetableLeg& leg = timetable.legs[i];
    legs.push_back({{"from", leg.from},
                    {"to", leg.to},
                    {"distance", leg.distance},
                    {"scheduled", leg.timed ? Json(leg.scheduled) : Json(nullptr)},
                    {"fastest", number_or_null(fastest_of(leg))},
                    {"slack", number_or_null(slack_of(leg))},
                    {"tightest", timetable.tightest == i}});
  }
  return {{"stations", stations},
          {"legs", legs},
          {"tightest", timetable.tightest ? Json(*timetable.tightest) : Json(nullptr)}};
}

}  // namespace sb
