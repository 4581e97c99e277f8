#ifndef SCENARIO_BUILDER_LIVE_LIVE_PUBLISHER_H_
#define SCENARIO_BUILDER_LIVE_LIVE_PUBLISHER_H_

#include <nlohmann/json.hpp>
#include <string>
#include <utility>
#include <vector>

#include "live/live_state.h"
#include "platform/file_system.h"

namespace sb {

// Turns each compile of a watch into the document the page reads, and
// publishes it with a version one above the last:
//   {"version", "diagnostics", "errors", "warnings", "stations",
//    "scene_version", "scene"}
// Each diagnostic about an entry that stands at a position has it as
// "position".  The stations are the timetable's (name, position, arrival, departure in
// seconds, and the slack of the leg that reaches them).  The scene is that
// of the last compile that wrote files ("scene_version" tells which); null
// before the first.
class LivePublisher {
 public:
  // The texts' names, as the diagnostics give them.
  LivePublisher(LiveState& state, std::string line_text, std::string train_text)
      : state_(state), line_text_(std::move(line_text)), train_text_(std::move(train_text)) {}

  // `report`: the compile's {"diagnostics", "timetable"}.  `built` holds the
  // texts and the files the compile wrote, named in `written` (empty when it
  // wrote none).
  void compiled(const nlohmann::ordered_json& report, FileSystem& built,
                const std::vector<std::string>& written);

  int64_t version() const { return version_; }

 private:
  LiveState& state_;
  std::string line_text_;
  std::string train_text_;
  int64_t version_ = 0;
  int64_t scene_version_ = 0;
  nlohmann::ordered_json scene_;
};

// The timetable report's stations, each with the slack (seconds, or null)
// of the leg that ends there.
nlohmann::ordered_json live_stations(const nlohmann::ordered_json& timetable);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LIVE_LIVE_PUBLISHER_H_
