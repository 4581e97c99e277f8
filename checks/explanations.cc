#include "checks/explanations.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "checks/diagnostic.h"
#include "checks/error_kinds.h"

namespace sb {

const std::vector<Explanation>& explanations() {
  static const std::vector<Explanation> table = {
      {kRouteLengthRefused, "The route length is below 0 or above 1000000 m (1000 km).",
       "The route length sizes the track cells and the line trace; the compile cannot make a "
       "line of that length and writes nothing.",
       "lunghezza percorso,    1200000", "lunghezza percorso,    302600"},
      {kChainageNotMultiple,
       "A kilometre chainage starts, or reads at its start, at a value that is not a multiple "
       "of 50 m.",
       "The simulator shows the chainage cell by cell, 50 m at a time: a chainage off that grid "
       "cannot be shown, and the compile stops.",
       "progressiva chilometrica uno,    0,    350020,    0",
       "progressiva chilometrica uno,    0,    350000,    0"},
      {kCabStartNotMultiple, "The start of the cab signalling is not a multiple of 50 m.",
       "Cab signalling is switched on in a cell; a start between two cells has none to go to.",
       "ripetizione segnali 4 codici,    176030,    298600",
       "ripetizione segnali 4 codici,    176050,    298600"},
      {kCabEndNotMultiple, "The end of the cab signalling is not a multiple of 50 m.",
       "Cab signalling is switched off in a cell; an end between two cells has none to go to.",
       "ripetizione segnali 4 codici,    176050,    298610",
       "ripetizione segnali 4 codici,    176050,    298600"},
      {kCabCodesMissing,
       "The cab-signalling keyword field names neither 4 nor 9 codes: it holds neither digit.",
       "The simulator's cab equipment works with 4 or with 9 codes; without the number it does "
       "not know which to fit.",
       "ripetizione segnali codici,    176050,    298600",
       "ripetizione segnali 4 codici,    176050,    298600"},
      {kIndicationBoardTaken,
       "An indication board needs the cell after its position's, and an earlier entry already "
       "holds that cell.",
       "A cell holds one object; the simulator would show only one of the two, so the compile "
       "refuses the later one and stops.",
       "indicatori_vmax,  2500,  90,  95,  100,  0,  90,  95,  100,  0\n"
       "cartello_indicatore,  2510,   (Km 2+510)",
       "indicatori_vmax,  2500,  90,  95,  100,  0,  90,  95,  100,  0\n"
       "cartello_indicatore,  2600,   (Km 2+600)"},
      {kCodePointTaken,
       "A code point needs the cell of its position, and an earlier entry already holds it.",
       "A cell holds one object: the code point would replace the signal, board or slowdown "
       "cell there, so the compile refuses it and stops.",
       "segnale,     1600,   2, 3, 1,  0, 0,    2,  2,1,0, 220\nabbattimento,    1650,    2",
       "segnale,     1600,   2, 3, 1,  0, 0,    2,  2,1,0, 220\nabbattimento,    1750,    2"},
      {kStationPositionNotMultiple, "A station's position is not a multiple of 50 m.",
       "A station's area and stop cell are counted in whole cells from its position; one "
       "between two cells has no area, and the compile stops.",
       "stazione,   9170, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,47, 0, MIRAVELLINA",
       "stazione,   9150, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,47, 0, MIRAVELLINA"},
      {kStationLengthNotMultiple, "A station's length is not a multiple of 100 m.",
       "A station's area reaches half its length each side of its position, in whole cells; "
       "a length that is not a multiple of 100 m ends between two cells.",
       "stazione,   9150, 12,  550,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,47, 0, MIRAVELLINA",
       "stazione,   9150, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,47, 0, MIRAVELLINA"},
      {kStationTableFull,
       "There are so many stations that they reach the records kept for the indication boards.",
       "Stations fill the 80 records from 1 upward and indication boards from 80 downward; "
       "where they meet, a station would overwrite a board's text.",
       "(81 station entries, or stations and boards together more than 80)",
       "(at most 80 stations and indication boards together)"},
      {kRuleAPlacementFailed,
       "The marker pass found no free cell for the code point ahead of a signal before a "
       "slowdown. It is reported as the warning W11.",
       "The signal is not coded down for the slowdown: the cab shows no change there.", "(see W11)",
       "(see W11)"},
      {kRulesBToDPlacementFailed,
       "The marker pass found no free cell for a code point 250 to 1000 m before a slowdown. It "
       "is reported as the warning W12.",
       "The cab does not announce the slowdown ahead.", "(see W12)", "(see W12)"},
      {kRuleEPlacementFailed,
       "The marker pass found no free cell for a code point inside a slow slowdown or after it. "
       "It is reported as the warning W13.",
       "The cab keeps a code that no longer fits the track.", "(see W13)", "(see W13)"},
      {kOutsideTheLine,
       "An entry lies outside the line: its position plus its reach is beyond the last cell, "
       "7000 m past the route length.",
       "The track cells end there; the compile refuses the entry and reads no further in its "
       "text, so every entry after it is lost.",
       "lunghezza percorso,    20000\n...\nsegnale,   27000,   2, 3, 1,  0, 0,    2,  2,1,0, 220",
       "lunghezza percorso,    20000\n...\nsegnale,   19000,   2, 3, 1,  0, 0,    2,  2,1,0, 220"},
      {kSignalTaken,
       "A signal needs the cell after its position's, and an earlier entry already holds that "
       "cell.",
       "A cell holds one object; the simulator would show only one of the two, so the compile "
       "refuses the later entry and stops. `check` names every cell the entry meets and a "
       "position where it fits.",
       "segnale,     1600,   2, 3, 1,  0, 0,    2,  2,1,0, 220\n"
       "segnale,     1620,   2, 3, 1,  0, 0,    2,  2,1,0, 220",
       "segnale,     1600,   2, 3, 1,  0, 0,    2,  2,1,0, 220\n"
       "segnale,     1700,   2, 3, 1,  0, 0,    2,  2,1,0, 220"},
      {kSlowdownWarningTaken,
       "A slowdown needs its warning cell, 1200 m ahead of its start, and an earlier entry "
       "already holds it.",
       "The warning cell is where the driver learns of the slowdown; without it the slowdown "
       "would come unannounced, so the compile refuses it and stops.",
       "segnale,     1600,   2, 3, 1,  0, 0,    2,  2,1,0, 220\n"
       "rallentamento,    2800,    60,  700, 0,  0,  60",
       "segnale,     1600,   2, 3, 1,  0, 0,    2,  2,1,0, 220\n"
       "rallentamento,    2900,    60,  700, 0,  0,  60"},
      {kSlowdownStartTaken,
       "A slowdown needs the cell after its start's, and an earlier entry already holds it.",
       "The start cell is where the lower speed begins; the compile refuses the slowdown and "
       "stops.",
       "segnale,     3000,   2, 3, 1,  0, 0,    2,  2,1,0, 220\n"
       "rallentamento,    3010,    60,  700, 0,  0,  60",
       "segnale,     3000,   2, 3, 1,  0, 0,    2,  2,1,0, 220\n"
       "rallentamento,    3100,    60,  700, 0,  0,  60"},
      {kSlowdownEndTaken,
       "A slowdown needs the cell after its end's, and an earlier entry already holds it.",
       "The end cell is where the line speed comes back; the compile refuses the slowdown and "
       "stops.",
       "segnale,     3700,   2, 3, 1,  0, 0,    2,  2,1,0, 220\n"
       "rallentamento,    3000,    60,  700, 0,  0,  60",
       "segnale,     3800,   2, 3, 1,  0, 0,    2,  2,1,0, 220\n"
       "rallentamento,    3000,    60,  700, 0,  0,  60"},
      {kSlowdownLeadInTaken,
       "A slowdown asks for warning lead-in cells (its fifth value is not 0), and an earlier "
       "entry holds one of the four cells before its warning point.",
       "The lead-in cells count down to the warning; the compile refuses the slowdown and "
       "stops.",
       "segnale,     1600,   2, 3, 1,  0, 0,    2,  2,1,0, 220\n"
       "rallentamento,    2900,    60,  700, 0,  1,  60",
       "segnale,     1400,   2, 3, 1,  0, 0,    2,  2,1,0, 220\n"
       "rallentamento,    2900,    60,  700, 0,  1,  60"},
      {kSpeedBoardTaken,
       "A maximum-speed board needs the cell after its position's, and an earlier entry "
       "already holds it.",
       "A cell holds one object; the compile refuses the board and stops.",
       "cartello_indicatore,  2500,   (Km 2+500)\n"
       "indicatori_vmax,  2510,  90,  95,  100,  0,  90,  95,  100,  0",
       "cartello_indicatore,  2500,   (Km 2+500)\n"
       "indicatori_vmax,  2600,  90,  95,  100,  0,  90,  95,  100,  0"},
      {kStationsTooClose,
       "A station's area begins less than 350 m after the end of the previous station's, or "
       "before it.",
       "Stations stand in order of position, their areas 350 m apart; the simulator numbers "
       "them in that order and keeps their stops apart.",
       "stazione,   9150, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,47, 0, MIRAVELLINA\n"
       "stazione,   9700, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,50, 0, BORGO",
       "stazione,   9150, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,47, 0, MIRAVELLINA\n"
       "stazione,  10200, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,50, 0, BORGO"},
      {kStationAtLineStart, "A station's area ends within 100 m of the start of the line.",
       "Its stop cell would be cell 1 or 0, which carry the scenario's own marks.",
       "stazione,       0, 12,  100,  1, 0, 1,  3,1,0,  2,1,1,    1,  12,39, 0, VALMIRA",
       "stazione,       0, 12,  800,  1, 0, 1,  3,1,0,  2,1,1,    1,  12,39, 0, VALMIRA"},
      {kReadFailed,
       "The text cannot be read: it does not exist or cannot be opened, it ends inside an "
       "entry (short of values), or a number is too large for the width its value is kept in.",
       "The compile stops where reading fails; nothing after it is compiled, and no file is "
       "written.",
       "numero vetture,    4000000000", "numero vetture,    4"},
      {kLineTextMissing, "The line text does not exist when the build reads it.",
       "Without the line text there is no route to compile; nothing is written. `compile` and "
       "`check` try to read both texts first and say `cannot read` instead.",
       "(the line text removed while the bare run writes and reads it)",
       "(the line text in place until the build has read it)"},
      {kNoGeneralSection,
       "No field of the line text contains `[generale]`: the text has no general section, and "
       "nothing of it is read.",
       "The route length, chainages and backgrounds are all in the general section; without "
       "it there is no line.",
       "[general]\nlunghezza percorso,    20000", "[generale]\nlunghezza percorso,    20000"},
      {kCurveRefused,
       "A curve's keyword field holds no class digit 1 to 6, or the curve runs past the end "
       "of the line trace.",
       "The class says how sharp the curve is; without it, or beyond the trace, the plan of the "
       "line cannot be drawn.",
       "curvad,  650,  200", "curvad5,  650,  200"},
      {kBoardRecordsFull,
       "An indication board finds no free record: boards take the records from 80 downward, "
       "stations from 1 upward.",
       "The board's text has nowhere to be kept; at most 80 boards and stations together.",
       "(81 indication boards)", "(at most 80 indication boards and stations together)"},
      {kMountainTableFull, "A mountain stretch beyond the 80th.",
       "The simulator keeps at most 80 mountain stretches.", "(81 montagna entries)",
       "(at most 80 montagna entries)"},

      {WarningId::kCodePointAtSignal,
       "No free cell for the code point ahead of a signal before a slowdown: the two cells "
       "before the signal are taken.",
       "The compile writes the files without that code point, so the signal is not coded down "
       "for the slowdown and the cab shows no change there.",
       "cartello_indicatore,  2550,   (Km 2+550)\ncartello_indicatore,  2600,   (Km 2+600)\n"
       "segnale,     2650,   2, 3, 1,  0, 0,    2,  2,1,0, 220\n"
       "rallentamento,    4000,    60,  700, 0,  0,  60",
       "cartello_indicatore,  2400,   (Km 2+400)\ncartello_indicatore,  2450,   (Km 2+450)\n"
       "segnale,     2650,   2, 3, 1,  0, 0,    2,  2,1,0, 220\n"
       "rallentamento,    4000,    60,  700, 0,  0,  60"},
      {WarningId::kCodePointBeforeSlowdown,
       "No free cell for a code point 250 to 1000 m before a slowdown: every cell there is "
       "taken.",
       "The cab does not announce the slowdown ahead; the driver learns of it at the warning "
       "board only.",
       "(signals or boards in every cell 250 to 1000 m before the slowdown)",
       "(a free cell in that stretch)"},
      {WarningId::kCodePointInSlowdown,
       "No free cell for a code point inside a slow slowdown or ahead of the first signal "
       "after it.",
       "The cab keeps a code that no longer fits the track after the slowdown.",
       "(every cell of the slowdown taken)", "(a free cell inside the slowdown)"},
      {WarningId::kUnknownKeyword,
       "A field stands where a keyword is expected and matches no entry; it is skipped.",
       "A misspelt keyword drops its entry, and its values are then read as keyword fields "
       "themselves: the entry is missing from the scenario.",
       "segnal,     850,   2, 3, 1,  0, 0,    2,  2,1,0, 220",
       "segnale,     850,   2, 3, 1,  0, 0,    2,  2,1,0, 220"},
      {WarningId::kKeywordCase,
       "A keyword would match but for its letter case, which that entry compares.",
       "The entry is skipped as if it were not there.",
       "Progressiva chilometrica Uno,    0,    350000,    0",
       "progressiva chilometrica uno,    0,    350000,    0"},
      {WarningId::kWrongSection,
       "An entry stands in a section where it is not recognised: a general entry in the body "
       "of the line text, or a body entry in its general section.",
       "The entry is skipped; the route, background or board it describes is missing.",
       "[curve]\nlunghezza percorso,    20000", "[generale]\nlunghezza percorso,    20000"},
      {WarningId::kNotANumber, "A value is not a whole number; it reads 0.",
       "The compile stores 0 in its place: a position of 0 m, a speed of 0 km/h.",
       "velocita,    1350,   11S", "velocita,    1350,   115"},
      {WarningId::kFraction, "A number has a fraction; it is rounded, halves to even.",
       "Every value is kept as a whole number; 2.5 becomes 2, not 3.", "pendenza, 300, -3.5",
       "pendenza, 300, -4"},
      {WarningId::kValuesShifted,
       "An entry is short of a value, or has one too many: its values run into the next "
       "entry's fields, which are then read as values or keywords of the wrong entry.",
       "The entry and the ones after it get each other's values: a station named `0`, a last "
       "stop lost. An error by default.",
       "stazione,   9150, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,47, MIRAVELLINA",
       "stazione,   9150, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,47, 0, MIRAVELLINA"},
      {WarningId::kCutAtComma,
       "A comment, or a text value, is cut at a comma on its line; what follows the comma is "
       "read as the next field.",
       "The rest of a comment is read as keywords and values; a text keeps only what stands "
       "before the comma. Quote a text to hold a comma.",
       "stazione,   9150, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,47, 0, BORGO, NORD",
       "stazione,   9150, 12,  500,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,47, 0, \"BORGO, NORD\""},
      {WarningId::kBeyondRoute,
       "A position lies beyond the route length, but inside the cells that follow it.",
       "The train never runs there: the entry is compiled but never met.",
       "lunghezza percorso,    20000\n...\nsegnale,   23000,   2, 3, 1,  0, 0,    2,  2,1,0, 220",
       "lunghezza percorso,    20000\n...\nsegnale,   19000,   2, 3, 1,  0, 0,    2,  2,1,0, 220"},
      {WarningId::kOrder, "Entries of one kind stand out of order, or overlap.",
       "Each entry holds up to the next one: one out of order overwrites the cells of the "
       "previous one, or is overwritten by them.",
       "velocita,    3000,   115\nvelocita,    1350,    90",
       "velocita,    1350,    90\nvelocita,    3000,   115"},
      {WarningId::kRange,
       "A value lies outside the range its slot keeps; the compile stores what the reference "
       "says (its low bits, a mixed packing).",
       "The simulator reads another value than the one written: a speed board shows the wrong "
       "speed, a signal the wrong aspect.",
       "indicatori_vmax,  2500,  92,  95,  100,  0,  90,  95,  100,  0",
       "indicatori_vmax,  2500,  90,  95,  100,  0,  90,  95,  100,  0"},
      {WarningId::kEncoding,
       "The text looks like UTF-8 or UTF-16; the texts are single-byte Windows-1252.",
       "Accented letters come out as two or more odd characters in names and boards, and a "
       "UTF-16 text reads as no entries at all.",
       "(the text saved as UTF-8, where an accented letter takes two bytes)",
       "(the text saved as Windows-1252: one byte a letter)"},
      {WarningId::kMissingEntry, "The train text has no clock, or no station.",
       "The run has no start time, or no timetable and no stops.",
       "[generale]\nnumero vetture,    4\n[stazioni]\n[fine]",
       "[generale]\nnumero vetture,    4\norologio,    12  48  40\n[stazioni]\n"
       "stazione,       0, 12,  800,  1, 0, 1,  3,1,0,  2,1,1,    1,  12,39, 0, VALMIRA\n[fine]"},
      {WarningId::kCutShort,
       "The text does not end with its `[fine]` line: its last field is never examined, so "
       "the last entry loses its last value.",
       "The last entry is refused or read short.",
       "segnale,     850,   2, 3, 1,  0, 0,    2,  2,1,0, 220",
       "segnale,     850,   2, 3, 1,  0, 0,    2,  2,1,0, 220\n[fine]"},
      {WarningId::kCurveSide,
       "A curve's keyword field holds neither the side letter s nor d; it is read as a "
       "right-hand curve.",
       "The plan of the line may bend the wrong way.", "curva5,  650,  200", "curvad5,  650,  200"},
      {WarningId::kCommentEntry,
       "A third comment field in a row (beyond the two that are skipped) is read as a keyword "
       "field: when it contains a keyword, it starts an entry.",
       "A comment line can turn into an entry such as a speed limit, which takes the next "
       "fields as its values. An error by default.",
       "- speed limits\n- from here on\n- the velocita values are in km/h\nvelocita,    1350,   115",
       "- speed limits from here on\n- the velocita values are in km/h\nvelocita,    1350,   115"},
      {WarningId::kCurveHand,
       "A curve's keyword field holds words that contradict the side it is read as (an s "
       "anywhere makes a curve left-handed).",
       "`curva destra 4` is compiled as a left-hand curve: the plan bends the wrong way. An "
       "error by default.",
       "curva destra 4,  650,  200", "curvad4,  650,  200"},
      {WarningId::kNoGeneralSection, "The train text has no `[generale]`; nothing of it is read.",
       "The scenario has no cars, clock, stations or signals. An error by default.",
       "[general]\nnumero vetture,    4", "[generale]\nnumero vetture,    4"},
      {WarningId::kWrapped, "A value kept in fewer bits wraps into one of the opposite sign.",
       "A gradient of 200 is stored as -56: the train climbs where the text says it descends. "
       "An error by default.",
       "pendenza, 300, 200", "pendenza, 300, 20"},
      {WarningId::kRouteLengthNotANumber,
       "The route length does not read as a number, so it reads 0 and the route is 0 m long.",
       "Every entry after it then lies beyond the route, and its warnings follow. An error by "
       "default.",
       "lunghezza percorso,    6OOO", "lunghezza percorso,    6000"},
      {WarningId::kLastStopDropped,
       "The last station is of a kind that gets no stop cell (25 or above), so the run has no "
       "last stop.",
       "The train is never asked to stop at the end of the run. An error by default.",
       "stazione,  19000, 25,  500,  1, 0, 1,  1,1,0,  4,1,1,    0,  13,10, 0, LUNERIO",
       "stazione,  19000, 12,  500,  1, 0, 1,  1,1,0,  4,1,1,    0,  13,10, 0, LUNERIO"},
      {WarningId::kGradientOrder,
       "A gradient change stands behind the cells already filled, so it writes a single "
       "cell; the gradient after it holds.",
       "A correct text may do it on purpose for one cell (shown with -Wall only); by mistake, "
       "the change it means is lost.",
       "pendenza, 1500, 6\npendenza, 1000, -4", "pendenza, 1000, -4\npendenza, 1500, 6"},
      {WarningId::kTimetableOrder,
       "A station's time is earlier than the previous station's, by 12 hours or less.",
       "The timetable runs backwards: the driver is late at every stop after it.",
       "(12:47 at MIRAVELLINA, then 12:40 at BORGO)",
       "(12:47 at MIRAVELLINA, then 12:55 at BORGO)"},
      {WarningId::kInfeasibleLeg,
       "A leg is scheduled faster than the speed limits and slowdowns allow, without "
       "accelerating or braking.",
       "No driver can keep the timetable: the train is late whatever is done.",
       "(9 km in 2 minutes at 115 km/h)", "(9 km in 6 minutes at 115 km/h)"},
      {WarningId::kSlowdownNotSlower,
       "A slowdown's speed is not below the highest speed limit on its stretch.",
       "The slowdown slows nothing; its warning and boards announce a change that does not "
       "come.",
       "velocita,    1350,   100\nrallentamento,    2000,   120,  700, 0,  0, 120",
       "velocita,    1350,   100\nrallentamento,    2000,    60,  700, 0,  0,  60"},
      {WarningId::kSlowdownEmpty, "A slowdown is 0 m long.",
       "Its start and end fall in one place: it is announced but slows nothing.",
       "rallentamento,    2000,    60,    0, 0,  0,  60",
       "rallentamento,    2000,    60,  700, 0,  0,  60"},
      {WarningId::kSlowdownPastEnd, "A slowdown runs past the end of the line.",
       "Its end cell is never reached; the lower speed holds to the end of the run.",
       "lunghezza percorso,    20000\n...\nrallentamento,   19800,    60,  700, 0,  0,  60",
       "lunghezza percorso,    20000\n...\nrallentamento,   19000,    60,  700, 0,  0,  60"},
      {WarningId::kSlowdownOverlap, "Two slowdowns overlap with different speeds.",
       "Where they overlap the cells of one overwrite the other's: which speed holds is not "
       "what either says.",
       "rallentamento,    2000,    60,  700, 0,  0,  60\n"
       "rallentamento,    2500,    30,  700, 0,  0,  30",
       "rallentamento,    2000,    60,  700, 0,  0,  60\n"
       "rallentamento,    2700,    30,  700, 0,  0,  30"},
      {WarningId::kSpeedLimitZero, "A speed limit of 0 km/h.",
       "The train may not move beyond that point; usually a lost value.", "velocita,    1350,   ",
       "velocita,    1350,   115"},
      {WarningId::kNamedPointTime,
       "A named point (a station of kind 25 or above) has a time or a stop time.",
       "The train does not stop at a named point: its time and stop time are never used.",
       "stazione,   5000, 25,  500,  0, 0, 1,  1,1,0,  4,1,1,   20,  12,44, 0, BIVIO",
       "stazione,   5000, 25,  500,  0, 0, 1,  1,1,0,  4,1,1,    0,   0, 0, 0, BIVIO"},
  };
  return table;
}

namespace {

std::string upper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return out;
}

// "W31 `encoding`, a warning: ..." or "E22, an error: ...".
std::string head_line(const Explanation& explanation) {
  const std::string head = explanation.code.text();
  if (const std::optional<WarningId> id = explanation.code.warning()) {
    const WarningKind& kind = warning_kind(*id);
    const std::string_view level = kind.level == WarningLevel::kError ? "an error by default"
                                   : kind.level == WarningLevel::kAll ? "a warning of -Wall"
                                                                      : "a warning";
    return head + " `" + std::string(kind.name) + "`, " + std::string(level) + ": " +
           std::string(kind.summary);
  }
  for (const ErrorKind& kind : error_kinds()) {
    if (explanation.code == kind.code) return head + ", an error: " + std::string(kind.summary);
  }
  return head + ", an error";
}

std::string indented(std::string_view text) {
  std::string out = "    ";
  for (const char c : text) {
    out += c;
    if (c == '\n') out += "    ";
  }
  return out + "\n";
}

}  // namespace

const Explanation* find_explanation(std::string_view code_or_name) {
  const std::optional<WarningId> id = warning_by_name(code_or_name);
  const std::string code = upper(code_or_name);
  for (const Explanation& explanation : explanations()) {
    if (id ? explanation.code == *id : explanation.code.text() == code) return &explanation;
  }
  return nullptr;
}

std::string render_explanation(const Explanation& explanation) {
  std::string out = head_line(explanation) + "\n\n";
  out += "What it means: " + std::string(explanation.meaning) + "\n\n";
  out += "Why it matters: " + std::string(explanation.matters) + "\n\n";
  out += "Wrong:\n\n" + indented(explanation.wrong) + "\n";
  out += "Right:\n\n" + indented(explanation.right);
  return out;
}

}  // namespace sb
