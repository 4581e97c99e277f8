#include "viewer/profile_painter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "viewer/plot_text.h"
#include "viewer/station_labels.h"

namespace sb {
namespace {

class ProfilePainter {
 public:
  ProfilePainter(Canvas& canvas, LabelPlacer& labels, const PlotScene& scene,
                 const PlotLayout& layout)
      : canvas_(canvas),
        labels_(labels),
        scene_(scene),
        layout_(layout),
        axis_(layout.axis),
        font_(layout.font_size) {
    const double most = std::max(4.0, (axis_.right - axis_.left) / (font_ * 7));
    step_ = round_step(axis_.last - axis_.first, most);
  }

  void paint() {
    for (const PixelRect* lane :
         {&layout_.station_lane, &layout_.speed_lane, &layout_.gradient_lane, &layout_.cab_lane}) {
      canvas_.fill_rect(*lane, palette::kLaneGround);
    }
    paint_grid();
    paint_stations();
    paint_speeds();
    paint_gradients();
    paint_cab_signalling();
    for (const PixelRect* lane :
         {&layout_.station_lane, &layout_.speed_lane, &layout_.gradient_lane, &layout_.cab_lane}) {
      canvas_.stroke_rect(*lane, palette::kFrame, 1);
    }
    paint_axis();
  }

 private:
  double x_of(double position) const { return axis_.to_pixel(position); }

  // The part of [start, end) inside the drawn range, in pixels; false when
  // nothing of it is.
  bool clip(double start, double end, double* left, double* right) const {
    const double from = std::max(start, axis_.first);
    const double to = std::min(end, axis_.last);
    if (to < from) return false;
    *left = x_of(from);
    *right = x_of(to);
    return true;
  }

  void lane_title(const PixelRect& lane, const std::string& title, const std::string& unit) {
    const TextStyle bold{font_, FontWeight::kBold};
    const double mid = lane.top + lane.height / 2;
    if (unit.empty()) {
      canvas_.text_at(title, bold, layout_.gutter_left, mid);
      return;
    }
    canvas_.text_at(title, bold, layout_.gutter_left, mid - font_ * 0.65);
    canvas_.text_at(unit, {font_ * 0.85, FontWeight::kNormal, palette::kMutedText},
                    layout_.gutter_left, mid + font_ * 0.65);
  }

  void paint_grid() {
    const double top = layout_.station_lane.top;
    const double bottom = layout_.cab_lane.bottom();
    for (double m = std::ceil(axis_.first / step_) * step_; m <= axis_.last; m += step_) {
      canvas_.line({x_of(m), top}, {x_of(m), bottom}, palette::kGrid, 1);
    }
  }

  void paint_stations() {
    const PixelRect& lane = layout_.station_lane;
    lane_title(lane, "Stations", "");
    const double bar_top = lane.bottom() - font_ * 2.4;
    const double bar_height = font_ * 1.5;
    Colour fill = palette::kStationArea;
    fill.alpha = 0.85;
    for (const StationMark& s : scene_.stations) {
      double left = 0;
      double right = 0;
      if (!clip(s.start, s.end, &left, &right)) continue;
      const PixelRect bar{left, bar_top, std::max(right - left, 1.5), bar_height};
      canvas_.fill_rect(bar, fill);
      canvas_.stroke_rect(bar, {0.25, 0.42, 0.62}, 0.8);
      if (s.position < axis_.first || s.position > axis_.last) continue;
      const double x = x_of(s.position);
      canvas_.line({x, bar_top - font_ * 0.3}, {x, bar_top + bar_height}, palette::kStationLine,
                   1.2);
    }
    paint_station_names(bar_top - font_ * 0.3);
  }

  // Names in rows above the marks, the first row lowest; a thin line leads
  // from the mark to a name that does not stand right over it.
  void paint_station_names(double mark_top) {
    const TextStyle style = station_name_style(font_);
    const std::vector<PackedLabel> packed =
        pack_station_names(canvas_, scene_, axis_, font_, layout_.station_name_rows);
    std::vector<std::pair<size_t, PixelRect>> boxes;
    for (size_t i = 0; i < packed.size(); ++i) {
      if (packed[i].row < 0) continue;
      const std::string& name = scene_.stations[i].name;
      PixelRect box = canvas_.text_box(name, style, {0, 0});
      box.left = packed[i].left;
      box.top = mark_top - font_ * 0.15 - box.height - packed[i].row * kStationNameRowPitch * font_;
      boxes.emplace_back(i, box);
    }
    for (const auto& [i, box] : boxes) {
      const double x = x_of(scene_.stations[i].position);
      const double over = std::clamp(x, box.left + 2, box.right() - 2);
      if (packed[i].row == 0 && over == x) continue;
      canvas_.line({x, mark_top}, {over, box.bottom()}, palette::kMutedText, 0.8);
    }
    for (const auto& [i, box] : boxes) {
      canvas_.text(scene_.stations[i].name, style, box);
      labels_.take(box);
    }
  }

