#include "checks/diagnostic_code.h"

namespace sb {

std::optional<ErrorCode> DiagnosticCode::error() const {
  if (const ErrorCode* code = std::get_if<ErrorCode>(&value_)) return *code;
  return std::nullopt;
}

std::optional<WarningId> DiagnosticCode::warning() const {
  if (const WarningId* id = std::get_if<WarningId>(&value_)) return *id;
  return std::nullopt;
}

std::string DiagnosticCode::text() const {
  if (const std::optional<ErrorCode> code = error()) return "E" + std::to_string(*code);
  if (const std::optional<WarningId> id = warning()) {
    return "W" + std::to_string(warning_kind(*id).number);
  }
  return {};
}

std::string_view DiagnosticCode::warning_name() const {
  if (const std::optional<WarningId> id = warning()) return warning_kind(*id).name;
  return {};
}

}  // namespace sb
