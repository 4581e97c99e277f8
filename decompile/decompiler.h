#ifndef SCENARIO_BUILDER_DECOMPILE_DECOMPILER_H_
#define SCENARIO_BUILDER_DECOMPILE_DECOMPILER_H_

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "format/cells.h"
#include "model/build_state.h"

namespace sb {

// The two source texts recovered from a compiled scenario, in the canonical
// layout of the built-in texts, as Windows-1252 bytes with CR LF line ends.
struct DecompiledTexts {
  std::string line_text;
  std::string train_text;
};

// A compiled scenario: its records and cells decoded, its line trace file
// as it stands (only a clean build's trace is of use, and that is read in
// place).
struct CompiledParts {
  std::array<GeneralRecord, kRecordCount> records{};
  std::vector<TrackCell> cells;
  std::string_view trace_file;
};

struct DecompileMode {
  // Where no order of the train's entries leaves every approach mark, take
  // the nearest one in place of refusing.
  bool approximate = false;
  // Set on a refusal: whether the files cannot be those of a clean build
  // (else the recovery fell short).
  bool* files_not_clean = nullptr;
};

// Recovers source texts that compile to the same three files, as far as the
// files tell: what never reached them (comments, spellings, entry order
// where it did not matter, values the build cleared) comes back in one
// canonical form.  The format marks and scenario codes are left out: every
// build stamps them anew.  False and *error (in plain words) when the files
// are not those of a clean build (a trace with unset rows, a station record
// out of place, a cell that no entry of a text makes), or when the
// recovery finds no texts for them.
bool decompile_scenario(const CompiledParts& scenario, DecompiledTexts* texts, std::string* error,
                        const DecompileMode& mode = {});

}  // namespace sb

#endif  // SCENARIO_BUILDER_DECOMPILE_DECOMPILER_H_
