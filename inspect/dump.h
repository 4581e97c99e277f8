#ifndef SCENARIO_BUILDER_INSPECT_DUMP_H_
#define SCENARIO_BUILDER_INSPECT_DUMP_H_

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "platform/file_system.h"

namespace sb {

// Which of the three binary scenario files a dump reads.
enum class DumpKind { kRecords, kCells, kLineTrace };

// The kind that a file name tells: "…_linea.dat" a line trace, "….sim"
// records, any other "….dat" cells (letter case ignored); none otherwise.
std::optional<DumpKind> dump_kind_from_name(const std::string& path);

// The kind named on the command line: "records", "cells" or "trace".
std::optional<DumpKind> dump_kind_from_flag(std::string_view flag);

// Parses "A:B", the first and last row to show (both counted from 0, A <= B).
// On failure returns nothing and says why in *error ("the first row comes
// after the last"), leaving the flag and the text to the caller.
std::optional<std::pair<int32_t, int32_t>> parse_row_range(std::string_view text,
                                                          std::string* error);

struct DumpOptions {
  std::string path;
  std::optional<DumpKind> kind;  // none: from the file name
  bool json = false;
  // Rows to show: records or cells by index, trace rows; the whole table when
  // absent, except for the trace, whose rows are shown only when asked for.
  std::optional<std::pair<int32_t, int32_t>> rows;
};

// Exit statuses of the dump.
inline constexpr int kDumpDone = 0;
inline constexpr int kDumpFailed = 2;

// Decodes the file and prints it as text or JSON on `out`.  kDumpFailed, with
// one line on `err` naming the file, when its kind cannot be told, it cannot
// be read or it is malformed; nothing is printed on `out` then.
int run_dump(const DumpOptions& options, FileSystem& file_system, std::ostream& out,
             std::ostream& err);

}  // namespace sb

#endif  // SCENARIO_BUILDER_INSPECT_DUMP_H_
