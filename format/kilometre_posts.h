#ifndef SCENARIO_BUILDER_FORMAT_KILOMETRE_POSTS_H_
#define SCENARIO_BUILDER_FORMAT_KILOMETRE_POSTS_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "format/chainages.h"
#include "format/records.h"

namespace sb {

// What the line's kilometre posts read along the route.  The chainages are
// taken as records 81 to 83 hold them (ordered, flags applied): the first of
// records 81, 82, 83 that is not empty (0, 0, 0) and starts at or before a
// position holds there, and the posts count on from its kilometre value, one
// metre a metre.  Of two that start at the same place the lower record leads,
// as the ordering puts the leading one there.  Where none starts at or before
// it (no chainage at all, or none at the route's start) the posts read the
// route position itself.  Readings are in metres: 350000 is km 350+000.
class KilometrePosts {
 public:
  KilometrePosts() = default;
  explicit KilometrePosts(const ChainageRecords& records) : records_(records) {}
  // From the general records of a build or of a records file.
  static KilometrePosts from_records(const GeneralRecords& records);
  // From the three entries as the line text gives them (ordered here).
  static KilometrePosts from_entries(const ChainagesByEntry& entries);

  // The chainage that holds at `position`; null where the posts read the
  // route position.
  const Chainage* holding_at(double position) const;

  int64_t reading_at(int64_t position) const;
  // The same between whole metres, as a drawing's axis asks.
  double reading_at_fraction(double position) const;

  // The route positions from 0 to `route_end` where the posts read
  // `reading`, in increasing order: none where the numbering jumps over it,
  // several where a numbering repeats it.
  std::vector<int64_t> positions_of(int64_t reading, int64_t route_end) const;

  const ChainageRecords& records() const { return records_; }

 private:
  ChainageRecords records_{};
};

// "354+000": whole kilometres, "+", the metres in three digits; "-0+050"
// below zero.
std::string chainage_text(int64_t reading);

// Reads "354+000", "354+0" or "km 354+000" (any letter case, blanks around
// the parts allowed) back into metres; "-0+050" is -50.  Nothing for any other
// text, or metres above 999.
std::optional<int64_t> parse_chainage(std::string_view text);

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_KILOMETRE_POSTS_H_
