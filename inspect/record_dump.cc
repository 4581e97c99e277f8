#include "inspect/record_dump.h"

#include <cstdio>
#include <span>
#include <string_view>
#include <vector>

#include "model/text.h"

namespace sb {
namespace {

enum class Role { kUnused, kFree, kStation, kBoardText, kChainage, kTotals, kScenario, kTrain };

struct Label {
  std::string_view field;
  const char* text;
};

constexpr Label kStationLabels[] = {
    {"long_1", "station area start, m"}, {"long_2", "station area end, m"},
    {"long_3", "position, m"},           {"text", "name"},
    {"byte_3", "stop time, s"},
};
constexpr Label kBoardLabels[] = {{"text", "board text"}};
constexpr Label kChainageLabels[] = {
    {"long_1", "start, m"}, {"long_2", "kilometre value, m"}, {"long_3", "flag"}};
constexpr Label kTotalsLabels[] = {
    {"long_1", "braked mass, %"}, {"long_2", "route length, m"}, {"long_3", "cars"}};
constexpr Label kScenarioLabels[] = {
    {"long_1", "background one"}, {"long_2", "background three"},
    {"long_3", "background two"}, {"text", "scenario name"},
    {"long_4", "scenario code"},
};
constexpr Label kTrainLabels[] = {
    {"long_1", "cab signalling start, m"}, {"long_2", "cab signalling end, m"},
    {"long_3", "cab signalling codes"},    {"text", "train number"},
    {"short_1", "sand"},                   {"short_3", "clock 1"},
    {"short_4", "clock 2"},                {"short_5", "clock 3"},
};

bool all_zero(const GeneralRecord& record) { return record == GeneralRecord{}; }

bool numbers_all_zero(const GeneralRecord& record) {
  GeneralRecord numbers = record;
  numbers.text.clear();
  return all_zero(numbers);
}

Role role_of(int index, const GeneralRecord& record) {
  switch (index) {
    case 0: return Role::kUnused;
    case kChainageThreeRecord:
    case kChainageTwoRecord:
    case kChainageOneRecord: return Role::kChainage;
    case kTotalsRecord: return Role::kTotals;
    case kScenarioRecord: return Role::kScenario;
    case kTrainRecord: return Role::kTrain;
    default: break;
  }
  if (all_zero(record)) return Role::kFree;
  return numbers_all_zero(record) ? Role::kBoardText : Role::kStation;
}

std::string role_name(int index, Role role) {
  switch (role) {
    case Role::kUnused: return "unused";
    case Role::kFree: return "free";
    case Role::kStation: return "station";
    case Role::kBoardText: return "indication board text";
    case Role::kChainage:
      return index == kChainageThreeRecord ? "chainage three"
             : index == kChainageTwoRecord ? "chainage two"
                                           : "chainage one";
    case Role::kTotals: return "totals";
    case Role::kScenario: return "scenario";
    case Role::kTrain: return "train";
  }
  return "";
}

std::span<const Label> labels_of(Role role) {
  switch (role) {
    case Role::kStation: return kStationLabels;
    case Role::kBoardText: return kBoardLabels;
    case Role::kChainage: return kChainageLabels;
    case Role::kTotals: return kTotalsLabels;
    case Role::kScenario: return kScenarioLabels;
    case Role::kTrain: return kTrainLabels;
    default: return {};
  }
}

std::string time_of_day(int64_t seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return text;
}

// What a field means in its record's role, "" when nothing is known.
std::string annotation(Role role, std::string_view field, int64_t number) {
  if (role == Role::kStation && field == "long_4" && number >= 0) {
    return "departure " + time_of_day(number);
  }
  if (role == Role::kScenario && field == "short_1") {
    return number == kRecordsFormatMark ? "format mark" : "format mark, expected 610";
  }
  for (const Label& label : labels_of(role)) {
    if (label.field == field) return label.text;
  }
  return "";
}

// A field in file order: a number, or the text when `text` is set.
struct FieldValue {
  const char* name;
  int64_t number = 0;
  const std::string* text = nullptr;
};

std::vector<FieldValue> fields_of(const GeneralRecord& r) {
  return {
      {"kind", r.kind},         {"long_1", r.long_1},   {"long_2", r.long_2},
      {"long_3", r.long_3},     {"byte_1", r.byte_1},   {"text", 0, &r.text},
      {"short_1", r.short_1},   {"short_2", r.short_2}, {"short_3", r.short_3},
      {"short_4", r.short_4},   {"short_5", r.short_5}, {"byte_2", r.byte_2},
      {"byte_3", r.byte_3},     {"byte_4", r.byte_4},   {"byte_5", r.byte_5},
      {"long_4", r.long_4},
  };
}

std::string record_line(int index, const GeneralRecord& record, bool raw) {
  const Role role = role_of(index, record);
  std::string line = "record " + std::to_string(index) + " (" + role_name(index, role) + "):";
  const char* separator = " ";
  for (const FieldValue& field : fields_of(record)) {
    line += separator;
    line += field.name;
    line += ' ';
    if (field.text) {
      line += quoted_text(raw ? *field.text : cp1252_to_utf8(*field.text));
    } else {
      line += std::to_string(field.number);
    }
    const std::string note = annotation(role, field.name, field.number);
    if (!note.empty()) line += " (" + note + ")";
    separator = ", ";
  }
  return line;
}

void print_text(const DumpContext& context,
                const std::array<GeneralRecord, kRecordCount>& records, std::ostream& out) {
  out << "records file " << context.path << ": " << kRecordCount << " records, "
      << context.file_bytes << " bytes\n";
  const IndexSpan span = select_span(context.rows, records.size());
  std::vector<size_t> skipped;
  for (size_t i = span.first; i < span.end; ++i) {
    if (all_zero(records[i])) {
      skipped.push_back(i);
    } else {
      out << record_line(static_cast<int>(i), records[i], context.raw) << '\n';
    }
  }
  if (!skipped.empty()) out << "all zero, not shown: records " << index_ranges(skipped) << '\n';
}

nlohmann::json record_json(int index, const GeneralRecord& record) {
  nlohmann::json json = {{"index", index}, {"role", role_name(index, role_of(index, record))}};
  for (const FieldValue& field : fields_of(record)) {
    if (field.text) {
      json[field.name] = cp1252_to_utf8(*field.text);
    } else {
      json[field.name] = field.number;
    }
  }
  return json;
}

void print_json_document(const DumpContext& context,
                         const std::array<GeneralRecord, kRecordCount>& records,
                         std::ostream& out) {
  nlohmann::json list = nlohmann::json::array();
  const IndexSpan span = select_span(context.rows, records.size());
  for (size_t i = span.first; i < span.end; ++i) {
    list.push_back(record_json(static_cast<int>(i), records[i]));
  }
  print_json({{"file", context.path},
              {"kind", "records"},
              {"bytes", context.file_bytes},
              {"records", std::move(list)}},
             out);
}

}  // namespace

void dump_records(const DumpContext& context,
                  const std::array<GeneralRecord, kRecordCount>& records, bool json,
                  std::ostream& out) {
  if (json) {
    print_json_document(context, records, out);
  } else {
    print_text(context, records, out);
  }
}

}  // namespace sb
