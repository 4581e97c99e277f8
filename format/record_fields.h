#ifndef SCENARIO_BUILDER_FORMAT_RECORD_FIELDS_H_
#define SCENARIO_BUILDER_FORMAT_RECORD_FIELDS_H_

#include <cstdint>

#include "format/records.h"

namespace sb {

// The named fields of the general records, one accessor for each slot that
// more than one place reads (the labels of every slot are in
// record_meaning.h).

// The totals record: braked mass in %, route length in metres, cars.
inline int32_t& braked_mass(GeneralRecords& records) { return records[kTotalsRecord].long_1; }
inline int32_t& route_length(GeneralRecords& records) { return records[kTotalsRecord].long_2; }
inline int32_t& car_count(GeneralRecords& records) { return records[kTotalsRecord].long_3; }
inline int32_t braked_mass(const GeneralRecords& records) { return records[kTotalsRecord].long_1; }
inline int32_t route_length(const GeneralRecords& records) { return records[kTotalsRecord].long_2; }
inline int32_t car_count(const GeneralRecords& records) { return records[kTotalsRecord].long_3; }

// A station record: its area, in metres from the start of the line.
inline int32_t& area_start(GeneralRecord& station) { return station.long_1; }
inline int32_t& area_end(GeneralRecord& station) { return station.long_2; }
inline int32_t area_start(const GeneralRecord& station) { return station.long_1; }
inline int32_t area_end(const GeneralRecord& station) { return station.long_2; }

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_RECORD_FIELDS_H_
