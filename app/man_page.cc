#include "app/man_page.h"

#include <cstdio>

#include "app/exit_status.h"

namespace sb {
namespace {

// The code point of the UTF-8 sequence at `at`, moving `at` past it; a byte
// that starts no sequence stands for itself.
unsigned code_point_at(std::string_view text, size_t& at) {
  const unsigned char lead = static_cast<unsigned char>(text[at++]);
  int more = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
  unsigned code = more == 3   ? lead & 0x07u
                  : more == 2 ? lead & 0x0Fu
                  : more == 1 ? lead & 0x1Fu
                              : lead;
  for (; more > 0 && at < text.size(); --more) {
    code = (code << 6) | (static_cast<unsigned char>(text[at++]) & 0x3Fu);
  }
  return code;
}

// A word typed as it stands (an option, a choice): every hyphen a minus
// sign, where no line breaks.
std::string roff_literal(std::string_view word) {
  std::string text;
  for (const char c : roff_escaped(word))
    text += c == '-' && !text.ends_with('\\') ? "\\-" : std::string(1, c);
  return text;
}

// An option's name and value as a man page sets them: "\fB\-o\fR \fIDIR\fR".
std::string synopsis_of(const OptionOutline& option) {
  std::string text;
  for (const std::string& name : option.names) {
    if (!text.empty()) text += ", ";
    text += "\\fB" + roff_literal(name) + "\\fR";
  }
  if (!option.value.empty()) {
    const bool glued = option.hint.kind == ValueHint::Kind::kGlued;
    text += (glued ? "\\fI" : " \\fI") + roff_escaped(option.value) + "\\fR";
  }
  return text;
}

// The words an option takes, where it takes a few, on a line of their own:
// "One of: auto, always, never."
std::string choices_of(const OptionOutline& option) {
  if (option.hint.words.empty()) return {};
  std::string text = option.hint.kind == ValueHint::Kind::kGlued
                         ? roff_escaped(option.value) + " is one of: "
                         : std::string("One of: ");
  for (size_t i = 0; i < option.hint.words.size(); ++i) {
    text += (i == 0 ? "" : ", ") + roff_literal(option.hint.words[i]);
  }
  return "\n.br\n" + text + ".";
}

std::string usage_of(const CommandOutline& command) {
  std::string text = "\\fBscenario\\-builder\\fR";
  if (!command.name.empty()) text += " \\fB" + roff_escaped(command.name) + "\\fR";
  text += " [\\fIOPTIONS\\fR]";
  for (const OptionOutline& positional : command.positionals) {
    text += " \\fI" + roff_escaped(positional.value) + "\\fR";
  }
  return text;
}

std::string options_of(const CommandOutline& command) {
  std::string text;
  for (const OptionOutline& option : command.positionals) {
    text += ".TP\n\\fI" + roff_escaped(option.value) + "\\fR\n" + roff_escaped(option.description) +
            choices_of(option) + "\n";
  }
  for (const OptionOutline& option : command.options) {
    std::string description = option.description;
    if (option.required) description += " (required)";
    text += ".TP\n" + synopsis_of(option) + "\n" + roff_escaped(description) + choices_of(option) +
            "\n";
  }
  return text;
}

std::string status_line(int status, std::string_view meaning) {
  return ".TP\n.B " + std::to_string(status) + "\n" + std::string(meaning) + "\n";
}

constexpr std::string_view kDescription =
    "Started with no subcommand, \\fBscenario\\-builder\\fR makes the built\\-in scenario, the "
    "line Valmira \\(en Lunerio with the regional train 37924: it writes the two source texts "
    "and three documents for the driver beside its executable (or in the directory of "
    "\\fB\\-\\-dir\\fR), compiles the texts into the three files that the simulator loads, "
    "and deletes the texts.\n"
    ".PP\n"
    "Its subcommands serve authors of scenarios of their own: a scenario is a line text, "
    "\\fINAME\\fB_linea.txt\\fR, and a train text, \\fINAME\\fB_\\fIN\\fB\\-.txt\\fR, "
    "which \\fBcompile\\fR turns into \\fINAME\\fB_linea.dat\\fR, \\fINAME\\fB_\\fIN\\fB.sim\\fR "
    "and \\fINAME\\fB_\\fIN\\fB.dat\\fR.\n"
    "Texts are Windows\\-1252 with CR LF line ends.\n"
    "Diagnostics name the text, line and column at fault, as C compilers name theirs; on a "
    "terminal they are coloured and followed by the source line and a caret under the field.\n";

constexpr std::string_view kFiles =
    ".TP\n\\fINAME\\fB_linea.txt\\fR, \\fINAME\\fB_\\fIN\\fB\\-.txt\\fR\n"
    "the line text and the train text of scenario NAME with train number N\n"
    ".TP\n\\fINAME\\fB_linea.dat\\fR\n"
    "the line trace: the plan of the track, metre by metre\n"
    ".TP\n\\fINAME\\fB_\\fIN\\fB.sim\\fR\n"
    "the general records: stations, board texts, line and train values\n"
    ".TP\n\\fINAME\\fB_\\fIN\\fB.dat\\fR\n"
    "the track cells, one per 50 m of line\n"
#ifdef SB_HAVE_SERVER
    ".TP\n\\fBscenario\\-builder\\-serve\\fR\n"
    "the live preview's server, beside the program, which \\fBwatch \\-\\-serve\\fR becomes\n"
#endif
    ;

constexpr std::string_view kExamples =
    "Start a scenario, check it, compile it and look at what was written:\n"
    ".PP\n.nf\n.RS\n"
    "scenario\\-builder new Mia 101 \\-o work\n"
    "scenario\\-builder check work/Mia_linea.txt work/Mia_101\\-.txt\n"
    "scenario\\-builder compile work/Mia_linea.txt work/Mia_101\\-.txt \\-o out\n"
    "scenario\\-builder dump out/Mia_101.sim\n"
    ".RE\n.fi\n.PP\n"
    "In a CI job, the diagnostics as SARIF for a code\\-scanning service, or as JSON:\n"
    ".PP\n.nf\n.RS\n"
    "scenario\\-builder check Mia_linea.txt Mia_101\\-.txt \\-\\-format=sarif > check.sarif\n"
    "scenario\\-builder check Mia_linea.txt Mia_101\\-.txt \\-\\-format=json\n"
    ".RE\n.fi\n.PP\n"
    "Completion in bash, for the shell at hand:\n"
    ".PP\n.nf\n.RS\n"
    "source <(scenario\\-builder completion bash)\n"
    ".RE\n.fi\n";

}  // namespace

std::string roff_escaped(std::string_view utf8) {
  std::string text;
  for (size_t at = 0; at < utf8.size();) {
    const char c = utf8[at];
    if (static_cast<unsigned char>(c) >= 0x80) {
      char glyph[16];
      std::snprintf(glyph, sizeof glyph, "\\[u%04X]", code_point_at(utf8, at));
      text += glyph;
      continue;
    }
    ++at;
    const bool line_start = text.empty() || text.back() == '\n';
    if (line_start && (c == '.' || c == '\'')) text += "\\&";
    if (c == '\\') {
      text += "\\e";
    } else if (c == '-' && (text.empty() || text.back() == ' ' || text.back() == '-' ||
                            text.back() == '(' || text.back() == '\n')) {
      text += "\\-";
    } else {
      text += c;
    }
  }
  return text;
}

std::string man_page(const std::vector<CommandOutline>& commands, std::string_view version) {
  std::string page = ".TH SCENARIO\\-BUILDER 1 \"\" \"scenario\\-builder " + roff_escaped(version) +
                     "\" \"User Commands\"\n";
  // Lines set ragged, no word broken: option names and warning names stay whole.
  page += ".ad l\n.nh\n";
  page += ".SH NAME\nscenario\\-builder \\- compile scenarios for a train\\-driving simulator\n";
  page += ".SH SYNOPSIS\n";
  for (const CommandOutline& command : commands) page += usage_of(command) + "\n.br\n";
  page += ".SH DESCRIPTION\n" + std::string(kDescription);
  page += ".SH OPTIONS\nThe options of the program itself, for the bare run:\n" +
          options_of(commands.front());
  page += ".SH COMMANDS\n";
  for (size_t i = 1; i < commands.size(); ++i) {
    page += ".SS " + usage_of(commands[i]) + "\n" + roff_escaped(commands[i].description) + "\n" +
            options_of(commands[i]);
  }
  page += ".SH EXIT STATUS\nThe same for every command:\n";
  page += status_line(kExitClean, "built clean; warnings allowed");
  page += status_line(kExitCompileError,
                      "a compile error was recorded and the files were written as the build "
                      "writes them (with \\fB\\-\\-werror\\fR, also a warning)");
  page += status_line(kExitUsage, "a usage error or an input that cannot be read; nothing written");
  page += status_line(kExitNotWritten,
                      "the build stopped with no binary file written, or an output could not be "
                      "written");
  page += ".SH FILES\n" + std::string(kFiles);
  page +=
      ".SH ENVIRONMENT\n.TP\n.B NO_COLOR\n"
      "set, diagnostics on a terminal are not coloured unless \\fB\\-\\-color=always\\fR "
      "asks for it\n";
  page += ".SH EXAMPLES\n" + std::string(kExamples);
  page +=
      ".SH SEE ALSO\n"
      "The README of the package, /usr/share/doc/scenario\\-builder/README.md, "
      "describes the texts' format and each diagnostic.\n";
  return page;
}

}  // namespace sb
