#include "app/decompile_command.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

#include "app/exit_status.h"
#include "compiler/memorizza_percorso.h"
#include "decompile/approximate_notes.h"
#include "decompile/decompiler.h"
#include "format/file_names.h"
#include "format/scenario_names.h"
#include "inspect/compiled_file.h"
#include "inspect/scenario_decoder.h"
#include "inspect/scenario_locator.h"
#include "platform/file_set_writer.h"
#include "platform/overlapping_files.h"
#include "platform/paths.h"
#include "sources/builtin_scenario.h"
#include "util/text.h"

namespace sb {
namespace {

constexpr int kTraceFile = 0;
constexpr int kRecordsFile = 1;
constexpr int kCellsFile = 2;
// The texts written are the nearest found, not exact (--approximate).
constexpr int kExitInexact = 1;

bool read_compiled(FileSystem& file_system, const std::string& directory, const ScenarioId& id,
                   CompiledFileSet* files, std::string* error) {
  files->paths = {join_path(directory, line_trace_file_name(id.scenario_name)),
                  join_path(directory, records_file_name(id.scenario_name, id.train_number)),
                  join_path(directory, cells_file_name(id.scenario_name, id.train_number))};
  // Untrusted input: none is read beyond the largest file of its kind.
  const FileSizeBounds bounds[3] = {{0, kMostTraceFileBytes, "a line trace file"},
                                    {0, kMostRecordsFileBytes, "a records file"},
                                    {0, kMostCellsFileBytes, "a cells file"}};
  for (size_t i = 0; i < 3; ++i) {
    if (!read_sized_file(file_system, files->paths[i], bounds[i], &files->bytes[i], error)) {
      return false;
    }
  }
  return true;
}

bool decode(const CompiledFileSet& files, CompiledParts* parts, std::string* error) {
  std::string problem;
  if (!decode_records(files.bytes[kRecordsFile], &parts->records, &problem)) {
    *error = files.paths[kRecordsFile] + ": " + problem;
    return false;
  }
  if (!decode_cells(files.bytes[kCellsFile], &parts->cells, &problem)) {
    *error = files.paths[kCellsFile] + ": " + problem;
    return false;
  }
  parts->trace_file = files.bytes[kTraceFile];
  return true;
}

// A file system for a build in memory that reads the two texts and, in
// place of keeping what the build writes, compares it with the files it
// should give, as it comes.
class ComparingFileSystem : public FileSystem {
 public:
  ComparingFileSystem(const DecompiledTexts& texts, const CompiledFileSet& expected)
      : texts_(texts), expected_(expected) {}

  static constexpr char kLineText[] = "line.txt";
  static constexpr char kTrainText[] = "train.txt";
  static ScenarioFileNames outputs() { return {"0", "1", "2"}; }

  bool exists(const std::string& path) override { return path == kLineText || path == kTrainText; }
  bool read_file(const std::string& path, const ReadLimit& /*limit*/, std::string* contents,
                 std::string* error) override {
    if (!exists(path)) {
      *error = "cannot read " + path;
      return false;
    }
    *contents = path == kLineText ? texts_.line_text : texts_.train_text;
    return true;
  }
  bool file_size(const std::string& path, uint64_t* bytes, std::string* error) override {
    std::string contents;
    if (!read_file(path, {}, &contents, error)) return false;
    *bytes = contents.size();
    return true;
  }
  bool remove(const std::string&) override { return true; }
  bool keep_aside(const std::string&, std::string* kept, std::string*) override {
    kept->clear();
    return true;
  }
  bool replace(const std::string&, const std::string&, std::string*) override { return true; }
  std::unique_ptr<DirectoryLock> lock_directory(const std::string&, std::string*) override {
    return std::make_unique<DirectoryLock>();
  }
  std::unique_ptr<OutputFile> create(const std::string& target, std::string* error) override {
    static const std::map<std::string, int> kIndex = {
        {"0", kTraceFile}, {"1", kRecordsFile}, {"2", kCellsFile}};
    const auto it = kIndex.find(target);
    if (it == kIndex.end()) {
      *error = "unexpected output " + target;
      return nullptr;
    }
    return std::make_unique<ComparingFile>(*this, it->second);
  }

  // The first difference, "" when every file compared equal.
  const std::string& difference() const { return difference_; }
  // Whether the records and cells files were written whole.
  bool all_compared() const { return compared_ == 2; }
  // The bytes the build wrote, by file.
  const std::array<std::string, 3>& written() const { return written_; }

