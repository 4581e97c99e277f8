#ifndef SCENARIO_BUILDER_GRAMMAR_GRAMMAR_H_
#define SCENARIO_BUILDER_GRAMMAR_GRAMMAR_H_

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace sb {

// The one description of the source texts' entries: where each is
// recognised, its keyword test and its values.  The readers, the checks,
// the format reference and dump's labels describe the same entries; tests
// tie the readers' keyword tests and widths to this table.

// Where a keyword field is tested.
enum class Section : uint8_t {
  kLineGeneral,  // the line text, up to the first bracketed field
  kLineBody,     // the line text after it
  kTrain,        // the train text, after "[generale]"
};

enum class LetterCase : uint8_t { kIgnored, kExact };

// How a value is read: a long is 32 bits, a short 16, a byte 0 to 255; a
// number that does not fit its width is a read failure.
enum class Width : uint8_t { kLong, kShort, kByte, kText };

// What becomes of a value outside the range its slot keeps.
enum class Beyond : uint8_t {
  kAnything,  // no range: every value is carried as written
  kStored,    // kept as `stored` says (a warning tells the author)
  kRefused,   // the compiler refuses it with an error
};

struct Slot {
  std::string_view name;
  std::string_view unit;  // "m", "km/h", "s", or empty
  Width width;
  Beyond beyond;
  int64_t low;
  int64_t high;
  // A value meant as a multiple of `step` (0: any); `stored` says what
  // becomes of the others, or the compiler refuses them.
  int64_t step;
  bool zero_allowed;  // 0 is kept although below `low`
  std::string_view stored;
  std::string_view meaning;
  // A route position (m from the line's start), not a length.
  bool position = false;
};

enum class EntryId : uint8_t {
  kRouteLength,
  kChainageThree,
  kChainageTwo,
  kChainageOne,
  kBackgroundOne,
  kBackgroundTwo,
  kBackgroundThree,
  kCabSignalling,
  kGradient,
  kCurve,
  kMountain,
  kSpeedBoard,
  kIndicationBoard,
  kBrakedMass,
  kCars,
  kSpeedLimit,
  kAdhesion,
  kClock,
  kSand,
  kSignal,
  kSlowdown,
  kCodePoint,
  kStation,
};
inline constexpr size_t kEntryKinds = static_cast<size_t>(EntryId::kStation) + 1;

struct Entry {
  EntryId id;
  Section section;
  std::string_view title;
  // The keyword test: the field contains `word` and, when not empty, `also`.
  std::string_view word;
  std::string_view also;
  LetterCase letter_case;
  std::string_view keyword;  // the canonical keyword field
  std::string_view example;  // a canonical line
  std::span<const Slot> slots;
  // When above 0, the first value is a position that must lie this many
  // metres inside the last cell.
  int32_t reach;
  std::string_view notes;
};

// Every entry, each section's rows in the order its keyword fields are
// tested against them.
std::span<const Entry> grammar_entries();
const Entry& grammar_entry(EntryId id);

// The keyword test of `entry`.
bool keyword_matches(const Entry& entry, std::string_view field);
// The same test with letter case ignored, whatever the entry's rule.
bool keyword_matches_ignoring_case(const Entry& entry, std::string_view field);

std::string_view section_name(Section section);
std::string_view width_name(Width width);

}  // namespace sb

#endif  // SCENARIO_BUILDER_GRAMMAR_GRAMMAR_H_
