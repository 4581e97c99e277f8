#ifndef SCENARIO_BUILDER_LSP_TEXT_NAMES_H_
#define SCENARIO_BUILDER_LSP_TEXT_NAMES_H_

#include <string>
#include <utility>

namespace sb {

// What a source text's file name makes it: the line text NAME_linea.txt or
// a train text NAME_N-.txt, and the folder it stands in.
struct TextName {
  enum class Kind { kOther, kLine, kTrain };
  Kind kind = Kind::kOther;
  std::string directory;  // with no separator at its end
  std::string scenario;   // NAME
  std::string train;      // N, for a train text
};

TextName text_name_of(const std::string& path);

// The texts that belong together: a folder and a NAME.
using GroupKey = std::pair<std::string, std::string>;
inline GroupKey group_of(const TextName& name) { return {name.directory, name.scenario}; }

std::string line_text_path(const GroupKey& group);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_TEXT_NAMES_H_
