#include "viewer/svg_text.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace sb {
namespace {

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string result = text;
  while (result.back() == '0') result.pop_back();
  if (result.back() == '.') result.pop_back();
  return result == "-0" ? "0" : result;
}

std::string rgb(const Colour& colour) {
  const auto channel = [](double value) {
    return std::to_string(static_cast<int>(std::lround(std::clamp(value, 0.0, 1.0) * 255)));
  };
  return "rgb(" + channel(colour.red) + "," + channel(colour.green) + "," + channel(colour.blue) +
         ")";
}

std::string escaped(const std::string& text) {
  std::string result;
  for (const char c : text) {
    switch (c) {
      case '&': result += "&amp;"; break;
      case '<': result += "&lt;"; break;
      case '>': result += "&gt;"; break;
      case '"': result += "&quot;"; break;
      default:
        // XML allows no control character but tab, line feed and return.
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
          result += "\xEF\xBF\xBD";
        } else {
          result += c;
        }
    }
  }
  return result;
}

}  // namespace

std::string svg_text_element(const KeptText& text) {
  const TextStyle& style = text.style;
  std::string element = "<text xml:space=\"preserve\" x=\"" + number(text.x) + "\" y=\"" +
                        number(text.baseline) + "\" font-family=\"DejaVu Sans\" font-size=\"" +
                        number(style.size) + "\"";
  if (style.weight == FontWeight::kBold) element += " font-weight=\"bold\"";
  element += " fill=\"" + rgb(style.colour) + "\"";
  if (style.colour.alpha < 1) element += " fill-opacity=\"" + number(style.colour.alpha) + "\"";
  if (style.halo) {
    element += " stroke=\"rgb(255,255,255)\" stroke-opacity=\"0.9\" stroke-width=\"" +
               number(style.size * 0.28) + "\" stroke-linejoin=\"round\" paint-order=\"stroke\"";
  }
  return element + ">" + escaped(text.text) + "</text>";
}

std::string with_svg_texts(const std::string& svg, const std::vector<KeptText>& texts) {
  const size_t end = svg.rfind("</svg>");
  if (texts.empty() || end == std::string::npos) return svg;
  std::string elements = "<g id=\"texts\">\n";
  for (const KeptText& text : texts) elements += svg_text_element(text) + "\n";
  elements += "</g>\n";
  return svg.substr(0, end) + elements + svg.substr(end);
}

}  // namespace sb
