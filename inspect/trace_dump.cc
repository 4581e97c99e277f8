#include "inspect/trace_dump.h"

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "inspect/trace_summary.h"
#include "model/build_state.h"

namespace sb {
namespace {

constexpr const char* kColumnNames[2] = {"x", "y"};
// Rows beyond the route: the route overrun plus the row of position 0.
constexpr size_t kRowsBeyondRoute = kRouteOverrun + 1;

const char* tag_name(TraceTag tag) {
  switch (tag) {
    case TraceTag::kUnset: return "unset";
    case TraceTag::kInt16: return "int16";
    case TraceTag::kDouble: return "double";
  }
  return "";
}

std::optional<size_t> route_length(const DecodedTrace& trace) {
  if (trace.row_count() < kRowsBeyondRoute) return std::nullopt;
  return trace.row_count() - kRowsBeyondRoute;
}

// Only rows asked for are shown.
IndexSpan shown_rows(const DumpContext& context, const DecodedTrace& trace) {
  if (!context.rows) return {};
  return select_span(context.rows, trace.row_count());
}

std::string element_text(const DecodedTrace& trace, int column, size_t row) {
  const std::string name = std::string(kColumnNames[column]) + " ";
  switch (trace.tag(column, row)) {
    case TraceTag::kUnset: return name + "unset";
    case TraceTag::kInt16:
      return name + std::to_string(static_cast<int64_t>(trace.value(column, row))) + " (int16)";
    case TraceTag::kDouble: return name + shortest_decimal(trace.value(column, row));
  }
  return name;
}

std::string extent_text(const TraceExtent& extent, int column) {
  const std::string name = std::string(kColumnNames[column]) + " ";
  if (!extent.any) return name + "none";
  return name + millimetres(extent.min) + " to " + millimetres(extent.max);
}

void print_text(const DumpContext& context, const DecodedTrace& trace, std::ostream& out) {
  const TraceSummary summary = summarize_trace(trace);
  out << "line trace " << context.path << ": " << trace.row_count() << " rows in each column, "
      << context.file_bytes << " bytes\n";
  if (auto length = route_length(trace)) out << "rows for a route of " << *length << " m\n";
  for (int column = 0; column < 2; ++column) {
    const TraceTagCounts& tags = summary.tags[static_cast<size_t>(column)];
    out << "column " << kColumnNames[column] << ": " << tags.int16 << " int16, " << tags.doubles
        << " double, " << tags.unset << " unset\n";
  }
  out << "extent " << extent_text(summary.extent[0], 0) << ", " << extent_text(summary.extent[1], 1)
      << '\n';
  out << "length along the trace " << millimetres(summary.length) << " m\n";
  if (summary.non_finite > 0) {
    out << summary.non_finite << (summary.non_finite == 1 ? " value" : " values")
        << " not finite, left out of the extent and length\n";
  }
  const IndexSpan span = shown_rows(context, trace);
  for (size_t row = span.first; row < span.end; ++row) {
    out << "row " << row << ": " << element_text(trace, 0, row) << ", "
        << element_text(trace, 1, row) << '\n';
  }
}

// JSON numbers are finite: an infinite or undefined value is shown as the
// text "inf", "-inf" or "nan" rather than lost as null.
nlohmann::json number_json(double value) {
  if (!std::isfinite(value)) return shortest_decimal(value);
  return value;
}

nlohmann::json element_json(const DecodedTrace& trace, int column, size_t row) {
  if (!trace.assigned(column, row)) return nullptr;
  return number_json(trace.value(column, row));
}

nlohmann::json column_json(const TraceSummary& summary, int column) {
  const TraceTagCounts& tags = summary.tags[static_cast<size_t>(column)];
  const TraceExtent& extent = summary.extent[static_cast<size_t>(column)];
  return {{"int16", tags.int16},
          {"double", tags.doubles},
          {"unset", tags.unset},
          {"min", extent.any ? nlohmann::json(extent.min) : nlohmann::json(nullptr)},
          {"max", extent.any ? nlohmann::json(extent.max) : nlohmann::json(nullptr)}};
}

nlohmann::json row_json(const DecodedTrace& trace, size_t row) {
  return {{"row", row},
          {"x", element_json(trace, 0, row)},
          {"y", element_json(trace, 1, row)},
          {"x_tag", tag_name(trace.tag(0, row))},
          {"y_tag", tag_name(trace.tag(1, row))}};
}

// The document as print_json would print it whole, but with the rows (its
// last member) printed one at a time: a trace of a million rows and more
// never stands in memory as JSON.
void print_json_document(const DumpContext& context, const DecodedTrace& trace, std::ostream& out) {
  const TraceSummary summary = summarize_trace(trace);
  const std::optional<size_t> length = route_length(trace);
  const nlohmann::json document = {
      {"file", context.path},
      {"kind", "trace"},
      {"bytes", context.file_bytes},
      {"row_count", trace.row_count()},
      {"route_length", length ? nlohmann::json(*length) : nlohmann::json(nullptr)},
      {"columns", {{"x", column_json(summary, 0)}, {"y", column_json(summary, 1)}}},
      {"length", number_json(summary.length)},
      {"non_finite", summary.non_finite},
      {"rows", nlohmann::json::array()}};
  const IndexSpan span = shown_rows(context, trace);
  if (span.empty()) {
    print_json(document, out);
    return;
  }
  std::string head = document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace);
  constexpr std::string_view kEmptyRows = "[]\n}";
  head.resize(head.size() - kEmptyRows.size());
  out << head << "[\n";
  for (size_t row = span.first; row < span.end; ++row) {
    const std::string text = row_json(trace, row).dump(2);
    std::string indented = "    ";
    for (const char c : text) {
      indented += c;
      if (c == '\n') indented += "    ";
    }
    indented += row + 1 < span.end ? ",\n" : "\n";
    out << indented;
  }
  out << "  ]\n}\n";
}

}  // namespace

void dump_line_trace(const DumpContext& context, const DecodedTrace& trace, bool json,
                     std::ostream& out) {
  if (json) {
    print_json_document(context, trace, out);
  } else {
    print_text(context, trace, out);
  }
}

}  // namespace sb
