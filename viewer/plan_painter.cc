#include "viewer/plan_painter.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>

#include "viewer/plot_text.h"
#include "viewer/symbols.h"

namespace sb {
namespace {

using Polyline = std::vector<PixelPoint>;

double distance(PixelPoint a, PixelPoint b) { return std::hypot(a.x - b.x, a.y - b.y); }

// Which side of the track an object's symbol stands on (+1 right of the
// direction of travel, -1 left, 0 on it) and how far out, in symbol sizes:
// each family keeps its own lane so that they do not cover each other.
struct Placement {
  int side = 0;
  double offset = 0;
};

Placement placement_of(MarkKind kind) {
  switch (kind) {
    case MarkKind::kSignal: return {1, 1.05};
    case MarkKind::kSlowdownWarning:
    case MarkKind::kSlowdownStart:
    case MarkKind::kSlowdownEnd: return {1, 2.2};
    case MarkKind::kSpeedBoard: return {-1, 1.05};
    case MarkKind::kIndicationBoard: return {-1, 2.2};
    case MarkKind::kCodePoint:
    case MarkKind::kCodeCutPoint: return {0, 0};
  }
  return {};
}

class PlanPainter {
 public:
  PlanPainter(Canvas& canvas, LabelPlacer& labels, const PlotScene& scene, const PlotLayout& layout,
              DistanceRange range)
      : canvas_(canvas),
        labels_(labels),
        scene_(scene),
        layout_(layout),
        symbol_(layout.font_size * 0.95),
        track_width_(std::max(1.5, layout.font_size * 0.2)) {
    first_row_ = range.first;
    while (first_row_ < range.last && !scene.has_point(first_row_)) ++first_row_;
    last_row_ = range.last;
    while (last_row_ > first_row_ && !scene.has_point(last_row_)) --last_row_;
  }

  void paint() {
    canvas_.fill_rect(layout_.plan, palette::kMapGround);
    canvas_.stroke_rect(layout_.plan, palette::kFrame, 1);
    if (!scene_.has_point(first_row_)) return;
    cairo_save(canvas_.cairo());
    cairo_rectangle(canvas_.cairo(), layout_.plan.left, layout_.plan.top, layout_.plan.width,
                    layout_.plan.height);
    cairo_clip(canvas_.cairo());
    paint_bands();
    paint_track();
    paint_kilometre_ticks();
    paint_marks();
    paint_termini();
    paint_stations();
    place_labels();
    cairo_restore(canvas_.cairo());
    paint_footer();
  }

 private:
  struct PendingLabel {
    int priority = 0;
    std::string text;
    TextStyle style;
    PixelPoint anchor;
    PixelPoint normal;
    std::vector<std::pair<int, double>> sides;  // side and distance from the anchor
    bool leader = false;   // a thin line to the anchor when the label stands off
    bool station = false;  // must stand nearer its own station than any other
  };

  bool in_range(double position) const { return position >= first_row_ && position <= last_row_; }

  PixelPoint point_at(double position) const {
    int32_t row = static_cast<int32_t>(std::clamp(position, double(first_row_), double(last_row_)));
    while (row > first_row_ && !scene_.has_point(row)) --row;
    return layout_.plan_transform.to_pixel(scene_.trace[static_cast<size_t>(row)]);
  }

  // Unit normal to the right of the direction of travel, in pixels.
  PixelPoint normal_at(double position) const {
    const double reach = std::clamp(6 / layout_.plan_transform.pixels_per_metre, 2.0, 3000.0);
    const PixelPoint a = point_at(position - reach);
    const PixelPoint b = point_at(position + reach);
    const double length = distance(a, b);
    if (length < 1e-9) return {1, 0};
    return {-(b.y - a.y) / length, (b.x - a.x) / length};
  }

