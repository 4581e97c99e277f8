#ifndef SCENARIO_BUILDER_CHECKS_TIMETABLE_REPORT_H_
#define SCENARIO_BUILDER_CHECKS_TIMETABLE_REPORT_H_

#include <nlohmann/json.hpp>
#include <string>

#include "checks/timetable.h"

namespace sb {

// The run leg by leg, for `check --summary`: the two stations, the
// distance, the scheduled running time, the fastest possible time at the
// limits, the slack, and the tightest leg marked.  Fastest times are rounded
// up to whole seconds (they stay lower bounds), slacks are taken from them.
// Empty when the timetable has no leg.
std::string timetable_report(const Timetable& timetable);

// The same as JSON: {"stations": [...], "legs": [...], "tightest": index or
// null}, times in seconds, names in UTF-8.
nlohmann::ordered_json timetable_report_json(const Timetable& timetable);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_TIMETABLE_REPORT_H_
