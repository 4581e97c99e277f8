#include "app/explain_command.h"

#include <string>
#include <vector>

#include "checks/diagnostic.h"
#include "checks/explanations.h"
#include "checks/spelling.h"
#include "app/exit_status.h"

namespace sb {
namespace {

// "E1 to E105 and W11 to W57", from the table.
std::string code_ranges() {
  std::string first_error, last_error, first_warning, last_warning;
  for (const Explanation& explanation : explanations()) {
    const bool error = explanation.code.error().has_value();
    std::string& first = error ? first_error : first_warning;
    if (first.empty()) first = explanation.code.text();
    (error ? last_error : last_warning) = explanation.code.text();
  }
  return first_error + " to " + last_error + " and " + first_warning + " to " + last_warning;
}

}  // namespace

int explain_command(std::string_view code, std::ostream& out, std::ostream& err) {
  if (const Explanation* explanation = find_explanation(code)) {
    out << render_explanation(*explanation);
    return kExitClean;
  }
  std::vector<std::string_view> names;
  for (const WarningKind& kind : warning_kinds()) names.push_back(kind.name);
  const std::string nearest = nearest_keyword(code, names);
  err << "scenario-builder explain: `" << code << "` is no error or warning code";
  if (!nearest.empty()) err << " (did you mean `" << nearest << "`?)";
  err << "; codes are " << code_ranges() << ", or a warning's name as -Wno-NAME takes it\n";
  return kExitUsage;
}

}  // namespace sb
