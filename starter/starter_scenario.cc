#include "starter/starter_scenario.h"

#include <string_view>
#include <vector>

#include "sources/line_list_writer.h"

namespace sb {
namespace {

// A field holding a dash where a keyword is expected is a comment: the
// readers skip up to two such fields in a row (ten in the line text's general
// section), so no entry below has more than two comment lines above it.  A
// comment holds no comma, which would end its field early.

constexpr std::string_view kLineEntries[] = {
    "[generale]",
    "- route length (m): at most 1000000",
    "lunghezza percorso,    6000",
    "- chainage: from its start (m) the kilometre posts read its value (m: 12000 is km 12+000)",
    "- the third value is a flag 0 or 1; an entry of 0 0 0 is unused",
    "progressiva chilometrica uno,    0,    12000,    0",
    "progressiva chilometrica due,    0,    0,    0",
    "progressiva chilometrica tre,    0,    0,    0",
    "- three background codes that the simulator gets as they are",
    "sfondo uno,    0",
    "sfondo due,    1",
    "sfondo tre,    0",
    "- cab signalling from (m) to (m) in multiples of 50; the 4 (or 9) in the keyword is the number "  // NOLINT(bugprone-suspicious-missing-comma): one line, two literals
    "of codes; an end of 0 means none",
    "ripetizione segnali 4 codici,    1000,    5000",
    "[curve]",
    "- curve: start (m) and length (m); the keyword holds its class 1 to 6 (6 the sharpest) and s "
    "for a left-hand or d for a right-hand curve",
    "curvad4,    1200,    400",
    "curvas5,    3600,    300",
    "[pendenze]",
    "- gradient: from its position (m) up to the next one; -100 to 155 with 0 level and "
    "positive uphill",
    "pendenza,       0,    0",
    "pendenza,    1500,    6",
    "pendenza,    3500,   -4",
    "pendenza,    5000,    0",
    "[montagne]",
    "- mountain stretch: start (m) and end (m) and its kind; a kind above 10 is kind minus 10 "
    "with a marker in every fourth cell",
    "montagna,    2000,    3000,    12",
    "[cartelli]",
    "- speed board at a position (m): speeds (km/h) for ranks A B C and stripes (0 to 9) of the s "
    "set then the same of the d set",
    "indicatori_vmax,     900,    90,   95,  100,  0,    90,   95,  100,  0",
    "[indicazioni]",
    "- indication board: position (m) and the text it shows (in double quotes when it holds a "
    "comma)",
    "cartello_indicatore,    4000,   (Km 16+000)",
    "[fine]",
};

constexpr std::string_view kTrainEntries[] = {
    "[generale]",
    "- number of cars",
    "numero vetture,    4",
    "- braked mass in per cent",
    "percentuale massa frenata,    105",
    "- sand",
    "sabbia,    200",
    "- clock at the start: hours minutes seconds",
    "orologio,    8    29    30",
    "[aderenze]",
    "- adhesion: from a position (m) on (0 to 255)",
    "aderenza,       0,    100",
    "[vel_limite]",
    "- line speed limit: from a position (m) in multiples of 50 on (km/h)",
    "velocita,       0,    60",
    "velocita,    1000,   100",
    "velocita,    5000,    60",
    "[stazioni]",
    "- station: position (m) kind (12; 25 a point without a stop) length (m; multiple of 100) "  // NOLINT(bugprone-suspicious-missing-comma)
    "three flags (the first 1 at the first and last station; the third 1 ends it 50 m later) "
    "six stored values",
    "- then the stop (s) and the time (h m s: departure or at the last station arrival) and the "
    "name",
    "stazione,     500, 12,  400,  1, 0, 0,  3, 1, 0,  2, 1, 1,    1,   8, 30, 0, PARTENZA",
    "stazione,    5500, 12,  400,  1, 0, 0,  1, 1, 0,  2, 1, 1,    0,   8, 35, 0, ARRIVO",
    "[rallentamenti]",
    "- slowdown: start (m) speed (km/h) length (m) end marks value warning lead-in (0 or 1) "
    "second speed (0 none)",
    "rallentamento,    2600,    60,  400,  0,  0,  60",
    "[segnali]",
    "- signal: position (m) left code and its three digits then the digit packed in front then "
    "the right code and its three digits",
    "- and last a time (0 none or 101 to 255; kept when the left code is 2)",
    "segnale,    1600,   1, 3, 1, 0,  0,    1,  3, 1, 0,    0",
    "segnale,    4500,   2, 3, 1, 0,  0,    2,  2, 1, 0,  220",
    "[codici]",
    "- code point: position (m) and its code (above 0 a code point; 0 or less a code cut point)",
    "abbattimento,    3300,    2",
    "[fine]",
};

std::string with_heading(std::vector<std::string> heading,
                         const std::vector<std::string_view>& entries) {
  std::vector<std::string_view> lines(heading.begin(), heading.end());
  lines.insert(lines.end(), entries.begin(), entries.end());
  return line_list_bytes(lines);
}

}  // namespace

std::string starter_line_text(const std::string& scenario_name) {
  return with_heading(
      {"Line text of the scenario " + scenario_name + ": the track.",
       "Everything above the general section is skipped. Values are separated by commas; a line "
       "starting with a dash is a comment.",
       ""},
      {std::begin(kLineEntries), std::end(kLineEntries)});
}

std::string starter_train_text(const std::string& scenario_name, const std::string& train_number) {
  return with_heading(
      {"Train text of the scenario " + scenario_name + ": train " + train_number + ".",
       "Everything above the general section is skipped. Values are separated by commas; a line "
       "starting with a dash is a comment.",
       ""},
      {std::begin(kTrainEntries), std::end(kTrainEntries)});
}

}  // namespace sb
