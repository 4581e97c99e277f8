// The plot command exists where the drawings do (SB_HAVE_PLOT: Linux).
#ifdef SB_HAVE_PLOT

#include "app/plot_command.h"

#include <cairo.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <limits>
#include <memory>
#include <sstream>

#include "platform/memory_file_system.h"
#include "viewer/plot_layout.h"
#include "viewer/plot_style.h"
#include "viewer/test_scenario.h"

// Fontconfig, under cairo's text, keeps caches for the life of the process;
// a sanitized build is told that they are not leaks.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig\n"; }

namespace sb {
namespace {

constexpr int32_t kRoute = 4000;
constexpr int32_t kBendStart = 1500;
constexpr double kRadius = 1200;

PlotOptions options_for(const std::string& output, int width = 800) {
  PlotOptions options;
  options.directory = test::kDirectory;
  options.output = output;
  options.width = width;
  return options;
}

uint32_t big_endian_u32(const std::string& bytes, size_t offset) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i) value = value << 8 | static_cast<uint8_t>(bytes[offset + i]);
  return value;
}

// The layout the command computes for the fixture, through the same steps.
PlotLayout fixture_layout(MemoryFileSystem& files, int width, DistanceRange range) {
  return layout_plot(build_plot_scene(test::load_fixture(files)), range, width);
}

struct SurfaceCloser {
  void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using Image = std::unique_ptr<cairo_surface_t, SurfaceCloser>;

Image decode_png(const std::string& bytes) {
  struct Reader {
    const std::string* bytes;
    size_t offset = 0;
  } reader{&bytes};
  auto read = [](void* closure, unsigned char* data, unsigned int length) {
    auto* r = static_cast<Reader*>(closure);
    if (r->offset + length > r->bytes->size()) return CAIRO_STATUS_READ_ERROR;
    std::copy_n(r->bytes->data() + r->offset, length, data);
    r->offset += length;
    return CAIRO_STATUS_SUCCESS;
  };
  return Image(cairo_image_surface_create_from_png_stream(read, &reader));
}

// True when a pixel within one of (x, y) has the colour, each channel
// within a small tolerance.
bool colour_near(cairo_surface_t* image, PixelPoint at, Colour colour) {
  cairo_surface_flush(image);
  const unsigned char* data = cairo_image_surface_get_data(image);
  const int stride = cairo_image_surface_get_stride(image);
  const int width = cairo_image_surface_get_width(image);
  const int height = cairo_image_surface_get_height(image);
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int x = static_cast<int>(at.x) + dx;
      const int y = static_cast<int>(at.y) + dy;
      if (x < 0 || y < 0 || x >= width || y >= height) continue;
      const uint32_t pixel = *reinterpret_cast<const uint32_t*>(data + y * stride + x * 4);
      const int red = pixel >> 16 & 0xFF;
      const int green = pixel >> 8 & 0xFF;
      const int blue = pixel & 0xFF;
      if (std::abs(red - colour.red * 255) <= 12 && std::abs(green - colour.green * 255) <= 12 &&
          std::abs(blue - colour.blue * 255) <= 12) {
        return true;
      }
    }
  }
  return false;
}

class PlotCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    BuildState state = test::straight_scenario(kRoute);
    test::bend_right(state, kBendStart, kRadius);
    test::write_fixture(state, files_);
  }

  int plot(const PlotOptions& options) { return plot_command(options, files_, err_); }

  MemoryFileSystem files_;
  std::ostringstream err_;
};

