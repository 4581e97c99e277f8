#ifndef SCENARIO_BUILDER_INSPECT_SCENARIO_LOCATOR_H_
#define SCENARIO_BUILDER_INSPECT_SCENARIO_LOCATOR_H_

#include <string>
#include <vector>

namespace sb {

class FileSystem;

// A compiled scenario's identity: NAME and N of NAME_linea.dat, NAME_N.sim
// and NAME_N.dat (Windows-1252 bytes, as in the file names).
struct ScenarioId {
  std::string scenario_name;
  std::string train_number;

  bool operator==(const ScenarioId&) const = default;
};

// The scenarios whose three files all stand among `file_names`, sorted.
// A name given in `scenario_name` or `train_number` keeps only the
// scenarios that have it.
std::vector<ScenarioId> complete_scenarios(const std::vector<std::string>& file_names,
                                           const std::string& scenario_name,
                                           const std::string& train_number);

// Sets *scenario to the one scenario of the list; false and *error, with
// *scenario as it was, when there is none or more than one.  `directory`
// only serves the message.
bool only_scenario(const std::vector<ScenarioId>& scenarios, const std::string& directory,
                   ScenarioId* scenario, std::string* error);

// Sets *scenario to the one that the options --scenario and --train-number
// (UTF-8, empty when not given) name in `directory`: both names as given,
// else the one scenario there that has the names given.  False and *error,
// with *scenario as it was, when a name has a character Windows-1252 lacks,
// the directory cannot be listed, or there is no such scenario or more than
// one.
bool choose_scenario(FileSystem& file_system, const std::string& directory,
                     const std::string& scenario_name_utf8, const std::string& train_number_utf8,
                     ScenarioId* scenario, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_INSPECT_SCENARIO_LOCATOR_H_