  // The trace between two positions, one point per ~half pixel, broken
  // where rows were never assigned.
  std::vector<Polyline> polylines(double from, double to) const {
    std::vector<Polyline> lines;
    const int32_t first = static_cast<int32_t>(std::max<double>(std::ceil(from), first_row_));
    const int32_t last = static_cast<int32_t>(std::min<double>(std::floor(to), last_row_));
    Polyline current;
    for (int32_t row = first; row <= last; ++row) {
      if (!scene_.has_point(row)) {
        if (current.size() > 1) lines.push_back(std::move(current));
        current.clear();
        continue;
      }
      const PixelPoint p = layout_.plan_transform.to_pixel(scene_.trace[static_cast<size_t>(row)]);
      if (current.empty() || row == last || distance(current.back(), p) >= 0.5)
        current.push_back(p);
    }
    if (current.size() > 1) lines.push_back(std::move(current));
    return lines;
  }

  void stroke(const std::vector<Polyline>& lines, Colour colour, double width) {
    cairo_t* cr = canvas_.cairo();
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    canvas_.set_colour(colour);
    cairo_set_line_width(cr, width);
    for (const Polyline& line : lines) {
      cairo_new_path(cr);
      for (const PixelPoint& p : line) cairo_line_to(cr, p.x, p.y);
      cairo_stroke(cr);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  }

  void paint_bands() {
    for (const Stretch& m : scene_.mountains) {
      stroke(polylines(m.start, m.end), palette::kMountain, symbol_ * 1.3);
    }
    Colour area = palette::kStationArea;
    area.alpha = 0.75;
    for (const StationMark& s : scene_.stations) {
      stroke(polylines(s.start, s.end), area, symbol_ * 0.75);
    }
    Colour slow = palette::kSlowdown;
    slow.alpha = 0.8;
    for (const Stretch& s : scene_.slowdowns)
      stroke(polylines(s.start, s.end), slow, track_width_ * 3);
  }

  void paint_track() {
    const std::vector<Polyline> lines = polylines(first_row_, last_row_);
    stroke(lines, palette::kTrack, track_width_);
    for (const Polyline& line : lines) {
      for (size_t i = 1; i < line.size(); ++i) {
        labels_.take_segment(line[i - 1], line[i], track_width_ / 2 + 2);
      }
    }
  }

  void paint_kilometre_ticks() {
    const double most = std::max(4.0, layout_.plan.width / (layout_.font_size * 9));
    const double step = round_step(last_row_ - first_row_, most);
    const double half = symbol_ * 0.45;
    for (double km = std::ceil(first_row_ / step) * step; km <= last_row_; km += step) {
      const PixelPoint p = point_at(km);
      const PixelPoint n = normal_at(km);
      canvas_.line({p.x - n.x * half, p.y - n.y * half}, {p.x + n.x * half, p.y + n.y * half},
                   palette::kTrack, track_width_ * 0.8);
      const double farther = half + 2 + layout_.font_size;
      pending_.push_back(
          {3,
           kilometres_text(km),
           {layout_.font_size * 0.85, FontWeight::kNormal, palette::kMutedText, true},
           p,
           n,
           {{-1, half + 2}, {1, half + 2}, {-1, farther}, {1, farther}},
           true});
    }
  }

  void paint_marks() {
    std::map<MarkKind, PixelPoint> last_drawn;
    for (const PointMark& mark : scene_.marks) {
      if (!in_range(mark.position)) continue;
      const Placement place = placement_of(mark.kind);
      const PixelPoint on_track = point_at(mark.position);
      const PixelPoint n = normal_at(mark.position);
      const double out = place.side * place.offset * symbol_;
      const PixelPoint centre{on_track.x + n.x * out, on_track.y + n.y * out};
      const auto last = last_drawn.find(mark.kind);
      const bool crowded =
          last != last_drawn.end() && distance(last->second, centre) < symbol_ * 0.6;
      if (!crowded) {
        const double size = place.side == 0 ? symbol_ * 0.9 : symbol_;
        draw_mark_symbol(canvas_, mark.kind, centre, size);
        labels_.take(symbol_box(centre, size));
        last_drawn[mark.kind] = centre;
      }
      queue_mark_label(mark, centre, n, place);
    }
  }

  void queue_mark_label(const PointMark& mark, PixelPoint centre, PixelPoint n, Placement place) {
    const double font = layout_.font_size;
    TextStyle style{font * 0.85, FontWeight::kNormal, palette::kText, true};
    int priority = 0;
    switch (mark.kind) {
      case MarkKind::kIndicationBoard:
        priority = 4;
        style.colour = palette::kIndicationBoard;
        break;
      case MarkKind::kSlowdownStart:
        priority = 5;
        style.weight = FontWeight::kBold;
        style.colour = {0.75, 0.33, 0.0};
        break;
      case MarkKind::kSpeedBoard: priority = 6; break;
      default: return;
    }
    if (mark.label.empty()) return;
    // Outward from the symbol only: across the track a label would seem
    // to belong to the objects of the other side.
    const double near = symbol_ * 0.6 + 2;
    pending_.push_back(
        {priority,
         mark.label,
         style,
         centre,
         n,
         {{place.side, near}, {place.side, near + font}, {place.side, near + 2 * font}},
         true});
  }

  void paint_stations() {
    for (const StationMark& station : scene_.stations) {
      if (!in_range(station.position)) continue;
      const PixelPoint p = point_at(station.position);
      draw_station_symbol(canvas_, p, symbol_ * 0.95);
      labels_.take(symbol_box(p, symbol_));
      const double near = symbol_ * 0.6 + 2;
      const double far = symbol_ * 3.4;
      const double farther = far + layout_.font_size * 1.5;
      const double farthest = far + layout_.font_size * 4;
      pending_.push_back({2,
                          station.name,
                          {layout_.font_size, FontWeight::kBold, palette::kText, true},
                          p,
                          normal_at(station.position),
                          {{-1, near},
                           {1, near},
                           {-1, far},
                           {1, far},
                           {-1, farther},
                           {1, farther},
                           {-1, farthest},
                           {1, farthest},
                           {-1, farthest * 1.6},
                           {1, farthest * 1.6}},
                          true,
                          true});
      station_points_.push_back(p);
    }
  }

  void paint_termini() {
    const auto terminus = [&](int32_t row, const std::string& name) {
      const PixelPoint p = point_at(row);
      draw_terminus_symbol(canvas_, p, symbol_ * 1.6);
      labels_.take(symbol_box(p, symbol_ * 1.6));
      const double near = symbol_ + 2;
      pending_.push_back({1,
                          name,
                          {layout_.font_size, FontWeight::kBold, palette::kStartEnd, true},
                          p,
                          normal_at(row),
                          {{1, near}, {-1, near}, {1, near * 2.5}, {-1, near * 2.5}}});
    };
    terminus(first_row_, first_row_ == 0 ? "start" : "km " + kilometres_text(first_row_));
    terminus(last_row_,
             last_row_ == scene_.route_length ? "end" : "km " + kilometres_text(last_row_));
  }

  // Candidates stand beside the anchor along its normal, on the asked side,
  // far enough that the box clears the given distance; last of all, above
  // and below the anchor.
  std::vector<PixelRect> candidates(const PendingLabel& label) {
    const PixelRect box = canvas_.text_box(label.text, label.style, label.anchor);
    const PixelPoint n = label.normal;
    const double reach = std::abs(n.x) * box.width / 2 + std::abs(n.y) * box.height / 2;
    std::vector<PixelRect> result;
    for (const auto& [side, gap] : label.sides) {
      const double d = side * (gap + reach);
      PixelRect rect = box;
      rect.left += n.x * d;
      rect.top += n.y * d;
      result.push_back(rect);
    }
    return result;
  }

  static double distance_to(const PixelRect& rect, PixelPoint p) {
    return distance(
        p, {std::clamp(p.x, rect.left, rect.right()), std::clamp(p.y, rect.top, rect.bottom())});
  }

  // How near a box stands to the nearest station other than the one at
  // `own`, less how near it stands to `own`: positive when `own` is nearer.
  double lead_over_other_stations(const PixelRect& rect, PixelPoint own) const {
    const double to_own = distance_to(rect, own);
    double lead = std::numeric_limits<double>::infinity();
    for (const PixelPoint& other : station_points_) {
      if (distance(other, own) > 0.5) lead = std::min(lead, distance_to(rect, other) - to_own);
    }
    return lead;
  }

  // A station's name goes where its own station is clearly the nearest one;
  // failing that, where no other station is clearly nearer, with its leader
  // to tell which station it names.
  std::vector<PixelRect> station_candidates(const PendingLabel& label) {
    std::vector<PixelRect> nearest;
    std::vector<PixelRect> fallback;
    for (const PixelRect& rect : candidates(label)) {
      const double lead = lead_over_other_stations(rect, label.anchor);
      if (lead > symbol_) {
        nearest.push_back(rect);
      } else if (lead + symbol_ >= 0) {
        fallback.push_back(rect);
      }
    }
    nearest.insert(nearest.end(), fallback.begin(), fallback.end());
    return nearest;
  }

  void place_labels() {
    std::stable_sort(
        pending_.begin(), pending_.end(),
        [](const PendingLabel& a, const PendingLabel& b) { return a.priority < b.priority; });
    for (const PendingLabel& label : pending_) {
      const auto rect = labels_.place(label.station ? station_candidates(label) : candidates(label),
                                      layout_.plan);
      if (!rect) continue;
      if (label.leader) draw_leader(label.anchor, *rect);
      canvas_.text(label.text, label.style, *rect);
    }
  }

  // A thin line from beside the symbol to the nearest point of a label that
  // had to stand off it.
  void draw_leader(PixelPoint anchor, const PixelRect& rect) {
    const PixelPoint nearest{std::clamp(anchor.x, rect.left, rect.right()),
                             std::clamp(anchor.y, rect.top, rect.bottom())};
    const double length = distance(anchor, nearest);
    if (length < symbol_ * 1.3) return;
    const double skip = symbol_ * 0.6 / length;
    const PixelPoint from{anchor.x + (nearest.x - anchor.x) * skip,
                          anchor.y + (nearest.y - anchor.y) * skip};
    canvas_.line(from, nearest, palette::kMutedText, 0.8);
    labels_.take_segment(from, nearest, 1);
  }

  void paint_footer() {
    const PixelRect& footer = layout_.plan_footer;
    const double font = layout_.font_size;
    const double mid = footer.top + footer.height / 2;
    // North arrow.
    const double x = footer.left + font;
    cairo_t* cr = canvas_.cairo();
    cairo_new_path(cr);
    cairo_move_to(cr, x, mid - font * 0.9);
    cairo_line_to(cr, x + font * 0.45, mid + font * 0.5);
    cairo_line_to(cr, x, mid + font * 0.2);
    cairo_line_to(cr, x - font * 0.45, mid + font * 0.5);
    cairo_close_path(cr);
    canvas_.set_colour(palette::kText);
    cairo_fill(cr);
    canvas_.text_at("N", {font, FontWeight::kBold}, x + font * 0.7, mid);

    // Scale bar: a round length near a fifth of the map, in four parts.
    const double ppm = layout_.plan_transform.pixels_per_metre;
    const double length = round_step(layout_.plan.width / 5 / ppm, 1);
    const double bar = length * ppm;
    const double left = x + font * 3;
    const double h = font * 0.45;
    for (int part = 0; part < 4; ++part) {
      const PixelRect piece{left + bar * part / 4, mid - h / 2, bar / 4, h};
      canvas_.fill_rect(piece, part % 2 == 0 ? palette::kText : palette::kPaper);
      canvas_.stroke_rect(piece, palette::kText, 1);
    }
    const TextStyle style{font * 0.9};
    canvas_.text_at("0", style, left - canvas_.text_width("0", style) - 4, mid);
    const std::string end = length >= 1000 ? kilometres_text(length) + " km"
                                           : std::to_string(static_cast<int>(length)) + " m";
    canvas_.text_at(end, style, left + bar + 5, mid);
    canvas_.text_at("plan to scale, north up",
                    {font * 0.9, FontWeight::kNormal, palette::kMutedText},
                    left + bar + canvas_.text_width(end, style) + font * 2, mid);
  }

  Canvas& canvas_;
  LabelPlacer& labels_;
  const PlotScene& scene_;
  const PlotLayout& layout_;
  double symbol_;
  double track_width_;
  int32_t first_row_ = 0;
  int32_t last_row_ = 0;
  std::vector<PendingLabel> pending_;
  std::vector<PixelPoint> station_points_;
};

}  // namespace

void paint_plan(Canvas& canvas, LabelPlacer& labels, const PlotScene& scene,
                const PlotLayout& layout, DistanceRange range) {
  PlanPainter(canvas, labels, scene, layout, range).paint();
}

}  // namespace sb
