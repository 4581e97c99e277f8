#include "format/kilometre_posts.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace sb {
namespace {

constexpr int64_t kNoEnd = std::numeric_limits<int64_t>::max();

// The positions where one chainage holds: from its start up to the nearest
// start of a record before it in the order 81, 82, 83 (`to` excluded).
struct Stretch {
  int64_t from = 0;
  int64_t to = kNoEnd;
  int64_t reading_at_from = 0;
};

// The stretches of the chainages, and in `first_start` where the first of
// them begins: before it the posts read the route position.
std::vector<Stretch> stretches_of(const ChainageRecords& records, int64_t* first_start) {
  std::vector<Stretch> stretches;
  int64_t end = kNoEnd;
  for (const Chainage& chainage : records) {
    if (chainage == Chainage{}) continue;  // empty
    if (chainage.start < end) stretches.push_back({chainage.start, end, chainage.kilometre});
    end = std::min<int64_t>(end, chainage.start);
  }
  *first_start = end;
  return stretches;
}

void skip_blanks(std::string_view& text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
}

// Up to `most` decimal digits; nothing when there are none or more.
std::optional<int64_t> digits(std::string_view& text, size_t most) {
  size_t count = 0;
  int64_t value = 0;
  while (count < text.size() && text[count] >= '0' && text[count] <= '9') {
    if (++count > most) return std::nullopt;
    value = value * 10 + (text[count - 1] - '0');
  }
  if (count == 0) return std::nullopt;
  text.remove_prefix(count);
  return value;
}

bool starts_with_km(std::string_view text) {
  return text.size() >= 2 && (text[0] == 'k' || text[0] == 'K') &&
         (text[1] == 'm' || text[1] == 'M');
}

}  // namespace

KilometrePosts KilometrePosts::from_records(const GeneralRecords& records) {
  return KilometrePosts({chainage_of(records[kChainageThreeRecord]),
                         chainage_of(records[kChainageTwoRecord]),
                         chainage_of(records[kChainageOneRecord])});
}

KilometrePosts KilometrePosts::from_entries(const ChainagesByEntry& entries) {
  return KilometrePosts(order_chainages(entries));
}

const Chainage* KilometrePosts::holding_at(double position) const {
  for (const Chainage& chainage : records_) {
    if (chainage != Chainage{} && chainage.start <= position) return &chainage;
  }
  return nullptr;
}

int64_t KilometrePosts::reading_at(int64_t position) const {
  const Chainage* chainage = holding_at(static_cast<double>(position));
  return chainage ? chainage->kilometre + (position - chainage->start) : position;
}

double KilometrePosts::reading_at_fraction(double position) const {
  const Chainage* chainage = holding_at(position);
  return chainage ? chainage->kilometre + (position - chainage->start) : position;
}

std::vector<int64_t> KilometrePosts::positions_of(int64_t reading, int64_t route_end) const {
  int64_t first_start = 0;
  std::vector<int64_t> positions;
  for (const Stretch& stretch : stretches_of(records_, &first_start)) {
    const int64_t position = stretch.from + (reading - stretch.reading_at_from);
    if (position >= stretch.from && position < stretch.to) positions.push_back(position);
  }
  if (reading < first_start) positions.push_back(reading);
  std::erase_if(positions, [&](int64_t p) { return p < 0 || p > route_end; });
  std::sort(positions.begin(), positions.end());
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  return positions;
}

std::string chainage_text(int64_t reading) {
  const uint64_t magnitude =
      reading < 0 ? uint64_t{0} - static_cast<uint64_t>(reading) : static_cast<uint64_t>(reading);
  char text[40];
  std::snprintf(text, sizeof text, "%s%llu+%03llu", reading < 0 ? "-" : "",
                static_cast<unsigned long long>(magnitude / 1000),
                static_cast<unsigned long long>(magnitude % 1000));
  return text;
}

std::optional<int64_t> parse_chainage(std::string_view text) {
  skip_blanks(text);
  if (starts_with_km(text)) {
    text.remove_prefix(2);
    skip_blanks(text);
  }
  const bool negative = !text.empty() && text.front() == '-';
  if (negative) text.remove_prefix(1);
  const std::optional<int64_t> kilometres = digits(text, 12);
  skip_blanks(text);
  if (!kilometres || text.empty() || text.front() != '+') return std::nullopt;
  text.remove_prefix(1);
  skip_blanks(text);
  const std::optional<int64_t> metres = digits(text, 3);
  skip_blanks(text);
  if (!metres || !text.empty()) return std::nullopt;
  const int64_t reading = *kilometres * 1000 + *metres;
  return negative ? -reading : reading;
}

}  // namespace sb
