#include "live/standalone_page.h"

#include <gtest/gtest.h>

#include "live/page.h"

namespace sb {
namespace {

TEST(LivePage, RefersToNothingOutsideItself) {
  const std::string_view page = live_page();
  ASSERT_TRUE(page.starts_with("<!DOCTYPE html>"));
  for (const char* outside : {"http:", "https:", "//", "src=", "href="}) {
    EXPECT_EQ(page.find(outside), std::string_view::npos) << outside;
  }
  EXPECT_NE(page.find("<!--DATA-->"), std::string_view::npos);
}

TEST(StandalonePage, WritesTheDocumentInWithNothingThatEndsItsScriptOrFormsAUrl) {
  PlotScene scene;
  scene.scenario_name = "A</script><script>x()</script>";
  scene.train_number = "1";
  scene.route_length = 100;
  scene.stations.push_back({0, 0, 50, 1, "http://example.org/<!--"});
  const std::string page = standalone_page(scene_document(scene));
  EXPECT_EQ(page.find("<!--DATA-->"), std::string::npos);
  EXPECT_NE(page.find(R"("scenario":"A\u003c\/script>\u003cscript>x()\u003c\/script>")"),
            std::string::npos);
  EXPECT_NE(page.find(R"("name":"http:\/\/example.org\/\u003c!--")"), std::string::npos);
  for (const char* outside : {"http://", "https://", "//"}) {
    EXPECT_EQ(page.find(outside), std::string::npos) << outside;
  }
  // Everything else of the page is as served.
  EXPECT_EQ(page.substr(0, 200), live_page().substr(0, 200));
}

}  // namespace
}  // namespace sb
