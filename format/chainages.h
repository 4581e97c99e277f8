#ifndef SCENARIO_BUILDER_FORMAT_CHAINAGES_H_
#define SCENARIO_BUILDER_FORMAT_CHAINAGES_H_

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "format/records.h"

namespace sb {

// A kilometre chainage: from `start` (m along the route) on, the kilometre
// posts read from `kilometre` (in metres: 350000 is km 350+000); a flag of 1
// adds 100 m to it once the chainages are ordered.
struct Chainage {
  int32_t start = 0;
  int32_t kilometre = 0;
  int32_t flag = 0;

  bool operator==(const Chainage&) const = default;
};

// The line text gives up to three chainages in the entries "progressiva
// chilometrica uno", "due" and "tre".
enum class ChainageEntry : uint8_t { kOne, kTwo, kThree };
inline constexpr std::array<ChainageEntry, 3> kChainageEntries = {
    ChainageEntry::kOne, ChainageEntry::kTwo, ChainageEntry::kThree};
// "uno", "due", "tre"
const char* chainage_entry_word(ChainageEntry entry);

// Chainages by entry (one, two, three) and by record (81, 82, 83).
using ChainagesByEntry = std::array<Chainage, 3>;
using ChainageRecords = std::array<Chainage, 3>;

// Which entry goes to records 81, 82 and 83: the one that begins furthest
// along the route to 81, the one that begins first to 83, ties of the last
// two going in entry order.  When all begin at the route's start, the first
// entry in the order one, two, three with a kilometre value leads.  Nothing
// when no order can be told (two share the furthest start, or no kilometre
// value at all at the start): every chainage is then cleared.
std::optional<std::array<ChainageEntry, 3>> chainage_order(const ChainagesByEntry& entries);

// Records 81 to 83 as the records file holds them: the entries in their
// order, each flag applied.
ChainageRecords order_chainages(const ChainagesByEntry& entries);

// The entries that each of records 81, 82 and 83 may have been written in,
// found by trying every assignment of the records to the entries that
// orders back into them.  The file does not keep the entry: an empty
// record, and a single chainage starting at the route's start, may come from
// any.
std::array<std::vector<ChainageEntry>, 3> possible_chainage_entries(const ChainageRecords& records);

Chainage chainage_of(const GeneralRecord& record);
void store_chainage(const Chainage& chainage, GeneralRecord& record);

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_CHAINAGES_H_
