#include "app/scenario_names.h"

#include <filesystem>

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

std::optional<std::string> checked_name(const std::string& what, const std::string& utf8,
                                        bool is_train_number, std::string* error) {
  std::string converted;
  if (utf8.empty()) {
    *error = what + " is empty";
  } else if (utf8.find_first_of("/\\") != std::string::npos) {
    *error = what + " \"" + utf8 + "\" holds a path separator";
  } else if (utf8.find("..") != std::string::npos) {
    *error = what + " \"" + utf8 + "\" holds \"..\"";
  } else if (!utf8_to_cp1252(utf8, &converted)) {
    *error = what + " \"" + utf8 + "\" holds a character that Windows-1252 cannot write";
  } else if (is_train_number && cp1252_lower(converted) == "linea") {
    *error = what + " \"" + utf8 + "\" would make the cells file overwrite the line trace file";
  } else {
    return converted;
  }
  return std::nullopt;
}

}  // namespace sb
