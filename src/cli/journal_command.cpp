#include "cli/journal_command.h"

#include <filesystem>
#include <fstream>

#include "cli/journal_replay.h"
#include "cli/journal_show.h"
#include "cli/options.h"
#include "cli/session_runner.h"

namespace kassivo::cli {

int JournalCommand(const std::vector<std::string>& args, Console& console) {
  const bool replay = args[0] == "replay";
  bool compare = false;
  std::optional<std::string> file;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (replay && !file && args[i] == "--compare") {
      compare = true;
    } else if (!file) {
      file = args[i];
    } else {
      throw UsageError(args[0] + " takes one journal, not also '" + args[i] + "'");
    }
  }
  if (!file) throw UsageError(args[0] + " needs a journal file (or - for stdin)");
  std::istream* in = &console.in;
  std::ifstream journal;
  if (*file != "-") {
    journal.open(*file, std::ios::binary);
    if (!journal || std::filesystem::is_directory(*file)) {
      console.out.flush();
      console.err << "kassivo: cannot read journal '" << *file << "'\n";
      return kExitScriptError;
    }
    in = &journal;
  }
  const std::string name = *file == "-" ? "stdin" : *file;
  if (replay) return ReplayJournal(*in, name, compare, console.out, console.err);
  return ShowJournal(*in, name, console.out_is_terminal, console.out, console.err);
}

}  // namespace kassivo::cli
