#include "app/watch_command.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include "app/exit_status.h"
#include "app/program_message.h"
#include "platform/file_set_writer.h"
#include "platform/file_watcher.h"
#include "platform/memory_file_system.h"

namespace sb {
namespace {

// How often the watch looks whether it should stop.
constexpr int kStopCheckMilliseconds = 200;

std::string time_of_day() {
  const std::time_t now = std::time(nullptr);
  std::ostringstream text;
  text << std::put_time(std::localtime(&now), "%H:%M:%S");  // NOLINT(concurrency-mt-unsafe)
  return text.str();
}

// Writes the files the build left in `built` (all but the texts) to disk as
// one set; false and *error when the old set stayed.
bool write_built_files(const MemoryFileSystem& built, const CompileOptions& options,
                       FileSystem& file_system, std::vector<std::string>* written,
                       std::string* error) {
  if (!file_system.make_directories(options.output_directory, error)) return false;
  FileSetWriter writer(file_system);
  // In the order the build made them.
  for (const std::string& step : built.log) {
    if (!step.starts_with("create ")) continue;
    const std::string path = step.substr(7);
    const std::string& bytes = built.files.at(path);
    BufferedWriter* file = writer.add(path, bytes.size());
    if (file == nullptr) {
      *error = writer.error();
      return false;
    }
    file->put(bytes);
    written->push_back(path);
  }
  if (!writer.commit()) {
    *error = writer.error();
    return false;
  }
  return true;
}

// One compile of the texts as they stand now, read once so that the check
// and the build see the same bytes.  Returns the check's exit status.
int compile_once(const CompileOptions& options, FileSystem& file_system, std::ostream& out) {
  const auto started = std::chrono::steady_clock::now();
  out << "[" << time_of_day() << "] compiling " << options.line_text << " and "
      << options.train_text << '\n';
  const std::string kept =
      program_message("the files in " + options.output_directory + " are left as they were\n");
  MemoryFileSystem snapshot;
  std::string error;
  if (!file_system.read_file(options.line_text, &snapshot.files[options.line_text], &error) ||
      !file_system.read_file(options.train_text, &snapshot.files[options.train_text], &error)) {
    begin_message(out) << error << '\n' << kept << std::flush;
    return kExitUsage;
  }
  CompileOptions check = options;
  check.write_files = false;
  const int status = compile_command(check, snapshot, out, &out);
  if (status != kExitClean) {
    out << kept << std::flush;
    return status;
  }
  // The same texts again, this time into memory, for the files' bytes.
  std::ostringstream said_again;
  CompileOptions build = options;
  build.write_files = true;
  std::vector<std::string> written;
  if (compile_command(build, snapshot, said_again) != kExitClean ||
      !write_built_files(snapshot, options, file_system, &written, &error)) {
    begin_message(out) << error << '\n' << kept << std::flush;
    return kExitNotWritten;
  }
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started);
  begin_message(out) << "wrote";
  for (size_t i = 0; i < written.size(); ++i) out << (i == 0 ? " " : ", ") << written[i];
  out << " in " << took.count() << " ms\n" << std::flush;
  return kExitClean;
}

}  // namespace

int watch_command(const WatchOptions& options, FileSystem& file_system, std::ostream& out) {
  CompileOptions compile = options.compile;
  if (compile.output_directory.empty()) {
    compile.output_directory = std::filesystem::path(compile.line_text).parent_path().string();
    if (compile.output_directory.empty()) compile.output_directory = ".";
  }
  // Watching starts before the first compile, so that no edit made
  // meanwhile goes unseen.
  std::string error;
  const std::unique_ptr<FileWatcher> watcher =
      watch_files({compile.line_text, compile.train_text}, &error);
  if (!watcher) {
    begin_message(out) << error << '\n';
    return kExitUsage;
  }
  if (compile_once(compile, file_system, out) == kExitUsage) return kExitUsage;
  begin_message(out) << "watching " << compile.line_text << " and " << compile.train_text
                     << " (Ctrl-C ends)\n"
                     << std::flush;
  while (!options.stop()) {
    switch (watcher->wait(kStopCheckMilliseconds)) {
      case FileWatcher::Event::kChanged: compile_once(compile, file_system, out); break;
      case FileWatcher::Event::kTimeout: break;
      case FileWatcher::Event::kFailed:
        begin_message(out) << watcher->error() << '\n';
        return kExitNotWritten;
    }
  }
  begin_message(out) << "stopped watching\n";
  return kExitClean;
}

}  // namespace sb
