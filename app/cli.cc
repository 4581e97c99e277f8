#include "app/cli.h"

#include <CLI/CLI.hpp>
#include <string_view>
#include <vector>

#include "app/bare_run.h"
#include "app/compile_command.h"
#include "app/decompile_command.h"
#include "app/new_command.h"
#include "app/watch_command.h"
#include "checks/diagnostic.h"
#include "app/dump_command.h"
#include "platform/interrupt.h"
#include "platform/program_dir.h"
#ifdef SB_HAVE_PLOT
#include "app/plot_command.h"
#include "util/exit_status.h"
#endif

namespace sb {
namespace {

constexpr char kVersion[] = "scenario-builder 0.1.0";

// A directory or file named by an empty text would be taken for the root or
// the current directory, or for no name at all: the command line refuses it.
const CLI::Validator kNotEmpty(
    [](std::string& value) {
      return value.empty() ? std::string("an empty name names no file") : std::string();
    },
    "", "not empty");

void add_compile_options(CLI::App& command, CompileOptions& options, bool with_outputs) {
  command.add_option("LINE", options.line_text, "the line text (NAME_linea.txt)")->required();
  command.add_option("TRAIN", options.train_text, "the train text (NAME_N-.txt)")->required();
  command.add_option("--scenario", options.scenario_name,
                     "scenario name NAME (default: from the line text's name)");
  command.add_option("--train-number", options.train_number,
                     "train number N (default: from the train text's name)");
  command.add_flag("--werror", options.warnings_are_errors,
                   "a warning makes the exit status 1, as an error does");
  command.add_flag("--summary", options.summary,
                   "print what the scenario holds: route, counts of entries, timetable");
  if (with_outputs) {
    command
        .add_option("-o,--output", options.output_directory,
                    "directory of the three binary files (default: the current one)")
        ->check(kNotEmpty);
  }
}

// Takes -Wno-NAME out of the arguments (CLI11 does not parse a name glued to
// a one-letter option); false, with *error, for a name no warning has.
bool take_silenced_warnings(std::vector<const char*>& args, std::vector<std::string>* names,
                            std::string* error) {
  std::vector<const char*> kept;
  for (const char* arg : args) {
    const std::string_view text(arg);
    if (!text.starts_with("-Wno-")) {
      kept.push_back(arg);
      continue;
    }
    const std::string_view name = text.substr(5);
    if (!warning_by_name(name)) {
      *error = "unknown warning " + std::string(text) + "; the warnings are:";
      for (const WarningKind& kind : warning_kinds()) *error += " " + std::string(kind.name);
      return false;
    }
    names->emplace_back(name);
  }
  args = std::move(kept);
  return true;
}

}  // namespace

int run_cli(int argc, const char* const* argv_in, FileSystem& file_system, Window& window,
            std::ostream& out, std::ostream& err) {
  std::vector<const char*> args(argv_in, argv_in + argc);
  std::vector<std::string> silenced;
  std::string silenced_error;
  if (!take_silenced_warnings(args, &silenced, &silenced_error)) {
    err << "scenario-builder: " << silenced_error << '\n';
    return kExitUsage;
  }
  argc = static_cast<int>(args.size());
  const char* const* argv = args.data();
  CLI::App app{
      "Compiles the built-in Valmira-Lunerio scenario, or scenarios of your own, into "
      "the files the driving simulator loads.",
      "scenario-builder"};
  app.set_version_flag("--version", kVersion);
  BareRunOptions bare;
  app.add_option("--dir", bare.directory,
                 "write and read every file of the bare run in DIR instead of the executable's "
                 "directory (created, with the directories above it, when missing)")
      ->check(kNotEmpty);
  app.add_flag("--keep-sources", bare.keep_sources,
               "leave the two source texts in place after reading them");
  int linger_seconds = 0;
  // Hidden (no group): keeps the window on screen after the run, for a screenshot.
  app.add_option("--linger", linger_seconds, "keep the window SECONDS after the run")->group("");

  NewOptions new_options;
  CLI::App* new_app = app.add_subcommand(
      "new", "write a short starting scenario, NAME_linea.txt and NAME_N-.txt, to edit");
  new_app->add_option("NAME", new_options.scenario_name, "scenario name")->required();
  new_app->add_option("N", new_options.train_number, "train number")->required();
  new_app
      ->add_option("-o,--output", new_options.directory,
                   "directory of the two texts (default: the current one; created, with the "
                   "directories above it, when missing)")
      ->check(kNotEmpty);
  new_app->add_flag("--force", new_options.force, "replace texts of the same names");

  CompileOptions compile;
  CLI::App* compile_app =
      app.add_subcommand("compile",
                         "compile a line text and a train text into NAME_linea.dat, NAME_N.sim and "
                         "NAME_N.dat");
  add_compile_options(*compile_app, compile, true);
  CompileOptions check;
  check.write_files = false;
  CLI::App* check_app =
      app.add_subcommand("check", "compile the two texts and report errors; write nothing");
  add_compile_options(*check_app, check, false);
  WatchOptions watch;
  watch.compile.output_directory.clear();
  CLI::App* watch_app = app.add_subcommand(
      "watch",
      "compile the two texts now and again on every change; a compile with errors keeps the "
      "last good files");
  watch_app->add_option("LINE", watch.compile.line_text, "the line text (NAME_linea.txt)")
      ->required();
  watch_app->add_option("TRAIN", watch.compile.train_text, "the train text (NAME_N-.txt)")
      ->required();
  watch_app->add_option("--scenario", watch.compile.scenario_name,
                        "scenario name NAME (default: from the line text's name)");
  watch_app->add_option("--train-number", watch.compile.train_number,
                        "train number N (default: from the train text's name)");
  watch_app
      ->add_option("-o,--output", watch.compile.output_directory,
                   "directory of the three binary files (default: the line text's)")
      ->check(kNotEmpty);

  DumpOptions dump;
  std::string dump_kind;
  std::string dump_rows;
  CLI::App* dump_app = app.add_subcommand(
      "dump", "print a compiled .sim, .dat or _linea.dat file as readable text or JSON");
  dump_app->add_option("FILE", dump.path, "the file to decode")->required();
  dump_app->add_option("--kind", dump_kind, "records, cells or trace (default: from the name)")
      ->check(CLI::IsMember({"records", "cells", "trace"}));
  CLI::Option* json_flag = dump_app->add_flag("--json", dump.json, "print JSON instead of text");
  dump_app->add_flag("--raw", dump.raw, "print texts as the file holds them, in Windows-1252")
      ->excludes(json_flag);
  double at_metres = 0;
  double at_km = 0;
  CLI::Option* rows_option = dump_app->add_option(
      "--rows", dump_rows,
      "records, cells or trace rows to show: A:B, A alone, A: to the end, :B from the first");
  CLI::Option* at_option = dump_app->add_option(
      "--at", at_metres, "show the cell or trace row of this route position in metres");
  CLI::Option* km_option = dump_app->add_option(
      "--km", at_km, "show the cell or trace row of this route kilometre (metres / 1000)");
  rows_option->excludes(at_option)->excludes(km_option);
  at_option->excludes(km_option);

  DecompileOptions decompile;
  CLI::App* decompile_app = app.add_subcommand(
      "decompile",
      "recover NAME_linea.txt and NAME_N-.txt from a compiled scenario: texts that "
      "compile to the same files, byte for byte");
  decompile_app
      ->add_option("DIR", decompile.directory,
                   "directory of NAME_linea.dat, NAME_N.sim and NAME_N.dat")
      ->required();
  decompile_app->add_option("--scenario", decompile.scenario_name,
                            "scenario name NAME (default: the one scenario in DIR)");
  decompile_app->add_option("--train-number", decompile.train_number,
                            "train number N (default: the one scenario in DIR)");
  decompile_app
      ->add_option("-o,--output", decompile.output_directory,
                   "directory of the two texts (default: DIR; created when missing)")
      ->check(kNotEmpty);
  decompile_app->add_flag("--force", decompile.force, "replace texts that exist");
  decompile_app->add_flag("--stdout", decompile.to_stdout, "print the two texts; write nothing");

#ifdef SB_HAVE_PLOT
  PlotOptions plot;
  double from_km = 0;
  double to_km = 0;
  CLI::App* plot_app = app.add_subcommand(
      "plot", "draw a compiled scenario: the plan of the line and its profile, as PNG, SVG or PDF");
  plot_app
      ->add_option("DIR", plot.directory, "directory of NAME_linea.dat, NAME_N.sim and NAME_N.dat")
      ->required();
  plot_app->add_option("-o,--output", plot.output, "the drawing: FILE.png, FILE.svg or FILE.pdf")
      ->required()
      ->check(kNotEmpty);
  plot_app->add_option("--scenario", plot.scenario_name,
                       "scenario name NAME (default: the one scenario in DIR)");
  plot_app->add_option("--train-number", plot.train_number,
                       "train number N (default: the one scenario in DIR)");
  plot_app->add_option("--width", plot.width, "width in pixels (default: 1600)");
  CLI::Option* from_option =
      plot_app->add_option("--from", from_km, "draw from this route kilometre (metres / 1000)");
  CLI::Option* to_option = plot_app->add_option("--to", to_km, "draw up to this route kilometre");
#endif

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
  if (*new_app) return new_command(new_options, file_system, out, err);
  compile.silenced = silenced;
  check.silenced = silenced;
  if (*compile_app) return compile_command(compile, file_system, err, &out);
  if (*check_app) return compile_command(check, file_system, err, &out);
  if (*watch_app) {
    watch.compile.silenced = silenced;
    catch_interrupts();
    watch.stop = interrupted;
    return watch_command(watch, file_system, out);
  }
  if (*decompile_app) return decompile_command(decompile, file_system, out, err);
#ifdef SB_HAVE_PLOT
  if (*plot_app) {
    if (from_option->count() != 0) plot.from_km = from_km;
    if (to_option->count() != 0) plot.to_km = to_km;
    return run_plot(plot, file_system, err);
  }
#endif
  if (*dump_app) {
    if (!dump_kind.empty()) dump.kind = dump_kind_from_flag(dump_kind);
    if (!dump_rows.empty()) {
      std::string error;
      dump.rows = parse_row_range(dump_rows, &error);
      if (!dump.rows) {
        err << "scenario-builder dump: --rows " << dump_rows << ": " << error << '\n';
        return kExitUsage;
      }
    }
    if (at_option->count() != 0)
      dump.at = PositionRequest{at_metres, "--at " + at_option->as<std::string>()};
    if (km_option->count() != 0)
      dump.at = PositionRequest{at_km * 1000, "--km " + km_option->as<std::string>()};
    return run_dump(dump, file_system, out, err);
  }
  if (bare.directory.empty()) bare.directory = program_directory(argv[0]);
  window.linger(linger_seconds);
  return bare_run(bare, file_system, window, err);
}

}  // namespace sb
