#ifndef SCENARIO_BUILDER_APP_DUMP_COMMAND_H_
#define SCENARIO_BUILDER_APP_DUMP_COMMAND_H_

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>

#include "app/exit_status.h"
#include "platform/file_system.h"

namespace sb {

// Which of the three binary scenario files a dump reads.
enum class DumpKind { kRecords, kCells, kLineTrace };

// The kind that a file name tells: "…_linea.dat" a line trace, "….sim"
// records, any other "….dat" cells (letter case ignored); none otherwise.
std::optional<DumpKind> dump_kind_from_name(const std::string& path);

// The kind named on the command line: "records", "cells" or "trace".
std::optional<DumpKind> dump_kind_from_flag(std::string_view flag);

// Rows asked for before the table's size is known: records or cells by
// index, trace rows, counted from 0.
struct RowRequest {
  int32_t first = 0;
  std::optional<int32_t> last;  // none: to the end of the table
  std::string asked;            // as given, for messages: "--rows 5:9"

  bool operator==(const RowRequest&) const = default;
};

// Parses "A:B" (rows A to B), "A" (row A alone), "A:" (from A to the end)
// or ":B" (from 0 to B) into *request.  False with *error saying why
// ("the first row comes after the last"), leaving *request as it was and
// the flag to the caller.
bool parse_row_range(std::string_view text, RowRequest* request, std::string* error);

// A route position whose cell or trace row is asked for.
struct PositionRequest {
  double metres = 0;
  std::string asked;  // as given, for messages: "--km 3.5"
};

struct DumpOptions {
  std::string path;
  std::optional<DumpKind> kind;  // none: from the file name
  bool json = false;
  // Texts as the file holds them (Windows-1252) rather than in UTF-8; the
  // text form only, as JSON is always UTF-8.
  bool raw = false;
  // Rows to show: the whole table when absent, except for the trace, whose
  // rows are shown only when asked for.  Rows beyond the table are an error.
  std::optional<RowRequest> rows;
  // In place of rows: the cell (position / 50, rounded) or the trace row
  // (the position in whole metres) of a position; not for records.
  std::optional<PositionRequest> at;
};

// Decodes the file and prints it as text or JSON on `out`.  kExitUsage, with
// one line on `err` ("scenario-builder dump: ...") naming the file or the
// option at fault, when its kind cannot be told, it cannot be read, it is
// malformed, or the rows asked for lie beyond it; nothing is printed on
// `out` then.
int dump_command(const DumpOptions& options, FileSystem& file_system, std::ostream& out,
                 std::ostream& err);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_DUMP_COMMAND_H_
