#include "cli/commands.h"

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <sstream>

#include "cli/demo.h"
#include "cli/faults_command.h"
#include "cli/journal_command.h"
#include "cli/options.h"
#include "cli/options_command.h"
#include "cli/session_runner.h"
#include "common/text.h"
#include "device/options_store.h"
#include "host/method_catalogue.h"

namespace kassivo::cli {

namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  kassivo run [OPTIONS] FILE|-        play a session script (- reads stdin)\n"
    "  kassivo call [OPTIONS] METHOD ARG...  play one call; each ARG is one literal\n"
    "  kassivo demo [OPTIONS]              play a cashier's day on an in-memory store\n"
    "  kassivo methods                     list the driver's methods\n"
    "  kassivo options [--store=PATH|memory] [strict on|off | journal PATH|off |\n"
    "                  fault-actions on|off]  print the driver options, or save one\n"
    "  kassivo faults [--store=PATH|memory] [set FAULTS | clear | list]\n"
    "                                      the faults host processes begin with (from the\n"
    "                                      store or KASSIVO_FAULTS), save them, or list\n"
    "                                      every fault: FAULTS is NAME=VALUE,... e.g.\n"
    "                                      paper=out,card=declined:once\n"
    "  kassivo replay [--compare] FILE...  play a call journal again, each host process in\n"
    "                                      a fresh one (give a rotated journal's files oldest\n"
    "                                      first: FILE.1 FILE); --compare: report each call\n"
    "                                      that answers otherwise. Exit status: 0 all calls\n"
    "                                      answered as recorded, 1 some differ, 2 the journal\n"
    "                                      cannot be read (a bad line, or cut inside a call)\n"
    "  kassivo show FILE...                the documents of a call journal, as receipts\n"
    "  kassivo show --follow FILE          a live tape: each document drawn as the host\n"
    "                                      prints it, then waits for more until Ctrl-C.\n"
    "                                      A receipt's frame opens when its document\n"
    "                                      begins, its lines come as they are printed and\n"
    "                                      it closes when the next document begins (or at\n"
    "                                      Ctrl-C). Waits for a FILE not yet written, and\n"
    "                                      follows it when rotated (into the new FILE) or\n"
    "                                      cut short\n"
    "  kassivo --help | --version\n"
    "\n"
    "Options:\n"
    "  --tape=entries|box|none   show the receipt tape as entries, drawn, or not at all\n"
    "                            (default: box on a terminal, entries otherwise)\n"
    "  --store=PATH|memory       registration store file, or an in-memory store\n"
    "  --clock=YYYY-MM-DDTHH:MM:SS.mmm   fix the clock\n"
    "  --seed=N                  fix the random seed\n"
    "  --decimal=C               decimal separator (default: the locale's)\n"
    "  --thousands=C             thousands separator (default: the locale's)\n"
    "  --strict                  strict mode for this run: refuse what a real register would\n"
    "  --faults=FAULTS           the faults of this run, whatever the store says\n"
    "\n"
    "Script lines: METHOD LITERAL... where METHOD is a name or #N and a literal is\n"
    "\"text\" (escapes \\\\ \\\" \\r \\n \\t \\uXXXX), true, false, an integer, a real\n"
    "(with . or an exponent), empty, or @FILE (the file's text). Directives:\n"
    ":object N, :init, :done, :find NAME, :strict on|off, :fault FAULTS|clear,\n"
    ":clock YYYY-MM-DDTHH:MM:SS.mmm. Comments: lines starting with \"# \".\n";

std::optional<std::string> ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) return std::nullopt;
  return std::move(content).str();
}

// Resolves @PATH literals against `folder`.
FileLoader LoaderFor(std::filesystem::path folder) {
  return [folder = std::move(folder)](const std::string& path) -> std::optional<std::string> {
    const std::filesystem::path target(path);
    if (std::filesystem::is_directory(folder / target)) return std::nullopt;
    return ReadFile(target.is_absolute() ? target : folder / target);
  };
}

// One driver process as the host sets it up.
struct HostProcess {
  HostProcess(const HostOptions& options, TapeMode default_tape, bool terminal) {
    auto recorder = std::make_unique<MessageRecorder>();
    messages = recorder.get();
    state = std::make_unique<ProcessState>(
        MakeHostPlatform(ToPlatformOptions(options, std::move(recorder))));
    state->Options =
        ReadDriverOptions(state->platform().options_store.get(), state->platform().environment);
    ApplyRunOptions(options, *state);
    presenter = MakeTapePresenter(options.tape.value_or(default_tape), terminal);
  }

  MessageRecorder* messages = nullptr;
  std::unique_ptr<ProcessState> state;
  std::unique_ptr<TapePresenter> presenter;
};

int Fail(Console& console, const std::string& message) {
  console.out.flush();
  console.err << "kassivo: " << message << '\n';
  return kExitScriptError;
}

