#ifndef SCENARIO_BUILDER_UTIL_LITTLE_ENDIAN_H_
#define SCENARIO_BUILDER_UTIL_LITTLE_ENDIAN_H_

#include <bit>
#include <concepts>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace sb {

// Stores `value` at `at` as little-endian bytes, whatever the machine's own
// order, signed values in two's complement; returns the end of what it
// stored.
template <std::integral T>
inline char* store_le(char* at, T value) {
  using Unsigned = std::make_unsigned_t<T>;
  const auto bits = static_cast<Unsigned>(value);
  if constexpr (std::endian::native != std::endian::little) {
    for (size_t i = 0; i < sizeof bits; ++i) at[i] = static_cast<char>(bits >> (8 * i));
  } else {
    std::memcpy(at, &bits, sizeof bits);
  }
  return at + sizeof bits;
}

// An IEEE 754 binary64 in its 8 little-endian bytes.
inline char* store_le(char* at, double value) {
  return store_le(at, std::bit_cast<uint64_t>(value));
}

// The value of T's width stored at `at` by store_le.
template <std::integral T>
inline T load_le(const char* at) {
  using Unsigned = std::make_unsigned_t<T>;
  Unsigned bits = 0;
  if constexpr (std::endian::native != std::endian::little) {
    for (size_t i = 0; i < sizeof bits; ++i) {
      bits = static_cast<Unsigned>(bits | Unsigned{static_cast<unsigned char>(at[i])} << (8 * i));
    }
  } else {
    std::memcpy(&bits, at, sizeof bits);
  }
  return static_cast<T>(bits);
}

template <std::same_as<double> T>
inline T load_le(const char* at) {
  return std::bit_cast<double>(load_le<uint64_t>(at));
}

}  // namespace sb

#endif  // SCENARIO_BUILDER_UTIL_LITTLE_ENDIAN_H_
