#ifndef SCENARIO_BUILDER_APP_DECOMPILE_COMMAND_H_
#define SCENARIO_BUILDER_APP_DECOMPILE_COMMAND_H_

#include <array>
#include <ostream>
#include <string>

#include "decompile/decompiler.h"
#include "platform/file_system.h"

namespace sb {

struct DecompileOptions {
  std::string directory;         // holds NAME_linea.dat, NAME_N.sim, NAME_N.dat
  std::string scenario_name;     // UTF-8; empty: the one scenario in the directory
  std::string train_number;      // UTF-8; empty: likewise
  std::string output_directory;  // empty: the directory of the compiled files
  bool force = false;            // replace texts that exist
  bool to_stdout = false;        // print the texts instead of writing them
  bool approximate = false;      // write the nearest texts where none are exact
};

// How a decompile ran: asked to approximate, and whether it did.
struct DecompileRun {
  bool approximate = false;  // write the nearest texts where no exact ones are found
  bool inexact = false;      // set: the texts are the nearest, with comments at the entries
};

// The three files of a compiled scenario as read: the line trace, records
// and cells files, with the names that messages give them.
struct CompiledFileSet {
  std::array<std::string, 3> paths;  // NAME_linea.dat, NAME_N.sim, NAME_N.dat
  std::array<std::string, 3> bytes;
};

// Decodes and decompiles the files, then compiles the texts in memory and
// checks that they give the same three files.  False and *error, in plain
// words, when the files do not decode, are not those of a clean build, or
// could not be recovered exactly.  With run->approximate, texts that do not
// give the files back are kept, with a comment line at each entry that does
// not reproduce its cells; run->inexact and *error then tell so.
bool decompile_files(const CompiledFileSet& files, DecompiledTexts* texts, std::string* error,
                     DecompileRun* run = nullptr);

// Recovers the two source texts of a compiled scenario, NAME_linea.txt and
// NAME_N-.txt, and writes them together (both or neither).  Before anything
// is written the texts are compiled in memory and must give the three files
// back byte for byte.  Returns the exit status: 0 written, 1 the nearest
// texts written (--approximate), 2 usage error, unreadable files, files that
// are not those of a clean build, a scenario not recovered exactly or texts
// that exist without --force, 3 a text could not be written.
int decompile_command(const DecompileOptions& options, FileSystem& file_system, std::ostream& out,
                      std::ostream& err);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_DECOMPILE_COMMAND_H_
