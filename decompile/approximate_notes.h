#ifndef SCENARIO_BUILDER_DECOMPILE_APPROXIMATE_NOTES_H_
#define SCENARIO_BUILDER_DECOMPILE_APPROXIMATE_NOTES_H_

#include <array>
#include <vector>

#include "decompile/decompiler.h"
#include "format/cells.h"
#include "format/records.h"

namespace sb {

// Marks texts that do not compile back to the files they were recovered
// from: a comment line at the head of each text, and one before each entry
// whose cells (or, for a station, whose record) differ between the files
// (`wanted`) and the build of the texts (`got`), naming the first that
// differs.
void note_differing_entries(const std::array<GeneralRecord, kRecordCount>& wanted_records,
                            const std::vector<TrackCell>& wanted_cells,
                            const std::array<GeneralRecord, kRecordCount>& got_records,
                            const std::vector<TrackCell>& got_cells, DecompiledTexts* texts);

}  // namespace sb

#endif  // SCENARIO_BUILDER_DECOMPILE_APPROXIMATE_NOTES_H_
