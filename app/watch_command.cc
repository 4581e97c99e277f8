#include "app/watch_command.h"

#include <chrono>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <sstream>

#include "app/exit_status.h"
#include "app/program_message.h"
#include "format/file_names.h"
#include "platform/file_set_writer.h"
#include "platform/overlapping_files.h"
#include "platform/file_watcher.h"
#include "platform/memory_file_system.h"
#include "platform/program_dir.h"
#include "platform/program_handover.h"

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

// The files the build left in `built` (all but the texts), in the order it
// made them.
std::vector<std::string> built_files(const MemoryFileSystem& built) {
  std::vector<std::string> paths;
  for (const std::string& step : built.log) {
    if (step.starts_with("create ")) paths.push_back(step.substr(7));
  }
  return paths;
}

// Writes the files the build left in `built` (all but the texts) to disk as
// one set; false and *error when the old set stayed.
bool write_built_files(const MemoryFileSystem& built, const CompileOptions& options,
                       FileSystem& file_system, std::vector<std::string>* written,
                       std::string* error) {
  if (!file_system.make_directories(options.output_directory, error)) return false;
  FileSetWriter writer(file_system);
  for (const std::string& path : built_files(built)) {
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

// An unreadable text, as a diagnostic of the report.
nlohmann::ordered_json unreadable(const std::string& path, const std::string& error) {
  return {{"diagnostics", nlohmann::ordered_json::array({{{"file", path},
                                                          {"line", nullptr},
                                                          {"column", nullptr},
                                                          {"severity", "error"},
                                                          {"code", nullptr},
                                                          {"name", nullptr},
                                                          {"message", error}}})},
          {"timetable", nlohmann::ordered_json::object()}};
}

// One compile of the texts as they stand now, read once so that the check
// and the build see the same bytes.  Returns the check's exit status.
int compile_once(const CompileOptions& options, const WatchOptions& watch, FileSystem& file_system,
                 std::ostream& out) {
  const auto started = std::chrono::steady_clock::now();
  out << "[" << time_of_day() << "] compiling " << options.line_text << " and "
      << options.train_text << '\n';
  const std::string kept =
      program_message("the files in " + options.output_directory + " are left as they were\n");
  MemoryFileSystem snapshot;
  std::vector<std::string> written;
  nlohmann::ordered_json report;
  const auto tell = [&] {
    if (watch.compiled) watch.compiled(report, snapshot, written);
  };
  std::string error;
  for (const std::string* text : {&options.line_text, &options.train_text}) {
    if (!file_system.read_file(*text, {kMostSourceTextBytes, kSourceTextKind},
                               &snapshot.files[*text], &error)) {
      begin_message(out) << error << '\n' << kept << std::flush;
      report = unreadable(*text, error);
      tell();
      return kExitUsage;
    }
  }
  CompileOptions check = options;
  check.write_files = false;
  check.report = &report;
  const int status = compile_command(check, snapshot, out, &out);
  if (status != kExitClean) {
    out << kept << std::flush;
    tell();
    return status;
  }
  // The same texts again, this time into memory, for the files' bytes.
  std::ostringstream said_again;
  CompileOptions build = options;
  build.write_files = true;
  const bool built = compile_command(build, snapshot, said_again) == kExitClean;
  if (built && !no_input_is_an_output(file_system, {options.line_text, options.train_text},
                                      built_files(snapshot), &error)) {
    begin_message(out) << error << '\n' << kept << std::flush;
    tell();
    return kExitUsage;
  }
  if (!built || !write_built_files(snapshot, options, file_system, &written, &error)) {
    begin_message(out) << error << '\n' << kept << std::flush;
    written.clear();
    tell();
    return kExitNotWritten;
  }
  const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started);
  begin_message(out) << "wrote";
  for (size_t i = 0; i < written.size(); ++i) out << (i == 0 ? " " : ", ") << written[i];
  out << " in " << took.count() << " ms\n" << std::flush;
  tell();
  return kExitClean;
}

}  // namespace

int watch_texts(const WatchOptions& options, FileSystem& file_system, std::ostream& out) {
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
  if (compile_once(compile, options, file_system, out) == kExitUsage) return kExitUsage;
  begin_message(out) << "watching " << compile.line_text << " and " << compile.train_text
                     << " (Ctrl-C ends)\n"
                     << std::flush;
  while (!options.stop()) {
    switch (watcher->wait(kStopCheckMilliseconds)) {
      case FileWatcher::Event::kChanged: compile_once(compile, options, file_system, out); break;
      case FileWatcher::Event::kTimeout: break;
      case FileWatcher::Event::kFailed:
        begin_message(out) << watcher->error() << '\n';
        return kExitNotWritten;
    }
  }
  begin_message(out) << "stopped watching\n";
  return kExitClean;
}

namespace {

#ifdef SB_HAVE_SERVER
// Becomes the server program, which serves the preview and watches; returns
// only when it cannot be started.
int hand_over_to_server(const WatchOptions& options, std::ostream& out) {
  const std::string program = program_directory(nullptr) + "/" + kServerProgramName;
  out << std::flush;
  const HandoverFailure failure = hand_over_to(program, options.command_line);
  if (failure.missing) {
    begin_message(out) << "--serve needs the server program " << program << ", which is missing\n";
  } else {
    begin_message(out) << "cannot start the server program " << program << ": " << failure.reason
                       << '\n';
  }
  return kExitUsage;
}
#endif

}  // namespace

int watch_command(const WatchOptions& options, FileSystem& file_system, std::ostream& out) {
  if (!options.serve) return watch_texts(options, file_system, out);
  if (options.serve_here) return options.serve_here(options, file_system, out);
#ifdef SB_HAVE_SERVER
  return hand_over_to_server(options, out);
#else
  begin_message(out) << "--serve is not available on this platform\n";
  return kExitUsage;
#endif
}

}  // namespace sb
