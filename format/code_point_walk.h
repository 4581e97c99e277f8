#ifndef SCENARIO_BUILDER_FORMAT_CODE_POINT_WALK_H_
#define SCENARIO_BUILDER_FORMAT_CODE_POINT_WALK_H_

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "format/cells.h"
#include "format/code_point_rules.h"

namespace sb {

// The code-point pass's walk over the track cells, written once: the compiler
// runs it to add the code points, the decompiler replays it to tell the pass's
// code points from the author's.  `Cells` is the view the walk reads and
// changes; indexes it is given are always in 0 .. last():
//   int32_t last() const;             the index of the last cell
//   uint8_t kind(int32_t i) const;    a cell's kind as the walk sees it now
//   int16_t value_1(int32_t i) const; a cell's first value (a slowdown's speed)
//   bool is_free(int32_t i);          whether a code point may go into cell i,
//                                     asked in the walk's order
//   void place(int32_t i);            a code point of kPassCodeValue into i
//   void lower(int32_t i);            the code point in i to at most kPassCodeValue
//   void fail(char rule, int32_t cell); no free cell for rule 'A' .. 'E'
//   bool stopped() const;             true ends the walk before its next cell
//
// The rules, for cells 1 to last - 2 in increasing order, each placement seen
// by the later ones:
//  A. every signal in the 20 cells before a slowdown warning (not below cell
//     3) gets a code point in one of the two cells just ahead of it, or has a
//     code point standing there lowered to at most 180;
//  B-D. a code point in the first free cell of three 250-350 m, 550-650 m and
//     900-1000 m before a slowdown start;
//  E. through a slowdown below 110 km/h, a code point every 400 m, and one
//     just ahead of the first signal within 600 m after its end.
template <class Cells>
void walk_code_point_rules(Cells& cells);

namespace code_point_walk_detail {

template <class Cells>
class Walk {
 public:
  explicit Walk(Cells& cells) : cells_(cells), last_(cells.last()) {}

  void run() {
    const int32_t bound = last_ - 2;
    for (int32_t i = 1; i <= bound && !cells_.stopped(); ++i) {
      const uint8_t kind = cells_.kind(i);
      if (kind == kSlowdownWarningCell) {
        signals_before_warning(i);
      } else if (kind == kSlowdownStartCell) {
        const int16_t speed = cells_.value_1(i);
        for (const DistanceRule& rule : kDistanceRules) before_start(i, rule);
        if (speed < kFastSlowdownSpeed) through_slowdown(i);
      }
    }
  }

 private:
  bool exists(int64_t index) const { return index >= 0 && index <= last_; }
  bool is_kind(int64_t index, uint8_t kind) const {
    return exists(index) && cells_.kind(static_cast<int32_t>(index)) == kind;
  }
  bool is_free(int64_t index) {
    return exists(index) && cells_.is_free(static_cast<int32_t>(index));
  }

  // Places a code point in the first free cell of `candidates`; false when
  // all of them are taken.
  bool place_in_first_free(std::initializer_list<int32_t> candidates) {
    for (int32_t index : candidates) {
      if (is_free(index)) {
        cells_.place(index);
        return true;
      }
    }
    return false;
  }

  // Rule A.
  void signals_before_warning(int32_t warning_cell) {
    for (int32_t k = 1; k <= kSignalLookBack; ++k) {
      const int32_t d = warning_cell - k;
      if (d < kFirstSignalCell) return;
      if (!is_kind(d, kSignalCell)) continue;
      if (place_in_first_free({d - 1, d - 2})) continue;
      if (is_kind(d - 1, kCodePointCell)) {
        cells_.lower(d - 1);
      } else if (is_kind(d - 2, kCodePointCell)) {
        cells_.lower(d - 2);
      } else {
        cells_.fail('A', d);
      }
    }
  }

  // Rules B to D.
  void before_start(int32_t start_cell, const DistanceRule& rule) {
    if (start_cell <= rule.runs_after()) return;
    const int32_t nearest = start_cell - rule.nearest_cell;
    if (!place_in_first_free({nearest, nearest - 1, nearest - 2})) {
      cells_.fail(rule.rule, start_cell);
    }
  }

  // Rule E: walks from the start to the end of a slow slowdown (or the last
  // cell), placing a code point every 8 cells counted from the last one
  // placed, then marks the first signal after the end.
  void through_slowdown(int32_t start_cell) {
    int32_t count = 0;
    int32_t k = start_cell;
    do {
      ++k;
      ++count;
      if (count == kSpacingCells) count = place_spaced(k);
    } while (!is_kind(k, kSlowdownEndCell) && k < last_);
    signal_after_end(k);
  }

  // The next count of the walk: from 0 at the cell where the code point went,
  // or 8 again (never matched anew) when none of the three cells was free.
  int32_t place_spaced(int32_t k) {
    if (is_free(k)) {
      cells_.place(k);
      return 0;
    }
    if (is_free(k - 1)) {
      cells_.place(k - 1);
      return 1;
    }
    if (is_free(k + 1)) {
      cells_.place(k + 1);
      return -1;
    }
    cells_.fail('E', k);
    return kSpacingCells;
  }

  void signal_after_end(int32_t end_cell) {
    const int32_t search_end = std::min(end_cell + kSignalSearchCells, last_);
    for (int32_t m = end_cell; m <= search_end; ++m) {
      if (!is_kind(m, kSignalCell)) continue;
      const int32_t ahead = m - 1;
      if (ahead > 0 && !place_in_first_free({ahead, ahead - 1})) cells_.fail('E', end_cell);
      return;
    }
  }

  Cells& cells_;
  const int32_t last_;
};

}  // namespace code_point_walk_detail

template <class Cells>
void walk_code_point_rules(Cells& cells) {
  code_point_walk_detail::Walk<Cells>(cells).run();
}

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_CODE_POINT_WALK_H_
