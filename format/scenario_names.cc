#include "format/scenario_names.h"

#include <filesystem>
#include <utility>

#include "format/file_names.h"
#include "util/text.h"

namespace sb {
namespace {

std::string base_name(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

bool ends_with(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string code_of(unsigned code_point) {
  static const char digits[] = "0123456789ABCDEF";
  std::string code = "U+";
  for (int shift = 12; shift >= 0; shift -= 4) code += digits[(code_point >> shift) & 15];
  return code;
}

// The first control character in `utf8` (C0, DEL or C1), if any.
std::optional<unsigned> control_character(const std::string& utf8) {
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    if (byte < 0x20 || byte == 0x7F) return byte;
    const auto next = i + 1 < utf8.size() ? static_cast<unsigned char>(utf8[i + 1]) : 0u;
    if (byte == 0xC2 && next >= 0x80 && next <= 0x9F) return next;
  }
  return std::nullopt;
}

// Characters Windows refuses in file names, besides the path separators; a
// scenario is meant to travel between systems, so every system refuses them.
constexpr char kForbiddenInFileNames[] = ":*?\"<>|";

}  // namespace

std::optional<std::string> scenario_name_from_line_text(const std::string& path) {
  const std::string name = base_name(path);
  const std::string suffix(kLineTextSuffix);
  if (!ends_with(name, suffix) || name.size() == suffix.size()) return std::nullopt;
  return name.substr(0, name.size() - suffix.size());
}

std::optional<std::string> train_number_from_train_text(const std::string& path,
                                                        const std::string& scenario_name) {
  const std::string name = base_name(path);
  const std::string prefix = scenario_name + "_";
  const std::string suffix(kTrainTextSuffix);
  if (name.size() <= prefix.size() + suffix.size() || name.compare(0, prefix.size(), prefix) != 0 ||
      !ends_with(name, suffix)) {
    return std::nullopt;
  }
  return name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
}

bool checked_name(const std::string& what, const std::string& utf8, bool is_train_number,
                  std::string* name, std::string* error) {
  std::string converted;
  const std::optional<unsigned> control = control_character(utf8);
  const size_t forbidden = utf8.find_first_of(kForbiddenInFileNames);
  if (utf8.empty()) {
    *error = what + " is empty";
  } else if (control) {
    *error = what + " holds the control character " + code_of(*control) +
             ", which a file name cannot hold";
  } else if (utf8.find_first_of("/\\") != std::string::npos) {
    *error = what + " \"" + utf8 + "\" holds a path separator";
  } else if (utf8.find("..") != std::string::npos) {
    *error = what + " \"" + utf8 + "\" holds \"..\"";
  } else if (forbidden != std::string::npos) {
    *error = what + " \"" + utf8 + "\" holds the character '" + utf8[forbidden] + "' (" +
             code_of(static_cast<unsigned char>(utf8[forbidden])) +
             "), which Windows does not allow in file names";
  } else if (!utf8_to_cp1252(utf8, &converted)) {
    *error = what + " \"" + utf8 + "\" holds a character that Windows-1252 cannot write";
  } else if (is_train_number && cp1252_lower(converted) == "linea") {
    *error = what + " \"" + utf8 + "\" would make the cells file overwrite the line trace file";
  } else {
    if (name) *name = std::move(converted);
    return true;
  }
  return false;
}

}  // namespace sb