TEST_F(PlotCommand, PngHasTheLaidOutSize) {
  ASSERT_EQ(plot(options_for("/out/line.png", 900)), kExitClean) << err_.str();
  const std::string& png = files_.files.at("/out/line.png");
  ASSERT_GT(png.size(), 33u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1A\n", 8));
  EXPECT_EQ(png.substr(12, 4), "IHDR");
  const PlotLayout layout = fixture_layout(files_, 900, {0, kRoute});
  EXPECT_EQ(big_endian_u32(png, 16), 900u);
  EXPECT_EQ(big_endian_u32(png, 20), static_cast<uint32_t>(layout.height));
  EXPECT_GT(layout.height, 900 / 2);
  EXPECT_EQ(err_.str(), "scenario-builder plot: wrote /out/line.png\n");
}

TEST_F(PlotCommand, SvgAndPdfFollowTheExtension) {
  ASSERT_EQ(plot(options_for("/out/line.SVG", 700)), kExitClean) << err_.str();
  const std::string& svg = files_.files.at("/out/line.SVG");
  const PlotLayout layout = fixture_layout(files_, 700, {0, kRoute});
  EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
  const size_t root = svg.find("<svg");
  ASSERT_NE(root, std::string::npos);
  const std::string root_tag = svg.substr(root, svg.find('>', root) - root);
  EXPECT_NE(root_tag.find("width=\"700px\""), std::string::npos) << root_tag;
  EXPECT_NE(root_tag.find("height=\"" + std::to_string(layout.height) + "px\""), std::string::npos)
      << root_tag;

  // The texts are text elements, not glyph outlines.
  EXPECT_NE(svg.find(">route 4 km"), std::string::npos);
  EXPECT_NE(svg.find(">Stations</text>"), std::string::npos);
  EXPECT_EQ(svg.find("glyph"), std::string::npos);

  ASSERT_EQ(plot(options_for("/out/line.pdf")), kExitClean) << err_.str();
  EXPECT_EQ(files_.files.at("/out/line.pdf").rfind("%PDF-", 0), 0u);
}

#ifdef SB_HAVE_LIVE
TEST_F(PlotCommand, HtmlIsThePageWithTheSceneInside) {
  std::ostringstream err;
  PlotOptions options = options_for("/out/line.HTML");
  options.width.reset();
  ASSERT_EQ(plot_command(options, files_, err), kExitClean) << err.str();
  EXPECT_EQ(err.str(), "scenario-builder plot: wrote /out/line.HTML\n");
  const std::string& page = files_.files.at("/out/line.HTML");
  EXPECT_TRUE(page.starts_with("<!DOCTYPE html>"));
  EXPECT_NE(page.find(R"({"version":1,"diagnostics":[],)"), std::string::npos);
  EXPECT_NE(page.find(R"("scenario":"Piana_Alta","train":"4711","route_length":4000,)"),
            std::string::npos);
  EXPECT_NE(page.find(R"("view":{"first":0,"last":4000}})"), std::string::npos);
  EXPECT_EQ(page.find("//"), std::string::npos);
}

TEST_F(PlotCommand, HtmlOpensOnTheStretchOfFromAndToAndRefusesAWidth) {
  PlotOptions options = options_for("/out/line.html");
  options.width.reset();
  options.from_km = 1.25;
  options.to_km = 3;
  std::ostringstream err;
  ASSERT_EQ(plot_command(options, files_, err), kExitClean) << err.str();
  EXPECT_NE(files_.files.at("/out/line.html").find(R"("view":{"first":1250,"last":3000}})"),
            std::string::npos);

  options.output = "/out/wide.html";
  options.width = 1600;
  std::ostringstream refused;
  EXPECT_EQ(plot_command(options, files_, refused), kExitUsage);
  EXPECT_EQ(refused.str(),
            "scenario-builder plot: --width sizes FILE.png, FILE.svg and FILE.pdf; the page fits "
            "the browser's window: leave --width out for FILE.html\n");
  EXPECT_EQ(files_.files.count("/out/wide.html"), 0u);
}
#endif

TEST_F(PlotCommand, TrackLandsWhereItsCoordinatesSay) {
  ASSERT_EQ(plot(options_for("/out/line.png")), kExitClean) << err_.str();
  const Image image = decode_png(files_.files.at("/out/line.png"));
  ASSERT_EQ(cairo_surface_status(image.get()), CAIRO_STATUS_SUCCESS);
  const PlanTransform to_pixel = fixture_layout(files_, 800, {0, kRoute}).plan_transform;

  // The straight part runs up the page in one pixel column.
  for (double north : {320.0, 710.0, 1140.0}) {
    EXPECT_TRUE(colour_near(image.get(), to_pixel.to_pixel(0, north), palette::kTrack)) << north;
  }
  EXPECT_NEAR(to_pixel.to_pixel(0, 320).x, to_pixel.to_pixel(0, 1140).x, 1e-9);
  EXPECT_LT(to_pixel.to_pixel(0, 1140).y, to_pixel.to_pixel(0, 320).y);  // north is up

  // The curve bends east on its circle; where the track would have gone
  // straight on there is none.
  for (double along : {420.0, 1010.0, 1760.0, 2310.0}) {
    const double angle = along / kRadius;
    const PixelPoint on_arc =
        to_pixel.to_pixel(kRadius * (1 - std::cos(angle)), kBendStart + kRadius * std::sin(angle));
    EXPECT_TRUE(colour_near(image.get(), on_arc, palette::kTrack)) << along;
  }
  EXPECT_FALSE(colour_near(image.get(), to_pixel.to_pixel(0, kBendStart + 1010), palette::kTrack));
  EXPECT_FALSE(colour_near(image.get(), to_pixel.to_pixel(kRadius, kBendStart), palette::kTrack));
}

TEST_F(PlotCommand, ZoomFitsTheChosenStretch) {
  PlotOptions zoomed = options_for("/out/zoom.png");
  zoomed.from_km = 2.1;
  zoomed.to_km = 3.3;
  ASSERT_EQ(plot(zoomed), kExitClean) << err_.str();
  const Image image = decode_png(files_.files.at("/out/zoom.png"));
  const PlotLayout layout = fixture_layout(files_, 800, {2100, 3300});
  const PlanTransform& to_pixel = layout.plan_transform;
  const PlanTransform whole = fixture_layout(files_, 800, {0, kRoute}).plan_transform;
  EXPECT_GT(to_pixel.pixels_per_metre, 2 * whole.pixels_per_metre);

  const double angle = 1510.0 / kRadius;  // row 3010
  const PixelPoint on_arc =
      to_pixel.to_pixel(kRadius * (1 - std::cos(angle)), kBendStart + kRadius * std::sin(angle));
  EXPECT_TRUE(layout.plan.contains(on_arc));
  EXPECT_TRUE(colour_near(image.get(), on_arc, palette::kTrack));
  // The start of the route lies off the zoomed map.
  EXPECT_FALSE(layout.plan.contains(to_pixel.to_pixel(0, 0)));
}

TEST_F(PlotCommand, FindsTheOnlyScenarioOfTheDirectory) {
  files_.files["/scenarios/notes.txt"] = "x";
  files_.files["/scenarios/Other_9.sim"] = "x";  // no cells, no trace: not a scenario
  ASSERT_EQ(plot(options_for("/out/a.png")), kExitClean) << err_.str();
  err_.str("");

  BuildState second = test::straight_scenario(2000);
  second.train_number = "12";
  std::string error;
  ASSERT_TRUE(write_scenario_files(
      second, files_, scenario_file_names(test::kDirectory, test::kName, "12"), &error));
  EXPECT_EQ(plot(options_for("/out/b.png")), kExitUsage);
  EXPECT_EQ(err_.str(),
            "scenario-builder plot: /scenarios holds 2 compiled scenarios (Piana_Alta 12, "
            "Piana_Alta 4711): choose one with --scenario and --train-number\n");

  PlotOptions chosen = options_for("/out/c.png");
  chosen.train_number = "12";
  EXPECT_EQ(plot(chosen), kExitClean);
}

struct InputFault {
  const char* name;
  std::function<void(MemoryFileSystem&, PlotOptions&)> arrange;
  std::string message;
};

TEST_F(PlotCommand, RefusesBadInputNamingTheFile) {
  const ScenarioFileNames names = test::fixture_names();
  std::vector<InputFault> faults = {
      {"no cells file",
       [&](MemoryFileSystem& f, PlotOptions& o) {
         f.files.erase(names.cells);
         o.scenario_name = test::kName;
         o.train_number = test::kTrain;
       },
       "scenario-builder plot: cannot read /scenarios/Piana_Alta_4711.dat: No such file or "
       "directory\n"},
      {"no scenario at all",
       [&](MemoryFileSystem& f, PlotOptions&) { f.files.erase(names.line_trace); },
       "scenario-builder plot: no compiled scenario in /scenarios: it needs NAME_linea.dat, "
       "NAME_N.sim and NAME_N.dat side by side\n"},
      {"cells cut short",
       [&](MemoryFileSystem& f, PlotOptions&) { f.files[names.cells].pop_back(); },
       "scenario-builder plot: cannot read /scenarios/Piana_Alta_4711.dat: it is 3314 bytes, but "
       "the cells file of a route of 4000 m is 3315 bytes\n"},
      {"huge sparse trace",
       [&](MemoryFileSystem& f, PlotOptions&) {
         f.told_sizes[names.line_trace] = uint64_t{10} << 30;
         f.unreadable.insert(names.line_trace);  // reading it would fail otherwise
       },
       "scenario-builder plot: cannot read /scenarios/Piana_Alta_linea.dat: it is 10737418240 "
       "bytes, but the line trace of a route of 4000 m is at most 220020 bytes\n"},
      {"trace too short for its rows",
       [&](MemoryFileSystem& f, PlotOptions&) { f.files[names.line_trace].resize(44003); },
       "scenario-builder plot: cannot read /scenarios/Piana_Alta_linea.dat: it is 44003 bytes, "
       "but the line trace of a route of 4000 m is at least 44004 bytes\n"},
      {"records cut short",
       [&](MemoryFileSystem& f, PlotOptions&) { f.files[names.records].resize(100); },
       "scenario-builder plot: /scenarios/Piana_Alta_4711.sim: ends inside record 2 at byte 98: "
       "its long_4 needs 4 bytes, 2 left\n"},
      {"trace of another route",
       [&](MemoryFileSystem& f, PlotOptions&) {
         std::string& trace = f.files[names.line_trace];
         BuildState shorter = test::straight_scenario(kRoute - 1);
         MemoryFileSystem other;
         test::write_fixture(shorter, other);
         trace = other.files.at(names.line_trace);
       },
       "scenario-builder plot: /scenarios/Piana_Alta_linea.dat: 11000 rows per column, but a "
       "route of 4000 m has 11001\n"},
      {"route of length 0",
       [&](MemoryFileSystem& f, PlotOptions&) {
         f.files.clear();
         test::write_fixture(test::straight_scenario(0), f);
       },
       "scenario-builder plot: the route length in /scenarios/Piana_Alta_4711.sim is 0 m: there "
       "is no line to draw\n"},
      {"a file for the directory",
       [&](MemoryFileSystem&, PlotOptions& o) { o.directory = names.records; },
       "scenario-builder plot: /scenarios/Piana_Alta_4711.sim is a file: give the directory "
       "that holds the compiled scenario (/scenarios)\n"},
      {"unknown format", [](MemoryFileSystem&, PlotOptions& o) { o.output = "/out/line.jpg"; },
       "scenario-builder plot: cannot tell the format of \"/out/line.jpg\": name the output "
#ifdef SB_HAVE_LIVE
       "FILE.png, FILE.svg, FILE.pdf or FILE.html\n"},
#else
       "FILE.png, FILE.svg or FILE.pdf\n"},
#endif
      {"stretch beyond the route", [](MemoryFileSystem&, PlotOptions& o) { o.to_km = 4.05; },
       "scenario-builder plot: --to must lie on the route, from 0 to 4 km\n"},
      {"stretch backwards",
       [](MemoryFileSystem&, PlotOptions& o) {
         o.from_km = 3;
         o.to_km = 2.5;
       },
       "scenario-builder plot: --from (km 3) must lie before --to (km 2.5)\n"},
      {"too narrow", [](MemoryFileSystem&, PlotOptions& o) { o.width = 399; },
       "scenario-builder plot: --width must lie between 400 and 16000\n"},
  };
  const int tall = fixture_layout(files_, 16000, {0, kRoute}).height;
  faults.push_back(
      {"a PNG of too many pixels", [](MemoryFileSystem&, PlotOptions& o) { o.width = 16000; },
       "scenario-builder plot: --width 16000 makes a PNG of 16000 x " + std::to_string(tall) +
           " pixels, more than the 100000000 a PNG may have: give a smaller --width, or draw SVG "
           "or PDF\n"});
  for (const InputFault& fault : faults) {
    MemoryFileSystem files = files_;
    PlotOptions options = options_for("/out/line.png");
    fault.arrange(files, options);
    std::ostringstream err;
    EXPECT_EQ(plot_command(options, files, err), kExitUsage) << fault.name;
    EXPECT_EQ(err.str(), fault.message) << fault.name;
    EXPECT_EQ(files.files.count("/out/line.png"), 0u) << fault.name;
  }
}

