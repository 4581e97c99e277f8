#include "live/live_publisher.h"

#include <gtest/gtest.h>

#include "viewer/test_scenario.h"

namespace sb {
namespace {

using Json = nlohmann::ordered_json;

Json timetable() {
  return Json::parse(R"({"stations": [
      {"name": "A", "position": 0, "arrival": null, "departure": 45540},
      {"name": "B", "position": 9150, "arrival": 46000, "departure": 46020},
      {"name": "C", "position": 15000, "arrival": 46500, "departure": null}],
    "legs": [{"from": 0, "to": 1, "slack": 120}, {"from": 1, "to": 2, "slack": null}],
    "tightest": 0})");
}

Json report(const char* severity) {
  Json diagnostics = Json::array();
  if (severity != nullptr) {
    diagnostics.push_back({{"file", "Mia_linea.txt"}, {"line", 6}, {"severity", severity}});
  }
  return {{"diagnostics", diagnostics}, {"timetable", timetable()}};
}

std::vector<std::string> fixture_paths() {
  const ScenarioFileNames names = test::fixture_names();
  return {names.line_trace, names.records, names.cells};
}

TEST(LiveStations, EachStationHasTheSlackOfTheLegThatReachesIt) {
  const Json stations = live_stations(timetable());
  ASSERT_EQ(stations.size(), 3U);
  EXPECT_TRUE(stations[0]["slack"].is_null());
  EXPECT_EQ(stations[1]["slack"], 120);
  EXPECT_EQ(stations[1]["departure"], 46020);
  EXPECT_TRUE(stations[2]["slack"].is_null());
  EXPECT_EQ(live_stations(Json::object()).dump(), "[]");
}

TEST(LivePublisher, EachCompileIsANewVersionAndAnErrorKeepsTheLastScene) {
  LiveState state;
  LivePublisher publisher(state, "Mia_linea.txt", "Mia_101-.txt");
  MemoryFileSystem built;
  test::write_fixture(test::straight_scenario(2000), built);

  publisher.compiled(report("error"), built, {});
  Json document = Json::parse(*state.current().document);
  EXPECT_EQ(document["version"], 1);
  EXPECT_EQ(document["errors"], 1);
  EXPECT_TRUE(document["scene"].is_null());
  EXPECT_TRUE(document["scene_version"].is_null());

  publisher.compiled(report("warning"), built, fixture_paths());
  document = Json::parse(*state.current().document);
  EXPECT_EQ(state.current().version, 2);
  EXPECT_EQ(document["errors"], 0);
  EXPECT_EQ(document["warnings"], 1);
  EXPECT_EQ(document["scene_version"], 2);
  EXPECT_EQ(document["scene"]["scenario"], test::kName);
  EXPECT_EQ(document["scene"]["route_length"], 2000);
  EXPECT_EQ(document["stations"][1]["slack"], 120);

  publisher.compiled(report("error"), built, {});
  document = Json::parse(*state.current().document);
  EXPECT_EQ(document["version"], 3);
  EXPECT_EQ(document["diagnostics"][0]["line"], 6);
  EXPECT_EQ(document["scene_version"], 2);
  EXPECT_EQ(document["scene"]["route_length"], 2000);
}

}  // namespace
}  // namespace sb
