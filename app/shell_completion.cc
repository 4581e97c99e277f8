#include "app/shell_completion.h"

#include <string_view>

namespace sb {
namespace {

using Kind = ValueHint::Kind;

// ---- Shared -------------------------------------------------------------

// Text in single quotes for bash and zsh.
std::string sh_quoted(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string joined(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += (text.empty() ? "" : " ") + word;
  return text;
}

// The words a command line gives an option: its names, or for a glued option
// its name with each of its words.
std::vector<std::string> option_words(const OptionOutline& option) {
  if (option.hint.kind != Kind::kGlued) return option.names;
  std::vector<std::string> words;
  for (const std::string& name : option.names) {
    for (const std::string& word : option.hint.words) words.push_back(name + word);
  }
  return words;
}

bool takes_value(const OptionOutline& option) {
  return !option.value.empty() && option.hint.kind != Kind::kGlued;
}

std::vector<std::string> subcommand_names(const std::vector<CommandOutline>& commands) {
  std::vector<std::string> names;
  for (size_t i = 1; i < commands.size(); ++i) names.push_back(commands[i].name);
  return names;
}

// ---- bash ---------------------------------------------------------------

std::string bash_completer(const ValueHint& hint) {
  switch (hint.kind) {
    case Kind::kChoice: return "_scenario_builder_words " + sh_quoted(joined(hint.words));
    case Kind::kFile: return "_scenario_builder_files " + sh_quoted(hint.pattern);
    case Kind::kDirectory: return "_scenario_builder_directories";
    case Kind::kWord:
    case Kind::kGlued: break;
  }
  return "COMPREPLY=()";
}

// "'compile -o'|'compile --output'": the case pattern of an option's names.
std::string bash_pattern(const CommandOutline& command, const OptionOutline& option) {
  std::string pattern;
  for (const std::string& name : option.names) {
    pattern += (pattern.empty() ? "" : "|") + sh_quoted(command.name + " " + name);
  }
  return pattern;
}

std::string bash_script(const std::vector<CommandOutline>& commands) {
  std::string options, valued, values, positionals;
  for (const CommandOutline& command : commands) {
    std::vector<std::string> words;
    for (const OptionOutline& option : command.options) {
      for (const std::string& word : option_words(option)) words.push_back(word);
      if (!takes_value(option)) continue;
      valued += "    " + bash_pattern(command, option) + ") return 0 ;;\n";
      values +=
          "    " + bash_pattern(command, option) + ") " + bash_completer(option.hint) + " ;;\n";
    }
    options += "    " + sh_quoted(command.name) + ") echo " + sh_quoted(joined(words)) + " ;;\n";
    for (size_t i = 0; i < command.positionals.size(); ++i) {
      positionals += "    " + sh_quoted(command.name + " " + std::to_string(i)) + ") " +
                     bash_completer(command.positionals[i].hint) + " ;;\n";
    }
  }
  positionals = "    ' 0') _scenario_builder_words " +
                sh_quoted(joined(subcommand_names(commands))) + " ;;\n" + positionals;
  return "# bash completion for scenario-builder:\n"
         "#   source <(scenario-builder completion bash)\n"
         "\n"
         "# The options of command $1 ('' for the program itself).\n"
         "_scenario_builder_options() {\n"
         "  case $1 in\n" +
         options +
         "  esac\n"
         "}\n"
         "\n"
         "# True when option $2 of command $1 takes a value.\n"
         "_scenario_builder_valued() {\n"
         "  case \"$1 $2\" in\n" +
         valued +
         "  esac\n"
         "  return 1\n"
         "}\n"
         "\n"
         "# Completes the value of option $2 of command $1.\n"
         "_scenario_builder_value() {\n"
         "  case \"$1 $2\" in\n" +
         values +
         "    *) COMPREPLY=() ;;\n"
         "  esac\n"
         "}\n"
         "\n"
         "# Completes positional $2 (from 0) of command $1; of the program, the command.\n"
         "_scenario_builder_positional() {\n"
         "  case \"$1 $2\" in\n" +
         positionals +
         "    *) COMPREPLY=() ;;\n"
         "  esac\n"
         "}\n"
         "\n"
         "_scenario_builder_words() {\n"
         "  COMPREPLY=($(compgen -W \"$1\" -- \"$cur\"))\n"
         "}\n"
         "\n"
         "_scenario_builder_directories() {\n"
         "  compopt -o filenames 2> /dev/null\n"
         "  local IFS=$'\\n'\n"
         "  COMPREPLY=($(compgen -d -- \"$cur\"))\n"
         "}\n"
         "\n"
         "# Files matching $1 (any file when empty), and directories to reach them.\n"
         "_scenario_builder_files() {\n"
         "  compopt -o filenames 2> /dev/null\n"
         "  local IFS=$'\\n'\n"
         "  if [[ -z $1 ]]; then\n"
         "    COMPREPLY=($(compgen -f -- \"$cur\"))\n"
         "  else\n"
         "    COMPREPLY=($(compgen -d -- \"$cur\"; compgen -f -X \"!$1\" -- \"$cur\"))\n"
         "  fi\n"
         "}\n"
         "\n"
         "_scenario_builder() {\n"
         "  local cur=${COMP_WORDS[COMP_CWORD]} command= value_of= word at\n"
         "  local -i i=1 n=0\n"
         "  while ((i < COMP_CWORD)); do\n"
         "    word=${COMP_WORDS[i]}\n"
         "    if [[ $word == -* ]]; then\n"
         "      if _scenario_builder_valued \"$command\" \"$word\"; then\n"
         "        # The value follows as the next word, or after an '=' word.\n"
         "        at=$((i + 1))\n"
         "        if ((at == COMP_CWORD)) && [[ $cur == = ]]; then\n"
         "          cur= value_of=$word\n"
         "          break\n"
         "        fi\n"
         "        [[ ${COMP_WORDS[at]} == = ]] && at+=1\n"
         "        if ((at == COMP_CWORD)); then\n"
         "          value_of=$word\n"
         "          break\n"
         "        fi\n"
         "        i=$at\n"
         "      fi\n"
         "    elif [[ -z $command ]]; then\n"
         "      command=$word\n"
         "    else\n"
         "      n+=1\n"
         "    fi\n"
         "    i+=1\n"
         "  done\n"
         "  if [[ -n $value_of ]]; then\n"
         "    _scenario_builder_value \"$command\" \"$value_of\"\n"
         "  elif [[ $cur == -* ]]; then\n"
         "    _scenario_builder_words \"$(_scenario_builder_options \"$command\")\"\n"
         "  else\n"
         "    _scenario_builder_positional \"$command\" \"$n\"\n"
         "  fi\n"
         "}\n"
         "\n"
         "complete -F _scenario_builder scenario-builder\n";
}

// ---- zsh ----------------------------------------------------------------

// A description inside an _arguments item's brackets.
std::string zsh_bracketed(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '[' || c == ']' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

// A message or value name between an _arguments item's colons.
std::string zsh_colon_free(std::string_view text) {
  std::string escaped;
  for (const char c : text) {
    if (c == ':' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return escaped;
}

std::string zsh_action(const ValueHint& hint) {
  switch (hint.kind) {
    case Kind::kChoice: return "(" + joined(hint.words) + ")";
    case Kind::kFile: return hint.pattern.empty() ? "_files" : "_files -g \"" + hint.pattern + "\"";
    case Kind::kDirectory: return "_files -/";
    case Kind::kWord:
    case Kind::kGlued: break;
  }
  return " ";
}

// The _arguments specs of one option, each a shell word.
std::vector<std::string> zsh_option_specs(const OptionOutline& option) {
  const std::string described = "[" + zsh_bracketed(option.description) + "]";
  if (option.hint.kind == Kind::kGlued) {
    std::vector<std::string> specs;
    for (const std::string& word : option_words(option)) {
      std::string item = "*" + word;
      item += described;
      specs.push_back(sh_quoted(item));
    }
    return specs;
  }
  std::string exclusive;
  if (option.names.size() > 1) exclusive = "(" + joined(option.names) + ")";
  const std::string argument =
      takes_value(option) ? ":" + zsh_colon_free(option.value) + ":" + zsh_action(option.hint) : "";
  std::vector<std::string> specs;
  for (const std::string& name : option.names) {
    const bool is_long = name.starts_with("--");
    const std::string form = !takes_value(option) ? "" : is_long ? "=" : "+";
    std::string item = exclusive + name;
    item += form;
    item += described;
    item += argument;
    specs.push_back(sh_quoted(item));
  }
  return specs;
}

std::vector<std::string> zsh_specs(const CommandOutline& command) {
  std::vector<std::string> specs;
  for (const OptionOutline& option : command.options) {
    for (std::string& item : zsh_option_specs(option)) specs.push_back(std::move(item));
  }
  for (size_t i = 0; i < command.positionals.size(); ++i) {
    const OptionOutline& positional = command.positionals[i];
    specs.push_back(sh_quoted(std::to_string(i + 1) + ":" + zsh_colon_free(positional.value) + ":" +
                              zsh_action(positional.hint)));
  }
  return specs;
}

std::string zsh_arguments(const std::vector<std::string>& specs, std::string_view indent) {
  std::string text;
  for (const std::string& item : specs) text += " \\\n" + std::string(indent) + item;
  return text;
}

std::string zsh_script(const std::vector<CommandOutline>& commands) {
  std::string described;
  for (size_t i = 1; i < commands.size(); ++i) {
    described +=
        "    " + sh_quoted(zsh_colon_free(commands[i].name) + ":" + commands[i].description) + "\n";
  }
  std::string per_command;
  for (size_t i = 1; i < commands.size(); ++i) {
    per_command += "        (" + commands[i].name + ")\n          _arguments -s" +
                   zsh_arguments(zsh_specs(commands[i]), "            ") + "\n          ;;\n";
  }
  return "#compdef scenario-builder\n"
         "# zsh completion for scenario-builder: put it on $fpath as _scenario-builder, or\n"
         "#   source <(scenario-builder completion zsh)\n"
         "\n"
         "_scenario-builder() {\n"
         "  local curcontext=$curcontext state state_descr line\n"
         "  typeset -A opt_args\n"
         "  local -a commands\n"
         "  commands=(\n" +
         described +
         "  )\n"
         "  _arguments -C" +
         zsh_arguments(zsh_specs(commands.front()), "    ") +
         " \\\n"
         "    '1: :->command' \\\n"
         "    '*:: :->argument' && return\n"
         "  case $state in\n"
         "    (command)\n"
         "      _describe -t commands 'scenario-builder command' commands\n"
         "      ;;\n"
         "    (argument)\n"
         "      curcontext=${curcontext%:*:*}:scenario-builder-$words[1]:\n"
         "      case $words[1] in\n" +
         per_command +
         "      esac\n"
         "      ;;\n"
         "  esac\n"
         "}\n"
         "\n"
         "if [[ $zsh_eval_context[-1] == loadautofunc ]]; then\n"
         "  _scenario-builder \"$@\"\n"
         "else\n"
         "  compdef _scenario-builder scenario-builder\n"
         "fi\n";
}

// ---- fish ---------------------------------------------------------------

std::string fish_quoted(std::string_view text) {
  std::string quoted = "'";
  for (const char c : text) {
    if (c == '\'' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "'";
}

// The command's name in the helpers: "_" for the program itself.
std::string fish_command(const CommandOutline& command) {
  return command.name.empty() ? "_" : command.name;
}

// The arguments of `complete` that offer a value of this kind.
std::string fish_values(const ValueHint& hint) {
  switch (hint.kind) {
    case Kind::kChoice: return " -x -a " + fish_quoted(joined(hint.words));
    case Kind::kFile:
      if (hint.pattern.empty()) return " -r -F";
      return " -x -a " + fish_quoted("(__scenario_builder_files '" + hint.pattern + "')");
    case Kind::kDirectory: return " -x -a '(__fish_complete_directories)'";
    case Kind::kWord:
    case Kind::kGlued: break;
  }
  return " -x";
}

std::string fish_option(const CommandOutline& command, const OptionOutline& option) {
  const std::string head = "complete -c scenario-builder -n " +
                           fish_quoted("__scenario_builder_in " + fish_command(command));
  const std::string description = " -d " + fish_quoted(option.description);
  if (option.hint.kind == Kind::kGlued) {
    std::string lines;
    for (const std::string& word : option_words(option)) {
      lines += head;
      lines += " -o ";
      lines += fish_quoted(word.substr(1));
      lines += description;
      lines += "\n";
    }
    return lines;
  }
  std::string line = head;
  for (const std::string& name : option.names) {
    const bool is_long = name.starts_with("--");
    line += (is_long ? " -l " : " -s ") + fish_quoted(name.substr(is_long ? 2 : 1));
  }
  if (takes_value(option)) line += fish_values(option.hint);
  return line + description + "\n";
}

std::string fish_script(const std::vector<CommandOutline>& commands) {
  std::string valued;
  std::string lines;
  for (const CommandOutline& command : commands) {
    for (const OptionOutline& option : command.options) {
      lines += fish_option(command, option);
      if (!takes_value(option)) continue;
      for (const std::string& name : option.names) {
        valued += " " + fish_quoted(fish_command(command) + " " + name);
      }
    }
    for (size_t i = 0; i < command.positionals.size(); ++i) {
      const OptionOutline& positional = command.positionals[i];
      lines +=
          "complete -c scenario-builder -n " +
          fish_quoted("__scenario_builder_at " + fish_command(command) + " " + std::to_string(i)) +
          fish_values(positional.hint) + " -d " + fish_quoted(positional.description) + "\n";
    }
  }
  for (size_t i = 1; i < commands.size(); ++i) {
    lines += "complete -c scenario-builder -n '__scenario_builder_at _ 0' -a " +
             fish_quoted(commands[i].name) + " -d " + fish_quoted(commands[i].description) + "\n";
  }
  return "# fish completion for scenario-builder:\n"
         "#   scenario-builder completion fish | source\n"
         "\n"
         "# True when option $argv[2] of command $argv[1] (_ for the program) takes a value.\n"
         "function __scenario_builder_valued\n"
         "    contains -- \"$argv[1] $argv[2]\"" +
         valued +
         "\n"
         "end\n"
         "\n"
         "# The command given so far (_ for none) and the count of its positionals.\n"
         "function __scenario_builder_state\n"
         "    set -l command _\n"
         "    set -l count 0\n"
         "    set -l skip 0\n"
         "    for word in (commandline -opc)[2..-1]\n"
         "        if test $skip -eq 1\n"
         "            set skip 0\n"
         "        else if string match -q -- '-*' $word\n"
         "            __scenario_builder_valued $command $word; and set skip 1\n"
         "        else if test $command = _\n"
         "            set command $word\n"
         "        else\n"
         "            set count (math $count + 1)\n"
         "        end\n"
         "    end\n"
         "    echo $command\n"
         "    echo $count\n"
         "end\n"
         "\n"
         "# True within command $argv[1].\n"
         "function __scenario_builder_in\n"
         "    set -l state (__scenario_builder_state)\n"
         "    test $state[1] = $argv[1]\n"
         "end\n"
         "\n"
         "# True when the word completed is positional $argv[2] (from 0) of command $argv[1].\n"
         "function __scenario_builder_at\n"
         "    set -l state (__scenario_builder_state)\n"
         "    test $state[1] = $argv[1]; and test $state[2] = $argv[2]\n"
         "end\n"
         "\n"
         "# The files matching $argv[1] and the directories to reach them.\n"
         "function __scenario_builder_files\n"
         "    for path in (commandline -ct)*\n"
         "        if test -d $path\n"
         "            echo $path/\n"
         "        else if string match -q -- $argv[1] $path\n"
         "            echo $path\n"
         "        end\n"
         "    end\n"
         "end\n"
         "\n"
         "complete -c scenario-builder -f\n" +
         lines;
}

}  // namespace

std::string completion_script(Shell shell, const std::vector<CommandOutline>& commands) {
  switch (shell) {
    case Shell::kBash: return bash_script(commands);
    case Shell::kZsh: return zsh_script(commands);
    case Shell::kFish: return fish_script(commands);
  }
  return {};
}

}  // namespace sb
