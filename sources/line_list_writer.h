#ifndef SCENARIO_BUILDER_SOURCES_LINE_LIST_WRITER_H_
#define SCENARIO_BUILDER_SOURCES_LINE_LIST_WRITER_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace sb {

// A line list is a writer's ordered list of constant lines, closed by this
// end marker.  The marker and anything behind it never reach a file.
inline constexpr std::string_view kEndMarker = "riferimento fine del file";

// The bytes of the file a line list becomes: every line before the end marker
// (all of them when there is none), each followed by CR LF, blanks kept as
// they stand.
std::string line_list_bytes(const std::vector<std::string_view>& lines);

// Writes the file of `lines` to `path`, replacing any file of that name: the
// bytes go to a temporary that is renamed over the target, so a failed write
// leaves the old file in place.  False and *error (naming the file) on failure.
bool write_line_list(FileSystem& file_system, const std::string& path,
                     const std::vector<std::string_view>& lines, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_SOURCES_LINE_LIST_WRITER_H_
