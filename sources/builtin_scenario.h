#ifndef SCENARIO_BUILDER_SOURCES_BUILTIN_SCENARIO_H_
#define SCENARIO_BUILDER_SOURCES_BUILTIN_SCENARIO_H_

#include <string>
#include <string_view>
#include <vector>

#include "format/file_names.h"
#include "platform/file_system.h"

namespace sb {

// The one scenario the program carries: the line from Valmira to Lunerio and
// the regional train that runs over it.
inline constexpr char kBuiltinScenarioName[] = "Valmira_Lunerio";
inline constexpr char kBuiltinTrainNumber[] = "37924";

// The line lists of the two source texts, in file order, the end marker
// last: the line text has 236 lines, the train text 63.
const std::vector<std::string_view>& builtin_line_text();
const std::vector<std::string_view>& builtin_train_text();

// Write the line text and the train text of the built-in scenario into
// `directory`, replacing files of the same names.  False and *error (naming
// the file) when a file cannot be written; the old file then stays.
bool dati_linea(FileSystem& fs, const std::string& directory, const std::string& scenario_name,
                std::string* error);
bool dati_treno(FileSystem& fs, const std::string& directory, const std::string& scenario_name,
                const std::string& train_number, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_SOURCES_BUILTIN_SCENARIO_H_
