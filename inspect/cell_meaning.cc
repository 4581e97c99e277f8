#include "inspect/cell_meaning.h"

#include <array>

#include "format/cell_values.h"

namespace sb {
namespace {

constexpr const char* kKmH = "km/h";
constexpr std::array<CellSlot, 4> kValueSlots = {CellSlot::kValue1, CellSlot::kValue2,
                                                 CellSlot::kValue3, CellSlot::kValue4};
constexpr std::array<const char*, 3> kOrdinals = {"first", "second", "third"};

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

  void add(std::string label, int64_t value, CellSlot slot, const char* unit = "") {
    list_.push_back({std::move(label), value, unit, slot});
  }
  void add_value(int number, std::string label, const char* unit = "") {
    add(std::move(label), use(number), slot_of(number), unit);
  }

  // A signal aspect: its left-hand and right-hand digit.
  void add_aspect(int number) {
    const Digits digits = unpack_digits(use(number));
    const std::string ordinal = kOrdinals[static_cast<size_t>(number - 1)];
    add(ordinal + " left-hand digit", digits.tens, slot_of(number));
    add(ordinal + " right-hand digit", digits.units, slot_of(number));
  }

  // The leading digit, then the left-hand and right-hand codes.
  void add_signal_codes(int number) {
    const Digits digits = unpack_digits(use(number));
    const Digits codes = unpack_signal_code(digits.units);
    add("leading digit", digits.tens, slot_of(number));
    add("left-hand code", codes.tens, slot_of(number));
    add("right-hand code", codes.units, slot_of(number));
  }

  // The s and d speeds of a speed rank.
  void add_speed_pair(int number, const std::string& rank) {
    const SpeedPair speeds = unpack_speed_pair(use(number));
    add("rank " + rank + " s speed", speeds.left, slot_of(number), kKmH);
    add("rank " + rank + " d speed", speeds.right, slot_of(number), kKmH);
  }

  void add_stripes(int number) {
    const Digits digits = unpack_digits(use(number));
    add("s stripes", digits.tens, slot_of(number));
    add("d stripes", digits.units, slot_of(number));
  }

  std::vector<Meaning> take() { return std::move(list_); }

  static CellSlot slot_of(int number) { return kValueSlots[static_cast<size_t>(number - 1)]; }

 private:
  std::array<int16_t, 4> values_;
  std::array<bool, 4> used_{};
  std::vector<Meaning> list_;
};

void unpack_slowdown(MeaningList& list, bool has_carried_value) {
  list.add_value(1, "speed", kKmH);
  list.add_value(2, "second speed", kKmH);
  if (has_carried_value) list.add_value(3, "carried value f_tt");
}

// The values of the object; false when the kind has no signal time of its own.
bool unpack_object(const TrackCell& cell, MeaningList& list) {
  switch (cell.kind) {
    case kSignalCell:
      list.add_aspect(1);
      list.add_aspect(2);
      list.add_aspect(3);
      list.add_signal_codes(4);
      list.add("time", cell.signal_time, CellSlot::kSignalTime);
      return true;
    case kSlowdownEndCell:
    case kSlowdownStartCell: unpack_slowdown(list, true); break;
    case kSlowdownWarningCell: unpack_slowdown(list, false); break;
    case kWarningLeadInCell:
      list.add_value(1, "lead-in mark");
      list.add_value(2, "second-speed lead-in mark");
      break;
    case kSpeedBoardCell:
      list.add_speed_pair(1, "A");
      list.add_speed_pair(2, "B");
      list.add_speed_pair(3, "C");
      list.add_stripes(4);
      break;
    case kStationStopCell: list.add_value(1, "station record"); break;
    case kIndicationBoardCell: list.add_value(1, "board text record"); break;
    case kCodePointCell: list.add_value(1, "code value"); break;
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
      list.add("unused", list.value(number), MeaningList::slot_of(number));
    }
  }
  if (!time_used && cell.signal_time != 0) {
    list.add("signal time", cell.signal_time, CellSlot::kSignalTime);
  }
  if (cell.approach != 0) {
    const ApproachMark mark = unpack_approach(cell.approach);
    list.add("approach mark", mark.number, CellSlot::kApproach);
    list.add("approach code", mark.code, CellSlot::kApproach);
  }
  return list.take();
}

std::string meanings_text(const std::vector<Meaning>& meanings) {
  std::string text;
  for (size_t i = 0; i < meanings.size(); ++i) {
    const Meaning& meaning = meanings[i];
    if (!text.empty()) text += ", ";
    text += meaning.label + " " + std::to_string(meaning.value);
    if (!meaning.unit.empty()) text += " " + meaning.unit;
    if (i + 1 == meanings.size() || meanings[i + 1].slot != meaning.slot) {
      text += " [" + std::string(cell_slot_name(meaning.slot)) + "]";
    }
  }
  return text;
}

}  // namespace sb
