#include "util/zeroed_buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

namespace sb {
namespace {

bool all_zero(const ZeroedBuffer& buffer) {
  return std::all_of(buffer.data(), buffer.data() + buffer.size(), [](char c) { return c == 0; });
}

// Small buffers come from the heap, those of 2 MB and more from their own
// huge-page mapping; both start zero, copy deeply and move their storage.
TEST(ZeroedBuffer, StartsZeroCopiesDeeplyAndMoves) {
  for (const size_t size : {size_t{2}, size_t{4096}, size_t{2} << 20, (size_t{5} << 20) + 3}) {
    ZeroedBuffer buffer(size);
    ASSERT_EQ(buffer.size(), size);
    EXPECT_TRUE(all_zero(buffer)) << size;
    buffer.data()[0] = 'a';
    buffer.data()[size - 1] = 'z';

    ZeroedBuffer copy = buffer;
    buffer.data()[0] = 'b';
    EXPECT_EQ(copy.data()[0], 'a') << size;
    EXPECT_EQ(copy.data()[size - 1], 'z') << size;

    const char* storage = copy.data();
    ZeroedBuffer moved = std::move(copy);
    EXPECT_EQ(moved.data(), storage) << size;
    EXPECT_EQ(copy.size(), 0u) << size;  // the moved-from buffer is empty

    moved = ZeroedBuffer(size);  // the old storage is released, the new one zero
    EXPECT_TRUE(all_zero(moved)) << size;
  }
  EXPECT_EQ(ZeroedBuffer(0).size(), 0u);
}

// Filling ahead is a hint to the system: whatever the caller writes while the
// helper runs stays written, the rest stays zero, and a buffer can be moved
// or dropped with its helper still at work.
TEST(ZeroedBuffer, FillingAheadKeepsWhatIsWrittenMeanwhile) {
  const size_t size = (size_t{9} << 20) + 5;
  const size_t third = size / 3;
  ZeroedBuffer buffer(size);
  buffer.fill_ahead({{0, third}, {third, third}, {2 * third, size - 2 * third}, {size + 1, 10}});
  for (size_t i = 0; i < size; i += 4093) buffer.data()[i] = static_cast<char>(1 + i % 251);
  ZeroedBuffer moved = std::move(buffer);
  for (size_t i = 0; i < size; ++i) {
    const char expected = i % 4093 == 0 ? static_cast<char>(1 + i % 251) : 0;
    ASSERT_EQ(moved.data()[i], expected) << i;
  }

  for (int round = 0; round < 20; ++round) {
    ZeroedBuffer dropped(size);
    dropped.fill_ahead({{0, size}});
  }
}

}  // namespace
}  // namespace sb
