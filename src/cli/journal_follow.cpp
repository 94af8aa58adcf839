#include "cli/journal_follow.h"

#include "cli/journal_reading.h"
#include "cli/journal_tail.h"
#include "cli/live_tape.h"
#include "cli/session_runner.h"

namespace kassivo::cli {

namespace {

// A line after which the lines before it are whole: another process's
// block, or the next call of the same one.
bool BeginsBlock(const JournalLine& line) {
  if (std::holds_alternative<ProcessDirective>(line) ||
      std::holds_alternative<FromDirective>(line)) {
    return true;
  }
  const auto* statement = std::get_if<Statement>(&line);
  return statement != nullptr && std::holds_alternative<CallStatement>(*statement);
}

}  // namespace

int FollowJournal(const std::string& path, bool terminal, const FollowWait& wait, std::ostream& out,
                  std::ostream& err) {
  LiveTape tape(terminal ? BoxTapePresenter::Style::kTerminal : BoxTapePresenter::Style::kPlain,
                out);
  JournalTail tail(path);
  JournalRouter router;
  int number = 0;
  bool awaited = false;
  const auto fail = [&](const std::string& message) {
    tape.Close();
    err << "kassivo: " << message << '\n';
    return kExitScriptError;
  };
  try {
    for (;;) {
      std::string reason;
      const bool read = tail.Poll(
          [&](std::string_view text, bool first) {
            number = first ? 1 : number + 1;
            std::optional<JournalLine> line;
            try {
              line = ParseJournalLine(text, first);
              if (!line) return;
              if (BeginsBlock(*line)) tape.Draw(true);
              if (const auto routed = router.Route(*line, path, number)) tape.Line(*routed, *line);
            } catch (const ScriptError& error) {
              throw JournalError(path, number, error.what());
            }
          },
          reason);
      if (!read) return fail("cannot read journal '" + path + "': " + reason);
      tape.Draw(false);
      if (!tail.open() && !awaited) {
        err << "kassivo: waiting for " << path << " to be written\n";
        err.flush();
        awaited = true;
      }
      if (!wait()) break;
    }
  } catch (const JournalError& error) {
    return fail(error.file + ':' + std::to_string(error.line) + ": " + error.what());
  }
  tape.Draw(true);
  tape.Close();
  return 0;
}

}  // namespace kassivo::cli
