#include "app/command_line_outline.h"

#include <CLI/CLI.hpp>

namespace sb {
namespace {

// An option's value as the help names it, without the choices that the
// help appends after a ':' ("WHEN:{auto,always,never}" gives "WHEN").
std::string value_name(const CLI::Option& option) {
  const std::string type = option.get_type_name();
  return type.substr(0, type.find(':'));
}

OptionOutline describe_option(const CLI::Option& option, const ValueHints& hints) {
  OptionOutline outline;
  for (const std::string& name : option.get_snames()) outline.names.push_back("-" + name);
  for (const std::string& name : option.get_lnames()) outline.names.push_back("--" + name);
  if (option.get_positional() && !option.nonpositional()) {
    outline.value = option.get_name(true);
  } else if (option.get_type_size_max() > 0) {
    outline.value = value_name(option);
  }
  outline.description = option.get_description();
  outline.required = option.get_required();
  const auto hint = hints.find(&option);
  if (hint != hints.end()) outline.hint = hint->second;
  return outline;
}

CommandOutline describe_command(const CLI::App& command, const ValueHints& hints,
                                const ExtraOptions& extras) {
  CommandOutline outline;
  outline.name = command.get_parent() == nullptr ? "" : command.get_name();
  outline.description = command.get_description();
  for (const CLI::Option* option : command.get_options()) {
    if (option->get_group().empty()) continue;  // hidden
    OptionOutline described = describe_option(*option, hints);
    if (described.names.empty()) {
      outline.positionals.push_back(std::move(described));
    } else {
      outline.options.push_back(std::move(described));
    }
  }
  const auto extra = extras.find(&command);
  if (extra != extras.end()) {
    outline.options.insert(outline.options.end(), extra->second.begin(), extra->second.end());
  }
  return outline;
}

}  // namespace

std::vector<CommandOutline> describe_command_line(const CLI::App& app, const ValueHints& hints,
                                                  const ExtraOptions& extras) {
  std::vector<CommandOutline> commands{describe_command(app, hints, extras)};
  for (const CLI::App* command : app.get_subcommands({})) {
    if (command->get_group().empty()) continue;  // hidden
    commands.push_back(describe_command(*command, hints, extras));
  }
  return commands;
}

}  // namespace sb