 private:
  class ComparingFile : public OutputFile {
   public:
    ComparingFile(ComparingFileSystem& owner, int index) : owner_(owner), index_(index) {}
    bool write(const char* data, size_t size) override {
      owner_.written_[static_cast<size_t>(index_)].append(data, size);
      const std::string& expected = owner_.expected_.bytes[static_cast<size_t>(index_)];
      const size_t common =
          offset_ < expected.size() ? std::min(size, expected.size() - offset_) : 0;
      if (same_ && common > 0 && std::memcmp(expected.data() + offset_, data, common) != 0) {
        size_t at = 0;
        while (expected[offset_ + at] == data[at]) ++at;
        differ_at(offset_ + at);
      } else if (same_ && common < size) {
        differ_at(offset_ + common);
      }
      offset_ += size;
      return true;
    }
    bool finish() override {
      if (finished_) return true;
      finished_ = true;
      if (same_ && offset_ != owner_.expected_.bytes[static_cast<size_t>(index_)].size()) {
        differ_at(offset_);
      }
      ++owner_.compared_;
      return true;
    }
    bool commit() override { return finish(); }
    const std::string& target() const override {
      return owner_.expected_.paths[static_cast<size_t>(index_)];
    }
    const std::string& error() const override { return error_; }

   private:
    void differ_at(size_t at) {
      same_ = false;
      if (owner_.difference_.empty()) {
        owner_.difference_ = owner_.expected_.paths[static_cast<size_t>(index_)] +
                             " that differs from byte " + std::to_string(at) + " on";
      }
    }
    ComparingFileSystem& owner_;
    const int index_;
    size_t offset_ = 0;
    bool same_ = true;
    bool finished_ = false;
    std::string error_;
  };

