#ifndef SCENARIO_BUILDER_APP_COMPILE_COMMAND_H_
#define SCENARIO_BUILDER_APP_COMPILE_COMMAND_H_

#include <ostream>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "checks/warning_options.h"
#include "platform/file_system.h"

namespace sb {

struct CompileOptions {
  std::string line_text;
  std::string train_text;
  std::string output_directory = ".";
  std::string scenario_name;  // UTF-8; empty: from the line text's name
  std::string train_number;   // UTF-8; empty: from the train text's name
  bool write_files = true;    // false: check only
  // --write-on-error: a build with an error writes its files as it made
  // them; by default it writes nothing and leaves the last good set.
  bool write_on_error = false;
  // -W options and --werror (which sets `warnings.errors`: every warning an
  // error, making the exit status 1).
  WarningOptions warnings;
  bool summary = false;  // --summary: what the scenario holds, on `out`
  // --cells METRES: the cells around that position and the entries that
  // hold them, on `out`.
  std::optional<int64_t> cells_at;
  // --chainage KM+M: where the kilometre posts read it, and the cells there
  // (metres: 15300 is 15+300).
  std::optional<int64_t> cells_at_chainage;
  // --format: diagnostics as text on `err`, or as one JSON or SARIF document
  // on `out` (the counts and notices stay on `err`).
  enum class Format { kText, kJson, kSarif };
  Format format = Format::kText;
  bool color = false;  // text diagnostics coloured, with the source and caret lines
  // When set, filled with {"diagnostics": [...], "timetable": {...}}: the
  // diagnostics as `check --format=json` shapes them and the timetable
  // report, whatever the format.
  nlohmann::ordered_json* report = nullptr;
};

// Compiles an author's two texts through the same build as the bare run and
// writes NAME_linea.dat, NAME_N.sim and NAME_N.dat into the output
// directory.  The input texts are never changed.  Diagnostics go to `err`,
// the summary to `out` (to `err` when there is none).  Returns the exit
// status.
int compile_command(const CompileOptions& options, FileSystem& file_system, std::ostream& err,
                    std::ostream* out = nullptr);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_COMPILE_COMMAND_H_
