#include "checks/scenario_summary.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "checks/diagnostic.h"
#include "format/kilometre_posts.h"
#include "format/record_fields.h"
#include "util/rounding.h"
#include "util/text.h"

namespace sb {
namespace {

std::string route_km(int64_t metres) {
  char text[32];
  std::snprintf(text, sizeof text, "%.3f", static_cast<double>(metres) / 1000.0);
  return text;
}

std::string clock_text(int64_t seconds) {
  if (seconds < 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return text;
}

// Padded to `width` characters (a name's accented letters take two bytes).
std::string padded(std::string text, size_t width) {
  const size_t length = utf8_length(text);
  if (length < width) text.append(width - length, ' ');
  return text;
}

std::string counted(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

}  // namespace

std::string scenario_summary(const BuildState& state, const LineFacts& line,
                             const TrainFacts& train) {
  const int32_t length = route_length(state.general_records);
  const KilometrePosts posts = KilometrePosts::from_records(state.general_records);
  std::string out = "route: " + std::to_string(length) + " m, ";
  if (state.has_cells()) {
    out += "cells 0 to " + std::to_string(state.cell_last_index) + " of 50 m";
  } else {
    out += "no cells";
  }
  out += "; chainage " + chainage_text(posts.reading_at(0)) + " to " +
         chainage_text(posts.reading_at(length)) + "\n";
  out += "line: " + counted(line.count(EntryId::kCurve), "curve", "curves") + ", " +
         counted(line.count(EntryId::kGradient), "gradient change", "gradient changes") + ", " +
         counted(line.count(EntryId::kMountain), "mountain stretch", "mountain stretches") + ", " +
         counted(line.count(EntryId::kSpeedBoard), "speed board", "speed boards") + ", " +
         counted(line.count(EntryId::kIndicationBoard), "indication board", "indication boards") +
         "\n";
  int code_points = 0;
  for (const TrackCell& cell : state.track_cells) {
    if (cell.kind == kCodePointCell || cell.kind == kCodeCutPointCell) ++code_points;
  }
  out += "train: " + counted(train.count(EntryId::kStation), "station", "stations") + ", " +
         counted(train.count(EntryId::kSignal), "signal", "signals") + ", " +
         counted(train.count(EntryId::kSlowdown), "slowdown", "slowdowns") + ", " +
         counted(code_points, "code point", "code points") + " in the cells\n";

  const int stations = std::min(train.count(EntryId::kStation), kTopBoardRecord - 1);
  if (stations == 0) return out;
  std::vector<std::string> names;
  size_t width = std::string("station").size();
  for (int i = 1; i <= stations; ++i) {
    names.push_back(shown(state.record(i).text));
    width = std::max(width, utf8_length(names.back()));
  }
  out +=
      "timetable:\n  " + padded("station", width) + "   route km  chainage  arrival   departure\n";
  for (int i = 1; i <= stations; ++i) {
    const GeneralRecord& r = state.record(i);
    const bool first = i == 1;
    const bool last = i == stations;
    const bool stops = r.kind < 25;
    const std::string arrival = first || !stops ? "" : clock_text(r.long_4 - (last ? 0 : r.byte_3));
    const std::string departure = last || !stops ? "" : clock_text(r.long_4);
    out += "  " + padded(names[static_cast<size_t>(i - 1)], width) + "  " +
           padded(std::string(9 - std::min<size_t>(9, route_km(r.long_3).size()), ' ') +
                      route_km(r.long_3),
                  9) +
           "  " + padded(chainage_text(posts.reading_at(r.long_3)), 8) + "  " + padded(arrival, 8) +
           "  " + departure;
    while (!out.empty() && out.back() == ' ') out.pop_back();
    out += "\n";
  }
  return out;
}

}  // namespace sb
