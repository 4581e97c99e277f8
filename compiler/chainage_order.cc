#include "compiler/chainage_order.h"

#include <array>
#include <cstdint>

namespace sb {
namespace {

struct Chainage {
  int32_t start = 0;
  int32_t kilometre = 0;
  int32_t flag = 0;
};

Chainage chainage_of(const GeneralRecord& record) {
  return {record.long_1, record.long_2, record.long_3};
}

// Records 81, 82, 83 in this order.
using Order = std::array<Chainage, 3>;

// All three start at the route's beginning: the first one with a kilometre
// value, in the order one, two, three, leads.
Order order_from_the_start(const Chainage& one, const Chainage& two, const Chainage& three) {
  if (one.kilometre > 0) return {one, two, three};
  if (two.kilometre > 0) return {two, three, one};
  if (three.kilometre > 0) return {three, two, one};
  return {};
}

// The other two follow the leading one by decreasing start; on equal starts
// the one named first (one before two before three) comes first.
Order order_behind(const Chainage& lead, const Chainage& first_named,
                   const Chainage& second_named) {
  if (second_named.start > first_named.start) return {lead, second_named, first_named};
  return {lead, first_named, second_named};
}

Order order_by_start(const Chainage& one, const Chainage& two, const Chainage& three) {
  if (three.start > two.start && three.start > one.start) return order_behind(three, one, two);
  if (two.start > one.start && two.start > three.start) return order_behind(two, one, three);
  if (one.start > two.start && one.start > three.start) return order_behind(one, two, three);
  return {};  // two of them share the greatest start
}

void store(GeneralRecord& record, const Chainage& chainage) {
  record.long_1 = chainage.start;
  record.long_2 = chainage.kilometre;
  record.long_3 = chainage.flag;
}

void apply_flag(GeneralRecord& record) {
  if (record.long_3 == 1) record.long_2 = static_cast<int32_t>(int64_t{record.long_2} + 100);
}

}  // namespace

void progressive_ordina(BuildState& state) {
  const Chainage three = chainage_of(state.record(kChainageThreeRecord));
  const Chainage two = chainage_of(state.record(kChainageTwoRecord));
  const Chainage one = chainage_of(state.record(kChainageOneRecord));
  const int64_t start_sum = int64_t{one.start} + two.start + three.start;
  const Order order =
      start_sum == 0 ? order_from_the_start(one, two, three) : order_by_start(one, two, three);
  const int records[] = {kChainageThreeRecord, kChainageTwoRecord, kChainageOneRecord};
  for (int i = 0; i < 3; ++i) store(state.record(records[i]), order[static_cast<size_t>(i)]);
  for (int record : records) apply_flag(state.record(record));
}

}  // namespace sb
