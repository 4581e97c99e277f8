#ifndef SCENARIO_BUILDER_APP_RANDOM_SCENARIO_FOR_TEST_H_
#define SCENARIO_BUILDER_APP_RANDOM_SCENARIO_FOR_TEST_H_

#include <algorithm>
#include <cstdint>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "format/object_cells.h"

namespace sb::test {

// Source texts of a short random scenario (3 to 10 km), every entry kind
// with values across their ranges: overlapping curves, out-of-order
// gradient changes, overlapping and near mountain stretches, boards with
// odd speeds and quoted texts, every station kind, slowdowns with and
// without warnings, lead-ins and second speeds, signals of every code,
// author's code points and cut points, and entries that a later station's
// stop cell overwrites.  Objects also crowd one another where their cells
// and marks meet: slowdowns a half cell off their cell, whose lead-in cells
// fall near the start of the line, beside signals, code points, stations
// and other slowdowns' lead-in cells; signals whose approach marks cross
// a station's or another signal's; objects in the last cells of the line;
// and the sections in any order, so that stations may come after the
// signals whose marks they meet.  Most seeds compile cleanly; objects are
// put in cells kept free for them, so that a refusal stays rare.
struct RandomScenario {
  std::string line_text;
  std::string train_text;
};

class RandomScenarioMaker {
 public:
  explicit RandomScenarioMaker(uint32_t seed) : random_(seed) {}

  RandomScenario make() {
    route_ = 50 * pick(60, 200);
    last_cell_ = static_cast<int32_t>((route_ + 7000 + 25) / 50);  // no .5 ties: multiples of 50
    plan_stations();
    RandomScenario s;
    s.line_text = line_text();
    s.train_text = train_text();
    return s;
  }

 private:
  int32_t pick(int32_t low, int32_t high) {
    return std::uniform_int_distribution<int32_t>(low, high)(random_);
  }
  bool chance(int percent) { return pick(1, 100) <= percent; }
  static std::string n(int64_t v) { return std::to_string(v); }
  static std::string line(std::string keyword, std::initializer_list<int64_t> values) {
    for (int64_t v : values) keyword += ", " + n(v);
    return keyword + "\r\n";
  }

  // A free cell in first..last for an object, or -1.
  int32_t claim(int32_t first, int32_t last) {
    for (int attempt = 0; attempt < 20; ++attempt) {
      const int32_t c = pick(first, last);
      if (taken_.count(c) == 0) {
        taken_.insert(c);
        return c;
      }
    }
    return -1;
  }
  int32_t max_cell() const { return (route_ - 100) / 50; }

  struct Station {
    int32_t position, kind, length, stop_cell;
    std::string line;
  };

  void plan_stations() {
    int32_t previous_end = -100000;
    int32_t position = 50 * pick(16, 40);
    const int count = pick(0, 5);
    for (int i = 0; i < count; ++i) {
      const int32_t kinds[] = {12, 12, 4, 5, 6, 7, 8, 25, 30};
      const int32_t kind = kinds[pick(0, 8)];
      const int32_t length = 100 * pick(2, 8);
      const int32_t v6 = pick(0, 1);
      int32_t start = position - length / 2, end = position + length / 2 + (v6 ? 50 : 0);
      if (kind == 5 || kind == 6) start = position - length, end = position + 150;
      if (kind == 7 || kind == 8) start = position - length, end = position + length;
      if (i > 0 && start - 350 < previous_end)
        position += 50 * ((previous_end + 350 - start) / 50 + 1);
      start = position - (kind >= 5 && kind <= 8 ? length : length / 2);
      end = kind == 5 || kind == 6   ? position + 150
            : kind == 7 || kind == 8 ? position + length
                                     : position + length / 2 + (v6 ? 50 : 0);
      if ((position + 800) / 50 > last_cell_ || end / 50 - 1 > max_cell()) break;
      const int32_t stop = kind < 25 ? end / 50 - 1 : -1;
      if (stop >= 0) taken_.insert(stop);
      std::string text =
          "stazione, " + n(position) + ", " + n(kind) + ", " + n(length) + ", " + n(pick(0, 1)) +
          ", " + n(pick(0, 2)) + ", " + n(v6) + ", " + n(pick(-3, 5)) + ", " + n(pick(0, 3)) +
          ", " + n(pick(0, 255)) + ", " + n(pick(0, 4)) + ", " + n(pick(0, 2)) + ", " +
          n(pick(0, 2)) + ", " + n(pick(0, 60)) + ", " + n(pick(0, 23)) + ", " + n(pick(0, 59)) +
          ", " + n(pick(0, 59)) + ", " +
          (chance(20) ? "\"STAZIONE, " + n(i) + "\"" : "STAZIONE " + n(i) + " - NORD");
      stations_.push_back({position, kind, length, stop, text + "\r\n"});
      previous_end = end;
      position = end + 350 + 50 * pick(0, 40) + length / 2;
    }
  }

