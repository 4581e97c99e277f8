#ifndef SCENARIO_BUILDER_GRAMMAR_ENTRY_VALUES_H_
#define SCENARIO_BUILDER_GRAMMAR_ENTRY_VALUES_H_

#include <cstddef>

namespace sb {

// Where an entry's values stand among the values read for it, named after
// the grammar's slots (the test beside this file ties each name to its
// slot).  Every entry with a reach holds its route position first.
inline constexpr size_t kPositionValue = 0;

namespace route_length_value {
inline constexpr size_t kLength = 0;
}  // namespace route_length_value

namespace chainage_value {
inline constexpr size_t kStart = 0;
inline constexpr size_t kKilometre = 1;
}  // namespace chainage_value

namespace cab_signalling_value {
inline constexpr size_t kStart = 0;
inline constexpr size_t kEnd = 1;
}  // namespace cab_signalling_value

namespace gradient_value {
inline constexpr size_t kGradient = 1;
}  // namespace gradient_value

namespace curve_value {
inline constexpr size_t kLength = 1;
}  // namespace curve_value

namespace mountain_value {
inline constexpr size_t kEnd = 1;  // "fine"
}  // namespace mountain_value

namespace speed_limit_value {
inline constexpr size_t kSpeed = 1;
}  // namespace speed_limit_value

namespace slowdown_value {
inline constexpr size_t kSpeed = 1;          // "v"
inline constexpr size_t kLength = 2;         // "l"
inline constexpr size_t kWarningLeadIn = 4;  // "f_ta"
inline constexpr size_t kSecondSpeed = 5;    // "d_v"
}  // namespace slowdown_value

namespace station_value {
inline constexpr size_t kKind = 1;
inline constexpr size_t kLength = 2;
inline constexpr size_t kExtend = 5;
inline constexpr size_t kStop = 12;
inline constexpr size_t kHours = 13;
inline constexpr size_t kMinutes = 14;
inline constexpr size_t kSeconds = 15;
inline constexpr size_t kName = 16;
}  // namespace station_value

}  // namespace sb

#endif  // SCENARIO_BUILDER_GRAMMAR_ENTRY_VALUES_H_
