#include "model/line_trace.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <system_error>
#include <utility>

namespace sb {

LineTrace::LineTrace(const LineTrace& other) : rows_(other.rows_), marked_end_(other.marked_end_) {
  other.settle();
  block_ = other.block_;
}

LineTrace::LineTrace(LineTrace&& other) noexcept {
  other.stop_background();
  rows_ = std::exchange(other.rows_, 0);
  block_ = std::move(other.block_);
  marked_end_ = std::exchange(other.marked_end_, 0);
}

// `other` is a copy or a moved trace: it has no helper of its own.
LineTrace& LineTrace::operator=(LineTrace other) noexcept {
  stop_background();
  rows_ = other.rows_;
  block_ = std::move(other.block_);
  marked_end_ = other.marked_end_;
  return *this;
}

void LineTrace::reset(int32_t last_index) {
  stop_background();
  marked_end_ = 0;
  const size_t rows = last_index < 0 ? 0 : static_cast<size_t>(last_index) + 1;
  block_ = ZeroedBuffer(rows * (1 + 2 * kSlotBytes));
  rows_ = rows;
  // The trace is written row by row into the tags and both columns at once.
  const size_t column_bytes = rows * kSlotBytes;
  block_.fill_ahead({{0, rows}, {rows, column_bytes}, {rows + column_bytes, column_bytes}});
}

void LineTrace::clear() {
  stop_background();
  marked_end_ = 0;
  block_ = ZeroedBuffer();
  rows_ = 0;
}

bool LineTrace::fill_in_background(std::function<void(std::stop_token)> work) {
  stop_background();
  // In place before the helper starts: the helper reports through it.
  background_ = std::make_unique<Background>();
  Background* background = background_.get();
  // Once the work has ended nothing more will be stored, so nobody waits.
  auto helper = [background, work = std::move(work)](std::stop_token stop) {
    work(std::move(stop));
    background->stored_end.store(kWorkEnded, std::memory_order_release);
    background->stored_end.notify_all();
  };
  try {
    background_->helper = std::jthread(std::move(helper));
  } catch (const std::system_error&) {
    background_.reset();
    return false;
  }
  return true;
}

void LineTrace::mark_doubles(int32_t first, int32_t last) {
  if (first > last) return;
  checked(first);
  checked(last);
  std::memset(tags() + first, static_cast<char>(TraceTag::kDouble),
              static_cast<size_t>(last - first) + 1);
  marked_end_ = std::max(marked_end_, last + 1);
}

void LineTrace::report_stored(int32_t end) {
  if (!background_) return;
  std::atomic<int32_t>& stored_end = background_->stored_end;
  stored_end.store(end, std::memory_order_release);
  stored_end.notify_all();
}

// Rows beyond the last marked one are never reported: they wait for nothing.
void LineTrace::wait_for_rows(int32_t end) const {
  if (!background_) return;
  end = std::min(end, marked_end_);
  const std::atomic<int32_t>& stored_end = background_->stored_end;
  for (int32_t seen = stored_end.load(std::memory_order_acquire); seen < end;
       seen = stored_end.load(std::memory_order_acquire)) {
    stored_end.wait(seen, std::memory_order_acquire);
  }
}

void LineTrace::stop_background() {
  if (!background_) return;
  settle();
  background_->helper.request_stop();
  background_->helper.join();
  background_.reset();
}

std::span<const char> LineTrace::stored_slots(int column, int32_t first, int32_t end) const {
  if (first < 0 || first > end || static_cast<size_t>(end) > rows_) outside_the_trace(first, end);
  wait_for_rows(end);
  const char* slots = slots_of(column);
  return {slots + static_cast<size_t>(first) * kSlotBytes,
          static_cast<size_t>(end - first) * kSlotBytes};
}

void LineTrace::outside_the_trace(int64_t first, int64_t end) const {
  std::fprintf(stderr, "line trace rows [%lld, %lld) asked of a trace of %zu rows\n",
               static_cast<long long>(first), static_cast<long long>(end), rows_);
  std::abort();
}

int32_t LineTrace::run_end(int32_t row) const {
  const char* tag_bytes = tags();
  const char tag = tag_bytes[row];
  size_t end = static_cast<size_t>(row) + 1;
  // Eight rows at a time while all eight have the tag.
  const uint64_t eight = 0x0101010101010101u * static_cast<unsigned char>(tag);
  uint64_t word = 0;
  while (end + sizeof word <= rows_) {
    std::memcpy(&word, tag_bytes + end, sizeof word);
    if (word != eight) break;
    end += sizeof word;
  }
  while (end < rows_ && tag_bytes[end] == tag) ++end;
  return static_cast<int32_t>(end);
}

double LineTrace::value(int column, int32_t row) const {
  settle();
  const TraceTag type = tag(row);
  const char* slot = slots_of(column) + static_cast<size_t>(row) * kSlotBytes;
  return trace_element_value(type, slot + kTraceTagBytes);
}

void LineTrace::set_int16(int32_t row, int16_t x, int16_t y) {
  const size_t r = checked(row);
  tags()[r] = static_cast<char>(TraceTag::kInt16);
  for (int column = 0; column < 2; ++column) {
    char* slot = slots_of(column) + r * kSlotBytes;
    std::memset(slot, 0, kSlotBytes);
    store_trace_element(slot, column == 0 ? x : y);
  }
}

}  // namespace sb
