#include "checks/format_reference.h"

#include <limits>
#include <string_view>

#include "checks/diagnostic.h"
#include "checks/explanations.h"
#include "grammar/grammar.h"

namespace sb {
namespace {

constexpr char kIntroduction[] = R"(# Source text format

A scenario is compiled from two texts: the **line text** (`NAME_linea.txt`) and the **train
text** (`NAME_N-.txt`). This page describes every entry of both. It is made from the
program's own description of the entries (`checks/format_reference.cc`; a test keeps the two
the same), so what it says is what the compiler reads and what `scenario-builder check` checks.

## Fields

- A text is single-byte Windows-1252 with CR LF (or LF) line ends.
- The compiler reads a stream of **fields**, not lines: a field ends at a comma or at the end
  of a line, and the blanks in front of it are skipped.
- An **entry** is a keyword field followed by a fixed number of values. The values are simply
  the next fields, on the same line or on the following ones; the field after the last value
  is again taken as a keyword field. An entry short of a value therefore takes it from the
  next line, and every value after it shifts (`check`: W26).
- A keyword field **matches** an entry when it *contains* the entry's keyword words, so
  `curvas4` and `numero vetture` match; some words are compared with their letter case, as the
  tables below say (`check`: W22). A field that matches no entry is skipped (`check`: W21):
  section headers, blank lines, stray words, surplus values.
- A field holding `-` where a keyword is expected is a **comment** and is skipped (up to ten in
  a row in the line text's general section, two elsewhere). A comment ends at a comma like any
  field: what follows the comma on its line is read as a keyword field (`check`: W27).
- A **number** ends at the first blank, comma or line end: an optional sign and digits. An
  empty field reads 0. A field that is not a number reads 0 (`check`: W24); a number with a
  fraction is rounded, halves to even (W25). A number too large for its width (below) makes
  the text unreadable (error E25).
- A **text** value runs to the next comma or line end, without its trailing blanks; one that
  begins with `"` runs to the closing `"`, so only a quoted text can hold a comma (`check`:
  W27).
- Widths: *long* is a signed 32-bit number, *short* a signed 16-bit number, *byte* 0 to 255.
- **Positions** are whole metres from the start of the route. The route is compiled into
  cells of 50 m, the cell of a position being the position / 50, rounded halves to even; the
  cells reach 7000 m beyond the route length. An entry whose position + its reach (below)
  lies beyond the last cell is refused (error E15) and ends its text; one beyond the route
  length but inside the cells is taken (`check`: W28).
- The **last field** of a text is never examined: end each text with a line `[fine]`
  (`check`: W33).

## Line text

```
[generale]        the general section: route length, chainages, backgrounds, cab signalling
...
[curve]           the first bracketed field ends the general section; then the body:
...               curves, gradients, mountain stretches, speed boards, indication boards
[fine]
```

Everything up to the first field containing `[generale]` (any letter case) is ignored; a line
text without one is refused (E102). The general section ends at the first field holding both
`[` and `]` that does not begin with `-`. The body runs to the end of the text. General
entries are recognised only in the general section and body entries only in the body
(`check`: W23); the headers inside the body (`[curve]`, `[pendenze]`, `[montagne]`,
`[cartelli]`, `[indicazioni]`) only give the text its shape.

## Train text

```
[generale]        number of cars, braked mass, sand, clock
[aderenze]        adhesion
[vel_limite]      speed limits
[stazioni]        stations
[rallentamenti]   slowdowns
[segnali]         signals
[codici]          (empty)
[fine]
```

Everything up to the first field containing `[generale]` is ignored; a train text without one
yields no entries at all (`check`: W32). The headers after it only give the text its shape:
every entry is recognised anywhere behind `[generale]`. Entries are compiled in the order they
stand; where two claim the same cell, the later one is refused.
)";

std::string number(int64_t value) {
  if (value == std::numeric_limits<int32_t>::max()) return "2147483647";
  if (value == std::numeric_limits<int32_t>::min()) return "-2147483648";
  return std::to_string(value);
}

std::string range_of(const Slot& slot) {
  if (slot.width == Width::kText) return "any text";
  if (slot.beyond == Beyond::kAnything) return "any " + std::string(width_name(slot.width));
  std::string range;
  if (slot.low == std::numeric_limits<int32_t>::min()) {
    range = "at most " + number(slot.high);
  } else if (slot.high == std::numeric_limits<int32_t>::max()) {
    range = "at least " + number(slot.low);
  } else {
    range = number(slot.low) + " to " + number(slot.high);
  }
  if (slot.beyond == Beyond::kRefused && slot.low == std::numeric_limits<int32_t>::min() &&
      slot.high == std::numeric_limits<int32_t>::max()) {
    range.clear();
  }
  if (slot.zero_allowed) range = "0, or " + range;
  if (slot.step != 0)
    range += (range.empty() ? "a multiple of " : ", a multiple of ") + std::to_string(slot.step);
  return range;
}

std::string outside_of(const Slot& slot) {
  if (slot.width == Width::kText) return "-";
  switch (slot.beyond) {
    case Beyond::kAnything: return "carried as written";
    case Beyond::kStored: return std::string(slot.stored) + " (W30)";
    case Beyond::kRefused:
      if (!slot.stored.empty()) {
        return "beyond the range: an error; not a multiple: " + std::string(slot.stored) + " (W30)";
      }
      return "an error";
  }
  return {};
}

std::string keyword_test(const Entry& entry) {
  std::string test = "contains `" + std::string(entry.word) + "`";
  if (!entry.also.empty()) test += " and `" + std::string(entry.also) + "`";
  test +=
      entry.letter_case == LetterCase::kExact ? ", letter case compared" : ", letter case ignored";
  return test;
}

void render_entry(const Entry& entry, std::string& out) {
  out += "### " + std::string(entry.title) + "\n\n";
  out += "Keyword: " + keyword_test(entry) + " (canonical: `" + std::string(entry.keyword) + "`).";
  if (entry.reach > 0) {
    out += " Position check: the first value + " + std::to_string(entry.reach) +
           " m must lie within the cells.";
  }
  out += "\n\n";
  out += "| # | value | unit | width | range kept | outside it | empty or not a number |\n";
  out += "|---|---|---|---|---|---|---|\n";
  for (size_t i = 0; i < entry.slots.size(); ++i) {
    const Slot& slot = entry.slots[i];
    out += "| " + std::to_string(i + 1) + " | `" + std::string(slot.name) +
           "`: " + std::string(slot.meaning) + " | " +
           (slot.unit.empty() ? "-" : std::string(slot.unit)) + " | " +
           std::string(width_name(slot.width)) + " | " + range_of(slot) + " | " + outside_of(slot) +
           " | " + (slot.width == Width::kText ? "empty text" : "0") + " |\n";
  }
  out += "\n";
  if (!entry.notes.empty()) out += std::string(entry.notes) + "\n\n";
  out += "```\n" + std::string(entry.example) + "\n```\n\n";
}

void render_section(Section section, std::string_view heading, std::string& out) {
  out += "## " + std::string(heading) + "\n\n";
  out +=
      "Each keyword field is tested against these entries in this order; every entry that "
      "matches reads its values.\n\n";
  for (const Entry& entry : grammar_entries()) {
    if (entry.section == section) render_entry(entry, out);
  }
}

void render_warnings(std::string& out) {
  out += "## Warnings of `check` and `compile`\n\n";
  out +=
      "Printed as `FILE:LINE:COL: warning W<code>: message [-W<name>]`; `-Wno-<name>` "
      "(or `-Wno-W<code>`) silences one, `-Werror` (or `--werror`) makes every warning an "
      "error. The warnings of a slip that loses data are errors by default, printed as "
      "`error W<code>: message [-Werror=<name>]`: `-Wno-error=<name>` makes one a warning "
      "again, `-Wno-error` all of them. The warnings that a correct text may trigger too are "
      "shown only with `-Wall`. Warnings never change the compiled files.\n\n";
  out += "| code | name | by default | what |\n|---|---|---|---|\n";
  for (const WarningKind& kind : warning_kinds()) {
    const std::string_view level = kind.level == WarningLevel::kError ? "error"
                                   : kind.level == WarningLevel::kAll ? "with `-Wall`"
                                                                      : "warning";
    out += "| " + DiagnosticCode(kind.id).text() + " | `" + std::string(kind.name) + "` | " +
           std::string(level) + " | " + std::string(kind.summary) + " |\n";
  }
  out +=
      "\nW50 on are checks of meaning: texts whose every value is well formed, but which "
      "describe a run no author means.\n\n"
      "- The timetable is the stations of a kind below 25, in file order. A station's time is "
      "its departure; its arrival is the time less its stop time, and at the last station the "
      "time itself.\n"
      "- Midnight: a time more than 12 hours earlier than the previous station's is read as "
      "the next day (23:50 then 00:10 is a run of 20 minutes past midnight); one earlier by 12 "
      "hours or less is W50. Hours past 23 count on as well (24:10).\n"
      "- A leg runs from one station's departure to the next one's arrival, over the distance "
      "between their positions. Its fastest run takes each stretch at the speed limit in force "
      "(as the cells keep it, in steps of 5 km/h) or at a slowdown's speed where that is lower, "
      "without accelerating or braking: no train can do better, so a leg given less time (W51) "
      "cannot be kept. A leg over a stretch without a limit above 0 has no fastest run.\n"
      "- A slowdown's stretch runs from its position over its length; W52 when its speed is "
      "not below the highest speed limit on that stretch.\n";
}

void render_explanations(std::string& out) {
  out += "\n## Every error and warning, explained\n\n";
  out +=
      "What each code means, why it matters to the simulator, and a text that gets it beside "
      "the same text put right; `scenario-builder explain CODE` (or the warning's name) prints "
      "the same.\n";
  for (const Explanation& explanation : explanations()) {
    out += "\n### " + render_explanation(explanation);
  }
}

}  // namespace

std::string slot_range_text(const Slot& slot) { return range_of(slot); }
std::string slot_beyond_text(const Slot& slot) { return outside_of(slot); }
std::string keyword_test_text(const Entry& entry) { return keyword_test(entry); }

std::string format_reference() {
  std::string out = kIntroduction;
  out += "\n";
  render_section(Section::kLineGeneral, "Line text: general section", out);
  render_section(Section::kLineBody, "Line text: body", out);
  render_section(Section::kTrain, "Train text", out);
  render_warnings(out);
  render_explanations(out);
  return out;
}

}  // namespace sb
