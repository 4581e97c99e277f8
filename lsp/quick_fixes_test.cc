#include "lsp/quick_fixes.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

const Slot& slot_of(EntryId id, size_t slot) { return grammar_entry(id).slots[slot]; }

TEST(QuickFixes, TheNearestLegalValueKeepsRangeStepAndAllowedZero) {
  struct Case {
    const char* name;
    const Slot& slot;
    int64_t value;
    int64_t nearest;
  };
  const Case cases[] = {
      {"above the range", slot_of(EntryId::kGradient, 1), 300, 155},
      {"below the range", slot_of(EntryId::kGradient, 1), -101, -100},
      {"inside", slot_of(EntryId::kGradient, 1), -8, -8},
      {"off the step", slot_of(EntryId::kSpeedLimit, 1), 72, 70},
      {"off the step, the greater of two as near", slot_of(EntryId::kStation, 0), 125, 150},
      {"off the step below zero", slot_of(EntryId::kChainageOne, 0), -70, -50},
      {"beyond the range, then onto the step", slot_of(EntryId::kSpeedBoard, 1), 503, 495},
      {"zero where it is nearer", slot_of(EntryId::kSignal, 10), 40, 0},
      {"the range where it is nearer", slot_of(EntryId::kSignal, 10), 60, 101},
      {"a value kept as written", slot_of(EntryId::kBackgroundOne, 0), 12345, 12345},
  };
  for (const Case& c : cases) EXPECT_EQ(nearest_legal_value(c.slot, c.value), c.nearest) << c.name;
}

TEST(QuickFixes, TheSuggestedKeywordIsTheOneTheWarningNames) {
  EXPECT_EQ(suggested_keyword("`sfondo unno` matches no entry and is skipped; did you mean "
                              "`sfondo uno`? [-Wunknown-keyword]"),
            "sfondo uno");
  EXPECT_EQ(suggested_keyword("`xyz` matches no entry and is skipped [-Wunknown-keyword]"),
            std::nullopt);
}

}  // namespace
}  // namespace sb
