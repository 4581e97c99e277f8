#ifndef SCENARIO_BUILDER_APP_COMMAND_LINE_OUTLINE_H_
#define SCENARIO_BUILDER_APP_COMMAND_LINE_OUTLINE_H_

#include <map>
#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace sb {

// What a shell offers for the value of an option or a positional.
struct ValueHint {
  enum class Kind {
    kWord,       // anything: nothing to offer
    kChoice,     // one of `words`
    kFile,       // a file matching `pattern` ("*_linea.txt"; empty: any file)
    kDirectory,  // a directory
    kGlued,      // the option's name with one of `words` glued on (-Wno-NAME)
  };
  Kind kind = Kind::kWord;
  std::vector<std::string> words;
  std::string pattern;
};

// One option or positional of a command, as its help describes it.
struct OptionOutline {
  std::vector<std::string> names;  // "-o", "--output"; empty for a positional
  std::string value;               // "DIR", the positional's "LINE"; empty for a flag
  std::string description;
  bool required = false;
  ValueHint hint;
};

// The program ("" as name) or one of its subcommands.
struct CommandOutline {
  std::string name;
  std::string description;
  std::vector<OptionOutline> options;      // in the order of the help
  std::vector<OptionOutline> positionals;  // in the order they are given
};

// Hints for values, by the option they belong to.
using ValueHints = std::map<const CLI::Option*, ValueHint>;
// Options a command reads outside the parser (-Wno-NAME), by command.
using ExtraOptions = std::map<const CLI::App*, std::vector<OptionOutline>>;

// The program and then its visible subcommands, each with its visible
// options: what --help shows, read from the same definitions, for the man
// page and the shell completions.
std::vector<CommandOutline> describe_command_line(const CLI::App& app, const ValueHints& hints,
                                                  const ExtraOptions& extras);

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_COMMAND_LINE_OUTLINE_H_
