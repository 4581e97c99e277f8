#include "sources/builtin_scenario.h"

#include "platform/paths.h"
#include "sources/line_list_writer.h"

namespace sb {

bool dati_linea(FileSystem& fs, const std::string& directory, const std::string& scenario_name,
                std::string* error) {
  return write_line_list(fs, join_path(directory, line_text_name(scenario_name)),
                         builtin_line_text(), error);
}

bool dati_treno(FileSystem& fs, const std::string& directory, const std::string& scenario_name,
                const std::string& train_number, std::string* error) {
  return write_line_list(fs, join_path(directory, train_text_name(scenario_name, train_number)),
                         builtin_train_text(), error);
}

}  // namespace sb
