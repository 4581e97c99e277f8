#include "app/new_command.h"

#include <filesystem>
#include <vector>

#include "app/exit_status.h"
#include "format/scenario_names.h"
#include "platform/file_set_writer.h"
#include "platform/paths.h"
#include "sources/builtin_scenario.h"
#include "starter/starter_scenario.h"
#include "util/shell_word.h"

namespace sb {
namespace {

constexpr char kPrefix[] = "scenario-builder new: ";

struct StarterTexts {
  std::string line_path;
  std::string train_path;
  std::string line_bytes;
  std::string train_bytes;
};

// The two texts and where they go into *texts; false with *error when the
// scenario name or the train number is refused.
bool starter_texts(const NewOptions& options, StarterTexts* texts, std::string* error) {
  std::string name;
  std::string number;
  if (!checked_name("the scenario name", options.scenario_name, false, &name, error) ||
      !checked_name("the train number", options.train_number, true, &number, error)) {
    return false;
  }
  *texts = {
      join_path(options.directory, line_text_name(options.scenario_name)),
      join_path(options.directory, train_text_name(options.scenario_name, options.train_number)),
      starter_line_text(name), starter_train_text(name, number)};
  return true;
}

// Both texts or neither: a failure leaves whatever stood there before.
bool write_both(FileSystem& file_system, const StarterTexts& texts, std::string* error) {
  FileSetWriter files(file_system);
  if (BufferedWriter* line = files.add(texts.line_path)) line->put(texts.line_bytes);
  if (BufferedWriter* train = files.add(texts.train_path)) train->put(texts.train_bytes);
  if (files.commit()) return true;
  *error = files.error();
  return false;
}

// The directories of the path `directory` that do not stand yet, the
// deepest first: those that a failed run removes again.
std::vector<std::string> missing_directories(FileSystem& file_system,
                                             const std::string& directory) {
  std::vector<std::string> missing;
  for (std::filesystem::path path(directory); !path.empty() && !file_system.stands(path.string());
       path = path.parent_path()) {
    missing.push_back(path.string());
  }
  return missing;
}

}  // namespace

int new_command(const NewOptions& options, FileSystem& file_system, std::ostream& out,
                std::ostream& err) {
  std::string error;
  StarterTexts texts;
  if (!starter_texts(options, &texts, &error)) {
    err << kPrefix << error << '\n';
    return kExitUsage;
  }
  if (!options.force) {
    for (const std::string* path : {&texts.line_path, &texts.train_path}) {
      if (file_system.stands(*path)) {
        err << kPrefix << *path
            << " already exists: choose another NAME or N, or give --force to replace it\n";
        return kExitUsage;
      }
    }
  }
  const std::vector<std::string> missing = missing_directories(file_system, options.directory);
  if (!file_system.make_directories(options.directory, &error) ||
      !write_both(file_system, texts, &error)) {
    for (const std::string& directory : missing) file_system.remove_empty_directory(directory);
    err << kPrefix << error << '\n';
    return kExitNotWritten;
  }
  out << "wrote " << texts.line_path << " and " << texts.train_path << "\n"
      << "next: scenario-builder check " << shell_word(texts.line_path) << ' '
      << shell_word(texts.train_path) << '\n';
  return kExitClean;
}

}  // namespace sb
