#include "bench/generated_scenario.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "format/cell_geometry.h"

namespace sb {
namespace {

constexpr int kMostStations = 39;  // records 1 to 39; the boards take 80 down to 41
constexpr int kMostBoards = 40;
constexpr int kMostMountains = 80;
// How far an object may be moved along the line to find free cells.
constexpr int kMostShifts = 20;

void append_entry(std::string& text, const std::string& keyword,
                  std::initializer_list<int> values) {
  text += keyword;
  for (int value : values) text += ",  " + std::to_string(value);
  text += "\r\n";
}

// The cells the generator has used, so that no two objects claim the same
// cell or stand side by side.
class Cells {
 public:
  explicit Cells(int32_t length)
      : taken_(static_cast<size_t>((length + kRouteOverrun) / kCellLength + 1)) {}

  // The cell of a position one cell ahead, as boards and signals use it.
  static int32_t ahead(int32_t position) { return position / kCellLength + 1; }

  // True, and the cells taken, when every cell exists and neither it nor a
  // neighbour is taken yet.
  bool take(std::initializer_list<int32_t> cells) {
    for (int32_t cell : cells) {
      if (cell < 1 || cell + 1 >= static_cast<int32_t>(taken_.size())) return false;
      if (taken_[static_cast<size_t>(cell - 1)] || taken_[static_cast<size_t>(cell)] ||
          taken_[static_cast<size_t>(cell + 1)]) {
        return false;
      }
    }
    for (int32_t cell : cells) taken_[static_cast<size_t>(cell)] = true;
    return true;
  }

  // Marks a stretch of cells as taken whatever it held.
  void reserve(int32_t first, int32_t last) {
    for (int32_t cell = std::max(first, 0); cell <= last && cell < size(); ++cell) {
      taken_[static_cast<size_t>(cell)] = true;
    }
  }

 private:
  int32_t size() const { return static_cast<int32_t>(taken_.size()); }

