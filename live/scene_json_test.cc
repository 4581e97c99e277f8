#include "live/scene_json.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

using Json = nlohmann::ordered_json;

PlotScene small_scene(size_t rows) {
  PlotScene scene;
  scene.scenario_name = "Piana Alta";
  scene.train_number = "4711";
  scene.route_length = static_cast<int32_t>(rows);
  for (size_t row = 0; row < rows; ++row) {
    scene.trace.push_back({row * 0.5, row + 0.04});
    scene.trace_assigned.push_back(row < rows - 2);
  }
  scene.stations.push_back({100, 50, 180, 3, "Vèrde"});
  scene.marks.push_back({MarkKind::kSignal, 250, ""});
  scene.marks.push_back({MarkKind::kSpeedBoard, 300, "105"});
  scene.gradients.push_back({0, 50, -3});
  scene.chainages.push_back({0, 350000});
  return scene;
}

TEST(SceneJson, SamplesTheTraceAtItsStepAndAtItsLastRow) {
  const Json trace = scene_json(small_scene(26))["trace"];
  EXPECT_EQ(trace["step"], kSceneTraceStep);
  EXPECT_EQ(trace["rows"], 26);
  // Rows 0, 10, 20 and the last, 25, which was never assigned.
  EXPECT_EQ(trace["east"].dump(), "[0.0,5.0,10.0,null]");
  EXPECT_EQ(trace["north"].dump(), "[0.0,10.0,20.0,null]");
  // A last row on the step is not given twice.
  EXPECT_EQ(scene_json(small_scene(21))["trace"]["east"].size(), 3U);
}

TEST(SceneJson, GivesEveryPartOfTheSceneByName) {
  const Json scene = scene_json(small_scene(26));
  EXPECT_EQ(scene["scenario"], "Piana Alta");
  EXPECT_EQ(scene["train"], "4711");
  EXPECT_EQ(scene["route_length"], 26);
  EXPECT_EQ(scene["stations"].dump(),
            R"([{"name":"Vèrde","position":100,"start":50,"end":180,"kind":3}])");
  EXPECT_EQ(scene["marks"].dump(), R"([{"kind":"signal","position":250,"label":""},)"
                                   R"({"kind":"speed_board","position":300,"label":"105"}])");
  EXPECT_EQ(scene["gradients"].dump(), R"([{"start":0,"end":50,"value":-3}])");
  EXPECT_EQ(scene["speed_limits"].dump(), "[]");
  EXPECT_TRUE(scene["cab_signalling"].is_null());
  EXPECT_EQ(scene["chainages"].dump(), R"([{"start":0,"kilometre":350000}])");
}

TEST(SceneJson, NamesEveryMarkKind) {
  const std::pair<MarkKind, const char*> kinds[] = {
      {MarkKind::kSignal, "signal"},
      {MarkKind::kSpeedBoard, "speed_board"},
      {MarkKind::kIndicationBoard, "indication_board"},
      {MarkKind::kSlowdownWarning, "slowdown_warning"},
      {MarkKind::kSlowdownStart, "slowdown_start"},
      {MarkKind::kSlowdownEnd, "slowdown_end"},
      {MarkKind::kCodePoint, "code_point"},
      {MarkKind::kCodeCutPoint, "code_cut_point"}};
  for (const auto& [kind, name] : kinds) EXPECT_STREQ(mark_kind_name(kind), name);
}

}  // namespace
}  // namespace sb
