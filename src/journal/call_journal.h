// The call journal: while the Journal option names a file, every call of
// every component object, and their Init and Done, is appended to it in the
// session-script grammar (journal_lines.h), so that `kassivo replay` can
// play the host's day again and compare every answer.
//
// JournalObserver is the call observer (host/call_observer.h) the host
// binding gives every component object of a process; it owns the process's
// CallJournal. It must not outlive the ProcessState it was made with.
//
// Contract (everything here runs with the call lock held):
//  - before each call the observer brings the journal in line with
//    state.Options.Journal: it begins a file (header with ":process"),
//    switches to another, or stops; with the option empty and no journal it
//    costs one comparison and changes nothing at all;
//  - while journalling, the platform's clock, random generator and message
//    window are wrapped by recorders (recording_services.h);
//  - a call's lines are formatted after it returns and appended with one
//    write, before the call returns to the host; the lines of two calls
//    never interleave, nor do those of two processes writing one file
//    (journal_file.h: the file's lock, rotation on its real size, and the
//    path opened again when it names another file);
//  - once the file reaches the size limit (50 MB unless set otherwise, or
//    KASSIVO_JOURNAL_LIMIT bytes) after a call's lines, or when it begins,
//    it is renamed to FILE.1 (replacing an older one) and a new file begins
//    with a header: ":process" when the process begins writing,
//    ":continues" and the state the process is in (process_snapshot.h)
//    when it goes on in another file; every block of lines names its
//    process (":from PID") and object (":object N"), so it reads the same
//    in any file;
//  - the faults in force are in every header (":fault FAULTS"), and each
//    change made between calls (a script, the receipt window, the CLI) is
//    written before the next call as ":clock MOMENT" (the moment it read)
//    and ":fault FAULTS"; a change a call makes itself (a host's additional
//    action) is left to the call's replay;
//  - no failure of the journal changes an answer or escapes: journalling
//    stops for that file (until the option names another or is switched
//    off and on), and the next document on the tape shows the line
//    "Журнал вызовов отключен: REASON".
#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/value.h"
#include "device/process_state.h"
#include "host/call_observer.h"
#include "journal/journal_file.h"
#include "journal/process_snapshot.h"
#include "journal/recording_services.h"
#include "script/journal_lines.h"
#include "script/transcript.h"

namespace kassivo {

inline constexpr const char16_t* kJournalOffNotice = u"Журнал вызовов отключен: ";

class CallJournal {
 public:
  CallJournal(ProcessState& state, std::u16string path, std::uint64_t size_limit);
  ~CallJournal();

  const std::u16string& path() const { return path_; }
  bool writing() const { return file_ != nullptr; }
  void set_size_limit(std::uint64_t bytes);

  void ObjectInit(std::int32_t object);
  void ObjectDone(std::int32_t object);
  // The recorders, re-installed if something replaced a service, and
  // emptied for the call about to begin; the call's start time and its line
  // (the arguments as sent).
  void BeginCall(std::int32_t method, const ArgumentArray& params);
  void EndCall(std::int32_t object, const Value* result, HResult answer,
               const ArgumentArray& params, bool tape_changed);

  // Lets the file's lock go after a call's lines.
  void Release() noexcept;

  // Takes the recorders out of the platform (before the journal goes).
  void Stop();
  // Stops journalling and leaves the tape notice with `reason`.
  void Fail(std::u16string_view reason) noexcept;

 private:
  void Begin();
  // The header, with the strict mode in force (":strict on|off", written
  // again before a call whenever the option changed).
  std::string Header(bool process_begins);
  static std::string StrictLine(bool strict);
  // ":fault FAULTS" for `faults`, when any fault is set (or the OFD's backlog
  // is tracked).
  static std::string FaultLine(const FaultSet& faults);
  // The changes taken at BeginCall, each with the moment it read.
  void AppendFaultChanges(std::string& text);
  // ":object N", and ":init" when `is_init` and the process named N before.
  void AppendObjectLines(std::int32_t object, bool is_init, std::string& text);
  // ":registration-reset" and the values, when the call read other values
  // from the store than a replay's store holds.
  void AppendRegistrationChange(std::string& text);
  // The documents the call printed: "  D WIDTH" where one began, its lines;
  // the same marked hidden for a document printed with the window hidden.
  void AppendTape(bool tape_changed, TranscriptText& transcript);
  void Append(std::string_view text);
  // Appends the pieces in one write (journal_file.h).
  void AppendPieces(std::span<const std::string_view> pieces);
  // Appends text_ with the slices of call_ spliced in, in one write.
  void AppendCallText();
  // Marks that call_[begin, end) goes here, at the end of text_ so far.
  void SpliceCallText(std::size_t begin, std::size_t end);
  // Gives back the buffers after a call of many megabytes.
  void ReleaseLargeBuffers();
  // The "  [i] " lines; an element the call never wrote is as it was sent,
  // and its literal is copied from the call line.
  void AppendElements(const ArgumentArray& params);

