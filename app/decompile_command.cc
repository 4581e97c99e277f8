#include "app/decompile_command.h"

#include <optional>

#include "app/build_driver.h"
#include "decompile/decompiler.h"
#include "format/file_names.h"
#include "inspect/scenario_decoder.h"
#include "inspect/scenario_locator.h"
#include "util/text.h"
#include "platform/file_set_writer.h"
#include "platform/memory_file_system.h"
#include "platform/program_dir.h"
#include "sources/builtin_scenario.h"

namespace sb {
namespace {

constexpr int kWritten = 0;
constexpr int kBadInput = 2;
constexpr int kNotWritten = 3;

bool cp1252_name(const char* what, const std::string& utf8, std::string* name, std::string* error) {
  if (utf8.empty()) {
    name->clear();
    return true;
  }
  if (!utf8_to_cp1252(utf8, name)) {
    *error = std::string(what) + " \"" + utf8 + "\" has a character Windows-1252 lacks";
    return false;
  }
  return true;
}

std::optional<ScenarioId> choose_scenario(const DecompileOptions& options, FileSystem& file_system,
                                          std::string* error) {
  ScenarioId asked;
  if (!cp1252_name("--scenario", options.scenario_name, &asked.scenario_name, error) ||
      !cp1252_name("--train-number", options.train_number, &asked.train_number, error)) {
    return std::nullopt;
  }
  if (!asked.scenario_name.empty() && !asked.train_number.empty()) return asked;
  std::vector<std::string> names;
  if (!file_system.list_files(options.directory, &names, error)) return std::nullopt;
  return only_scenario(complete_scenarios(names, asked.scenario_name, asked.train_number),
                       options.directory, error);
}

// The three files as read, and decoded.
struct CompiledFiles {
  std::array<std::string, 3> paths;  // trace, records, cells
  std::array<std::string, 3> bytes;
  CompiledScenario scenario;
};

bool read_compiled(FileSystem& file_system, const std::string& directory, const ScenarioId& id,
                   CompiledFiles* files, std::string* error) {
  files->paths = {join_path(directory, line_trace_file_name(id.scenario_name)),
                  join_path(directory, records_file_name(id.scenario_name, id.train_number)),
                  join_path(directory, cells_file_name(id.scenario_name, id.train_number))};
  for (size_t i = 0; i < 3; ++i) {
    if (!file_system.read_file(files->paths[i], &files->bytes[i], error)) return false;
  }
  std::string problem;
  size_t at = 0;
  const bool decoded =
      (at = 1, decode_records(files->bytes[1], &files->scenario.records, &problem)) &&
      (at = 2, decode_cells(files->bytes[2], &files->scenario.cells, &problem)) &&
      (at = 0, decode_line_trace(files->bytes[0], &files->scenario.trace, &problem));
  if (!decoded) *error = files->paths[at] + ": " + problem;
  return decoded;
}

// Compiles the texts in memory as `compile` would and compares the three
// files with those read; false and *error naming the first difference.
bool compiles_back(const CompiledFiles& files, const DecompiledTexts& texts, std::string* error) {
  MemoryFileSystem memory;
  memory.files["l.txt"] = texts.line_text;
  memory.files["t.txt"] = texts.train_text;
  BuildState state;
  state.scenario_name = files.scenario.records[kScenarioRecord].text;
  state.train_number = files.scenario.records[kTrainRecord].text;
  BuildPlan plan;
  plan.texts = {"l.txt", "t.txt", /*delete_after_reading=*/false};
  plan.outputs = {"out_linea.dat", "out.sim", "out.dat"};
  const BuildReport report = memorizza_percorso(state, 1, memory, plan);
  if (exit_status(report) != 0) {
    *error = "the texts recovered from the files do not compile cleanly (error " +
             std::to_string(report.compile_error.code) + "): the files are not those of a clean build";
    return false;
  }
  const std::array<std::string, 3> built = {memory.files[plan.outputs.line_trace],
                                            memory.files[plan.outputs.records],
                                            memory.files[plan.outputs.cells]};
  for (size_t i = 0; i < 3; ++i) {
    if (built[i] == files.bytes[i]) continue;
    size_t at = 0;
    while (at < built[i].size() && at < files.bytes[i].size() && built[i][at] == files.bytes[i][at]) ++at;
    *error = "the texts recovered compile to a " + files.paths[i] + " that differs from byte " +
             std::to_string(at) + " on: the files are not those of a clean build";
    return false;
  }
  return true;
}

}  // namespace

int decompile_command(const DecompileOptions& options, FileSystem& file_system,
                      std::ostream& out, std::ostream& err) {
  std::string error;
  const std::optional<ScenarioId> id = choose_scenario(options, file_system, &error);
  CompiledFiles files;
  if (!id || !read_compiled(file_system, options.directory, *id, &files, &error)) {
    err << "scenario-builder decompile: " << error << "\n";
    return kBadInput;
  }
  DecompiledTexts texts;
  if (!decompile_scenario(files.scenario, &texts, &error) || !compiles_back(files, texts, &error)) {
    err << "scenario-builder decompile: the scenario " << id->scenario_name << "_"
        << id->train_number << " in " << options.directory << ": " << error << "\n";
    return kBadInput;
  }
  if (options.to_stdout) {
    out << cp1252_to_utf8(texts.line_text) << cp1252_to_utf8(texts.train_text);
    return kWritten;
  }
  const std::string directory =
      options.output_directory.empty() ? options.directory : options.output_directory;
  const std::array<std::string, 2> targets = {
      join_path(directory, line_text_name(id->scenario_name)),
      join_path(directory, train_text_name(id->scenario_name, id->train_number))};
  if (!options.force) {
    for (const std::string& target : targets) {
      if (file_system.exists(target)) {
        err << "scenario-builder decompile: " << target
            << " exists: give --force to replace it\n";
        return kBadInput;
      }
    }
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
    return kNotWritten;
  }
  return kWritten;
}

}  // namespace sb
