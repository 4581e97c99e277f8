#include "inspect/record_dump.h"

#include <string_view>
#include <type_traits>
#include <vector>

#include "format/chainages.h"
#include "format/record_meaning.h"
#include "util/text.h"

namespace sb {
namespace {

bool all_zero(const GeneralRecord& record) { return record == GeneralRecord{}; }

// A slot in file order with what it means in its record: a number, or the
// text when `text` is set.
struct Field {
  RecordSlot slot;
  SlotMeaning meaning;
  int64_t number = 0;
  const std::string* text = nullptr;
};

std::vector<Field> fields_of(RecordRole role, const GeneralRecord& record) {
  std::vector<Field> fields;
  visit_record_slots(record, [&](RecordSlot slot, const auto& value) {
    Field field{slot, slot_meaning(role, slot)};
    if constexpr (std::is_same_v<std::decay_t<decltype(value)>, std::string>) {
      field.text = &value;
    } else {
      field.number = value;
    }
    fields.push_back(field);
    return true;
  });
  return fields;
}

// "progressiva chilometrica uno", "… uno or tre", "… uno, due or tre".
std::string entry_names(const std::vector<ChainageEntry>& entries) {
  std::string names = "progressiva chilometrica ";
  for (size_t i = 0; i < entries.size(); ++i) {
    if (i > 0) names += i + 1 == entries.size() ? " or " : ", ";
    names += chainage_entry_word(entries[i]);
  }
  return names;
}

// The entries the chainage of each of records 81 to 83 may come from.
std::array<std::vector<ChainageEntry>, 3> chainage_sources(const GeneralRecords& records) {
  return possible_chainage_entries({chainage_of(records[kChainageThreeRecord]),
                                    chainage_of(records[kChainageTwoRecord]),
                                    chainage_of(records[kChainageOneRecord])});
}

const std::vector<ChainageEntry>* sources_of(
    int index, const std::array<std::vector<ChainageEntry>, 3>& sources) {
  if (index < kChainageThreeRecord || index > kChainageOneRecord) return nullptr;
  return &sources[static_cast<size_t>(index - kChainageThreeRecord)];
}

std::string role_text(RecordRole role, const std::vector<ChainageEntry>* sources) {
  std::string text = record_role_name(role);
  if (sources == nullptr || sources->empty()) return text;
  text += " from " + entry_names(*sources);
  if (sources->size() > 1) text += ": the file does not tell which";
  return text;
}

std::string number_text(RecordRole role, const Field& field) {
  std::string text = std::to_string(field.number);
  if (*field.meaning.unit != '\0') text += std::string(" ") + field.meaning.unit;
  if (role == RecordRole::kStation && field.slot == RecordSlot::kLong4 && field.number >= 0) {
    text += " = " + time_of_day(field.number);
  }
  if (role == RecordRole::kScenario && field.slot == RecordSlot::kShort1 &&
      field.number != kRecordsFormatMark) {
    text += ", expected " + std::to_string(kRecordsFormatMark);
  }
  return text;
}

// "area start -400 m [long_1]"; a slot the role leaves unused is shown only
// when it is not zero, as "unused 5 [short_2]".
std::string field_text(RecordRole role, const Field& field, bool raw) {
  const bool unused = *field.meaning.label == '\0';
  if (unused && (field.text ? field.text->empty() : field.number == 0)) return "";
  std::string text = unused ? "unused" : field.meaning.label;
  text += ' ';
  if (field.text) {
    text += quoted_text(raw ? *field.text : cp1252_to_utf8(*field.text));
  } else {
    text += number_text(role, field);
  }
  return text + " [" + record_slot_name(field.slot) + "]";
}

std::string record_line(int index, const GeneralRecord& record,
                        const std::vector<ChainageEntry>* sources, bool raw) {
  const RecordRole role = record_role(index, record);
  std::string line = "record " + std::to_string(index) + " (" + role_text(role, sources) + "):";
  const char* separator = " ";
  for (const Field& field : fields_of(role, record)) {
    const std::string text = field_text(role, field, raw);
    if (text.empty()) continue;
    line += separator + text;
    separator = ", ";
  }
  return line;
}

void print_text(const DumpContext& context, const GeneralRecords& records, std::ostream& out) {
  out << "records file " << context.path << ": " << kRecordCount << " records, "
      << context.file_bytes << " bytes\n";
  const auto sources = chainage_sources(records);
  const IndexSpan span = select_span(context.rows, records.size());
  std::vector<size_t> skipped;
  for (size_t i = span.first; i < span.end; ++i) {
    const int index = static_cast<int>(i);
    if (all_zero(records[i])) {
      skipped.push_back(i);
    } else {
      out << record_line(index, records[i], sources_of(index, sources), context.raw) << '\n';
    }
  }
  if (!skipped.empty()) out << "all zero, not shown: records " << index_ranges(skipped) << '\n';
}

nlohmann::json field_json(RecordRole role, const Field& field) {
  nlohmann::json json = {{"slot", record_slot_name(field.slot)}};
  if (*field.meaning.label != '\0') json["meaning"] = field.meaning.label;
  if (*field.meaning.unit != '\0') json["unit"] = field.meaning.unit;
  if (field.text) {
    json["value"] = cp1252_to_utf8(*field.text);
  } else {
    json["value"] = field.number;
  }
  if (role == RecordRole::kStation && field.slot == RecordSlot::kLong4 && field.number >= 0) {
    json["time_of_day"] = time_of_day(field.number);
  }
  return json;
}

nlohmann::json record_json(int index, const GeneralRecord& record,
                           const std::vector<ChainageEntry>* sources) {
  const RecordRole role = record_role(index, record);
  nlohmann::json fields = nlohmann::json::array();
  for (const Field& field : fields_of(role, record)) fields.push_back(field_json(role, field));
  nlohmann::json json = {{"index", index}, {"role", record_role_name(role)}, {"fields", fields}};
  if (sources != nullptr) {
    nlohmann::json entries = nlohmann::json::array();
    for (const ChainageEntry entry : *sources) entries.push_back(entry_names({entry}));
    json["written_as_one_of"] = std::move(entries);
  }
  return json;
}

void print_json_document(const DumpContext& context, const GeneralRecords& records,
                         std::ostream& out) {
  const auto sources = chainage_sources(records);
  nlohmann::json list = nlohmann::json::array();
  const IndexSpan span = select_span(context.rows, records.size());
  for (size_t i = span.first; i < span.end; ++i) {
    const int index = static_cast<int>(i);
    list.push_back(record_json(index, records[i], sources_of(index, sources)));
  }
  print_json({{"file", context.path},
              {"kind", "records"},
              {"bytes", context.file_bytes},
              {"records", std::move(list)}},
             out);
}

}  // namespace

void dump_records(const DumpContext& context, const GeneralRecords& records, bool json,
                  std::ostream& out) {
  if (json) {
    print_json_document(context, records, out);
  } else {
    print_text(context, records, out);
  }
}

}  // namespace sb
