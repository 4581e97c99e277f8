#include "inspect/cell_meaning.h"

#include <array>

namespace sb {
namespace {

constexpr const char* kKmH = "km/h";

class MeaningList {
 public:
  explicit MeaningList(const TrackCell& cell)
      : values_{cell.value_1, cell.value_2, cell.value_3, cell.value_4} {}

  int16_t value(int number) const { return values_[static_cast<size_t>(number - 1)]; }

  // Names value `number` of the cell: the kind uses it.
  int16_t use(int number) {
    used_[static_cast<size_t>(number - 1)] = true;
    return value(number);
  }
  bool used(int number) const { return used_[static_cast<size_t>(number - 1)]; }

  void add(std::string name, int64_t value, const char* unit = "") {
    list_.push_back({std::move(name), value, unit});
  }

  // Two decimal digits packed as tens and units.
  void add_digits(int number, const char* tens, const char* units) {
    const int16_t packed = use(number);
    add(tens, packed / 10);
    add(units, packed % 10);
  }

  // A speed board pair: the s speed / 5 in the hundreds, the d speed / 5 below.
  void add_speed_pair(int number, const std::string& rank) {
    const int16_t packed = use(number);
    add(rank + " s", packed / 100 * 5, kKmH);
    add(rank + " d", packed % 100 * 5, kKmH);
  }

  std::vector<Meaning> take() { return std::move(list_); }

 private:
  std::array<int16_t, 4> values_;
  std::array<bool, 4> used_{};
  std::vector<Meaning> list_;
};

void unpack_slowdown(MeaningList& list, bool has_f_tt) {
  list.add("speed", list.use(1), kKmH);
  list.add("second speed", list.use(2), kKmH);
  if (has_f_tt) list.add("f_tt", list.use(3));
}

// The values of the object; false when the kind has no signal time of its own.
bool unpack_object(const TrackCell& cell, MeaningList& list) {
  switch (cell.kind) {
    case kSignalCell:
      list.add_digits(1, "s1", "d1");
      list.add_digits(2, "s2", "d2");
      list.add_digits(3, "s3", "d3");
      list.add_digits(4, "rapp", "3sx+dx");
      list.add("signal time", cell.signal_time);
      return true;
    case kSlowdownEndCell:
    case kSlowdownStartCell: unpack_slowdown(list, true); break;
    case kSlowdownWarningCell: unpack_slowdown(list, false); break;
    case kWarningLeadInCell:
      list.add("number", list.use(1));
      list.add("second number", list.use(2));
      break;
    case kSpeedBoardCell:
      list.add_speed_pair(1, "A");
      list.add_speed_pair(2, "B");
      list.add_speed_pair(3, "C");
      list.add_digits(4, "stripes s", "stripes d");
      break;
    case kStationStopCell:
    case kIndicationBoardCell: list.add("record", list.use(1)); break;
    case kCodePointCell: list.add("code value", list.use(1)); break;
    default: break;
  }
  return false;
}

}  // namespace

std::vector<Meaning> cell_meanings(const TrackCell& cell, bool carries_marks) {
  MeaningList list(cell);
  const bool time_used = unpack_object(cell, list);
  for (int number = carries_marks ? 3 : 1; number <= 4; ++number) {
    if (!list.used(number) && list.value(number) != 0) {
      list.add("value_" + std::to_string(number), list.value(number));
    }
  }
  if (!time_used && cell.signal_time != 0) list.add("signal time", cell.signal_time);
  if (cell.approach != 0) {
    list.add("approach mark", cell.approach % 10);
    list.add("approach code", cell.approach / 10);
  }
  return list.take();
}

std::string meanings_text(const std::vector<Meaning>& meanings) {
  std::string text;
  for (const Meaning& meaning : meanings) {
    if (!text.empty()) text += ", ";
    text += meaning.name + " " + std::to_string(meaning.value);
    if (!meaning.unit.empty()) text += " " + meaning.unit;
  }
  return text;
}

}  // namespace sb
