// Plays session statements against one driver process and writes the
// transcript (transcript.h).
//
// The directives :strict, :fault and :clock change the process itself: its
// strict mode option, its faults (SetFaults), and its platform's clock
// (replaced by a fixed clock).
//
// The runner's component objects share one call journal (journal/), written
// while the process's Journal option names a file, as a host's are.
//
// Component objects are numbered; each is created and Init'ed on first use
// (a directive or a call), and the session starts on object 1. A call goes
// through DriverComponent::CallAsFunc with an argument array of exactly the
// literals given. After it the runner prints the echo, the result, every
// element, the message-window texts, and then the tape when the call began a
// document or appended an entry (the tape's revision changed).
//
// RunScript reads a whole script line by line, running each statement as it
// is read; a ScriptError stops the run with "NAME:LINE: message" on the
// error stream and the exit status 2; otherwise the status is 0 whatever the
// driver answered.
#pragma once

#include <cstdint>
#include <istream>
#include <map>
#include <memory>
#include <ostream>
#include <string>

#include "cli/tape_presenter.h"
#include "device/process_state.h"
#include "host/component.h"
#include "journal/call_journal.h"
#include "platform/message_recorder.h"
#include "script/script.h"
#include "script/transcript.h"

namespace kassivo::cli {

inline constexpr int kExitScriptError = 2;

class SessionRunner {
 public:
  // `messages` must be the presenter of `state`'s platform; `tape` may be
  // null (no tape shown).
  SessionRunner(ProcessState& state, MessageRecorder& messages, TapePresenter* tape,
                std::ostream& out);
  ~SessionRunner();

  void Execute(const Statement& statement);

  // The current component object, created and Init'ed on first use.
  DriverComponent& Current();
  // Object `number`, created and Init'ed on first use; the current object
  // stays as it is.
  DriverComponent& Object(std::int32_t number);
  JournalObserver& journal() { return journal_; }

 private:
  void Call(const CallStatement& call);
  void Find(const FindStatement& find);

  ProcessState& state_;
  JournalObserver journal_{state_};
  MessageRecorder& messages_;
  TapePresenter* tape_;
  TranscriptWriter transcript_;
  std::int32_t current_ = 1;
  std::map<std::int32_t, std::unique_ptr<DriverComponent>> objects_;
};

// Plays the script read from `in`; `name` names it in error messages.
int RunScript(std::istream& in, const std::string& name, const FileLoader& load,
              SessionRunner& runner, std::ostream& out, std::ostream& err);

}  // namespace kassivo::cli