  std::string line_text() {
    std::string t = "; a random line\r\n[generale]\r\n";
    t += line("lunghezza percorso", {route_});
    const char* names[] = {"uno", "due", "tre"};
    const int chainages = pick(0, 3);
    for (int i = 0; i < 3; ++i) {
      if (i < chainages) {
        t += line(std::string("progressiva chilometrica ") + names[i],
                  {50 * pick(0, 3) * i * 20, 50 * pick(0, 8000), chance(50) ? 1 : 0});
      }
    }
    t += line("sfondo uno", {pick(0, 3)}) + line("sfondo due", {pick(0, 3)}) +
         line("sfondo tre", {pick(0, 3)});
    const int32_t cab_end = chance(30) ? 0 : 50 * pick(0, route_ / 50);
    t += line(chance(50) ? "ripetizione segnali 4 codici" : "ripetizione segnali 9 codici",
              {50 * pick(0, 20), cab_end});
    t += "[curve]\r\n";
    int32_t at = pick(1, 300);
    while (at < route_ - 200) {
      const int32_t length = pick(1, 600);
      t += line(std::string(chance(50) ? "curvas" : "CURVAD") + n(pick(1, 6)), {at, length});
      at += length + (chance(15) ? -pick(0, 100) : pick(0, 900));
    }
    t += "[pendenze]\r\n";
    for (int32_t p = 0; p <= max_cell() * 50; p += 50 * pick(1, 30)) {
      t += line("pendenza", {chance(10) ? p - pick(1, 400) : p + pick(-20, 20), pick(-30, 30)});
    }
    if (chance(15)) t += line("pendenza", {max_cell() * 50, pick(-30, 30)});
    if (chance(10)) t += line("pendenza", {50, pick(-100, 155)});
    t += "[montagne]\r\n";
    int32_t m = pick(0, 2000);
    for (int i = pick(0, 8); i > 0 && m < route_ - 300; --i) {
      const int32_t length = pick(0, 1500);
      const int32_t tipos[] = {1, 2, 5, 11, 12, 13, 15, 10, 0};
      t += line("montagna", {m, m + length, tipos[pick(0, 8)]});
      m += chance(25) ? pick(-length, 150) : length + pick(151, 1000);
      if (m < 0) m = 0;
    }
    t += "[cartelli]\r\n";
    for (int i = pick(0, 6); i > 0; --i) {
      const int32_t c = claim(2, max_cell());
      if (c < 0) continue;
      t += line("indicatori_vmax",
                {50 * (c - 1) + pick(-20, 20), 5 * pick(0, 40), 5 * pick(0, 40), 5 * pick(0, 40),
                 pick(0, 9), pick(0, 160), 5 * pick(0, 40), 0, pick(0, 9)});
    }
    // Boards under station stop cells, written over by the stations.
    for (const Station& s : stations_) {
      if (s.stop_cell > 1 && chance(20)) {
        t += line("indicatori_vmax", {50 * (s.stop_cell - 1), 100, 90, 80, 2, 100, 90, 80, 1});
      }
    }
    t += "[indicazioni]\r\n";
    for (int i = pick(0, 4); i > 0; --i) {
      const int32_t c = claim(2, max_cell());
      if (c < 0) continue;
      t += "cartello_indicatore, " + n(50 * (c - 1)) + ", " +
           (chance(30) ? "\"(Km 1,5)\"" : "(Km " + n(c) + ")") + "\r\n";
    }
    for (const Station& s : stations_) {
      if (s.stop_cell > 1 && chance(15)) {
        t += "cartello_indicatore, " + n(50 * (s.stop_cell - 1)) + ", (sotto)\r\n";
      }
    }
    return t + "[fine]\r\n";
  }

