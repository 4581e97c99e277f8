#include "app/cli.h"

#include <CLI/CLI.hpp>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "app/bare_run.h"
#include "app/command_line_outline.h"
#include "app/compile_command.h"
#include "app/decompile_command.h"
#include "app/exit_status.h"
#include "app/explain_command.h"
#include "app/man_page.h"
#include "app/new_command.h"
#include "app/program_message.h"
#include "app/shell_completion.h"
#include "app/version.h"
#include "app/watch_command.h"
#include "platform/terminal.h"
#include "checks/diagnostic.h"
#include "checks/spelling.h"
#include "checks/warning_options.h"
#include "format/kilometre_posts.h"
#include "app/dump_command.h"
#include "platform/interrupt.h"
#include "platform/program_dir.h"
#include "platform/standard_streams.h"
#include "lsp/serve.h"
#include <iostream>
#ifdef SB_HAVE_PLOT
#include "app/plot_command.h"
#endif

namespace sb {
namespace {

// A directory or file named by an empty text would be taken for the root or
// the current directory, or for no name at all: the command line refuses it.
const CLI::Validator kNotEmpty(
    [](std::string& value) {
      return value.empty() ? std::string("an empty name names no file") : std::string();
    },
    "", "not empty");

// An empty value of an option that takes a number or a range would be read
// as 0 or as no option at all: the command line refuses it.
const CLI::Validator kValueNotEmpty(
    [](std::string& value) {
      return value.empty() ? std::string("an empty value") : std::string();
    },
    "", "not empty");

// What a shell offers for an option's value: one of `words`, a file
// matching `pattern`, a directory.
ValueHint choice_of(std::vector<std::string> words) {
  return {ValueHint::Kind::kChoice, std::move(words), ""};
}
ValueHint file_like(std::string pattern) {
  return {ValueHint::Kind::kFile, {}, std::move(pattern)};
}
const ValueHint kDirectoryHint{ValueHint::Kind::kDirectory, {}, ""};

// `option`, its value described to the shells' completion by `hint`.
CLI::Option* hinted(CLI::Option* option, ValueHint hint, ValueHints& hints) {
  hints[option] = std::move(hint);
  return option;
}

const std::vector<std::string> kFormats = {"text", "json", "sarif"};
const std::vector<std::string> kColorChoices = {"auto", "always", "never"};
const std::vector<std::string> kDumpKinds = {"records", "cells", "trace"};
const std::vector<std::string> kShells = {"bash", "zsh", "fish"};

// -Wno-NAME, which the parser does not see (take_warning_options reads it).
OptionOutline silenced_warning_option() {
  OptionOutline option;
  option.names = {"-Wno-"};
  option.value = "NAME";
  option.description = "leave the warning NAME out of the diagnostics";
  option.hint.kind = ValueHint::Kind::kGlued;
  for (const WarningKind& kind : warning_kinds()) option.hint.words.emplace_back(kind.name);
  return option;
}

// The -W options, which the parser does not see either: for the help, the
// manual page and the completions.
std::vector<OptionOutline> warning_options_outline() {
  const OptionOutline silenced = silenced_warning_option();
  OptionOutline demoted = silenced;
  demoted.names = {"-Wno-error="};
  demoted.description = "make the warning NAME a warning, though it is an error by default";
  const auto flag = [](std::string name, std::string description) {
    OptionOutline option;
    option.names = {std::move(name)};
    option.description = std::move(description);
    return option;
  };
  return {flag("-Wall", "also the warnings that a correct text may trigger"),
          flag("-Werror", "make every warning an error (as --werror)"),
          flag("-Wno-error", "make every warning a warning, those that are errors by default too"),
          demoted, silenced};
}

void add_compile_options(CLI::App& command, CompileOptions& options, std::string& color_choice,
                         bool with_outputs, ValueHints& hints) {
  std::string footer = "Warnings:\n";
  for (const OptionOutline& option : warning_options_outline()) {
    std::string name = option.names.front() + option.value;
    name.resize(std::max<size_t>(name.size() + 2, 18), ' ');
    footer += "  " + name + option.description + "\n";
  }
  std::string names;
  for (const std::string& name : silenced_warning_option().hint.words) {
    names += (names.empty() ? "" : ", ") + name;
  }
  command.footer(footer + "NAME is one of: " + names + " (or its code: -Wno-W21)");
  hinted(command.add_option("LINE", options.line_text, "the line text (NAME_linea.txt)")
             ->required()
             ->check(kNotEmpty),
         file_like("*_linea.txt"), hints);
  hinted(command.add_option("TRAIN", options.train_text, "the train text (NAME_N-.txt)")
             ->required()
             ->check(kNotEmpty),
         file_like("*-.txt"), hints);
  command
      .add_option("--scenario", options.scenario_name,
                  "scenario name NAME (default: from the line text's name)")
      ->type_name("NAME");
  command
      .add_option("--train-number", options.train_number,
                  "train number N (default: from the train text's name)")
      ->type_name("N");
  command.add_flag("--werror", options.warnings.errors,
                   "a warning makes the exit status 1, as an error does");
  command.add_flag("--summary", options.summary,
                   "print what the scenario holds: route, counts of entries, timetable");
  hinted(command
             .add_option("--format", options.format,
                         "diagnostics as text (on stderr), or as one JSON or SARIF 2.1.0 document "
                         "on stdout")
             ->transform(CLI::CheckedTransformer(
                             std::map<std::string, CompileOptions::Format>{
                                 {"text", CompileOptions::Format::kText},
                                 {"json", CompileOptions::Format::kJson},
                                 {"sarif", CompileOptions::Format::kSarif}},
                             CLI::ignore_case)
                             .description("{text,json,sarif}"))
             ->type_name("FORMAT"),
         choice_of(kFormats), hints);
  hinted(command
             .add_option("--color", color_choice,
                         "colour text diagnostics and show the source line under each: auto (a "
                         "terminal and no NO_COLOR), always or never")
             ->check(CLI::IsMember(kColorChoices))
             ->type_name("WHEN"),
         choice_of(kColorChoices), hints);
  if (with_outputs) {
    command.add_flag("--write-on-error", options.write_on_error,
                     "write the files of a build with an error as it made them (by default it "
                     "writes nothing and the last good files stay)");
    hinted(command
               .add_option("-o,--output", options.output_directory,
                           "directory of the three binary files (default: the current one)")
               ->check(kNotEmpty)
               ->type_name("DIR"),
           kDirectoryHint, hints);
  }
}

// Takes the -W options out of the arguments (CLI11 does not parse a name
// glued to a one-letter option); false, with *error, for one that does not
// exist.
bool take_warning_options(std::vector<const char*>& args, WarningOptions* options,
                          std::string* error) {
  std::vector<const char*> kept;
  for (const char* arg : args) {
    const std::string_view text(arg);
    if (!text.starts_with("-W")) {
      kept.push_back(arg);
      continue;
    }
    if (!take_warning_option(text, options, error)) return false;
  }
  args = std::move(kept);
  return true;
}

// "`chek` is not a command; did you mean `scenario-builder check A B`?", the
// command line as typed with the nearest command in place of the word.
std::string unknown_command_message(CLI::App& app, const std::string& typed,
                                    const std::vector<std::string>& rest) {
  std::string nearest;
  int nearest_distance = 0;
  std::string names;
  for (const CLI::App* command : app.get_subcommands({})) {
    const std::string& name = command->get_name();
    names += (names.empty() ? "" : ", ") + name;
    const int distance = edit_distance(typed, name);
    const int allowed = name.size() >= 6 ? 2 : 1;
    if (distance <= allowed && (nearest.empty() || distance < nearest_distance)) {
      nearest = name;
      nearest_distance = distance;
    }
  }
  std::string message = "`" + typed + "` is not a command; ";
  if (nearest.empty()) return message + "the commands are " + names;
  std::string line = "scenario-builder " + nearest;
  for (const std::string& word : rest) line += " " + word;
  return message + "did you mean `" + line + "`?";
}

// The message for a first argument that names no command (the bare run
// takes no word of its own); empty when it names one or is an option.
std::string unknown_command(CLI::App& app, int argc, const char* const* argv) {
  if (argc < 2 || argv[1][0] == '-' || argv[1][0] == '\0') return {};
  const std::string typed = argv[1];
  for (const CLI::App* command : app.get_subcommands({})) {
    if (command->get_name() == typed) return {};
  }
  return unknown_command_message(app, typed, std::vector<std::string>(argv + 2, argv + argc));
}

// --color: always, never, or auto (a terminal and no NO_COLOR).
bool wants_color(const std::string& choice) {
  if (choice == "always") return true;
  if (choice == "never") return false;
  return stderr_is_terminal() && !no_color_requested();
}

int run_command(int argc, const char* const* argv_in, FileSystem& file_system, Window& window,
                std::ostream& out, std::ostream& err, const WatchServer& serve_here) {
  const int given_argc = argc;
  std::vector<const char*> args(argv_in, argv_in + argc);
  WarningOptions warning_options;
  std::string warning_error;
  if (!take_warning_options(args, &warning_options, &warning_error)) {
    begin_message(err) << warning_error << '\n';
    return kExitUsage;
  }
  argc = static_cast<int>(args.size());
  const char* const* argv = args.data();
  CLI::App app{
      "Compiles the built-in Valmira-Lunerio scenario, or scenarios of your own, into "
      "the files the driving simulator loads.",
      "scenario-builder"};
  app.set_version_flag("--version", std::string("scenario-builder ") + kProgramVersion);
  ValueHints hints;
  BareRunOptions bare;
  hinted(app.add_option("--dir", bare.directory,
                        "write and read every file of the bare run in DIR instead of the "
                        "executable's directory (created, with the directories above it, when "
                        "missing)")
             ->check(kNotEmpty)
             ->type_name("DIR"),
         kDirectoryHint, hints);
  app.add_flag("--keep-sources", bare.keep_sources,
               "leave the two source texts in place after reading them");
  int linger_seconds = 0;
  // Hidden (no group): keeps the window on screen after the run, for a screenshot.
  app.add_option("--linger", linger_seconds, "keep the window SECONDS after the run")->group("");
  // Hidden: the manual page, generated from these definitions when the program is built.
  bool print_man_page = false;
  app.add_flag("--man-page", print_man_page, "print the manual page in roff")->group("");

  NewOptions new_options;
  CLI::App* new_app = app.add_subcommand(
      "new", "write a short starting scenario, NAME_linea.txt and NAME_N-.txt, to edit");
  new_app->add_option("NAME", new_options.scenario_name, "scenario name")->required();
  new_app->add_option("N", new_options.train_number, "train number")->required();
  hinted(new_app
             ->add_option("-o,--output", new_options.directory,
                          "directory of the two texts (default: the current one; created, with "
                          "the directories above it, when missing)")
             ->check(kNotEmpty)
             ->type_name("DIR"),
         kDirectoryHint, hints);
  new_app->add_flag("--force", new_options.force, "replace texts of the same names");

  CompileOptions compile;
  std::string compile_color = "auto";
  std::string check_color = "auto";
  CLI::App* compile_app =
      app.add_subcommand("compile",
                         "compile a line text and a train text into NAME_linea.dat, NAME_N.sim and "
                         "NAME_N.dat");
  add_compile_options(*compile_app, compile, compile_color, true, hints);
  CompileOptions check;
  check.write_files = false;
  CLI::App* check_app =
      app.add_subcommand("check", "compile the two texts and report errors; write nothing");
  add_compile_options(*check_app, check, check_color, false, hints);
  int64_t cells_at = 0;
  CLI::Option* cells_option = check_app->add_option(
      "--cells", cells_at,
      "also list the cells around this route position in metres, each with the entry (text "
      "and line) that holds it");
  cells_option->type_name("METRES");
  std::string cells_chainage;
  CLI::Option* chainage_option = check_app->add_option(
      "--chainage", cells_chainage,
      "say where the kilometre posts read this chainage (15+300) and list the cells there");
  chainage_option->type_name("KM+M")->excludes(cells_option);
  WatchOptions watch;
  watch.compile.output_directory.clear();
  CLI::App* watch_app = app.add_subcommand(
      "watch",
      "compile the two texts now and again on every change; a compile with errors keeps the "
      "last good files");
  hinted(watch_app->add_option("LINE", watch.compile.line_text, "the line text (NAME_linea.txt)")
             ->required()
             ->check(kNotEmpty),
         file_like("*_linea.txt"), hints);
  hinted(watch_app->add_option("TRAIN", watch.compile.train_text, "the train text (NAME_N-.txt)")
             ->required()
             ->check(kNotEmpty),
         file_like("*-.txt"), hints);
  watch_app
      ->add_option("--scenario", watch.compile.scenario_name,
                   "scenario name NAME (default: from the line text's name)")
      ->type_name("NAME");
  watch_app
      ->add_option("--train-number", watch.compile.train_number,
                   "train number N (default: from the train text's name)")
      ->type_name("N");
  hinted(watch_app
             ->add_option("-o,--output", watch.compile.output_directory,
                          "directory of the three binary files (default: the line text's)")
             ->check(kNotEmpty)
             ->type_name("DIR"),
         kDirectoryHint, hints);
  CLI::Option* serve_flag = watch_app->add_flag(
      "--serve", watch.serve,
      "also serve a live preview of the line in the browser, on 127.0.0.1 only");
  watch_app->add_option("--port", watch.port, "the preview's port (default: a free one)")
      ->check(CLI::Range(0, 65535))
      ->type_name("N")
      ->needs(serve_flag);
  watch_app->add_flag("--open", watch.open_browser, "open the preview in the browser")
      ->needs(serve_flag);

  DumpOptions dump;
  std::string dump_kind;
  std::string dump_rows;
  CLI::App* dump_app = app.add_subcommand(
      "dump", "print a compiled .sim, .dat or _linea.dat file as readable text or JSON");
  hinted(
      dump_app->add_option("FILE", dump.path, "the file to decode")->required()->check(kNotEmpty),
      file_like(""), hints);
  hinted(
      dump_app->add_option("--kind", dump_kind, "records, cells or trace (default: from the name)")
          ->check(CLI::IsMember(kDumpKinds))
          ->type_name("KIND"),
      choice_of(kDumpKinds), hints);
  CLI::Option* json_flag = dump_app->add_flag("--json", dump.json, "print JSON instead of text");
  dump_app->add_flag("--raw", dump.raw, "print texts as the file holds them, in Windows-1252")
      ->excludes(json_flag);
  double at_metres = 0;
  double at_km = 0;
  CLI::Option* rows_option = dump_app->add_option(
      "--rows", dump_rows,
      "records, cells or trace rows to show: A:B, A alone, A: to the end, :B from the first");
  rows_option->type_name("ROWS")->check(kValueNotEmpty);
  CLI::Option* at_option = dump_app->add_option(
      "--at", at_metres, "show the cell or trace row of this route position in metres");
  at_option->type_name("METRES")->check(kValueNotEmpty);
  CLI::Option* km_option = dump_app->add_option(
      "--km", at_km, "show the cell or trace row of this route kilometre (metres / 1000)");
  km_option->type_name("KM")->check(kValueNotEmpty);
  rows_option->excludes(at_option)->excludes(km_option);
  at_option->excludes(km_option);

  DecompileOptions decompile;
  CLI::App* decompile_app = app.add_subcommand(
      "decompile",
      "recover NAME_linea.txt and NAME_N-.txt from a compiled scenario: texts that "
      "compile to the same files, byte for byte");
  hinted(decompile_app
             ->add_option("DIR", decompile.directory,
                          "directory of NAME_linea.dat, NAME_N.sim and NAME_N.dat")
             ->required()
             ->check(kNotEmpty),
         kDirectoryHint, hints);
  decompile_app
      ->add_option("--scenario", decompile.scenario_name,
                   "scenario name NAME (default: the one scenario in DIR)")
      ->type_name("NAME");
  decompile_app
      ->add_option("--train-number", decompile.train_number,
                   "train number N (default: the one scenario in DIR)")
      ->type_name("N");
  hinted(decompile_app
             ->add_option("-o,--output", decompile.output_directory,
                          "directory of the two texts (default: DIR; created when missing)")
             ->check(kNotEmpty)
             ->type_name("DIR"),
         kDirectoryHint, hints);
  decompile_app->add_flag("--force", decompile.force, "replace texts that exist");
  decompile_app->add_flag("--stdout", decompile.to_stdout, "print the two texts; write nothing");
  decompile_app->add_flag(
      "--approximate", decompile.approximate,
      "where no texts give the files back exactly, write the nearest, with a "
      "comment at each entry that does not give its cells back (exit status 1)");

#ifdef SB_HAVE_PLOT
  PlotOptions plot;
  int width = kDefaultPlotWidth;
  double from_km = 0;
  double to_km = 0;
  CLI::App* plot_app = app.add_subcommand(
      "plot", "draw a compiled scenario: the plan of the line and its profile, as PNG, SVG or PDF");
  hinted(plot_app
             ->add_option("DIR", plot.directory,
                          "directory of NAME_linea.dat, NAME_N.sim and NAME_N.dat")
             ->required()
             ->check(kNotEmpty),
         kDirectoryHint, hints);
  hinted(plot_app
             ->add_option("-o,--output", plot.output,
                          "the drawing: FILE.png, FILE.svg or FILE.pdf; FILE.html: the "
                          "interactive page, in one file")
             ->required()
             ->check(kNotEmpty)
             ->type_name("FILE"),
         file_like(""), hints);
  plot_app
      ->add_option("--scenario", plot.scenario_name,
                   "scenario name NAME (default: the one scenario in DIR)")
      ->type_name("NAME");
  plot_app
      ->add_option("--train-number", plot.train_number,
                   "train number N (default: the one scenario in DIR)")
      ->type_name("N");
  CLI::Option* width_option =
      plot_app
          ->add_option("--width", width,
                       "width in pixels (default: 1600); not for FILE.html, which fits the "
                       "browser's window")
          ->type_name("PX");
  CLI::Option* from_option =
      plot_app->add_option("--from", from_km, "draw from this route kilometre (metres / 1000)")
          ->type_name("KM");
  CLI::Option* to_option =
      plot_app->add_option("--to", to_km, "draw up to this route kilometre")->type_name("KM");
#endif

  CLI::App* lsp_app = app.add_subcommand(
      "lsp",
      "serve editors as a language server on standard input and output: the diagnostics of "
      "check as the texts are typed, hover, completion and more");

  std::string explain_code;
  CLI::App* explain_app = app.add_subcommand(
      "explain",
      "say what an error or warning code means, why it matters and how a text gets it right");
  explain_app
      ->add_option("CODE", explain_code, "the code, E22 or W31, or a warning's name (encoding)")
      ->required();

  std::string shell_name;
  CLI::App* completion_app =
      app.add_subcommand("completion", "print the completion script of a shell: bash, zsh or fish");
  hinted(completion_app->add_option("SHELL", shell_name, "the shell: bash, zsh or fish")
             ->required()
             ->check(CLI::IsMember(kShells)),
         choice_of(kShells), hints);

  std::string help_topic;
  CLI::App* help_app = app.add_subcommand("help", "print the help of COMMAND, or of the program");
  help_app->add_option("COMMAND", help_topic, "the command whose options to print");

  // `help COMMAND` is answered here: the parser would take COMMAND for the
  // command itself.
  if (argc >= 2 && std::string_view(argv[1]) == "help") {
    if (argc > 3) {
      begin_message(err) << "help takes one COMMAND\n";
      return kExitUsage;
    }
    help_topic = argc == 3 ? argv[2] : "";
    if (help_topic == "--help" || help_topic == "-h") {
      out << help_app->help("scenario-builder");
      return kExitClean;
    }
    if (help_topic.empty()) {
      out << app.help();
      return kExitClean;
    }
    for (const CLI::App* command : app.get_subcommands({})) {
      if (command->get_name() == help_topic) {
        out << command->help("scenario-builder");
        return kExitClean;
      }
    }
    begin_message(err) << "help: " << unknown_command_message(app, help_topic, {}) << '\n';
    return kExitUsage;
  }
  if (const std::string unknown = unknown_command(app, argc, argv); !unknown.empty()) {
    begin_message(err) << unknown << '\n';
    return kExitUsage;
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& e) {
    if (*dump_app && e.get_exit_code() != 0) {
      // Like its other errors, a usage error of dump says whose it is.
      err << "scenario-builder dump: " << e.what() << "\nRun with --help for more information.\n";
      return kExitUsage;
    }
    const int status = app.exit(e, out, err);
    return status == 0 ? kExitClean : kExitUsage;
  }
  if (print_man_page || *completion_app) {
    const ExtraOptions extras{{compile_app, warning_options_outline()},
                              {check_app, warning_options_outline()},
                              {watch_app, warning_options_outline()}};
    const std::vector<CommandOutline> commands = describe_command_line(app, hints, extras);
    if (print_man_page) {
      out << man_page(commands, kProgramVersion);
    } else {
      const Shell shell = shell_name == "bash"  ? Shell::kBash
                          : shell_name == "zsh" ? Shell::kZsh
                                                : Shell::kFish;
      out << completion_script(shell, commands);
    }
    return kExitClean;
  }
  if (*help_app) {
    out << app.help();
    return kExitClean;
  }
  if (*new_app) return new_command(new_options, file_system, out, err);
  if (*explain_app) return explain_command(explain_code, out, err);
  if (*lsp_app) {
    use_binary_standard_streams();
    return serve_language_server(std::cin, out, err);
  }
  for (CompileOptions* options : {&compile, &check}) {
    const bool werror = options->warnings.errors;
    options->warnings = warning_options;
    options->warnings.errors = options->warnings.errors || werror;
  }
  if (cells_option->count() != 0) check.cells_at = cells_at;
  if (chainage_option->count() != 0) {
    check.cells_at_chainage = parse_chainage(cells_chainage);
    if (!check.cells_at_chainage) {
      err << "scenario-builder check: --chainage " << cells_chainage
          << ": a chainage is written KM+M, such as 15+300 or km 354+000\n";
      return kExitUsage;
    }
  }
  compile.color = wants_color(compile_color);
  check.color = wants_color(check_color);
  if (*compile_app) return compile_command(compile, file_system, err, &out);
  if (*check_app) return compile_command(check, file_system, err, &out);
  if (*watch_app) {
    watch.compile.warnings = warning_options;
    catch_interrupts();
    watch.stop = interrupted;
    // As given: the -W options, taken out above, included.
    watch.command_line.assign(argv_in + 1, argv_in + given_argc);
    watch.serve_here = serve_here;
    return watch_command(watch, file_system, out);
  }
  if (*decompile_app) return decompile_command(decompile, file_system, out, err);
#ifdef SB_HAVE_PLOT
  if (*plot_app) {
    if (width_option->count() != 0) plot.width = width;
    if (from_option->count() != 0) plot.from_km = from_km;
    if (to_option->count() != 0) plot.to_km = to_km;
    return plot_command(plot, file_system, err);
  }
#endif
  if (*dump_app) {
    if (!dump_kind.empty()) dump.kind = dump_kind_from_flag(dump_kind);
    if (!dump_rows.empty()) {
      std::string error;
      RowRequest rows;
      if (!parse_row_range(dump_rows, &rows, &error)) {
        err << "scenario-builder dump: --rows " << dump_rows << ": " << error << '\n';
        return kExitUsage;
      }
      dump.rows = rows;
    }
    if (at_option->count() != 0)
      dump.at = PositionRequest{at_metres, "--at " + at_option->as<std::string>()};
    if (km_option->count() != 0)
      dump.at = PositionRequest{at_km * 1000, "--km " + km_option->as<std::string>()};
    return dump_command(dump, file_system, out, err);
  }
  if (bare.directory.empty()) bare.directory = program_directory(argv[0]);
  window.linger(linger_seconds);
  return bare_run(bare, file_system, window, err);
}

}  // namespace

int run_cli(int argc, const char* const* argv_in, FileSystem& file_system, Window& window,
            std::ostream& out, std::ostream& err, const WatchServer& serve_here) {
  const int status = run_command(argc, argv_in, file_system, window, out, err, serve_here);
  // A command's output that did not reach its stream (a full disk, a closed
  // stdout) is a failure, whatever the command itself returned.
  out.flush();
  if (!out.fail()) return status;
  begin_message(err) << "cannot write the standard output: what was printed is incomplete\n";
  err.flush();
  return status == kExitUsage ? kExitUsage : kExitNotWritten;
}

}  // namespace sb
