#include "decompile/approximate_notes.h"

#include <cstdlib>
#include <string>
#include <string_view>

#include "format/cell_geometry.h"
#include "format/object_cells.h"
#include "format/station_area.h"

namespace sb {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

// The numbers after the keyword of an entry line in the canonical layout.
std::vector<int64_t> entry_values(std::string_view line) {
  std::vector<int64_t> values;
  size_t at = line.find(',');
  while (at != std::string_view::npos) {
    const std::string field(line.substr(at + 1, line.find(',', at + 1) - at - 1));
    char* end = nullptr;
    const long long value = std::strtoll(field.c_str(), &end, 10);
    if (end == field.c_str()) break;
    values.push_back(value);
    at = line.find(',', at + 1);
  }
  return values;
}

class Notes {
 public:
  Notes(const std::array<GeneralRecord, kRecordCount>& wanted_records,
        const std::vector<TrackCell>& wanted_cells,
        const std::array<GeneralRecord, kRecordCount>& got_records,
        const std::vector<TrackCell>& got_cells)
      : wanted_records_(wanted_records),
        wanted_cells_(wanted_cells),
        got_records_(got_records),
        got_cells_(got_cells) {}

  std::string noted(const std::string& text) {
    std::string out =
        "; approximate: these texts do not compile to the files they were recovered "
        "from; the entries marked below differ\r\n";
    size_t at = 0;
    while (at < text.size()) {
      size_t end = text.find(kLineEnd, at);
      if (end == std::string::npos) end = text.size();
      const std::string_view line(text.data() + at, end - at);
      if (const std::string note = note_for(line); !note.empty()) {
        out += "; approximate: the next entry does not give the compiled " + note + " back";
        out += kLineEnd;
      }
      out.append(line);
      out += kLineEnd;
      at = end + kLineEnd.size();
    }
    return out;
  }

 private:
  // "cell N" or "record N" when the entry's own cells or record differ.
  std::string note_for(std::string_view line) {
    const std::string_view keyword = line.substr(0, line.find(','));
    const std::vector<int64_t> v = entry_values(line);
    if (v.empty()) return "";
    std::vector<int64_t> cells;
    if (keyword == "segnale") {
      const int64_t c = object_cell(static_cast<double>(v[0]));
      for (int b = 0; b <= kApproachMarks; ++b) cells.push_back(c - 2 * b);
    } else if (keyword == "indicatori_vmax" || keyword == "cartello_indicatore") {
      cells.push_back(object_cell(static_cast<double>(v[0])));
    } else if (keyword == "abbattimento") {
      cells.push_back(cell_of(static_cast<double>(v[0])));
    } else if (keyword == "rallentamento" && v.size() >= 5) {
      const SlowdownCells at =
          slowdown_cells(static_cast<double>(v[0]), static_cast<double>(v[2]), v[4] != 0);
      cells = {at.start, at.end, at.warning};
      for (int k = 0; at.lead_in >= 0 && k < kWarningLeadInCells; ++k)
        cells.push_back(at.lead_in - k);
    } else if (keyword == "stazione" && v.size() >= 6) {
      const int record = ++stations_;
      if (record < kRecordCount && !(wanted_records_[static_cast<size_t>(record)] ==
                                     got_records_[static_cast<size_t>(record)])) {
        return "record " + std::to_string(record);
      }
      const StationArea area = station_area(v[0], v[1], v[2], v[5] != 0);
      const int64_t stop = area_end_cell(static_cast<double>(area.end));
      for (int64_t c = stop - kApproachMarks; c <= stop; ++c) cells.push_back(c);
    }
    for (int64_t c : cells) {
      if (differs(c)) return "cell " + std::to_string(c);
    }
    return "";
  }

  bool differs(int64_t c) const {
    if (c < 0) return false;
    const auto i = static_cast<size_t>(c);
    if (i >= wanted_cells_.size() || i >= got_cells_.size()) return i < wanted_cells_.size();
    return !(wanted_cells_[i] == got_cells_[i]);
  }

  const std::array<GeneralRecord, kRecordCount>& wanted_records_;
  const std::vector<TrackCell>& wanted_cells_;
  const std::array<GeneralRecord, kRecordCount>& got_records_;
  const std::vector<TrackCell>& got_cells_;
  int stations_ = 0;
};

}  // namespace

void note_differing_entries(const std::array<GeneralRecord, kRecordCount>& wanted_records,
                            const std::vector<TrackCell>& wanted_cells,
                            const std::array<GeneralRecord, kRecordCount>& got_records,
                            const std::vector<TrackCell>& got_cells, DecompiledTexts* texts) {
  texts->line_text =
      Notes(wanted_records, wanted_cells, got_records, got_cells).noted(texts->line_text);
  texts->train_text =
      Notes(wanted_records, wanted_cells, got_records, got_cells).noted(texts->train_text);
}

}  // namespace sb