  std::string signal_line(int32_t c) {
    const int32_t sx = pick(1, 2);
    return line("segnale",
                {50 * (c - 1), sx, pick(0, 9), pick(0, 9), pick(0, 9), pick(0, 3), pick(0, 2),
                 pick(0, 9), pick(0, 9), pick(0, 9), chance(30) ? pick(0, 255) : 0});
  }

  // A slowdown from cell `start` to `end`, nothing when more of its cells
  // are taken than the one the caller gave it: its own start, or the stop
  // cell of a station written after it.
  std::string slowdown_line(int32_t start, int32_t end, bool lead) {
    return slowdown_at(50 * (start - 1), 50 * (end - start), lead, 1);
  }

  // A slowdown from `x` metres, `length` long, nothing when more than
  // `allowed` of its cells are taken already.
  std::string slowdown_at(int32_t x, int32_t length, bool lead, int allowed) {
    const SlowdownCells at = slowdown_cells(x, length, lead);
    // A position a half cell past an odd cell puts the lead-in on the
    // warning, which the compile always refuses.
    if (at.lead_in >= 0 && at.lead_in == at.warning) return "";
    if (50 * at.end + 100 > 50 * last_cell_) return "";
    std::vector<int64_t> cells = {at.start};
    if (at.end != at.start) cells.push_back(at.end);
    if (at.warning >= 0) cells.push_back(at.warning);
    for (int k = 0; at.lead_in >= 0 && k < kWarningLeadInCells; ++k)
      cells.push_back(at.lead_in - k);
    int already = 0;
    for (int64_t c : cells) {
      if (c < 0 || taken_.count(static_cast<int32_t>(c)) != 0) ++already;
    }
    if (already > allowed) return "";
    for (int64_t c : cells) taken_.insert(static_cast<int32_t>(c));
    return line("rallentamento",
                {x, pick(0, 1) ? pick(10, 105) : pick(110, 160), length, pick(0, 3),
                 at.lead_in >= 0 ? 1 : 0, chance(50) ? 0 : pick(10, 150)});
  }

  // A signal or a code point in cell c when it is free.
  std::string signal_in(int32_t c) {
    if (c < 9 || c > last_cell_ - 3 || !taken_.insert(c).second) return "";
    return signal_line(c);
  }
  std::string code_point_in(int32_t c) {
    if (c < 2 || c > last_cell_ - 3 || !taken_.insert(c).second) return "";
    return line("abbattimento", {50 * c, chance(30) ? 0 : (chance(50) ? 180 : pick(1, 400))});
  }

  // A slowdown position a half cell or less off the start of cell `start`.
  int32_t off_cell(int32_t start) {
    const int32_t offsets[] = {0, -25, 25, pick(-24, 24)};
    return 50 * (start - 1) + offsets[pick(0, 3)];
  }

  // Objects put next to one another at the distances where lead-in cells,
  // warnings, approach marks, station stop cells and the code points of
  // the build meet; into the blocks of slowdowns, signals and code points,
  // or before a station (which then writes over them) into the stations'.
  void crowd(std::string& slowdowns, std::string& signals, std::string& codes) {
    for (int i = pick(0, 5); i > 0; --i) {
      switch (pick(0, 5)) {
        case 0: {  // lead-in cells near the start of the line
          const int32_t start = pick(30, 36);
          slowdowns += slowdown_at(off_cell(start), 50 * pick(0, 20), true, 0);
          break;
        }
        case 1: {  // a slowdown with lead-in cells and its neighbours
          if (max_cell() - 30 < 40) break;
          const int32_t start = pick(40, max_cell() - 30);
          const std::string text = slowdown_at(off_cell(start), 50 * pick(0, 30), true, 0);
          if (text.empty()) break;
          slowdowns += text;
          const int32_t lead_in = start - 25;
          for (int j = pick(0, 3); j > 0; --j) {
            const int32_t near = lead_in + pick(-7, 4);
            switch (pick(0, 2)) {
              case 0: signals += signal_in(near); break;
              case 1: codes += code_point_in(near); break;
              default:  // another slowdown whose lead-in cells meet these
                slowdowns += slowdown_at(off_cell(near + 25), 50 * pick(0, 10), chance(80), 0);
            }
          }
          break;
        }
        case 2: {  // a signal whose approach marks cross a station's
          if (stations_.empty()) break;
          const Station& st =
              stations_[static_cast<size_t>(pick(0, static_cast<int32_t>(stations_.size()) - 1))];
          if (st.stop_cell < 0) break;
          const int32_t d = pick(-9, 9);
          if (d != 0) signals += signal_in(st.stop_cell + d);
          break;
        }
        case 3: {  // signals whose approach marks cross
          const int32_t c = pick(9, std::max(9, max_cell()));
          signals += signal_in(c);
          signals += signal_in(c + pick(1, 9));
          break;
        }
        case 4: {  // a slowdown's lead-in cells at a station's stop cell
          if (stations_.empty()) break;
          const Station& st =
              stations_[static_cast<size_t>(pick(0, static_cast<int32_t>(stations_.size()) - 1))];
          if (st.stop_cell < 0 || st.stop_cell + 30 > max_cell()) break;
          slowdowns +=
              slowdown_at(off_cell(st.stop_cell + pick(20, 30)), 50 * pick(0, 10), true, 0);
          break;
        }
        default: {  // objects in the last cells of the line
          const int32_t c = last_cell_ - pick(3, 40);
          switch (pick(0, 2)) {
            case 0: signals += signal_in(c); break;
            case 1: codes += code_point_in(c); break;
            default: slowdowns += slowdown_at(off_cell(c), 50 * pick(0, 40), chance(50), 0);
          }
        }
      }
    }
  }

