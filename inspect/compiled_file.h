#ifndef SCENARIO_BUILDER_INSPECT_COMPILED_FILE_H_
#define SCENARIO_BUILDER_INSPECT_COMPILED_FILE_H_

#include <cstdint>
#include <string>

#include "inspect/scenario_decoder.h"
#include "model/build_state.h"
#include "model/line_trace.h"
#include "platform/file_system.h"

namespace sb {

// Compiled files are read as untrusted input: a file's size is asked before
// any of it is read, and one that cannot hold what it should is refused in
// bounded memory, whatever its size on disk.

// Bytes of one trace row in both columns: each element a bare tag at least,
// a tag and a double at most.
inline constexpr uint64_t kLeastTraceRowBytes = 2 * kTraceTagBytes;
inline constexpr uint64_t kMostTraceRowBytes = 2 * kTraceElementBytes;

// The largest file of each kind: records whose texts are all as long as
// their 16-bit length can say, and the cells and trace of the longest route
// (1,007,000 m with the overrun, a cell every 50 m, a trace row every metre).
inline constexpr uint64_t kMostRecordsFileBytes =
    uint64_t{kRecordCount} * (kRecordBytesWithoutText + 0xFFFF);
inline constexpr uint64_t kMostCellsFileBytes =
    (uint64_t{kMaxRouteLength + kRouteOverrun} / kCellLength + 1) * kCellBytes;
inline constexpr uint64_t kMostTraceFileBytes =
    (uint64_t{kMaxRouteLength} + kRouteOverrun + 1) * kMostTraceRowBytes;

// The sizes a file may have, `least` to `most` bytes, and what it is, for
// the message ("a line trace file", "the cells file of a route of 900 m").
struct FileSizeBounds {
  uint64_t least = 0;
  uint64_t most = 0;
  std::string what;
};

// Reads the file whole once file_size() has placed it within `bounds`; a
// file outside them is refused without a byte read.  False and *error
// ("cannot read P: it is N bytes, but a line trace file is at most M").
bool read_sized_file(FileSystem& file_system, const std::string& path, const FileSizeBounds& bounds,
                     std::string* bytes, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_INSPECT_COMPILED_FILE_H_