TapeMode DefaultTape(const Console& console) {
  return console.out_is_terminal ? TapeMode::kBox : TapeMode::kEntries;
}

int Run(const std::vector<std::string>& args, Console& console) {
  HostOptions options;
  std::optional<std::string> file;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (!file && ParseHostOption(args[i], options)) continue;
    if (!file && args[i] == "--" && i + 1 < args.size()) {
      file = args[++i];
    } else if (!file) {
      file = args[i];
    } else {
      throw UsageError("run takes one script, not also '" + args[i] + "'");
    }
  }
  if (!file) throw UsageError("run needs a script file (or - for stdin)");

  std::istream* in = &console.in;
  std::ifstream script;
  std::filesystem::path folder = ".";
  std::string name = "stdin";
  if (*file != "-") {
    script.open(*file, std::ios::binary);
    if (!script || std::filesystem::is_directory(*file)) {
      return Fail(console, "cannot read script '" + *file + "'");
    }
    in = &script;
    name = *file;
    folder = std::filesystem::path(*file).parent_path();
    if (folder.empty()) folder = ".";
  }
  HostProcess process(options, DefaultTape(console), console.out_is_terminal);
  SessionRunner runner(*process.state, *process.messages, process.presenter.get(), console.out);
  return RunScript(*in, name, LoaderFor(folder), runner, console.out, console.err);
}

int CallOne(const std::vector<std::string>& args, Console& console) {
  HostOptions options;
  std::size_t i = 1;
  while (i < args.size() && ParseHostOption(args[i], options)) ++i;
  if (i < args.size() && args[i] == "--") ++i;
  if (i >= args.size()) throw UsageError("call needs a method name or #N");
  const std::vector<std::string> literals(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                                          args.end());
  CallStatement call;
  try {
    call = ParseCallWords(args[i], literals, LoaderFor("."));
  } catch (const ScriptError& error) {
    return Fail(console, std::string("call: ") + error.what());
  }
  HostProcess process(options, DefaultTape(console), console.out_is_terminal);
  SessionRunner runner(*process.state, *process.messages, process.presenter.get(), console.out);
  runner.Execute(call);
  console.out.flush();
  return 0;
}

int Demo(const std::vector<std::string>& args, Console& console) {
  HostOptions options;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (!ParseHostOption(args[i], options)) {
      throw UsageError("demo takes options only, not '" + args[i] + "'");
    }
  }
  if (options.store_path) throw UsageError("demo always plays on an in-memory store");
  options.memory_store = true;
  HostProcess process(options, TapeMode::kBox, console.out_is_terminal);
  SessionRunner runner(*process.state, *process.messages, process.presenter.get(), console.out);
  std::istringstream script{std::string(DemoScript())};
  return RunScript(script, "demo", nullptr, runner, console.out, console.err);
}

// Pads to `width` UTF-16 units (a Cyrillic letter is one column).
std::string Column(std::u16string_view text, std::size_t width) {
  std::string out = ToUtf8(text);
  if (text.size() < width) out.append(width - text.size(), ' ');
  return out;
}

void ListMethods(std::ostream& out) {
  out << " No  " << Column(u"English name", 34) << Column(u"Russian name", 42) << "Parameters\n";
  for (std::int32_t number = 0; number < kMethodCount; ++number) {
    const CatalogueRow* row = MethodRow(number);
    out << std::setw(3) << number << "  " << Column(TermString(row->name, 0), 34)
        << Column(TermString(row->name, 1), 42) << row->parameters << '\n';
  }
}

}  // namespace

int RunKassivo(const std::vector<std::string>& args, Console console) {
  try {
    const std::string command = args.empty() ? "" : args[0];
    if (command == "--help" || command == "-h" || command == "help") {
      console.out << kUsage;
      return 0;
    }
    if (command == "--version") {
      console.out << "kassivo " << KASSIVO_VERSION << '\n';
      return 0;
    }
    if (command == "methods") {
      if (args.size() != 1) throw UsageError("methods takes no arguments");
      ListMethods(console.out);
      return 0;
    }
    if (command == "run") return Run(args, console);
    if (command == "call") return CallOne(args, console);
    if (command == "demo") return Demo(args, console);
    if (command == "options") return OptionsCommand(args, console);
    if (command == "faults") return FaultsCommand(args, console);
    if (command == "replay" || command == "show") return JournalCommand(args, console);
    if (command.empty()) throw UsageError("a command is needed");
    throw UsageError("unknown command '" + command + "'");
  } catch (const UsageError& error) {
    console.out.flush();
    console.err << "kassivo: " << error.what() << "\n\n" << kUsage;
    return kExitScriptError;
  } catch (const std::exception& error) {
    console.out.flush();
    console.err << "kassivo: " << error.what() << '\n';
    return 1;
  }
}

}  // namespace kassivo::cli
