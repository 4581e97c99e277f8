#include "format/chainages.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

constexpr ChainageEntry kUno = ChainageEntry::kOne;
constexpr ChainageEntry kDue = ChainageEntry::kTwo;
constexpr ChainageEntry kTre = ChainageEntry::kThree;
using Entries = std::vector<ChainageEntry>;

TEST(Chainages, OrderingPutsTheFurthestStartInRecord81AndAppliesFlags) {
  EXPECT_EQ(order_chainages({Chainage{0, 350000, 1}, Chainage{}, Chainage{}}),
            (ChainageRecords{Chainage{0, 350100, 1}, Chainage{}, Chainage{}}));
  EXPECT_EQ(order_chainages({Chainage{0, 350000, 0}, Chainage{100000, 200000, 0}, Chainage{}}),
            (ChainageRecords{Chainage{100000, 200000, 0}, Chainage{0, 350000, 0}, Chainage{}}));
  EXPECT_EQ(chainage_order({Chainage{50000, 1, 0}, Chainage{50000, 2, 0}, Chainage{0, 3, 0}}),
            std::nullopt);
}

TEST(Chainages, TheEntriesARecordCameFromAreThoseThatOrderBackIntoTheFile) {
  struct Case {
    const char* name;
    ChainageRecords records;
    std::array<Entries, 3> possible;
  };
  const Entries any = {kUno, kDue, kTre};
  const Case cases[] = {
      // One chainage at the start: written in any entry, the file is the same.
      {"lone chainage",
       {Chainage{0, 350000, 0}, Chainage{}, Chainage{}},
       {any, Entries{kDue, kTre}, Entries{kUno, kTre}}},
      {"lone flagged chainage",
       {Chainage{0, 350100, 1}, Chainage{}, Chainage{}},
       {any, Entries{kDue, kTre}, Entries{kUno, kTre}}},
      // Ordered by start: nothing tells the entries apart.
      {"three starts",
       {Chainage{90, 3, 0}, Chainage{50, 2, 0}, Chainage{40, 1, 0}},
       {any, any, any}},
      // All at the start with values: only uno first orders back unchanged.
      {"three at the start",
       {Chainage{0, 1, 0}, Chainage{0, 2, 0}, Chainage{0, 3, 0}},
       {Entries{kUno}, Entries{kDue}, Entries{kTre}}},
      // No order could have written these: they were cleared, or never given.
      {"all empty", {}, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(possible_chainage_entries(c.records), c.possible) << c.name;
  }
}

}  // namespace
}  // namespace sb
