#ifndef SCENARIO_BUILDER_CHECKS_SCENARIO_SUMMARY_H_
#define SCENARIO_BUILDER_CHECKS_SCENARIO_SUMMARY_H_

#include <string>

#include "checks/text_check.h"
#include "model/build_state.h"

namespace sb {

// What a compiled scenario holds, for `check --summary`: the route and its
// cells, the chainage at both ends, how many entries of each kind the texts
// hold, the code points in the cells (those the build adds included) and the
// timetable of the station records.
std::string scenario_summary(const BuildState& state, const LineFacts& line,
                             const TrainFacts& train);

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_SCENARIO_SUMMARY_H_
