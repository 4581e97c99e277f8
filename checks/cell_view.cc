#include "checks/cell_view.h"

#include <algorithm>
#include <limits>

#include "compiler/finding_text.h"
#include "format/cell_geometry.h"
#include "format/cells.h"
#include "format/kilometre_posts.h"

namespace sb {
namespace {

std::string padded(std::string text, size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text;
}

std::string right_aligned(const std::string& text, size_t width) {
  return text.size() < width ? std::string(width - text.size(), ' ') + text : text;
}

}  // namespace

std::string cell_view(const BuildState& state, int64_t metres_asked, const LineFacts& line,
                      const TrainFacts& train, std::string_view line_text_name,
                      std::string_view train_text_name) {
  const int64_t centre = cell_of(static_cast<double>(metres_asked));
  const KilometrePosts posts = KilometrePosts::from_records(state.general_records);
  std::string out = "cells around " + metres(metres_asked) + " (cell " + std::to_string(centre) +
                    ", chainage " + chainage_text(posts.reading_at(metres_asked)) + "):\n";
  out += "  " + right_aligned("cell", 7) + "  " + right_aligned("from", 9) + "  " +
         padded("compiled as", 18) + "  held by\n";
  const SourceLocation end_of_texts{SourceLocation::Text::kTrain, std::numeric_limits<int>::max(),
                                    0};
  const int64_t first = std::max<int64_t>(0, centre - kCellViewReach);
  for (int64_t cell = first; cell <= centre + kCellViewReach; ++cell) {
    if (!state.cell_exists(cell)) break;
    const uint8_t kind = state.cell(static_cast<int32_t>(cell)).kind;
    std::string row = right_aligned(std::to_string(cell), 7) + "  " +
                      right_aligned(metres(cell_start(cell)), 9) + "  " +
                      padded(kind == kEmptyCell ? "-" : cell_kind_name(kind), 18);
    if (const Placement* holder = holder_of(cell, end_of_texts, line, train)) {
      row += "  " + holder->what() + ", ";
      row +=
          holder->location.text == SourceLocation::Text::kTrain ? train_text_name : line_text_name;
      row += ':' + std::to_string(holder->location.line);
    } else if (kind == kCodePointCell || kind == kCodeCutPointCell) {
      row += "  added by the compile around a slowdown";
    } else if (kind == kMountainMarkerCell) {
      row += "  a mountain stretch's marker";
    }
    while (!row.empty() && row.back() == ' ') row.pop_back();
    out += (cell == centre ? "> " : "  ") + row + "\n";
  }
  return out;
}

std::string chainage_view(const BuildState& state, int64_t reading, const LineFacts& line,
                          const TrainFacts& train, std::string_view line_text_name,
                          std::string_view train_text_name) {
  const KilometrePosts posts = KilometrePosts::from_records(state.general_records);
  const int64_t route_end = line.route_length.value_or(0);
  const std::vector<int64_t> places = posts.positions_of(reading, route_end);
  std::string out = "chainage " + chainage_text(reading);
  if (places.empty()) {
    return out + " is nowhere on the route: the posts read " + chainage_text(posts.reading_at(0)) +
           " at 0 m and " + chainage_text(posts.reading_at(route_end)) + " at " +
           metres(route_end) + "\n";
  }
  out += " is at " + metres(places.front());
  for (size_t i = 1; i < places.size(); ++i) {
    out += (i + 1 == places.size() ? " and " : ", ") + metres(places[i]);
  }
  return out + "\n" +
         cell_view(state, places.front(), line, train, line_text_name, train_text_name);
}

}  // namespace sb