  std::string train_text() {
    std::string t = "[generale]\r\n";
    t += line("numero vetture", {pick(1, 12)}) +
         line("percentuale massa frenata", {pick(50, 150)}) + line("sabbia", {pick(0, 400)});
    t += "orologio,  " + n(pick(0, 23)) + "  " + n(pick(0, 59)) + "  " + n(pick(0, 59)) + "\r\n";
    t += "[aderenze]\r\n";
    for (int32_t p = 0; p <= max_cell() * 50; p += 50 * pick(5, 80))
      t += line("aderenza", {p, pick(0, 255)});
    t += "[vel_limite]\r\n";
    for (int32_t p = 0; p <= max_cell() * 50; p += 50 * pick(5, 60)) {
      t += line("Velocita", {p + pick(-10, 10), 5 * pick(0, 40) + pick(0, 2)});
    }
    std::string stations = "[stazioni]\r\n";
    for (const Station& s : stations_) {
      // A signal or a slowdown cell that this station's stop cell overwrites.
      if (s.stop_cell >= 9 && chance(20)) stations += signal_line(s.stop_cell);
      if (s.stop_cell >= 12 && chance(25)) {
        const int32_t starts[] = {s.stop_cell, s.stop_cell - pick(1, 10), s.stop_cell + 24,
                                  s.stop_cell + 24 + pick(1, 4)};
        const int part = pick(0, 3);
        const int32_t start = starts[part];
        if (start >= 2 && start <= max_cell() - 30) {
          stations +=
              slowdown_line(start, part == 1 ? s.stop_cell : start + pick(0, 30), part == 3);
        }
      }
      stations += s.line;
    }
    std::string slowdowns = "[rallentamenti]\r\n";
    for (int i = pick(0, 3); i > 0; --i) {
      const int32_t start = claim(2, max_cell() - 30);
      if (start < 0) continue;
      slowdowns += slowdown_line(start, start + pick(0, 30), chance(50));
    }
    std::string signals = "[segnali]\r\n";
    for (int i = pick(0, 8); i > 0; --i) {
      const int32_t c = claim(9, max_cell());
      if (c >= 0) signals += signal_line(c);
    }
    std::string codes = "[codici]\r\n";
    for (int i = pick(0, 3); i > 0; --i) {
      const int32_t c = claim(2, max_cell());
      if (c >= 0)
        codes += line("abbattimento", {50 * c, chance(30) ? 0 : (chance(50) ? 180 : pick(1, 400))});
    }
    if (chance(60)) crowd(slowdowns, signals, codes);
    std::vector<std::string> blocks = {stations, slowdowns, signals, codes};
    if (chance(40)) std::shuffle(blocks.begin(), blocks.end(), random_);
    for (const std::string& block : blocks) t += block;
    return t + "[fine]\r\n";
  }

  std::mt19937 random_;
  int32_t route_ = 0;
  int32_t last_cell_ = 0;
  std::set<int32_t> taken_;
  std::vector<Station> stations_;
};

inline RandomScenario random_scenario(uint32_t seed) { return RandomScenarioMaker(seed).make(); }

}  // namespace sb::test

#endif  // SCENARIO_BUILDER_APP_RANDOM_SCENARIO_FOR_TEST_H_
