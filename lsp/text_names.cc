#include "lsp/text_names.h"

#include <filesystem>

#include "format/file_names.h"
#include "format/scenario_names.h"

namespace sb {

TextName text_name_of(const std::string& path) {
  const std::filesystem::path file(path);
  TextName name;
  name.directory = file.parent_path().generic_string();
  const std::string base = file.filename().string();
  if (const auto scenario = scenario_name_from_line_text(base)) {
    name.kind = TextName::Kind::kLine;
    name.scenario = *scenario;
    return name;
  }
  // NAME_N-.txt: N is what follows the last underscore.
  const size_t underscore = base.rfind('_');
  if (underscore == std::string::npos || underscore == 0) return name;
  const std::string scenario = base.substr(0, underscore);
  if (const auto train = train_number_from_train_text(base, scenario)) {
    name.kind = TextName::Kind::kTrain;
    name.scenario = scenario;
    name.train = *train;
  }
  return name;
}

std::string line_text_path(const GroupKey& group) {
  return (std::filesystem::path(group.first) / line_text_name(group.second)).generic_string();
}

}  // namespace sb
