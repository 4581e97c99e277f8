#include "checks/warning_options.h"

#include <algorithm>

namespace sb {
namespace {

bool holds(const std::vector<WarningId>& ids, WarningId id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

std::string known_warnings() {
  std::string names;
  for (const WarningKind& kind : warning_kinds()) names += " " + std::string(kind.name);
  return names;
}

}  // namespace

std::optional<WarningId> warning_by_name_or_code(std::string_view name) {
  if (std::optional<WarningId> id = warning_by_name(name)) return id;
  for (const WarningKind& kind : warning_kinds()) {
    const std::string code = DiagnosticCode(kind.id).text();
    if (name == code || (name.size() == code.size() && name[0] == 'w' &&
                         name.substr(1) == std::string_view(code).substr(1))) {
      return kind.id;
    }
  }
  return std::nullopt;
}

bool take_warning_option(std::string_view option, WarningOptions* options, std::string* error) {
  if (option == "-Wall") return options->all = true;
  if (option == "-Werror") return options->errors = true;
  if (option == "-Wno-error") return options->no_errors = true;
  const bool demote = option.starts_with("-Wno-error=");
  if (!demote && !option.starts_with("-Wno-")) {
    *error = "unknown option " + std::string(option) +
             "; the -W options are -Wall, -Werror, -Wno-error, -Wno-error=NAME and -Wno-NAME";
    return false;
  }
  const std::string_view name = option.substr(demote ? 11 : 5);
  const std::optional<WarningId> id = warning_by_name_or_code(name);
  if (!id) {
    *error = "unknown warning " + std::string(option) + "; the warnings are:" + known_warnings();
    return false;
  }
  (demote ? options->demoted : options->silenced).push_back(*id);
  return true;
}

std::vector<Diagnostic> apply_warning_options(const WarningOptions& options,
                                              std::vector<Diagnostic> diagnostics) {
  std::vector<Diagnostic> kept;
  for (Diagnostic& diagnostic : diagnostics) {
    const std::optional<WarningId> id = diagnostic.code.warning();
    if (!id) {
      kept.push_back(std::move(diagnostic));
      continue;
    }
    if (holds(options.silenced, *id)) continue;
    const WarningLevel level = warning_kind(*id).level;
    if (level == WarningLevel::kAll && !options.all) continue;
    const bool error = !holds(options.demoted, *id) &&
                       (options.errors || (level == WarningLevel::kError && !options.no_errors));
    diagnostic.severity = error ? Diagnostic::Severity::kError : Diagnostic::Severity::kWarning;
    kept.push_back(std::move(diagnostic));
  }
  return kept;
}

}  // namespace sb
