#include "cli/journal_command.h"

#include <filesystem>
#include <fstream>
#include <list>

#include "cli/journal_replay.h"
#include "cli/journal_show.h"
#include "cli/options.h"
#include "cli/session_runner.h"

namespace kassivo::cli {

int JournalCommand(const std::vector<std::string>& args, Console& console) {
  const bool replay = args[0] == "replay";
  bool compare = false;
  std::vector<std::string> files;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (replay && files.empty() && args[i] == "--compare") {
      compare = true;
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.empty()) throw UsageError(args[0] + " needs a journal file (or - for stdin)");
  std::list<std::ifstream> opened;
  std::vector<JournalSource> sources;
  for (const std::string& file : files) {
    if (file == "-") {
      if (files.size() > 1) throw UsageError(args[0] + " reads stdin (-) as its only journal");
      sources.push_back({"stdin", &console.in});
      continue;
    }
    std::ifstream& journal = opened.emplace_back(file, std::ios::binary);
    if (!journal || std::filesystem::is_directory(file)) {
      console.out.flush();
      console.err << "kassivo: cannot read journal '" << file << "'\n";
      return kExitScriptError;
    }
    sources.push_back({file, &journal});
  }
  if (replay) return ReplayJournals(sources, compare, console.out, console.err);
  return ShowJournals(sources, console.out_is_terminal, console.out, console.err);
}

}  // namespace kassivo::cli
