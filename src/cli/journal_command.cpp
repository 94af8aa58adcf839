#include "cli/journal_command.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <list>
#include <thread>

#include "cli/journal_follow.h"
#include "cli/journal_replay.h"
#include "cli/journal_show.h"
#include "cli/options.h"
#include "cli/session_runner.h"

namespace kassivo::cli {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void Interrupt(int) {
  interrupted = 1;
}

// Follows until Ctrl-C (or a termination request), looking again four
// times a second.
int Follow(const std::string& file, Console& console) {
  interrupted = 0;
  std::signal(SIGINT, Interrupt);
  std::signal(SIGTERM, Interrupt);
  const auto wait = [] {
    for (int tick = 0; tick < 5 && !interrupted; ++tick) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return !interrupted;
  };
  const int status = FollowJournal(file, console.out_is_terminal, wait, console.out, console.err);
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  return status;
}

}  // namespace

int JournalCommand(const std::vector<std::string>& args, Console& console) {
  const bool replay = args[0] == "replay";
  bool compare = false;
  bool follow = false;
  std::vector<std::string> files;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (replay && files.empty() && args[i] == "--compare") {
      compare = true;
    } else if (!replay && files.empty() && args[i] == "--follow") {
      follow = true;
    } else {
      files.push_back(args[i]);
    }
  }
  if (files.empty()) throw UsageError(args[0] + " needs a journal file (or - for stdin)");
  if (follow) {
    if (files.size() != 1 || files[0] == "-") {
      throw UsageError(
          "show --follow takes one journal file (its newest: the rotated ones are "
          "shown by show FILE.1 FILE)");
    }
    return Follow(files[0], console);
  }
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