  std::vector<bool> taken_;
};

std::string line_general(int32_t length) {
  return "[generale]\r\nlunghezza percorso,    " + std::to_string(length) +
         "\r\nprogressiva chilometrica uno,    0,    350000,    0\r\n"
         "sfondo uno,    0\r\nsfondo due,    1\r\nsfondo tre,    0\r\n"
         "ripetizione segnali 4 codici,    50000,    100000\r\n";
}

std::string line_text(int32_t length, Cells& cells) {
  std::string text = line_general(length) + "[curve]\r\n";
  for (int32_t start = 100; start + 500 < length; start += 1000) {
    const int cls = 1 + (start / 1000) % 6;
    append_entry(text, std::string(start % 2000 == 100 ? "curvad" : "curvas") + std::to_string(cls),
                 {start, 400});
  }
  text += "[pendenze]\r\n";
  for (int32_t position = 0; position < length; position += 500) {
    append_entry(text, "pendenza", {position, (position / 500) % 16 - 8});
  }
  text += "[montagne]\r\n";
  for (int i = 0; i < kMostMountains && i * 2000 + 500 < length; ++i) {
    append_entry(text, "montagna", {i * 2000 + 200, i * 2000 + 500, 12});
  }
  text += "[cartelli]\r\n";
  for (int32_t position = 1000; position < length; position += 2000) {
    if (!cells.take({Cells::ahead(position)})) continue;
    append_entry(text, "indicatori_vmax", {position, 90, 95, 100, 0, 90, 95, 100, 0});
  }
  text += "[indicazioni]\r\n";
  for (int i = 0; i < kMostBoards && i * 2000 + 1500 < length; ++i) {
    const int32_t position = i * 2000 + 1500;
    if (!cells.take({Cells::ahead(position)})) continue;
    text += "cartello_indicatore,  " + std::to_string(position) + ",   (Km " + std::to_string(i) +
            ")\r\n";
  }
  text += "[fine]\r\n";
  return text;
}

// Stations of kind 12 and 400 m (the first 800 m, at the start of the line),
// their stop cell at the end of their area.
void append_stations(std::string& text, int32_t length, Cells& cells) {
  text += "[stazioni]\r\n";
  const int32_t spacing = std::max<int32_t>(7500, (length / (kMostStations - 1) / 500 + 1) * 500);
  int minutes = 0;
  int number = 0;
  for (int32_t planned = 0; planned + 800 <= length && number < kMostStations; planned += spacing) {
    const bool first = number == 0;
    int32_t position = planned;
    int shifts = 0;
    auto stop_cell = [&] { return first ? 7 : position / kCellLength + 3; };
    while (!cells.take({stop_cell()}) && ++shifts <= kMostShifts) position += 500;
    if (shifts > kMostShifts || position + 800 > length) continue;
    ++number;
    const int stop_time = first ? 1 : 30;
    text += "stazione,  " + std::to_string(position) + ", 12, " + (first ? "800" : "400") + ", " +
            (first ? "1" : "0") + ", 0, 0,  1,1,0,  4,1,1,  " + std::to_string(stop_time) + ",  " +
            std::to_string(6 + minutes / 60) + "," + std::to_string(minutes % 60) +
            ", 0, FERMATA " + std::to_string(number) + "\r\n";
    minutes += 10;
  }
}

// Slowdowns of 1 km at 60 km/h: start, end, warning and four lead-in cells;
// the stretch from the lead-in to the end stays clear for the code points.
void append_slowdowns(std::string& text, int32_t length, Cells& cells) {
  text += "[rallentamenti]\r\n";
  constexpr int32_t kSlowdownLength = 1000;
  for (int32_t planned = 3350; planned + kSlowdownLength + 200 < length; planned += 25000) {
    for (int shift = 0; shift <= kMostShifts; ++shift) {
      const int32_t x = planned + shift * kCellLength;
      const int32_t start = x / kCellLength + 1;
      const int32_t end = (x + kSlowdownLength) / kCellLength + 1;
      const int32_t warning = (x - 1200) / kCellLength + 1;
      const int32_t lead_in = (x - 1200) / kCellLength;
      if (!cells.take({start, end, warning, lead_in, lead_in - 1, lead_in - 2, lead_in - 3})) {
        continue;
      }
      cells.reserve(lead_in - 3, end);
      append_entry(text, "rallentamento", {x, 60, kSlowdownLength, 0, 1, 60});
      break;
    }
  }
}

void append_signals(std::string& text, int32_t length, Cells& cells) {
  text += "[segnali]\r\n";
  for (int32_t planned = 850; planned + 100 < length; planned += 1500) {
    for (int shift = 0; shift <= kMostShifts; ++shift) {
      const int32_t position = planned + shift * kCellLength;
      if (!cells.take({Cells::ahead(position)})) continue;
      append_entry(text, "segnale", {position, 1, 4, 1, 0, 0, 1, 3, 1, 0, 0});
      break;
    }
  }
}

std::string train_text(int32_t length, Cells& cells) {
  std::string text =
      "[generale]\r\nnumero vetture,    8\r\npercentuale massa frenata,    110\r\n"
      "sabbia,    200\r\norologio,    6              0            0 \r\n[aderenze]\r\n";
  for (int32_t position = 0; position + 100 < length; position += 50000) {
    append_entry(text, "aderenza", {position, position % 100000 == 0 ? 100 : 90});
  }
  text += "[vel_limite]\r\n";
  constexpr int kSpeeds[] = {100, 120, 150, 130, 90};
  for (int32_t position = 0; position + 100 < length; position += 5000) {
    append_entry(text, "velocita", {position, kSpeeds[(position / 5000) % 5]});
  }
  append_stations(text, length, cells);
  append_slowdowns(text, length, cells);
  append_signals(text, length, cells);
  text += "[codici]\r\n[fine]\r\n";
  return text;
}

}  // namespace

GeneratedScenario generate_scenario(int32_t length) {
  Cells cells(length);
  GeneratedScenario scenario;
  scenario.line_text = line_text(length, cells);
  scenario.train_text = train_text(length, cells);
  return scenario;
}

}  // namespace sb