  ProcessState& state_;
  std::u16string path_;
  std::uint64_t size_limit_;
  std::unique_ptr<JournalFile> file_;
  bool begun_ = false;  // a header has been written (":process" was in it)
  CallRecording recording_;
  LocalDateTime call_start_;
  // The call line and the call's lines, kept from call to call: a check's
  // text runs to a megabyte, which a fresh buffer would take from the
  // system (and fault in) every time.
  std::string call_;
  std::vector<LiteralSpan> spans_;  // of the arguments in call_
  std::string text_;
  // Where slices of call_ belong in text_: the call line, and the literals
  // of elements sent back as they came, are not copied again.
  struct Splice {
    std::size_t at;          // in text_
    std::size_t begin, end;  // in call_
  };
  std::vector<Splice> splices_;
  std::vector<std::string_view> pieces_;
  std::set<std::int32_t> introduced_;  // objects the process named
  bool strict_ = false;                // as last written
  // The fault changes made since the last call, taken as this one began,
  // and the clock readings they made (when the recorder saw one each).
  std::vector<std::u16string> fault_changes_;
  std::vector<LocalDateTime> fault_moments_;
  // When the process began writing (its first header).
  std::optional<LocalDateTime> started_;
  // The state after the last lines appended, for a header written before
  // the next ones (or after these, when the file rotates).
  ProcessSnapshot snapshot_;
  // The tape's document counts and hidden revision as the call began.
  std::uint64_t documents_ = 0;
  std::uint64_t hidden_documents_ = 0;
  std::uint64_t hidden_revision_ = 0;
};

inline constexpr std::uint64_t kJournalSizeLimit = std::uint64_t{50} << 20;
// The size limit for one process, in bytes (to try rotation with).
inline constexpr const char* kJournalLimitVariable = "KASSIVO_JOURNAL_LIMIT";

class JournalObserver final : public CallObserver {
 public:
  explicit JournalObserver(ProcessState& state) : state_(state) {}
  ~JournalObserver();
  JournalObserver(const JournalObserver&) = delete;
  JournalObserver& operator=(const JournalObserver&) = delete;

  // The size past which the journal begins a new file.
  void set_size_limit(std::uint64_t bytes) {
    size_limit_ = bytes;
    if (journal_) journal_->set_size_limit(bytes);
  }
  // Whether a journal file is being written.
  bool writing() const { return journal_ && journal_->writing(); }

  bool BeginCall(std::int32_t method, const ArgumentArray& params) noexcept override;
  void EndCall(std::int32_t object, const Value* result, HResult answer,
               const ArgumentArray& params) noexcept override;
  void ObjectInit(std::int32_t object) noexcept override;
  void ObjectDone(std::int32_t object) noexcept override;

 private:
  // The journal for this call, or null while there is none (option empty,
  // or journalling stopped after a failure).
  CallJournal* Active() noexcept;
  // Formats and appends with `write`, then lets the file's lock go.
  template <typename Write>
  static void Journal(CallJournal& journal, Write write) noexcept;
  // KASSIVO_JOURNAL_LIMIT when set to a number of bytes, else size_limit_.
  std::uint64_t SizeLimit() const;

  ProcessState& state_;
  std::uint64_t size_limit_ = kJournalSizeLimit;
  // While the Journal option names a file (also after it failed, to
  // remember not to retry); null otherwise.
  std::unique_ptr<CallJournal> journal_;
  // The journal of the call under way, and the tape's revision as it began.
  CallJournal* calling_ = nullptr;
  std::uint64_t revision_ = 0;
};

}  // namespace kassivo