  const DecompiledTexts& texts_;
  const CompiledFileSet& expected_;
  std::string difference_;
  int compared_ = 0;
  std::array<std::string, 3> written_;
};

// Compiles the texts in memory as `compile` would and compares the records
// and cells files with those read; false and *error naming the first
// difference.  The build leaves the line trace out: the decompiler has
// replayed it row by row with the arithmetic of the build, from the curves
// it gives the text, and checked those curves as the build checks them.
bool compiles_back(const CompiledFileSet& files, const CompiledParts& scenario,
                   const DecompiledTexts& texts, std::string* error, CompiledParts* got) {
  ComparingFileSystem memory(texts, files);
  BuildState state;
  state.scenario_name = scenario.records[kScenarioRecord].text;
  state.train_number = scenario.records[kTrainRecord].text;
  BuildPlan plan;
  plan.texts = {ComparingFileSystem::kLineText, ComparingFileSystem::kTrainText,
                /*delete_after_reading=*/false};
  plan.outputs = ComparingFileSystem::outputs();
  const BuildReport report = memorizza_percorso(state, kWithoutLineTrace, memory, plan);
  if (exit_status(report) != 0 || !memory.all_compared()) {
    const Finding* failure = final_compile_error(report);
    *error = "the texts recovered from the files do not compile cleanly (error " +
             std::to_string(failure != nullptr ? failure->code : 0) +
             "): the files are those of a build that failed, or this scenario could not be "
             "recovered exactly (if compile wrote them without an error, please report it)";
    *got = scenario;
    return false;
  }
  if (!memory.difference().empty()) {
    *error = "this scenario could not be recovered exactly: the texts recovered compile to a " +
             memory.difference() +
             " (unless the files were changed after the build), please report it";
    std::string problem;
    if (!decode_records(memory.written()[kRecordsFile], &got->records, &problem) ||
        !decode_cells(memory.written()[kCellsFile], &got->cells, &problem)) {
      *got = scenario;
    }
    return false;
  }
  return true;
}

// NAME and N follow the rule that compile and new hold them to, whether
// given on the command line or found in the compiled files' names: the
// texts are written under them.
bool options_allowed(const DecompileOptions& options, std::string* error) {
  return (options.scenario_name.empty() ||
          checked_name("--scenario", options.scenario_name, false, nullptr, error)) &&
         (options.train_number.empty() ||
          checked_name("--train-number", options.train_number, true, nullptr, error));
}

bool names_allowed(const std::string& directory, const ScenarioId& id, std::string* error) {
  if (checked_name("the scenario name", cp1252_to_utf8(id.scenario_name), false, nullptr, error) &&
      checked_name("the train number", cp1252_to_utf8(id.train_number), true, nullptr, error)) {
    return true;
  }
  *error = "the compiled files in " + directory + ": " + *error;
  return false;
}

}  // namespace

bool decompile_files(const CompiledFileSet& files, DecompiledTexts* texts, std::string* error,
                     DecompileRun* run) {
  CompiledParts scenario;
  if (!decode(files, &scenario, error)) return false;
  bool files_not_clean = false;
  const bool approximate = run != nullptr && run->approximate;
  if (!decompile_scenario(scenario, texts, error, {approximate, &files_not_clean})) {
    if (!files_not_clean) {
      *error = "this scenario could not be recovered exactly: " + *error + ", please report it";
    }
    return false;
  }
  CompiledParts got;
  if (compiles_back(files, scenario, *texts, error, &got)) return true;
  if (!approximate) return false;
  note_differing_entries(scenario.records, scenario.cells, got.records, got.cells, texts);
  run->inexact = true;
  return true;
}

int decompile_command(const DecompileOptions& options, FileSystem& file_system, std::ostream& out,
                      std::ostream& err) {
  std::string error;
  ScenarioId id;
  CompiledFileSet files;
  if (!options_allowed(options, &error) ||
      !choose_scenario(file_system, options.directory, options.scenario_name, options.train_number,
                       &id, &error) ||
      !names_allowed(options.directory, id, &error) ||
      !read_compiled(file_system, options.directory, id, &files, &error)) {
    err << "scenario-builder decompile: " << error << "\n";
    return kExitUsage;
  }
  DecompiledTexts texts;
  DecompileRun run;
  run.approximate = options.approximate;
  const std::string scenario = "scenario-builder decompile: the scenario " + id.scenario_name +
                               "_" + id.train_number + " in " + options.directory + ": ";
  if (!decompile_files(files, &texts, &error, &run)) {
    err << scenario << error;
    if (!options.approximate && error.find("recovered exactly") != std::string::npos) {
      err << " (--approximate writes the nearest texts)";
    }
    err << "\n";
    return kExitUsage;
  }
  if (run.inexact) {
    err << scenario << error
        << "; the texts are the nearest found, with a comment before each entry that does not "
           "give its cells back\n";
  }
  if (options.to_stdout) {
    // Each text under a line that names the file it would be written to.
    out << "==> " << line_text_name(id.scenario_name) << " <==\n"
        << cp1252_to_utf8(texts.line_text) << "==> "
        << train_text_name(id.scenario_name, id.train_number) << " <==\n"
        << cp1252_to_utf8(texts.train_text);
    return run.inexact ? kExitInexact : kExitClean;
  }
  const std::string directory =
      options.output_directory.empty() ? options.directory : options.output_directory;
  const std::array<std::string, 2> targets = {
      join_path(directory, line_text_name(id.scenario_name)),
      join_path(directory, train_text_name(id.scenario_name, id.train_number))};
  if (!no_input_is_an_output(file_system, {files.paths.begin(), files.paths.end()},
                             {targets.begin(), targets.end()}, &error)) {
    err << "scenario-builder decompile: " << error << ": nothing written\n";
    return kExitUsage;
  }
  if (!options.force) {
    for (const std::string& target : targets) {
      if (file_system.stands(target)) {
        err << "scenario-builder decompile: " << target << " exists: give --force to replace it\n";
        return kExitUsage;
      }
    }
  }
  if (!file_system.make_directories(directory, &error)) {
    err << "scenario-builder decompile: " << error << "\n";
    return kExitNotWritten;
  }
  FileSetWriter writer(file_system);
  const std::array<const std::string*, 2> contents = {&texts.line_text, &texts.train_text};
  for (size_t i = 0; i < 2; ++i) {
    BufferedWriter* file = writer.add(targets[i], contents[i]->size());
    if (file == nullptr) break;
    file->put(*contents[i]);
  }
  if (!writer.commit()) {
    err << "scenario-builder decompile: " << writer.error() << "\n";
    return kExitNotWritten;
  }
  err << "scenario-builder decompile: wrote " << targets[0] << " and " << targets[1] << "\n";
  return run.inexact ? kExitInexact : kExitClean;
}

}  // namespace sb
