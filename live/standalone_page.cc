#include "live/standalone_page.h"

#include "live/page.h"
#include "live/scene_json.h"

namespace sb {
namespace {

constexpr std::string_view kDataMark = "<!--DATA-->";

std::string escaped(const std::string& json) {
  std::string text;
  text.reserve(json.size() + json.size() / 16);
  for (const char c : json) {
    if (c == '<') {
      text += "\\u003c";
    } else if (c == '/') {
      text += "\\/";
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace

std::string standalone_page(const nlohmann::ordered_json& document) {
  std::string page(live_page());
  const size_t mark = page.find(kDataMark);
  if (mark == std::string::npos) return page;
  return page.replace(
      mark, kDataMark.size(),
      escaped(document.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace)));
}

nlohmann::ordered_json scene_document(const PlotScene& scene) {
  return {{"version", 1},
          {"diagnostics", nlohmann::ordered_json::array()},
          {"errors", 0},
          {"warnings", 0},
          {"stations", nlohmann::ordered_json::array()},
          {"scene_version", 1},
          {"scene", scene_json(scene)}};
}

}  // namespace sb
