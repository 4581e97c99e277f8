#include "format/chainages.h"

#include <algorithm>

namespace sb {
namespace {

using Order = std::array<ChainageEntry, 3>;
constexpr ChainageEntry kOne = ChainageEntry::kOne;
constexpr ChainageEntry kTwo = ChainageEntry::kTwo;
constexpr ChainageEntry kThree = ChainageEntry::kThree;

const Chainage& of(const ChainagesByEntry& entries, ChainageEntry entry) {
  return entries[static_cast<size_t>(entry)];
}

std::optional<Order> order_from_the_start(const ChainagesByEntry& e) {
  if (of(e, kOne).kilometre > 0) return Order{kOne, kTwo, kThree};
  if (of(e, kTwo).kilometre > 0) return Order{kTwo, kThree, kOne};
  if (of(e, kThree).kilometre > 0) return Order{kThree, kTwo, kOne};
  return std::nullopt;
}

// The other two follow the leading one by decreasing start; on equal starts
// the one named first comes first.
Order order_behind(const ChainagesByEntry& e, ChainageEntry lead, ChainageEntry first_named,
                   ChainageEntry second_named) {
  if (of(e, second_named).start > of(e, first_named).start) {
    return {lead, second_named, first_named};
  }
  return {lead, first_named, second_named};
}

std::optional<Order> order_by_start(const ChainagesByEntry& e) {
  const int32_t one = of(e, kOne).start;
  const int32_t two = of(e, kTwo).start;
  const int32_t three = of(e, kThree).start;
  if (three > two && three > one) return order_behind(e, kThree, kOne, kTwo);
  if (two > one && two > three) return order_behind(e, kTwo, kOne, kThree);
  if (one > two && one > three) return order_behind(e, kOne, kTwo, kThree);
  return std::nullopt;
}

Chainage with_flag(Chainage chainage) {
  if (chainage.flag == 1)
    chainage.kilometre = static_cast<int32_t>(int64_t{chainage.kilometre} + 100);
  return chainage;
}

Chainage without_flag(Chainage chainage) {
  if (chainage.flag == 1)
    chainage.kilometre = static_cast<int32_t>(int64_t{chainage.kilometre} - 100);
  return chainage;
}

}  // namespace

const char* chainage_entry_word(ChainageEntry entry) {
  switch (entry) {
    case ChainageEntry::kOne: return "uno";
    case ChainageEntry::kTwo: return "due";
    case ChainageEntry::kThree: return "tre";
  }
  return "";
}

std::optional<std::array<ChainageEntry, 3>> chainage_order(const ChainagesByEntry& entries) {
  const int64_t start_sum = int64_t{entries[0].start} + entries[1].start + entries[2].start;
  return start_sum == 0 ? order_from_the_start(entries) : order_by_start(entries);
}

ChainageRecords order_chainages(const ChainagesByEntry& entries) {
  ChainageRecords records{};
  if (const auto order = chainage_order(entries)) {
    for (size_t i = 0; i < 3; ++i) records[i] = with_flag(of(entries, (*order)[i]));
  }
  return records;
}

std::array<std::vector<ChainageEntry>, 3> possible_chainage_entries(
    const ChainageRecords& records) {
  std::array<std::vector<ChainageEntry>, 3> possible;
  Order assignment = {kOne, kTwo, kThree};  // record 81 + i written in entry assignment[i]
  do {
    ChainagesByEntry entries{};
    for (size_t i = 0; i < 3; ++i) {
      entries[static_cast<size_t>(assignment[i])] = without_flag(records[i]);
    }
    const auto order = chainage_order(entries);
    if (!order || order_chainages(entries) != records) continue;
    for (size_t i = 0; i < 3; ++i) {
      std::vector<ChainageEntry>& list = possible[i];
      if (std::find(list.begin(), list.end(), (*order)[i]) == list.end()) {
        list.push_back((*order)[i]);
      }
    }
  } while (std::next_permutation(assignment.begin(), assignment.end()));
  for (std::vector<ChainageEntry>& list : possible) std::sort(list.begin(), list.end());
  return possible;
}

Chainage chainage_of(const GeneralRecord& record) {
  return {record.long_1, record.long_2, record.long_3};
}

void store_chainage(const Chainage& chainage, GeneralRecord& record) {
  record.long_1 = chainage.start;
  record.long_2 = chainage.kilometre;
  record.long_3 = chainage.flag;
}

}  // namespace sb
