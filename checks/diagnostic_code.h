#ifndef SCENARIO_BUILDER_CHECKS_DIAGNOSTIC_CODE_H_
#define SCENARIO_BUILDER_CHECKS_DIAGNOSTIC_CODE_H_

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "checks/warning_kinds.h"
#include "model/error_codes.h"

namespace sb {

// What a diagnostic reports: a failure of the compile, shown as E<number>
// of its ErrorCode, or a named warning, shown as W<number> from the warning
// table whatever level it is shown at.  A default code is neither: a message
// of a tool's own that has no code.
class DiagnosticCode {
 public:
  constexpr DiagnosticCode() = default;
  constexpr DiagnosticCode(ErrorCode error) : value_(error) {}      // NOLINT: a code is one
  constexpr DiagnosticCode(WarningId warning) : value_(warning) {}  // NOLINT: a code is one

  std::optional<ErrorCode> error() const;
  std::optional<WarningId> warning() const;
  bool empty() const { return std::holds_alternative<std::monostate>(value_); }

  // "E22" or "W26"; empty without a code.
  std::string text() const;
  // The warning's name, as -W<name> takes it; empty for an error.
  std::string_view warning_name() const;

  bool operator==(const DiagnosticCode&) const = default;

 private:
  std::variant<std::monostate, ErrorCode, WarningId> value_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_CHECKS_DIAGNOSTIC_CODE_H_
