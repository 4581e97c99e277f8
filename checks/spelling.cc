#include "checks/spelling.h"

#include <algorithm>
#include <vector>

#include "util/text.h"

namespace sb {
namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

std::string_view without_trailing_digits(std::string_view text) {
  while (!text.empty() && (is_digit(text.back()) || text.back() == ' ')) text.remove_suffix(1);
  return text;
}

}  // namespace

int edit_distance(std::string_view a, std::string_view b) {
  const size_t n = a.size();
  const size_t m = b.size();
  std::vector<std::vector<int>> d(n + 1, std::vector<int>(m + 1, 0));
  for (size_t i = 0; i <= n; ++i) d[i][0] = static_cast<int>(i);
  for (size_t j = 0; j <= m; ++j) d[0][j] = static_cast<int>(j);
  for (size_t i = 1; i <= n; ++i) {
    for (size_t j = 1; j <= m; ++j) {
      const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
      }
    }
  }
  return d[n][m];
}

std::string nearest_keyword(std::string_view field, std::span<const std::string_view> candidates) {
  const std::string lower = cp1252_lower(field);
  const std::string_view stem = without_trailing_digits(lower);
  const std::string_view digits = std::string_view(lower).substr(stem.size());
  // A keyword is a few words: a longer field is no slip of the keyboard.
  if (stem.size() < 3 || stem.size() > 40) return {};
  std::string best;
  int best_distance = 0;
  for (std::string_view candidate : candidates) {
    const std::string_view candidate_stem = without_trailing_digits(candidate);
    const int distance = edit_distance(stem, candidate_stem);
    const int allowed = std::max<int>(1, static_cast<int>(candidate_stem.size()) / 4);
    if (distance == 0 || distance > allowed) continue;
    if (best.empty() || distance < best_distance) {
      best = std::string(candidate_stem) +
             std::string(digits.empty() ? candidate.substr(candidate_stem.size()) : digits);
      best_distance = distance;
    }
  }
  return best;
}

}  // namespace sb
