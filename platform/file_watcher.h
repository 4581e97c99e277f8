#ifndef SCENARIO_BUILDER_PLATFORM_FILE_WATCHER_H_
#define SCENARIO_BUILDER_PLATFORM_FILE_WATCHER_H_

#include <memory>
#include <string>
#include <vector>

namespace sb {

// Tells when files change on disk.  It watches the directories that hold
// them and matches the files by name, so that a file replaced by another
// renamed over it (as editors save) counts as a change just as a file
// written in place does.
class FileWatcher {
 public:
  enum class Event { kChanged, kTimeout, kFailed };

  // Changes that follow each other within this time count as one.
  static constexpr int kQuietMilliseconds = 100;

  virtual ~FileWatcher() = default;

  // Waits up to `timeout_milliseconds` for a watched file to change, then
  // until no further change has come for kQuietMilliseconds: one kChanged
  // for the burst.  kTimeout when nothing changed or a signal came;
  // kFailed (with error()) when the system stopped telling.
  Event wait(int timeout_milliseconds);
  const std::string& error() const { return error_; }

 protected:
  // One wait of the system's: kChanged when some watched file changed.
  virtual Event next(int timeout_milliseconds) = 0;
  std::string error_;
};

// Watches `paths` (files that need not exist yet, in directories that must);
// null and *error when the system cannot watch one of their directories.
std::unique_ptr<FileWatcher> watch_files(const std::vector<std::string>& paths, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_FILE_WATCHER_H_