// One trace value that no route can have is refused with its row named,
// before any of it is laid out; the farthest a route may reach is drawn.
TEST_F(PlotCommand, RefusesATraceValueNoRouteCanHave) {
  const double inf = std::numeric_limits<double>::infinity();
  const struct {
    double x;
    const char* shown;
  } cases[] = {
      {2e144, "2e+144"},
      {inf, "inf"},
      {-inf, "-inf"},
      {std::numeric_limits<double>::quiet_NaN(), "nan"},
      {-10000000.000000002, "-10000000.000000002"},
  };
  for (const auto& c : cases) {
    MemoryFileSystem files;
    BuildState state = test::straight_scenario(kRoute);
    state.line_trace.set_double(2500, c.x, 2500);
    test::write_fixture(state, files);
    std::ostringstream err;
    EXPECT_EQ(plot_command(options_for("/out/line.png"), files, err), kExitUsage) << c.shown;
    EXPECT_EQ(err.str(), std::string("scenario-builder plot: /scenarios/Piana_Alta_linea.dat: "
                                     "row 2500 holds x = ") +
                             c.shown +
                             ", which is no position on a route (a finite number of metres "
                             "within 10000000 of the start)\n");
    EXPECT_EQ(files.files.count("/out/line.png"), 0u) << c.shown;
  }
  for (const double farthest : {1e7, -1e7}) {
    MemoryFileSystem files;
    BuildState state = test::straight_scenario(kRoute);
    state.line_trace.set_double(2500, 0, farthest);
    test::write_fixture(state, files);
    std::ostringstream err;
    EXPECT_EQ(plot_command(options_for("/out/line.png"), files, err), kExitClean) << err.str();
  }
}

TEST_F(PlotCommand, UnwritableOutputIsStatus3) {
  files_.unwritable.insert("/out/line.png");
  EXPECT_EQ(plot(options_for("/out/line.png")), kExitNotWritten);
  EXPECT_EQ(err_.str(), "scenario-builder plot: cannot write /out/line.png: Permission denied\n");
}

TEST(PlotCommandOnDisk, FindsTheScenarioInARealDirectory) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("sb-plot-test-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  MemoryFileSystem memory;
  test::write_fixture(test::straight_scenario(1000), memory);
  for (const auto& [path, bytes] : memory.files) {
    std::ofstream(dir / std::filesystem::path(path).filename(), std::ios::binary) << bytes;
  }
  PlotOptions options;
  options.directory = dir.string();
  options.output = (dir / "plan.svg").string();
  std::ostringstream err;
  EXPECT_EQ(plot_command(options, disk_file_system(), err), kExitClean) << err.str();
  EXPECT_TRUE(std::filesystem::is_regular_file(dir / "plan.svg"));
  EXPECT_EQ(err.str(), "scenario-builder plot: wrote " + options.output + "\n");
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace sb

#endif  // SB_HAVE_PLOT
