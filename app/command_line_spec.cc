#include "app/command_line_spec.h"

#include <CLI/CLI.hpp>

namespace sb {
namespace {

// An option's value as the help names it, without the choices that the
// help appends after a ':' ("WHEN:{auto,always,never}" gives "WHEN").
std::string value_name(const CLI::Option& option) {
  const std::string type = option.get_type_name();
  return type.substr(0, type.find(':'));
}

OptionSpec describe_option(const CLI::Option& option, const ValueHints& hints) {
  OptionSpec spec;
  for (const std::string& name : option.get_snames()) spec.names.push_back("-" + name);
  for (const std::string& name : option.get_lnames()) spec.names.push_back("--" + name);
  if (option.get_positional() && !option.nonpositional()) {
    spec.value = option.get_name(true);
  } else if (option.get_type_size_max() > 0) {
    spec.value = value_name(option);
  }
  spec.description = option.get_description();
  spec.required = option.get_required();
  const auto hint = hints.find(&option);
  if (hint != hints.end()) spec.hint = hint->second;
  return spec;
}

CommandSpec describe_command(const CLI::App& command, const ValueHints& hints,
                             const ExtraOptions& extras) {
  CommandSpec spec;
  spec.name = command.get_parent() == nullptr ? "" : command.get_name();
  spec.description = command.get_description();
  for (const CLI::Option* option : command.get_options()) {
    if (option->get_group().empty()) continue;  // hidden
    OptionSpec described = describe_option(*option, hints);
    if (described.names.empty()) {
      spec.positionals.push_back(std::move(described));
    } else {
      spec.options.push_back(std::move(described));
    }
  }
  const auto extra = extras.find(&command);
  if (extra != extras.end()) {
    spec.options.insert(spec.options.end(), extra->second.begin(), extra->second.end());
  }
  return spec;
}

}  // namespace

std::vector<CommandSpec> describe_command_line(const CLI::App& app, const ValueHints& hints,
                                               const ExtraOptions& extras) {
  std::vector<CommandSpec> commands{describe_command(app, hints, extras)};
  for (const CLI::App* command : app.get_subcommands({})) {
    if (command->get_group().empty()) continue;  // hidden
    commands.push_back(describe_command(*command, hints, extras));
  }
  return commands;
}

}  // namespace sb