  // A scale for a lane: `most` rounded up to a round number.
  static double ceiling_of(double most, double step) {
    return std::max(step, std::ceil(most / step) * step);
  }

  void paint_speeds() {
    const PixelRect& lane = layout_.speed_lane;
    lane_title(lane, "Speed", "km/h");
    int top_speed = 0;
    for (const Stretch& s : scene_.speed_limits) {
      if (s.end > axis_.first && s.start < axis_.last) top_speed = std::max(top_speed, s.value);
    }
    for (const Stretch& s : scene_.slowdowns) {
      if (s.end > axis_.first && s.start < axis_.last) top_speed = std::max(top_speed, s.value);
    }
    const double grid = round_step(std::max(top_speed, 40), 5);
    const double scale_top = ceiling_of(top_speed + grid * 0.25, grid);
    const auto y_of = [&](double speed) {
      return lane.bottom() - speed / scale_top * (lane.height - font_ * 0.6);
    };
    const TextStyle tick{font_ * 0.8, FontWeight::kNormal, palette::kMutedText};
    for (double v = grid; v <= scale_top; v += grid) {
      canvas_.line({lane.left, y_of(v)}, {lane.right(), y_of(v)}, palette::kGrid, 1);
      const std::string text = std::to_string(static_cast<int>(v));
      canvas_.text_at(text, tick, lane.left - canvas_.text_width(text, tick) - 4, y_of(v));
    }
    // Line speed limit as a stepped line.
    cairo_t* cr = canvas_.cairo();
    cairo_new_path(cr);
    for (const Stretch& s : scene_.speed_limits) {
      double left = 0;
      double right = 0;
      if (!clip(s.start, s.end, &left, &right)) continue;
      cairo_line_to(cr, left, y_of(s.value));
      cairo_line_to(cr, right, y_of(s.value));
    }
    canvas_.set_colour(palette::kSpeedLimit);
    cairo_set_line_width(cr, std::max(1.5, font_ * 0.15));
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_stroke(cr);
    // Slowdowns: a filled step down to their speed.
    const TextStyle label{font_ * 0.85, FontWeight::kBold, {0.75, 0.33, 0.0}};
    Colour fill = palette::kSlowdown;
    fill.alpha = 0.28;
    for (const Stretch& s : scene_.slowdowns) {
      double left = 0;
      double right = 0;
      if (!clip(s.start, s.end, &left, &right)) continue;
      const double width = std::max(right - left, 2.0);
      canvas_.fill_rect({left, y_of(s.value), width, lane.bottom() - y_of(s.value)}, fill);
      canvas_.line({left, y_of(s.value)}, {left + width, y_of(s.value)}, palette::kSlowdown,
                   std::max(2.0, font_ * 0.2));
      const std::string text = std::to_string(s.value);
      const PixelPoint centre{left + width / 2, y_of(s.value) + font_ * 0.8};
      PixelRect box = canvas_.text_box(text, label, centre);
      std::vector<PixelRect> candidates{box};
      box.top = y_of(s.value) - font_ * 0.3 - box.height;
      candidates.push_back(box);
      if (const auto rect = labels_.place(candidates, lane)) canvas_.text(text, label, *rect);
    }
  }

