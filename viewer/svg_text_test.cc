#include "viewer/svg_text.h"

#include <gtest/gtest.h>

namespace sb {
namespace {

TEST(SvgText, ElementsCarryPositionFontColourAndEscapedText) {
  const struct {
    KeptText text;
    const char* element;
  } cases[] = {
      {{"A & B <1>", {12, FontWeight::kNormal, {1, 0, 0, 1}, false}, 10.5, 20.126},
       "<text xml:space=\"preserve\" x=\"10.5\" y=\"20.13\" font-family=\"DejaVu Sans\" "
       "font-size=\"12\" fill=\"rgb(255,0,0)\">A &amp; B &lt;1&gt;</text>"},
      {{"CITT\xC3\x80 \"2\"", {10, FontWeight::kBold, {0, 0, 1, 0.5}, true}, 0, 3},
       "<text xml:space=\"preserve\" x=\"0\" y=\"3\" font-family=\"DejaVu Sans\" "
       "font-size=\"10\" font-weight=\"bold\" fill=\"rgb(0,0,255)\" fill-opacity=\"0.5\" "
       "stroke=\"rgb(255,255,255)\" stroke-opacity=\"0.9\" stroke-width=\"2.8\" "
       "stroke-linejoin=\"round\" paint-order=\"stroke\">CITT\xC3\x80 &quot;2&quot;</text>"},
  };
  for (const auto& c : cases) EXPECT_EQ(svg_text_element(c.text), c.element);
}

TEST(SvgText, TextsGoInFrontOfTheClosingTag) {
  const std::string svg = "<svg>\n<path/>\n</svg>\n";
  EXPECT_EQ(with_svg_texts(svg, {}), svg);
  EXPECT_EQ(with_svg_texts(svg, {{"x", {}, 1, 2}}),
            "<svg>\n<path/>\n<g id=\"texts\">\n<text xml:space=\"preserve\" x=\"1\" y=\"2\" "
            "font-family=\"DejaVu Sans\" font-size=\"12\" fill=\"rgb(31,33,38)\">x</text>\n"
            "</g>\n</svg>\n");
}

}  // namespace
}  // namespace sb
