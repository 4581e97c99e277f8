#ifndef SCENARIO_BUILDER_COMPILER_MEMORIZZA_DATI_H_
#define SCENARIO_BUILDER_COMPILER_MEMORIZZA_DATI_H_

#include <string>

#include "compiler/finding.h"
#include "model/build_state.h"
#include "platform/file_system.h"

namespace sb {

// The two source texts of a build.
struct SourceTexts {
  std::string line_path;
  std::string train_path;
  // The bare run deletes the texts it wrote itself once they have been read
  // (the build sequence does, as memorizza_dati's progress tells it); texts
  // of an author's own are never touched.
  bool delete_after_reading = true;
  // The texts' bytes when the caller has read them already: each input is
  // read once, as a pipe can be read only once.  The paths then only name
  // the texts in messages.
  const std::string* line_bytes = nullptr;
  const std::string* train_bytes = nullptr;
};

// Told by memorizza_dati as the reading goes, at the moment each step ends.
class ReadingProgress {
 public:
  virtual ~ReadingProgress() = default;
  // The reader is done with the text at `path`: it was compiled (to its end,
  // to a failure, or to a read failure, which reading_failed() follows).
  virtual void text_taken(const std::string& path) = 0;
  // A read failure ended the reading: a text could not be read or broke off.
  // A missing line text and a failure that stops the compilation are not
  // told.
  virtual void reading_failed() = 0;
};

// The compiler: reads the line text, then the train text, into `state`.
// Returns the failures found, in order: none on success.  The texts are
// only read, never deleted.
Findings memorizza_dati(BuildState& state, FileSystem& file_system, const SourceTexts& texts);
Findings memorizza_dati(BuildState& state, FileSystem& file_system, const SourceTexts& texts,
                        ReadingProgress& progress);

}  // namespace sb

#endif  // SCENARIO_BUILDER_COMPILER_MEMORIZZA_DATI_H_
