#include "grammar/grammar.h"

#include <limits>

#include "format/cell_geometry.h"
#include "format/station_area.h"
#include "util/text.h"

namespace sb {
namespace {

constexpr int64_t kLongMin = std::numeric_limits<int32_t>::min();
constexpr int64_t kLongMax = std::numeric_limits<int32_t>::max();
constexpr int64_t kShortMin = -32768;
constexpr int64_t kShortMax = 32767;

// Slots of every width whose values the compiler carries as written.
constexpr Slot any_long(std::string_view name, std::string_view unit, std::string_view meaning) {
  return {name, unit, Width::kLong, Beyond::kAnything, kLongMin, kLongMax, 0, false, {}, meaning};
}
constexpr Slot any_short(std::string_view name, std::string_view meaning) {
  return {name, {}, Width::kShort, Beyond::kAnything, kShortMin, kShortMax, 0, false, {}, meaning};
}
constexpr Slot any_byte(std::string_view name, std::string_view unit, std::string_view meaning) {
  return {name, unit, Width::kByte, Beyond::kAnything, 0, 255, 0, false, {}, meaning};
}
constexpr Slot position(std::string_view name, std::string_view meaning) {
  Slot slot = any_long(name, "m", meaning);
  slot.position = true;
  return slot;
}
constexpr Slot kept(Slot slot, int64_t low, int64_t high, std::string_view stored) {
  slot.beyond = Beyond::kStored;
  slot.low = low;
  slot.high = high;
  slot.stored = stored;
  return slot;
}
constexpr Slot multiple_of(Slot slot, int64_t step) {
  slot.step = step;
  if (slot.beyond == Beyond::kAnything) slot.beyond = Beyond::kRefused;
  return slot;
}

// ---- line text, general section ----

constexpr Slot kRouteLengthSlots[] = {
    {"length",
     "m",
     Width::kLong,
     Beyond::kRefused,
     0,
     kMaxRouteLength,
     0,
     false,
     {},
     "length of the route; the cells and the line trace reach 7000 m beyond it"},
};
constexpr Slot kChainageSlots[] = {
    multiple_of(position("start", "where the chainage begins"), kCellLength),
    multiple_of(
        any_long("kilometre value", "m", "the chainage at its start (350000 is km 350+000)"),
        kCellLength),
    kept(any_long("flag", {}, "carried to the simulator"), 0, 1, "stored as written"),
};
constexpr Slot kBackgroundSlots[] = {
    any_long("code", {}, "background code (the built-in line uses 0, 1, 0)"),
};
constexpr Slot kCabSignallingSlots[] = {
    multiple_of(position("start", "where cab signalling begins"), kCellLength),
    multiple_of(position("end", "where it ends; 0: the line has none"), kCellLength),
};

// ---- line text, body ----

constexpr Slot kGradientSlots[] = {
    position("position", "from the cell of this position on"),
    kept(any_long("gradient", {}, "gradient up to the next change"), -100, 155,
         "kept in one byte with 100 added: only its low 8 bits"),
};
constexpr Slot kCurveSlots[] = {
    position("start", "the curve bends the metres after it"),
    kept(any_long("length", "m", "length of the curve"), 0, kLongMax, "bends nothing"),
};
constexpr Slot kMountainSlots[] = {
    position("inizio", "start of the stretch"),
    position("fine", "end of the stretch"),
    any_long("tipo", {}, "kind; above 10: kind tipo - 10 with a marker every fourth cell"),
};
constexpr Slot board_speed(std::string_view name) {
  Slot slot = kept(any_long(name, "km/h", "speed for one rank"), 0, 495,
                   "packed with the speed of the other side as speed × 20 + other / 5: "
                   "the two mix");
  slot.step = 5;
  return slot;
}
constexpr Slot board_stripes(std::string_view name) {
  return kept(any_long(name, {}, "number of stripes"), 0, 9,
              "packed as strisces × 10 + strisced: the two mix");
}
constexpr Slot kSpeedBoardSlots[] = {
    position("posizione", "the board stands in the cell after this position's"),
    board_speed("vas"),
    board_speed("vbs"),
    board_speed("vcs"),
    board_stripes("strisces"),
    board_speed("vad"),
    board_speed("vbd"),
    board_speed("vcd"),
    board_stripes("strisced"),
};
constexpr Slot kIndicationBoardSlots[] = {
    position("position", "the board stands in the cell after this position's"),
    {"text",
     {},
     Width::kText,
     Beyond::kAnything,
     0,
     0,
     0,
     false,
     {},
     "shown at the board; quote it to hold a comma"},
};

// ---- train text ----

constexpr Slot kBrakedMassSlots[] = {any_long("percentage", "%", "braked mass")};
constexpr Slot kCarsSlots[] = {any_long("cars", {}, "number of cars")};
constexpr Slot kSpeedLimitSlots[] = {
    position("position", "from the cell of this position on"),
    {"speed", "km/h", Width::kLong, Beyond::kRefused, -2, 1277, 5, false,
     "stored as its fifth, rounded", "line speed limit"},
};
constexpr Slot kAdhesionSlots[] = {
    position("position", "from the cell of this position on"),
    kept(any_long("adhesion", {}, "adhesion value"), 0, 255, "only its low 8 bits are kept"),
};
constexpr Slot kClockSlots[] = {
    any_short("first", "clock setting, stored as written"),
    any_short("second", "clock setting, stored as written"),
    any_short("third", "clock setting, stored as written"),
};
constexpr Slot kSandSlots[] = {any_short("sand", "sand value")};
constexpr Slot signal_code(std::string_view name, int64_t high, std::string_view meaning) {
  return kept(any_long(name, {}, meaning), 0, high,
              "packed in decimal with its neighbours: "
              "they mix");
}
constexpr Slot kSignalSlots[] = {
    position("posizione", "the signal stands in the cell after this position's"),
    signal_code("sx", 3, "left-hand code; 2 keeps tempo"),
    signal_code("s1", 9, "first left-hand digit"),
    signal_code("s2", 9, "second left-hand digit"),
    signal_code("s3", 9, "third left-hand digit"),
    signal_code("rapp", 9, "digit packed in front of sx and dx"),
    signal_code("dx", 2, "right-hand code"),
    signal_code("d1", 9, "first right-hand digit"),
    signal_code("d2", 9, "second right-hand digit"),
    signal_code("d3", 9, "third right-hand digit"),
    {"tempo",
     {},
     Width::kLong,
     Beyond::kStored,
     101,
     255,
     0,
     true,
     "1 to 100 are stored as 101, others keep their low 8 bits",
     "time value, 0 for none; kept only when sx is 2"},
};
constexpr Slot kSlowdownSlots[] = {
    position("x", "where the slowdown begins"),
    any_long("v", "km/h", "speed of the slowdown"),
    kept(any_long("l", "m", "length of the slowdown"), 0, kLongMax, "ends before it begins"),
    any_long("f_tt", {}, "carried by the start and end cells"),
    any_long("f_ta", {}, "non-zero, beyond 1500 m: four warning lead-in cells"),
    any_long("d_v", "km/h", "second speed; 0 for none"),
};
constexpr Slot kCodePointSlots[] = {
    position("position", "the cell of this position"),
    kept(any_long("value", {}, "above 0: a code point carrying it; else a code cut point"),
         kLongMin, kShortMax, "only its low 16 bits are kept"),
};
constexpr Slot station_time(std::string_view name) {
  return kept(any_long(name, {},
                       "of the station time (the departure; at the last station the "
                       "arrival)"),
              0, 59, "counted into the time (hours × 60 + minutes) × 60 + seconds");
}
constexpr Slot kStationSlots[] = {
    multiple_of(position("position", "middle of the station (kinds 5 to 8: its end)"), kCellLength),
    any_byte("kind", {}, "extent and marks; 25 and above: no cells"),
    multiple_of(any_long("length", "m", "length of the station"), kStationLengthStep),
    kept(any_byte("flag 1", {}, "stored (1 at the first and the last station)"), 0, 1,
         "stored as written"),
    kept(any_byte("flag 2", {}, "stored; cleared below 600 m and at the first station"), 0, 1,
         "stored as written"),
    any_byte("extend", {}, "non-zero: the end lies 50 m further (not kinds 5 to 8)"),
    any_short("value 7", "stored"),
    any_short("value 8", "stored"),
    any_byte("value 9", {}, "stored"),
    any_short("value 10", "stored"),
    any_short("value 11", "stored"),
    any_short("value 12", "stored"),
    any_byte("stop", "s", "stop time"),
    any_long("hours", {}, "of the station time"),
    station_time("minutes"),
    station_time("seconds"),
    {"name",
     {},
     Width::kText,
     Beyond::kAnything,
     0,
     0,
     0,
     false,
     {},
     "station name; quote it to hold a comma"},
};

constexpr Entry kEntries[] = {
    {EntryId::kRouteLength, Section::kLineGeneral, "route length", "lunghezza", "percorso",
     LetterCase::kIgnored, "lunghezza percorso", "lunghezza percorso,    302600", kRouteLengthSlots,
     0, "Must come before the body: it sizes the cells."},
    {EntryId::kChainageThree, Section::kLineGeneral, "chainage three", "progressiva", "tre",
     LetterCase::kExact, "progressiva chilometrica tre",
     "progressiva chilometrica tre,    0,    0,    0", kChainageSlots, 0,
     "0, 0, 0 is an empty chainage; the three are ordered by start."},
    {EntryId::kChainageTwo,
     Section::kLineGeneral,
     "chainage two",
     "progressiva",
     "due",
     LetterCase::kExact,
     "progressiva chilometrica due",
     "progressiva chilometrica due,    0,    0,    0",
     kChainageSlots,
     0,
     {}},
    {EntryId::kChainageOne,
     Section::kLineGeneral,
     "chainage one",
     "progressiva",
     "uno",
     LetterCase::kExact,
     "progressiva chilometrica uno",
     "progressiva chilometrica uno,    0,    350000,    0",
     kChainageSlots,
     0,
     {}},
    {EntryId::kBackgroundOne,
     Section::kLineGeneral,
     "background one",
     "sfondo",
     "uno",
     LetterCase::kExact,
     "sfondo uno",
     "sfondo uno,    0",
     kBackgroundSlots,
     0,
     {}},
    {EntryId::kBackgroundTwo,
     Section::kLineGeneral,
     "background two",
     "sfondo",
     "due",
     LetterCase::kExact,
     "sfondo due",
     "sfondo due,    1",
     kBackgroundSlots,
     0,
     {}},
    {EntryId::kBackgroundThree,
     Section::kLineGeneral,
     "background three",
     "sfondo",
     "tre",
     LetterCase::kExact,
     "sfondo tre",
     "sfondo tre,    0",
     kBackgroundSlots,
     0,
     {}},
    {EntryId::kCabSignalling, Section::kLineGeneral, "cab signalling", "segnali", "ripetizione",
     LetterCase::kExact, "ripetizione segnali 4 codici",
     "ripetizione segnali 4 codici,    176050,    298600", kCabSignallingSlots, 0,
     "The keyword field names the codes: the digit 4 or, failing that, 9."},
    {EntryId::kGradient,
     Section::kLineBody,
     "gradient change",
     "pendenza",
     {},
     LetterCase::kIgnored,
     "pendenza",
     "pendenza, 300, -3",
     kGradientSlots,
     kEntryReach,
     "Holds up to the next change; the route begins with gradient 0. An entry behind the "
     "cells already filled writes one cell."},
    {EntryId::kCurve,
     Section::kLineBody,
     "curve",
     "curva",
     {},
     LetterCase::kIgnored,
     "curvad5",
     "curvad5,  650,  200",
     kCurveSlots,
     kEntryReach,
     "The keyword field holds the class, the first digit 1 to 6 (1 gentlest, 6 sharpest), and "
     "the side: an s anywhere makes a left-hand curve (curvas), else right-hand (curvad). "
     "Curves stand in order and do not overlap."},
    {EntryId::kMountain,
     Section::kLineBody,
     "mountain stretch",
     "montagna",
     {},
     LetterCase::kIgnored,
     "montagna",
     "montagna,   3033,  3783,  12",
     kMountainSlots,
     kEntryReach,
     "At most 80; in order of start. A stretch beginning at most 150 m after the previous one "
     "ends gets kind 3."},
    {EntryId::kSpeedBoard,
     Section::kLineBody,
     "maximum-speed board",
     "indicatori_v",
     {},
     LetterCase::kIgnored,
     "indicatori_vmax",
     "indicatori_vmax,  19450,  90,  95,  100,  0,  90,  95,  100,  0",
     kSpeedBoardSlots,
     kEntryReach,
     "Two sides, s and d, each with the speeds of ranks A, B, C and its stripes."},
    {EntryId::kIndicationBoard, Section::kLineBody, "indication board", "indicat", "cartello",
     LetterCase::kIgnored, "cartello_indicatore", "cartello_indicatore,  297100,   (Km 647+107)",
     kIndicationBoardSlots, kEntryReach,
     "Takes a record from 80 downwards; boards and stations share those 80 records."},
    {EntryId::kBrakedMass,
     Section::kTrain,
     "braked-mass percentage",
     "frenata",
     "massa",
     LetterCase::kIgnored,
     "percentuale massa frenata",
     "percentuale massa frenata,    105",
     kBrakedMassSlots,
     0,
     {}},
    {EntryId::kCars,
     Section::kTrain,
     "number of cars",
     "vetture",
     {},
     LetterCase::kIgnored,
     "numero vetture",
     "numero vetture,    4",
     kCarsSlots,
     0,
     {}},
    {EntryId::kSpeedLimit,
     Section::kTrain,
     "speed limit",
     "velocit",
     {},
     LetterCase::kIgnored,
     "velocita",
     "velocita,    1350,   115",
     kSpeedLimitSlots,
     kEntryReach,
     "A step profile: holds up to the next entry's position; the first stands at 0."},
    {EntryId::kAdhesion,
     Section::kTrain,
     "adhesion",
     "aderenza",
     {},
     LetterCase::kIgnored,
     "aderenza",
     "aderenza,   0,    100",
     kAdhesionSlots,
     kEntryReach,
     "A step profile like the speed limit."},
    {EntryId::kClock,
     Section::kTrain,
     "clock",
     "orologio",
     {},
     LetterCase::kIgnored,
     "orologio",
     "orologio,    12              48            40 ",
     kClockSlots,
     0,
     "Three numbers, by commas or blanks."},
    {EntryId::kSand,
     Section::kTrain,
     "sand",
     "sabbia",
     {},
     LetterCase::kIgnored,
     "sabbia",
     "sabbia,    200",
     kSandSlots,
     0,
     {}},
    {EntryId::kSignal,
     Section::kTrain,
     "signal",
     "segnale",
     {},
     LetterCase::kIgnored,
     "segnale",
     "segnale,     850,   2, 3, 1,  0, 0,    2,  2,1,0, 220",
     kSignalSlots,
     kEntryReach,
     "Stands at least 325 m from the start of the line, on a free cell."},
    {EntryId::kSlowdown,
     Section::kTrain,
     "slowdown",
     "rallentamento",
     {},
     LetterCase::kIgnored,
     "rallentamento",
     "rallentamento,    2000,    60,  700, 0,  0,  60",
     kSlowdownSlots,
     kEntryReach,
     "Its warning cell stands 1200 m ahead of it."},
    {EntryId::kCodePoint,
     Section::kTrain,
     "code point",
     "abbattimento",
     {},
     LetterCase::kIgnored,
     "abbattimento",
     "abbattimento,    5000,    2",
     kCodePointSlots,
     kEntryReach,
     {}},
    {EntryId::kStation,
     Section::kTrain,
     "station",
     "stazione",
     {},
     LetterCase::kIgnored,
     "stazione",
     "stazione,       0, 12,  800,  1, 0, 1,  3,1,0,  2,1,1,    1,  12,39, 0, VALMIRA CENTRALE",
     kStationSlots,
     kStationReach,
     "Fills records from 1 upward, in order of position, each area at least 350 m after the "
     "previous one's end."},
};

bool word_matches(std::string_view field, std::string_view word, LetterCase letter_case) {
  return letter_case == LetterCase::kExact ? contains(field, word)
                                           : contains_ignoring_case(field, word);
}

bool matches_with(const Entry& entry, std::string_view field, LetterCase letter_case) {
  return word_matches(field, entry.word, letter_case) &&
         (entry.also.empty() || word_matches(field, entry.also, letter_case));
}

}  // namespace

std::span<const Entry> grammar_entries() { return kEntries; }

const Entry& grammar_entry(EntryId id) {
  for (const Entry& entry : kEntries) {
    if (entry.id == id) return entry;
  }
  return kEntries[0];
}

bool keyword_matches(const Entry& entry, std::string_view field) {
  return matches_with(entry, field, entry.letter_case);
}

bool keyword_matches_ignoring_case(const Entry& entry, std::string_view field) {
  return matches_with(entry, field, LetterCase::kIgnored);
}

std::string_view section_name(Section section) {
  switch (section) {
    case Section::kLineGeneral: return "line text, general section";
    case Section::kLineBody: return "line text, body";
    case Section::kTrain: return "train text";
  }
  return {};
}

std::string_view width_name(Width width) {
  switch (width) {
    case Width::kLong: return "long";
    case Width::kShort: return "short";
    case Width::kByte: return "byte";
    case Width::kText: return "text";
  }
  return {};
}

}  // namespace sb
