#include "checks/text_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "checks/warning_options.h"

namespace sb {
namespace {

enum class Which { kLine, kTrain };

struct Case {
  const char* what;
  Which which;
  std::string text;
  std::vector<std::string> expected;
};

std::vector<std::string> check(const Case& c) {
  std::vector<Diagnostic> diagnostics;
  if (c.which == Which::kLine) {
    check_line_text(c.text, &diagnostics);
  } else {
    LineFacts line;
    line.route_length = 32000;
    check_train_text(c.text, line, &diagnostics);
  }
  sort_diagnostics(diagnostics);
  std::vector<std::string> lines;
  for (const Diagnostic& f : diagnostics) lines.push_back(format_diagnostic(f, "L.txt", "T.txt"));
  return lines;
}

// A line text with a speed board at 2000 m on its line 4.
std::string line_text_for_holders() {
  return "[generale]\r\nlunghezza percorso, 32000\r\n[curve]\r\n"
         "indicatori_vmax, 2000, 100, 100, 100, 0, 100, 100, 100, 0\r\n[fine]\r\n";
}

// A line text of 32000 m whose body starts on line 3.
std::string line(const std::string& body) {
  return "[generale]\r\nlunghezza percorso, 32000\r\n" + body + "[fine]\r\n";
}
// A train text whose entries start on line 2, with a clock and a station.
std::string train(const std::string& entries) {
  return "[generale]\r\n" + entries +
         "orologio, 12 0 0\r\nstazione, 30000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 0, 13,0,0, Z\r\n"
         "[fine]\r\n";
}

TEST(TextCheck, AuthorMistakes) {
  const Case cases[] = {
      {"misspelt body keyword",
       Which::kLine,
       line("[curve]\r\npendeza, 300, 3\r\n"),
       {"L.txt:4:1: warning W21: `pendeza` matches no entry and is skipped; did you mean "
        "`pendenza`? [-Wunknown-keyword]"}},
      {"misspelt board keyword",
       Which::kLine,
       line("[curve]\r\nindicatore_vmax, 4500, 105, 115, 125, 0, 105, 115, 125, 0\r\n"),
       {"L.txt:4:1: warning W21: `indicatore_vmax` matches no entry and is skipped; did you "
        "mean `indicatori_vmax`? [-Wunknown-keyword]"}},
      {"misspelt curve keyword",
       Which::kLine,
       line("[curve]\r\ncruvas5, 300, 100\r\n"),
       {"L.txt:4:1: warning W21: `cruvas5` matches no entry and is skipped; did you mean "
        "`curvas5`? [-Wunknown-keyword]"}},
      {"curve without side",
       Which::kLine,
       line("[curve]\r\ncurvaz5, 300, 100\r\n"),
       {"L.txt:4:1: warning W34: the curve keyword `curvaz5` names no side (curvas: left, "
        "curvad: right): it is read as a right-hand curve [-Wcurve-side]"}},
      {"capitalised exact keyword",
       Which::kLine,
       line("Progressiva Chilometrica Uno, 0, 350000, 0\r\n[curve]\r\n"),
       {"L.txt:3:1: warning W22: `Progressiva Chilometrica Uno` would start a chainage one "
        "entry but for letter case: its keyword is compared exactly (`progressiva "
        "chilometrica uno`); skipped [-Wkeyword-case]"}},
      {"general entry in the body",
       Which::kLine,
       line("[curve]\r\nsfondo due, 1\r\n"),
       {"L.txt:4:1: warning W23: `sfondo due` is a background two entry, recognised only in "
        "the line text, general section: skipped here [-Wwrong-section]"}},
      {"letters after digits",
       Which::kLine,
       line("[curve]\r\npendenza, 6000, 12x\r\n"),
       {"L.txt:4:17: warning W24: the gradient change's gradient `12x` is not a whole number: "
        "it reads 0 [-Wnot-a-number]"}},
      {"unit behind the route length",
       Which::kLine,
       "[generale]\r\nlunghezza percorso, 32000m\r\n[fine]\r\n",
       {"L.txt:2:21: warning W44: the route length `32000m` is not a whole number: it reads 0, "
        "which makes a route of 0 m [-Wroute-length]"}},
      {"exponent and hexadecimal",
       Which::kLine,
       line("[curve]\r\nmontagna, 1e3, 0x4e20, 12\r\n"),
       {"L.txt:4:11: warning W24: the mountain stretch's inizio `1e3` is not a whole number: it "
        "reads 0 [-Wnot-a-number]",
        "L.txt:4:16: warning W24: the mountain stretch's fine `0x4e20` is not a whole number: "
        "it reads 0 [-Wnot-a-number]"}},
      {"sign apart from its digits",
       Which::kLine,
       line("[curve]\r\npendenza, 6000, - 8\r\n"),
       {"L.txt:4:17: warning W24: the gradient change's gradient `-` is not a whole number: it "
        "reads 0 [-Wnot-a-number]"}},
      {"fraction",
       Which::kLine,
       line("[curve]\r\npendenza, 7000, 12.5\r\n"),
       {"L.txt:4:17: warning W25: the gradient change's gradient `12.5` has a fraction: it is "
        "rounded to 12 [-Wfraction]"}},
      {"comment cut at a comma",
       Which::kLine,
       line("[curve]\r\n- qui una curva, poi pendenza forte\r\npendenza, 300, 2\r\n"),
       {"L.txt:4:18: warning W27: the comment on this line ends at the comma: `poi pendenza "
        "forte` is read as a keyword field, and it starts a gradient change entry "
        "[-Wcut-at-comma]"}},
      {"board short of a value",
       Which::kLine,
       line("[curve]\r\nindicatori_vmax, 2500, 105, 115, 125, 0, 105, 115, 125\r\n"
            "indicatori_vmax, 3500, 105, 115, 125, 0, 105, 115, 125, 0\r\n"),
       {"L.txt:4:1: warning W26: the maximum-speed board entry at line 4 has 8 values before "
        "the next entry `indicatori_vmax` (line 5): 9 are expected [-Wvalues-shifted]"}},
      {"beyond the route, inside the cells",
       Which::kLine,
       line("[curve]\r\npendenza, 35000, 1\r\npendenza, 40000, 1\r\n"),
       {"L.txt:4:1: warning W28: the gradient change at 35000 m lies beyond the end of the "
        "route (32000 m), where the cells still take it [-Wbeyond-route]",
        "L.txt:5:1: error E15: the gradient change at 40000 m lies outside the line: an entry's "
        "position + 100 m must lie within the cells, which end at 39000 m, cell 780 (route "
        "length 32000 m); the compile reads no further in this text"}},
      {"overlapping curves",
       Which::kLine,
       line("[curve]\r\ncurvad5, 650, 200\r\ncurvas4, 800, 300\r\n"),
       {"L.txt:5:1: warning W29: the curve at 800 m starts before the previous curve (line 4) "
        "ends at 850 m: it is bent from there on [-Worder]"}},
      {"mountain stretch backwards",
       Which::kLine,
       line("[curve]\r\nmontagna, 5000, 4000, 12\r\n"),
       {"L.txt:4:1: warning W29: the mountain stretch from 5000 m ends before it begins, at "
        "4000 m: it marks no cell [-Worder]"}},
      {"gradient behind the filled cells (a -Wall warning)",
       Which::kLine,
       line("[curve]\r\npendenza, 300, -3\r\npendenza, 586, 0\r\npendenza, 165, -4\r\n"),
       {"L.txt:6:1: warning W46: the gradient change at 165 m stands behind the cells already "
        "filled (the previous one, line 5, 586 m, filled them up to cell 11): it writes the "
        "single cell 12 with the gradient 0 in force, and its own gradient -4 holds from cell 13 "
        "(650 m) on [-Wgradient-order]"}},
      {"gradient outside its byte",
       Which::kLine,
       line("[curve]\r\npendenza, 300, 200\r\n"),
       {"L.txt:4:1: warning W43: the gradient change's gradient 200 lies outside -100 to 155 and "
        "wraps into -56: kept in one byte with 100 added: only its low 8 bits "
        "[-Wwrapped-value]"}},
      {"gradient outside its byte, same sign",
       Which::kLine,
       line("[curve]\r\npendenza, 300, 300\r\n"),
       {"L.txt:4:1: warning W30: the gradient change's gradient 300 lies outside -100 to 155: "
        "kept in one byte with 100 added: only its low 8 bits (gradient 44) [-Wrange]"}},
      {"cut short",
       Which::kLine,
       "[generale]\r\nlunghezza percorso, 32000\r\n[curve]\r\npendenza, 300, 1\r\n",
       {"L.txt:4:1: warning W33: the text does not end with its [fine] line: it may have been "
        "cut short (the last field of a text is never examined) [-Wcut-short]"}},
      {"UTF-8 accent",
       Which::kTrain,
       train("stazione, 0, 12, 800, 0,0,0, 1,1,0, 4,1,1, 0, 12,0,0, CITT\xC3\x80\r\n"),
       {"T.txt:2:59: warning W31: `Ã€` looks like the UTF-8 bytes of `À`: texts are "
        "Windows-1252, so it is stored as 2 characters [-Wencoding]"}},
      {"UTF-16",
       Which::kTrain,
       std::string("\xFF\xFE[\0g\0", 6),
       {"T.txt:1:1: warning W31: the text looks like UTF-16 (a byte-order mark): texts are "
        "Windows-1252, one byte a character; the compile finds none of its fields "
        "[-Wencoding]"}},
      {"no general section",
       Which::kTrain,
       "\r\n\r\n\r\n",
       {"T.txt:1:1: warning W42: no field contains [generale]: the train text yields no "
        "entries (no station, speed 0, adhesion 0) [-Wmissing-general]"}},
      {"no clock, no station",
       Which::kTrain,
       "[generale]\r\nsabbia, 200\r\n[fine]\r\n",
       {"T.txt:1:1: warning W32: the train text sets no clock [-Wmissing-entry]",
        "T.txt:1:1: warning W32: the train text has no station [-Wmissing-entry]"}},
      {"clock written with colons",
       Which::kTrain,
       train("orologio, 8:15:00\r\nsabbia, 200\r\n"),
       {"T.txt:2:1: warning W26: the clock entry at line 2 has 1 value before the next entry "
        "`sabbia` (line 3): 3 are expected [-Wvalues-shifted]",
        "T.txt:2:11: warning W24: the clock's first `8:15:00` is not a whole number: it reads 0 "
        "[-Wnot-a-number]"}},
      {"station length with letters O",
       Which::kTrain,
       train("stazione, 9000, 12, 4OO, 0,0,0, 1,1,0, 4,1,1, 20, 12,47,0, B\r\n"),
       {"T.txt:2:21: warning W24: the station's length `4OO` is not a whole number: it reads 0 "
        "[-Wnot-a-number]"}},
      {"comma in a station name",
       Which::kTrain,
       train("stazione, 0, 12, 800, 0,0,0, 1,1,0, 4,1,1, 0, 12,0,0, COLLE, ALTO\r\n"),
       {"T.txt:2:62: warning W27: the station's name `COLLE` ends at the comma before `ALTO`, "
        "which is read as a keyword field: quote the text to keep the comma "
        "[-Wcut-at-comma]"}},
      {"adhesion beyond its byte",
       Which::kTrain,
       train("aderenza, 0, 300\r\n"),
       {"T.txt:2:1: warning W30: the adhesion's adhesion 300 lies outside 0 to 255: only its "
        "low 8 bits are kept (44) [-Wrange]"}},
      {"speed not a multiple of 5",
       Which::kTrain,
       train("velocita, 0, 67\r\n"),
       {"T.txt:2:1: warning W30: the speed limit's speed 67 km/h is not a multiple of 5: stored "
        "as its fifth, rounded (65 km/h) [-Wrange]"}},
      {"speed limits out of order",
       Which::kTrain,
       train("velocita, 0, 60\r\nvelocita, 2000, 100\r\nvelocita, 1000, 80\r\n"),
       {"T.txt:4:1: warning W29: the speed limit at 1000 m stands before the previous one "
        "(line 3, 2000 m): out of order, it writes a single cell [-Worder]"}},
      {"stations out of order",
       Which::kTrain,
       train("stazione, 31000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 20, 12,47,0, B\r\n"),
       {"T.txt:4:1: error E22: the station at 30000 m (its area 29800 m to 30200 m) stands "
        "before the area of the station at 31000 m, which ends at 31200 m: station areas stand "
        "in order, 350 m apart (T.txt:2:1)"}},
      {"signal tempo 1 to 100",
       Which::kTrain,
       train("segnale, 850, 2, 3,1,0, 0, 2, 2,1,0, 50\r\n"),
       {"T.txt:2:1: warning W30: the signal's tempo 50 lies outside 0 or 101 to 255: 1 to 100 "
        "are stored as 101, others keep their low 8 bits (50) [-Wrange]"}},
      {"surplus value",
       Which::kTrain,
       train("velocita, 0, 60, 5\r\n"),
       {"T.txt:2:1: warning W26: the speed limit entry at line 2 has 3 values: 2 are expected, "
        "so `5` is read as a keyword field [-Wvalues-shifted]"}},
  };
  for (const Case& c : cases) EXPECT_EQ(check(c), c.expected) << c.what;
}

// Slips that lose the author's data: errors by default, each saying what
// happened at the entry it happened to.
TEST(TextCheck, SlipsThatLoseDataAreErrors) {
  const std::string last_stop =
      "stazione, 5000, 12, 400, 1,0,0, 1,1,0, 4,1,1, 0, 13,0,0, ARRIVO\r\n";
  const Case cases[] = {
      {"station short of its seconds",
       Which::kTrain,
       train("stazione, 1000, 12, 400, 1,0,0, 1,1,0, 4,1,1, 30, 12,0, PARTENZA\r\n" + last_stop),
       {"T.txt:2:1: error W26: the station entry at line 2 has 16 values before the next entry "
        "`stazione` (line 3): 17 are expected [-Werror=values-shifted]"}},
      {"station with a value too many",
       Which::kTrain,
       train("stazione, 1000, 12, 400, 1,0,0, 1,1,0, 4,1,1, 30, 12,0,0,0, PARTENZA\r\n" +
             last_stop),
       {"T.txt:2:1: error W26: the station entry at line 2 has 18 values: 17 are expected, so "
        "its name reads `0` and `PARTENZA` is read as a keyword field [-Werror=values-shifted]"}},
      {"comment line between a station's values",
       Which::kTrain,
       train("stazione, 1000, 12, 400, 1,0,0\r\n- the values of the stop\r\n"
             "1,1,0, 4,1,1, 30, 12,0,0, PARTENZA\r\n"),
       {"T.txt:2:1: error W26: the station entry at line 2 has 6 values before the comment on "
        "line 3, which is read as its values: 17 are expected [-Werror=values-shifted]"}},
      {"gradient change short of its gradient before a header",
       Which::kLine,
       line("[curve]\r\npendenza, 300\r\n[montagne]\r\n"),
       {"L.txt:4:1: error W26: the gradient change entry at line 4 has 1 value before the "
        "section header `[montagne]` (line 5): 2 are expected [-Werror=values-shifted]"}},
      {"third comment line read as an entry",
       Which::kTrain,
       train("- speed limits\r\n- from the timetable\r\n- the velocita values are in km/h\r\n"
             "velocita, 0, 80\r\n"),
       {"T.txt:4:1: error W40: only two comment fields in a row are skipped: this third one, `- "
        "the velocita values are in km/h`, is read as a keyword field, and it starts a speed "
        "limit entry (a blank line before it restarts the count) [-Werror=comment-entry]"}},
      {"two comment lines, a blank line, a third",
       Which::kTrain,
       train("- speed limits\r\n- from the timetable\r\n\r\n- the velocita values are in km/h\r\n"
             "velocita, 0, 80\r\n"),
       {}},
      {"curve written right, read left",
       Which::kLine,
       line("[curve]\r\ncurva destra 4, 300, 100\r\n"),
       {"L.txt:4:1: error W41: the curve keyword `curva destra 4` is read as a left-hand curve: "
        "an `s` anywhere makes a curve left-handed, and `destra` has one; write `curvad4` for a "
        "right-hand curve [-Werror=curve-hand]"}},
      {"curve written left, read right",
       Which::kLine,
       line("[curve]\r\ncurva left 2, 300, 100\r\n"),
       {"L.txt:4:1: error W41: the curve keyword `curva left 2` is read as a right-hand curve: "
        "only an `s` makes a curve left-handed, and `left` has none; write `curvas2` for a "
        "left-hand curve [-Werror=curve-hand]"}},
      {"route length not a number, its follow-on warnings folded",
       Which::kLine,
       "[generale]\r\nlunghezza percorso, 6OOO\r\n[curve]\r\npendenza, 300, 1\r\n"
       "pendenza, 900, 2\r\n[fine]\r\n",
       {"L.txt:2:21: error W44: the route length `6OOO` is not a whole number: it reads 0, which "
        "makes a route of 0 m; 2 entries lie beyond it and are not reported one by one "
        "[-Werror=route-length]"}},
      {"gradient that wraps into the opposite sign",
       Which::kLine,
       line("[curve]\r\npendenza, 300, 200\r\n"),
       {"L.txt:4:1: error W43: the gradient change's gradient 200 lies outside -100 to 155 and "
        "wraps into -56: kept in one byte with 100 added: only its low 8 bits "
        "[-Werror=wrapped-value]"}},
      {"code point value that wraps into a code cut point",
       Which::kTrain,
       train("abbattimento, 5000, 40000\r\n"),
       {"T.txt:2:1: error W43: the code point's value 40000 lies outside at most 32767 and wraps "
        "into -25536: only its low 16 bits are kept [-Werror=wrapped-value]"}},
      {"train text without [generale]",
       Which::kTrain,
       "[general]\r\nstazione, 1000, 12, 400, 1,0,0, 1,1,0, 4,1,1, 30, 12,0,0, PARTENZA\r\n[fine]\r\n",
       {"T.txt:1:1: error W42: no field contains [generale]: the train text yields no entries (no "
        "station, speed 0, adhesion 0) [-Werror=missing-general]"}},
      {"last station of a kind without a stop cell",
       Which::kTrain,
       "[generale]\r\norologio, 12 0 0\r\n"
       "stazione, 1000, 12, 400, 1,0,0, 1,1,0, 4,1,1, 30, 12,0,0, PARTENZA\r\n"
       "stazione, 5000, 25, 400, 1,0,0, 1,1,0, 4,1,1, 0, 13,0,0, ARRIVO\r\n[fine]\r\n",
       {"T.txt:4:1: error W45: the last station, at 5000 m, has kind 25, which gets no stop cell "
        "(kinds 25 and above): the run has no last stop [-Werror=last-stop]"}},
      {"gradient behind the previous one, hidden without -Wall",
       Which::kLine,
       line("[curve]\r\npendenza, 1500, 6\r\npendenza, 1000, -4\r\n"),
       {}},
      {"train entry in the line text",
       Which::kLine,
       line("[curve]\r\nvelocita, 0, 100\r\n"),
       {"L.txt:4:1: warning W23: `velocita` is a speed limit entry, which belongs in the train "
        "text: skipped here [-Wwrong-section]"}},
      {"line entry in the train text",
       Which::kTrain,
       train("pendenza, 300, 2\r\n"),
       {"T.txt:2:1: warning W23: `pendenza` is a gradient change entry, which belongs in the "
        "line text: skipped here [-Wwrong-section]"}},
      {"curves written as the format has them",
       Which::kLine,
       line("[curve]\r\ncurvas4, 300, 100\r\ncurvad4, 500, 100\r\ncurva sinistra 3, 700, 100\r\n"),
       {}},
  };
  for (const Case& c : cases) {
    std::vector<Diagnostic> diagnostics;
    if (c.which == Which::kLine) {
      check_line_text(c.text, &diagnostics);
    } else {
      LineFacts line;
      line.route_length = 32000;
      check_train_text(c.text, line, &diagnostics);
    }
    diagnostics = apply_warning_options({}, std::move(diagnostics));
    sort_diagnostics(diagnostics);
    std::vector<std::string> lines;
    for (const Diagnostic& d : diagnostics) lines.push_back(format_diagnostic(d, "L.txt", "T.txt"));
    EXPECT_EQ(lines, c.expected) << c.what;
  }
}

// What the compile refuses whatever the state is found for every entry,
// where the compile stops at the first.
TEST(TextCheck, RefusedEntries) {
  const Case cases[] = {
      {"route length",
       Which::kLine,
       "[generale]\r\nlunghezza percorso, 2000000\r\n[fine]\r\n",
       {"L.txt:2:1: error E1: the route length 2000000 m is outside 0 to 1000000 m"}},
      {"chainage and cab signalling",
       Which::kLine,
       line("progressiva chilometrica due, 125, 350000, 0\r\n"
            "ripetizione segnali, 100, 200\r\nripetizione segnali 4, 120, 200\r\n"
            "ripetizione segnali 9, 100, 210\r\n[curve]\r\n"),
       {"L.txt:3:1: error E2: the chainage two starts at 125 m and reads 350000 m there: both "
        "must be multiples of 50 m",
        "L.txt:4:1: error E5: the cab-signalling keyword field `ripetizione segnali` names "
        "neither 4 nor 9 codes",
        "L.txt:5:1: error E3: the cab-signalling start 120 m is not a multiple of 50 m",
        "L.txt:6:1: error E4: the cab-signalling end 210 m is not a multiple of 50 m"}},
      {"curve without class",
       Which::kLine,
       line("[curve]\r\ncurvas, 300, 100\r\n"),
       {"L.txt:4:1: error E103: the curve keyword `curvas` holds no class digit 1 to 6 "
        "(curvad5: right-hand, class 5)"}},
      {"every entry outside the line",
       Which::kLine,
       line("[curve]\r\npendenza, 39000, 1\r\nmontagna, 1000, 40000, 12\r\n"),
       {"L.txt:4:1: error E15: the gradient change at 39000 m lies outside the line: an "
        "entry's position + 100 m must lie within the cells, which end at 39000 m, cell 780 "
        "(route length 32000 m); the compile reads no further in this text",
        "L.txt:5:1: error E15: the mountain stretch at 40000 m lies outside the line: its cells "
        "must lie within the cells, which end at 39000 m, cell 780 (route length 32000 m)"}},
      {"signal near the start",
       Which::kTrain,
       train("segnale, 300, 1, 4,1,0, 0, 1, 3,1,0, 0\r\n"),
       {"T.txt:2:1: error E15: the signal at 300 m stands too near the start of the line: its "
        "approach marks take the 8 cells before its own, so a signal stands at 325 m or "
        "beyond; the compile reads no further in this text"}},
      {"station position and length",
       Which::kTrain,
       train("stazione, 1025, 12, 400, 0,0,0, 1,1,0, 4,1,1, 20, 12,0,0, A\r\n"
             "stazione, 5000, 12, 450, 0,0,0, 1,1,0, 4,1,1, 20, 12,5,0, B\r\n"),
       {"T.txt:2:1: error E8: the station at 1025 m does not stand at a multiple of 50 m",
        "T.txt:3:1: error E9: the station at 5000 m has a length of 450 m, not a multiple of "
        "100 m"}},
      {"cells already taken",
       Which::kTrain,
       train("segnale, 850, 1, 4,1,0, 0, 1, 3,1,0, 0\r\n"
             "segnale, 850, 1, 4,1,0, 0, 1, 3,1,0, 0\r\n"
             "rallentamento, 850, 60, 700, 0, 0, 0\r\n"
             "stazione, 2000, 12, 400, 0,0,0, 1,1,0, 4,1,1, 20, 12,0,0, A\r\n"
             "abbattimento, 2150, 2\r\n"
             "stazione, 2100, 12, 400, 0,0,0, 1,1,0, 4,1,1, 20, 12,5,0, B\r\n"
             "stazione, 0, 12, 100, 0,0,0, 1,1,0, 4,1,1, 20, 12,9,0, C\r\n"),
       {"T.txt:3:1: error E16: the signal at 850 m needs cell 18 at 900 m, which already holds "
        "the signal at 850 m (T.txt:2:1)",
        "T.txt:4:1: error E18: the slowdown at 850 m needs its start cell 18 at 900 m, which "
        "already holds the signal at 850 m (T.txt:2:1)",
        "T.txt:6:1: error E7: the code point at 2150 m needs cell 43 at 2150 m, which already "
        "holds the station at 2000 m (its stop cell) (T.txt:5:1)",
        "T.txt:7:1: error E22: the station at 2100 m (its area 1900 m to 2300 m) begins less "
        "than 350 m after the area of the station at 2000 m, which ends at 2200 m: station "
        "areas stand in order, 350 m apart (T.txt:5:1)",
        "T.txt:8:1: error E24: the station at 0 m ends at 50 m, within 100 m of the start of "
        "the line: its stop cell would be cell 0"}},
      {"text ending inside an entry",
       Which::kLine,
       "[generale]\r\nlunghezza percorso, 32000\r\n[curve]\r\npendenza, 300, 2\r\npendenza, 600",
       {"L.txt:5:1: warning W33: the text does not end with its [fine] line: it may have been "
        "cut short (the last field of a text is never examined) [-Wcut-short]",
        "L.txt:5:11: error E25: read failure: the text ends where a field was expected"}},
      {"empty text",
       Which::kLine,
       "",
       {"L.txt:1:1: error E25: read failure: the text ends where a field was expected"}},
      {"value beyond its width ends the check",
       Which::kTrain,
       train("stazione, 1000, 300, 400, 0,0,0, 1,1,0, 4,1,1, 20, 12,0,0, A\r\npendeza, 1\r\n"),
       {"T.txt:2:17: error E25: the value 300 does not fit a byte (0 to 255)"}},
      {"speed beyond a byte",
       Which::kTrain,
       train("velocita, 0, 1280\r\n"),
       {"T.txt:2:1: error E25: the speed 1280 km/h divided by 5 does not fit a byte (0 to "
        "255): speeds lie in 0 to 1277 km/h"}},
  };
  for (const Case& c : cases) EXPECT_EQ(check(c), c.expected) << c.what;
}

// The entry that claimed a cell before a refused one names what holds it.
TEST(TextCheck, HolderOfACellIsTheLastEntryBeforeThatClaimedIt) {
  std::vector<Diagnostic> diagnostics;
  const LineFacts line = check_line_text(line_text_for_holders(), &diagnostics);
  const TrainFacts train = check_train_text(
      "[generale]\r\norologio, 12 0 0\r\n"
      "segnale, 2000, 1, 4,1,0, 0, 1, 3,1,0, 0\r\n"
      "rallentamento, 3000, 60, 700, 0, 1, 0\r\n"
      "stazione, 6000, 12, 400, 0,0,1, 1,1,0, 4,1,1, 20, 12,0,0, A\r\n"
      "[fine]\r\n",
      line, &diagnostics);
  struct Probe {
    int64_t cell;
    SourceLocation before;
    const char* what;  // null: nothing claimed it
    int line;
  };
  const SourceLocation end_of_train{SourceLocation::Text::kTrain, 99, 1};
  const Probe probes[] = {
      {41, {SourceLocation::Text::kTrain, 3, 1}, "the maximum-speed board at 2000 m", 4},
      {41, end_of_train, "the maximum-speed board at 2000 m", 4},  // the signal is refused
      {37, end_of_train, "the slowdown at 3000 m (its warning cell)", 4},
      {35, end_of_train, "the slowdown at 3000 m (a warning lead-in cell)", 4},
      {61, end_of_train, "the slowdown at 3000 m (its start)", 4},
      {75, end_of_train, "the slowdown at 3000 m (its end)", 4},
      {124, end_of_train, "the station at 6000 m (its stop cell)", 5},
      {42, end_of_train, nullptr, 0},
  };
  for (const Probe& p : probes) {
    const Placement* holder = holder_of(p.cell, p.before, line, train);
    if (p.what == nullptr) {
      EXPECT_EQ(holder, nullptr) << p.cell;
      continue;
    }
    ASSERT_NE(holder, nullptr) << p.cell;
    EXPECT_EQ(holder->what(), p.what) << p.cell;
    EXPECT_EQ(holder->location.line, p.line) << p.cell;
  }
}

}  // namespace
}  // namespace sb