  void paint_gradients() {
    const PixelRect& lane = layout_.gradient_lane;
    lane_title(lane, "Gradient", "mountain shaded");
    Colour mountain = palette::kMountain;
    for (const Stretch& m : scene_.mountains) {
      double left = 0;
      double right = 0;
      if (clip(m.start, m.end, &left, &right)) {
        canvas_.fill_rect({left, lane.top, std::max(right - left, 1.0), lane.height}, mountain);
      }
    }
    int steepest = 0;
    for (const Stretch& g : scene_.gradients) {
      if (g.end > axis_.first && g.start < axis_.last)
        steepest = std::max(steepest, std::abs(g.value));
    }
    const double grid = round_step(std::max(steepest, 4), 2);
    const double scale = ceiling_of(steepest, grid);
    const double zero = lane.top + lane.height / 2;
    const double reach = lane.height / 2 - font_ * 0.4;
    const auto y_of = [&](double g) { return zero - g / scale * reach; };
    const TextStyle tick{font_ * 0.8, FontWeight::kNormal, palette::kMutedText};
    for (double g = -scale; g <= scale; g += grid) {
      if (g != 0) canvas_.line({lane.left, y_of(g)}, {lane.right(), y_of(g)}, palette::kGrid, 1);
      const std::string text = (g > 0 ? "+" : "") + std::to_string(static_cast<int>(g));
      canvas_.text_at(text, tick, lane.left - canvas_.text_width(text, tick) - 4, y_of(g));
    }
    for (const Stretch& g : scene_.gradients) {
      double left = 0;
      double right = 0;
      if (g.value == 0 || !clip(g.start, g.end, &left, &right)) continue;
      const double top = std::min(y_of(g.value), zero);
      canvas_.fill_rect({left, top, std::max(right - left, 0.8), std::abs(y_of(g.value) - zero)},
                        g.value > 0 ? palette::kGradientUp : palette::kGradientDown);
    }
    canvas_.line({lane.left, zero}, {lane.right(), zero}, palette::kMutedText, 1);
  }

  void paint_cab_signalling() {
    const PixelRect& lane = layout_.cab_lane;
    lane_title(lane, "Cab signalling", "");
    double left = 0;
    double right = 0;
    if (!scene_.cab_signalling ||
        !clip(scene_.cab_signalling->start, scene_.cab_signalling->end, &left, &right)) {
      return;
    }
    const PixelRect bar{left, lane.top + 3, std::max(right - left, 1.0), lane.height - 6};
    canvas_.fill_rect(bar, palette::kCabSignalling);
    const std::string text = std::to_string(scene_.cab_signalling->value) + " codes";
    const TextStyle style{font_ * 0.8, FontWeight::kBold, palette::kPaper};
    const PixelRect box =
        canvas_.text_box(text, style, {bar.left + bar.width / 2, bar.top + bar.height / 2});
    if (box.width + 8 < bar.width) canvas_.text(text, style, box);
  }

  void paint_axis() {
    const PixelRect& band = layout_.axis_band;
    const double base = band.top;
    canvas_.line({axis_.left, base}, {axis_.right, base}, palette::kText, 1);
    const TextStyle km{font_ * 0.85};
    const TextStyle chain{font_ * 0.85, FontWeight::kNormal, palette::kMutedText};
    const double row_1 = base + font_ * 1.0;
    const double row_2 = base + font_ * 2.4;
    canvas_.text_at("route km", {font_ * 0.85, FontWeight::kBold}, layout_.gutter_left, row_1);
    canvas_.text_at("chainage", {font_ * 0.85, FontWeight::kBold, palette::kMutedText},
                    layout_.gutter_left, row_2);
    for (double m = std::ceil(axis_.first / step_) * step_; m <= axis_.last; m += step_) {
      const double x = x_of(m);
      canvas_.line({x, base}, {x, base + font_ * 0.35}, palette::kText, 1);
      place_centred(kilometres_text(m), km, x, row_1);
      place_centred(reading_text(scene_, m), chain, x, row_2);
    }
    // Where a chainage takes over inside the drawn stretch.
    for (const Chainage& c : scene_.chainages) {
      if (c.start <= axis_.first || c.start > axis_.last) continue;
      const double x = x_of(c.start);
      canvas_.line({x, base}, {x, base + font_ * 3}, palette::kSignal, 1);
    }
  }

  void place_centred(const std::string& text, const TextStyle& style, double x, double y) {
    const PixelRect box = canvas_.text_box(text, style, {x, y});
    const PixelRect area{axis_.left - font_ * 4, layout_.axis_band.top,
                         axis_.right - axis_.left + font_ * 4 + layout_.gutter_left,
                         layout_.axis_band.height};
    if (const auto rect = labels_.place({box}, area)) canvas_.text(text, style, *rect);
  }

  Canvas& canvas_;
  LabelPlacer& labels_;
  const PlotScene& scene_;
  const PlotLayout& layout_;
  DistanceAxis axis_;
  double font_;
  double step_ = 1000;
};

}  // namespace

void paint_profile(Canvas& canvas, LabelPlacer& labels, const PlotScene& scene,
                   const PlotLayout& layout) {
  ProfilePainter(canvas, labels, scene, layout).paint();
}

}  // namespace sb
