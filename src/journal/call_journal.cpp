#include "journal/call_journal.h"

#include <utility>

#include "common/text.h"
#include "script/journal_lines.h"
#include "script/moment.h"
#include "script/text_literal.h"
#include "script/transcript.h"

namespace kassivo {

CallJournal::CallJournal(ProcessState& state, std::u16string path, std::uint64_t size_limit)
    : state_(state), path_(std::move(path)), size_limit_(size_limit) {
  CaptureSnapshot(state_, snapshot_);
  Begin();
}

CallJournal::~CallJournal() = default;

void CallJournal::Begin() {
  try {
    if (!state_.platform().files) {
      Fail(u"файлы недоступны");
      return;
    }
    // Called whenever this writer begins a file; after a block, the state
    // is the one the block left.
    auto header = [this](bool after_block) {
      if (after_block) CaptureSnapshot(state_, snapshot_);
      const bool process_begins = !begun_;
      begun_ = true;
      return Header(process_begins);
    };
    file_ = std::make_unique<JournalFile>(*state_.platform().files, path_, size_limit_, header);
    recording_.Install(state_.platform());
    std::u16string reason;
    if (!file_->Begin(reason)) {
      Fail(reason);
      return;
    }
    state_.JournalInUse = path_;
  } catch (...) {
    Fail(u"недостаточно памяти");
  }
}

std::string CallJournal::Header(bool process_begins) {
  Platform& platform = state_.platform();
  const LocalDateTime now = recording_.clock ? recording_.clock->inner().Now() : LocalDateTime{};
  if (!started_) started_ = now;
  std::optional<StoredValues> registration;
  if (recording_.store) {
    registration = recording_.store->inner().Read();
    recording_.store->replayed = registration;
  } else if (platform.store) {
    registration = platform.store->Read();
  }
  strict_ = state_.Options.Strict;
  std::string text = HeaderLines(
      {process_begins, platform.process, *started_, now, platform.number_format, registration});
  text += StrictLine(strict_);
  // What GetDescription answers while this journal is written.
  text += ":journal ";
  text += TextLiteral(path_);
  text += '\n';
  // The faults in force stand for every change made before: those not yet
  // written are dropped when the process begins writing. The state lines
  // come after them, over what setting the faults again does once (the
  // shift's opening moved back).
  text += FaultLine(process_begins ? state_.Faults : snapshot_.faults);
  if (process_begins) state_.FaultChanges.clear();
  if (!process_begins) AppendSnapshotLines(snapshot_, text);
  return text;
}

std::string CallJournal::FaultLine(const FaultSet& faults) {
  std::string spec = ToUtf8(FormatFaultSpec(faults));
  if (faults.ofd_tracked && faults.ofd == OfdState::kOnline) {
    spec += spec.empty() ? "ofd=online" : ",ofd=online";
  }
  return spec.empty() ? std::string() : ":fault " + spec + '\n';
}

void CallJournal::AppendFaultChanges(std::string& text) {
  for (std::size_t i = 0; i < fault_changes_.size(); ++i) {
    // The reading the change made, for a replay to make it at the same
    // moment; the call's start when the recorder did not see it.
    text += ":clock ";
    text += FormatMoment(i < fault_moments_.size() ? fault_moments_[i] : call_start_);
    text += "\n:fault ";
    text += ToUtf8(fault_changes_[i]);
    text += '\n';
  }
  fault_changes_.clear();
  fault_moments_.clear();
}

std::string CallJournal::StrictLine(bool strict) {
  return strict ? ":strict on\n" : ":strict off\n";
}

void CallJournal::Stop() {
  recording_.Uninstall(state_.platform());
  file_.reset();
  state_.JournalInUse.clear();
}

void CallJournal::set_size_limit(std::uint64_t bytes) {
  size_limit_ = bytes;
  if (file_) file_->set_size_limit(bytes);
}

void CallJournal::Release() noexcept {
  if (file_) file_->Release();
}

void CallJournal::Fail(std::u16string_view reason) noexcept {
  Stop();
  try {
    state_.Receipt.SetNotice(kJournalOffNotice + std::u16string(reason));
  } catch (...) {
  }
}

void CallJournal::Append(std::string_view text) {
  AppendPieces({&text, 1});
}

void CallJournal::AppendPieces(std::span<const std::string_view> pieces) {
  if (!file_) return;
  std::u16string reason;
  switch (file_->Append(pieces, reason)) {
    case JournalFile::Appended::kWritten:
      // A header written from here on describes the state after these lines.
      CaptureSnapshot(state_, snapshot_);
      break;
    case JournalFile::Appended::kFailed:
      Fail(reason);
      break;
  }
}

void CallJournal::SpliceCallText(std::size_t begin, std::size_t end) {
  splices_.push_back({text_.size(), begin, end});
}

void CallJournal::AppendCallText() {
  if (!file_) return;
  pieces_.clear();
  std::size_t from = 0;
  for (const Splice& splice : splices_) {
    pieces_.emplace_back(text_.data() + from, splice.at - from);
    pieces_.emplace_back(call_.data() + splice.begin, splice.end - splice.begin);
    from = splice.at;
  }
  pieces_.emplace_back(text_.data() + from, text_.size() - from);
  AppendPieces(pieces_);
}

void CallJournal::AppendObjectLines(std::int32_t object, bool is_init, std::string& text) {
  const bool known = introduced_.contains(object);
  text += ":object ";
  text += std::to_string(object);
  text += '\n';
  introduced_.insert(object);
  // ":object N" of an object the process never named makes and inits it: no
  // ":init" after it.
  if (is_init && known) text += ":init\n";
}

void CallJournal::ObjectInit(std::int32_t object) {
  if (!file_) return;
  try {
    std::string text;
    AppendFromLine(state_.platform().process.id, text);
    AppendObjectLines(object, true, text);
    Append(text);
  } catch (...) {
    Fail(u"недостаточно памяти");
  }
}

void CallJournal::ObjectDone(std::int32_t object) {
  if (!file_) return;
  try {
    // ":object N" of a new object would init it first: Done of an object
    // the process never named is left out.
    if (!introduced_.contains(object)) return;
    std::string text;
    AppendFromLine(state_.platform().process.id, text);
    AppendObjectLines(object, false, text);
    text += ":done\n";
    Append(text);
  } catch (...) {
    Fail(u"недостаточно памяти");
  }
}

void CallJournal::BeginCall(std::int32_t method, const ArgumentArray& params) {
  recording_.Install(state_.platform());
  fault_changes_.clear();
  fault_moments_.clear();
  if (!state_.FaultChanges.empty()) {
    fault_changes_.swap(state_.FaultChanges);
    // Nothing else reads the clock between calls.
    if (recording_.clock && recording_.clock->readings.size() == fault_changes_.size()) {
      fault_moments_ = recording_.clock->readings;
    }
  }
  recording_.Clear();
  const Tape& tape = state_.Receipt;
  documents_ = tape.documents();
  hidden_documents_ = tape.hidden_documents();
  hidden_revision_ = tape.hidden_revision();
  call_start_ = recording_.clock ? recording_.clock->inner().Now() : LocalDateTime{};
  call_.clear();
  AppendCallLine(method, params, call_, spans_);
}

void CallJournal::AppendRegistrationChange(std::string& text) {
  RecordingStore* store = recording_.store;
  if (!store || !store->read || store->found == store->replayed) return;
  // Another process changed the store since the journal last said what it
  // holds: the replay's store is made what this call found.
  text += ":registration-reset\n";
  AppendRegistrationLines(store->found, text);
  store->replayed = store->found;
}

void CallJournal::AppendTape(bool tape_changed, TranscriptText& transcript) {
  const Tape& tape = state_.Receipt;
  const std::string width = std::to_string(tape.Width());
  if (tape_changed) {
    if (tape.documents() != documents_) text_ += "  D " + width + '\n';
    transcript.TapeEntries(tape);
  }
  if (tape.hidden_revision() == hidden_revision_) return;
  if (tape.hidden_documents() != hidden_documents_) text_ += "  D " + width + " hidden\n";
  TextLiteralLines lines(text_);
  for (const TapeEntry& entry : tape.hidden_entries()) {
    lines.Add(entry.kind == TapeEntry::Kind::kBanner ? "  b " : "  l ", entry.text);
  }
  lines.Flush();
}

void CallJournal::EndCall(std::int32_t object, const Value* result, HResult answer,
                          const ArgumentArray& params, bool tape_changed) {
  // One buffer for the call's lines, written at once.
  std::string& text = text_;
  text.clear();
  splices_.clear();
  AppendFromLine(state_.platform().process.id, text);
  if (state_.Options.Strict != strict_) {
    strict_ = state_.Options.Strict;
    text += StrictLine(strict_);
  }
  AppendFaultChanges(text);
  // What the call changed itself, its replay changes again.
  state_.FaultChanges.clear();
  AppendRegistrationChange(text);
  AppendObjectLines(object, false, text);
  text += "# ";
  text += FormatMoment(call_start_);
  text += " object ";
  text += std::to_string(object);
  if (!result) {
    text += " CallAsProc\n# ";
    SpliceCallText(0, call_.size());
    text += answer == HResult::kOk ? " = S_OK\n" : " = S_FALSE\n";
    AppendCallText();
    ReleaseLargeBuffers();
    return;
  }
  text += '\n';
  if (recording_.clock) {
    for (const LocalDateTime& reading : recording_.clock->readings) {
      text += ":clock ";
      text += FormatMoment(reading);
      text += '\n';
    }
  }
  if (recording_.random) {
    for (const int number : recording_.random->numbers) {
      text += ":random ";
      text += std::to_string(number);
      text += '\n';
    }
  }
  SpliceCallText(0, call_.size());
  text += '\n';
  TranscriptText transcript(text);
  transcript.Result(*result, answer);
  AppendElements(params);
  if (recording_.messages) transcript.Messages(recording_.messages->shown);
  AppendTape(tape_changed, transcript);
  AppendCallText();
  ReleaseLargeBuffers();
}

void CallJournal::AppendElements(const ArgumentArray& params) {
  const auto index = [](std::size_t i) { return static_cast<std::int64_t>(i); };
  for (std::size_t i = 0; i < params.size(); ++i) {
    text_ += "  [";
    text_ += std::to_string(i);
    text_ += "] ";
    if (i < spans_.size() && !params.WasWritten(index(i))) {
      SpliceCallText(spans_[i].begin, spans_[i].end);
    } else {
      AppendLiteral(params.values()[i], text_);
    }
    text_ += '\n';
  }
}

void CallJournal::ReleaseLargeBuffers() {
  constexpr std::size_t kKept = 8u << 20;
  if (call_.capacity() > kKept) std::string().swap(call_);
  if (text_.capacity() > kKept) std::string().swap(text_);
}

JournalObserver::~JournalObserver() {
  if (journal_) journal_->Stop();
}

std::uint64_t JournalObserver::SizeLimit() const {
  const EnvironmentReader& environment = state_.platform().environment;
  const std::optional<std::u16string> text =
      environment ? environment(kJournalLimitVariable) : std::nullopt;
  if (!text || text->empty() || text->size() > 18) return size_limit_;
  std::uint64_t bytes = 0;
  for (const char16_t unit : *text) {
    if (unit < u'0' || unit > u'9') return size_limit_;
    bytes = bytes * 10 + static_cast<std::uint64_t>(unit - u'0');
  }
  return bytes > 0 ? bytes : size_limit_;
}

CallJournal* JournalObserver::Active() noexcept {
  const std::u16string& path = state_.Options.Journal;
  if (path.empty() && !journal_) return nullptr;
  if (journal_ && journal_->path() != path) {
    journal_->Stop();
    journal_.reset();
  }
  if (path.empty()) return nullptr;
  if (!journal_) {
    try {
      journal_ = std::make_unique<CallJournal>(state_, path, SizeLimit());
    } catch (...) {
      return nullptr;
    }
  }
  return journal_->writing() ? journal_.get() : nullptr;
}

template <typename Write>
void JournalObserver::Journal(CallJournal& journal, Write write) noexcept {
  try {
    write();
  } catch (...) {
    journal.Fail(u"недостаточно памяти");
  }
  journal.Release();
}

bool JournalObserver::BeginCall(std::int32_t method, const ArgumentArray& params) noexcept {
  calling_ = Active();
  if (!calling_) {
    // No journal to write them: a journal begun later starts from the
    // faults in force.
    state_.FaultChanges.clear();
    return false;
  }
  try {
    calling_->BeginCall(method, params);
    revision_ = state_.Receipt.revision();
  } catch (...) {
    calling_->Fail(u"недостаточно памяти");
    calling_ = nullptr;
  }
  return calling_ != nullptr;
}

void JournalObserver::EndCall(std::int32_t object, const Value* result, HResult answer,
                              const ArgumentArray& params) noexcept {
  CallJournal* const journal = calling_;
  calling_ = nullptr;
  if (!journal || !journal->writing()) return;
  const bool tape_changed = state_.Receipt.revision() != revision_;
  Journal(*journal, [&] { journal->EndCall(object, result, answer, params, tape_changed); });
}

void JournalObserver::ObjectInit(std::int32_t object) noexcept {
  if (CallJournal* journal = Active()) Journal(*journal, [&] { journal->ObjectInit(object); });
}

void JournalObserver::ObjectDone(std::int32_t object) noexcept {
  if (CallJournal* journal = Active()) Journal(*journal, [&] { journal->ObjectDone(object); });
}

}  // namespace kassivo
