#include "inspect/scenario_locator.h"

#include <algorithm>
#include <set>

#include "format/file_names.h"
#include "platform/file_system.h"
#include "util/text.h"

namespace sb {
namespace {

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

bool ends_with(const std::string& text, std::string_view suffix) {
  return text.size() > suffix.size() &&
         text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

std::vector<ScenarioId> complete_scenarios(const std::vector<std::string>& file_names,
                                           const std::string& scenario_name,
                                           const std::string& train_number) {
  const std::set<std::string> present(file_names.begin(), file_names.end());
  std::set<std::pair<std::string, std::string>> found;
  for (const std::string& name : file_names) {
    if (!ends_with(name, kRecordsSuffix)) continue;
    const std::string stem = name.substr(0, name.size() - kRecordsSuffix.size());
    if (present.count(stem + std::string(kCellsSuffix)) == 0) continue;
    // NAME and N may both hold underscores: every split whose line trace
    // file is there names a scenario.
    for (size_t cut = stem.find('_'); cut != std::string::npos; cut = stem.find('_', cut + 1)) {
      const std::string scenario = stem.substr(0, cut);
      const std::string train = stem.substr(cut + 1);
      if (scenario.empty() || train.empty()) continue;
      if (present.count(scenario + std::string(kLineTraceSuffix)) == 0) continue;
      if (!scenario_name.empty() && scenario != scenario_name) continue;
      if (!train_number.empty() && train != train_number) continue;
      found.emplace(scenario, train);
    }
  }
  std::vector<ScenarioId> scenarios;
  for (const auto& [scenario, train] : found) scenarios.push_back({scenario, train});
  return scenarios;
}

bool only_scenario(const std::vector<ScenarioId>& scenarios, const std::string& directory,
                   ScenarioId* scenario, std::string* error) {
  if (scenarios.size() == 1) {
    *scenario = scenarios.front();
    return true;
  }
  if (scenarios.empty()) {
    *error = "no compiled scenario in " + directory +
             ": it needs NAME_linea.dat, NAME_N.sim and NAME_N.dat side by side";
    return false;
  }
  std::string list;
  for (const ScenarioId& id : scenarios) {
    if (!list.empty()) list += ", ";
    list += id.scenario_name + " " + id.train_number;
  }
  *error = directory + " holds " + std::to_string(scenarios.size()) + " compiled scenarios (" +
           list + "): choose one with --scenario and --train-number";
  return false;
}

bool choose_scenario(FileSystem& file_system, const std::string& directory,
                     const std::string& scenario_name_utf8, const std::string& train_number_utf8,
                     ScenarioId* scenario, std::string* error) {
  ScenarioId asked;
  if (!cp1252_name("--scenario", scenario_name_utf8, &asked.scenario_name, error) ||
      !cp1252_name("--train-number", train_number_utf8, &asked.train_number, error)) {
    return false;
  }
  if (!asked.scenario_name.empty() && !asked.train_number.empty()) {
    *scenario = asked;
    return true;
  }
  std::vector<std::string> names;
  return file_system.list_files(directory, &names, error) &&
         only_scenario(complete_scenarios(names, asked.scenario_name, asked.train_number),
                       directory, scenario, error);
}

}  // namespace sb
