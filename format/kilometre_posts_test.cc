#include "format/kilometre_posts.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

using Positions = std::vector<int64_t>;

TEST(KilometrePosts, ReadTheChainageThatStartsLastAtOrBeforeThePosition) {
  struct Case {
    const char* name;
    ChainageRecords records;
    int64_t position;
    int64_t reading;
  };
  const Case cases[] = {
      {"no chainage: the route position", {}, 4000, 4000},
      {"one from the start", {Chainage{0, 350000, 0}, {}, {}}, 4000, 354000},
      {"a flag's 100 m is in the record", {Chainage{0, 350100, 1}, {}, {}}, 0, 350100},
      {"before a later numbering",
       {Chainage{100000, 200000, 0}, Chainage{0, 350000, 0}, {}},
       99950,
       449950},
      {"at its start", {Chainage{100000, 200000, 0}, Chainage{0, 350000, 0}, {}}, 100000, 200000},
      {"behind its start",
       {Chainage{100000, 200000, 0}, Chainage{0, 350000, 0}, {}},
       100700,
       200700},
      {"before the only chainage: the route position",
       {Chainage{50000, 400100, 1}, {}, {}},
       49000,
       49000},
      // Ordered from the start, the chainage in record 81 leads.
      {"two at the start", {Chainage{0, 10000, 0}, Chainage{0, 20000, 0}, {}}, 500, 10500},
      // Of two behind a later one that share a start, the ordering puts the
      // one named first in record 82.
      {"two sharing a start behind a later one",
       {Chainage{100000, 200000, 0}, Chainage{0, 350000, 0}, Chainage{0, 500000, 0}},
       50000,
       400000},
      // The ordering may leave an empty chainage in record 82 before one
      // from the start in 83: the empty one holds nowhere.
      {"an empty record before a chainage",
       {Chainage{100000, 200000, 0}, {}, Chainage{0, 350000, 0}},
       50000,
       400000},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KilometrePosts(c.records).reading_at(c.position), c.reading) << c.name;
  }
}

TEST(KilometrePosts, PositionsOfAReadingAreEveryPlaceTheNumberingHoldsIt) {
  // From 0 the posts read 350+000; from 10000 m they read 100+000.
  const KilometrePosts posts({Chainage{10000, 100000, 0}, Chainage{0, 350000, 0}, {}});
  EXPECT_EQ(posts.positions_of(354000, 20000), (Positions{4000}));
  EXPECT_EQ(posts.positions_of(100500, 20000), (Positions{10500}));
  EXPECT_EQ(posts.positions_of(360000, 20000), Positions{}) << "jumped over";
  EXPECT_EQ(posts.positions_of(349000, 20000), Positions{}) << "before the start";
  EXPECT_EQ(posts.positions_of(110000, 20000), (Positions{20000})) << "the route's end";
  EXPECT_EQ(posts.positions_of(110050, 20000), Positions{}) << "beyond the route's end";

  // Back to a lower numbering: km 0+500 stands twice.
  const KilometrePosts repeated({Chainage{1000, 0, 0}, {}, {}});
  EXPECT_EQ(repeated.positions_of(500, 5000), (Positions{500, 1500}));

  // An empty record holds nowhere: km 350+500 stands where chainage 83 holds.
  const KilometrePosts behind_empty({Chainage{10000, 100000, 0}, {}, Chainage{0, 350000, 0}});
  EXPECT_EQ(behind_empty.positions_of(350500, 20000), (Positions{500}));
  EXPECT_EQ(behind_empty.positions_of(500, 20000), Positions{});
}

TEST(KilometrePosts, TheLineTextsEntriesAreOrderedFirst) {
  // Chainage one at 0, chainage two from 100 km on: two leads past 100 km.
  const KilometrePosts posts = KilometrePosts::from_entries(
      {Chainage{0, 350000, 0}, Chainage{100000, 200000, 0}, Chainage{}});
  EXPECT_EQ(posts.reading_at(150000), 250000);
  EXPECT_EQ(posts.reading_at(50000), 400000);

  GeneralRecords records{};
  records[kChainageThreeRecord].long_1 = 100000;
  records[kChainageThreeRecord].long_2 = 200000;
  records[kChainageTwoRecord].long_2 = 350000;
  const KilometrePosts from_file = KilometrePosts::from_records(records);
  EXPECT_EQ(from_file.reading_at(150000), 250000);
  EXPECT_EQ(from_file.reading_at(50000), 400000);
}

TEST(KilometrePosts, ChainageTextsReadBackIntoMetres) {
  struct Case {
    int64_t metres;
    const char* text;
  };
  const Case cases[] = {
      {354000, "354+000"}, {0, "0+000"}, {647107, "647+107"}, {-50, "-0+050"}, {15300, "15+300"}};
  for (const Case& c : cases) {
    EXPECT_EQ(chainage_text(c.metres), c.text);
    EXPECT_EQ(parse_chainage(c.text), c.metres) << c.text;
  }
  EXPECT_EQ(parse_chainage("km 354+000"), 354000);
  EXPECT_EQ(parse_chainage("  Km354 + 7 "), 354007);
  EXPECT_EQ(parse_chainage("KM 1+050"), 1050);
  for (const char* bad : {"", "354", "354+", "+500", "354+1000", "354+00a", "km", "m 354+000",
                          "354-000", "354+000 km"}) {
    EXPECT_EQ(parse_chainage(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace sb
