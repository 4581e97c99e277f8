#ifndef SCENARIO_BUILDER_VIEWER_SVG_TEXT_H_
#define SCENARIO_BUILDER_VIEWER_SVG_TEXT_H_

#include <string>
#include <vector>

#include "viewer/canvas.h"

namespace sb {

// cairo writes the glyphs of an SVG as outlines, which cannot be searched or
// selected.  A drawing made for SVG therefore keeps its texts aside (see
// Canvas::keep_texts) and they are added to the document as text elements
// after cairo has written the rest.

// The document with a <text> element for each text, in order, in front of
// the closing </svg>; the document unchanged when it has none.
std::string with_svg_texts(const std::string& svg, const std::vector<KeptText>& texts);

// One text element: position, font, colour, and a white outline painted
// under the letters for a text with a halo.  The text is UTF-8, escaped.
std::string svg_text_element(const KeptText& text);

}  // namespace sb

#endif  // SCENARIO_BUILDER_VIEWER_SVG_TEXT_H_
