#include "journal/call_journal.h"

#include <utility>

#include "script/journal_lines.h"
#include "script/transcript.h"

namespace kassivo {

CallJournal::CallJournal(ProcessState& state, std::u16string path, std::uint64_t size_limit)
    : state_(state), path_(std::move(path)), size_limit_(size_limit) {
  Begin();
}

CallJournal::~CallJournal() = default;

void CallJournal::Begin() {
  try {
    if (!state_.platform().files) {
      Fail(u"файлы недоступны");
      return;
    }
    // Called whenever this writer begins a file: the file names no object yet.
    auto header = [this] {
      introduced_.clear();
      last_object_ = 0;
      const bool process_begins = !begun_;
      begun_ = true;
      return Header(process_begins);
    };
    file_ = std::make_unique<JournalFile>(*state_.platform().files, path_, size_limit_, header);
    recording_.Install(state_.platform());
    std::u16string reason;
    if (!file_->Begin(reason)) Fail(reason);
  } catch (...) {
    Fail(u"недостаточно памяти");
  }
}

std::string CallJournal::Header(bool process_begins) {
  Platform& platform = state_.platform();
  strict_ = state_.Options.Strict;
  return HeaderLines(
             process_begins, recording_.clock ? recording_.clock->inner().Now() : LocalDateTime{},
             platform.number_format, platform.store ? platform.store->Read() : std::nullopt) +
         StrictLine(strict_);
}

std::string CallJournal::StrictLine(bool strict) {
  return strict ? ":strict on\n" : ":strict off\n";
}

void CallJournal::Stop() {
  recording_.Uninstall(state_.platform());
  file_.reset();
  again_ = false;
}

void CallJournal::set_size_limit(std::uint64_t bytes) {
  size_limit_ = bytes;
  if (file_) file_->set_size_limit(bytes);
}

bool CallJournal::TakeNewFile() {
  return std::exchange(again_, false);
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
      break;
    case JournalFile::Appended::kNewFile:
      again_ = true;
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

std::string CallJournal::ObjectLine(std::int32_t object, bool is_init) {
  const bool known = introduced_.contains(object);
  std::string line;
  if (!known || object != last_object_) line = ":object " + std::to_string(object) + '\n';
  introduced_.insert(object);
  last_object_ = object;
  // ":object N" of a new object makes and inits it: no ":init" after it.
  if (is_init && known) line += ":init\n";
  return line;
}

void CallJournal::ObjectInit(std::int32_t object) {
  if (!file_) return;
  try {
    Append(ObjectLine(object, true));
  } catch (...) {
    Fail(u"недостаточно памяти");
  }
}

void CallJournal::ObjectDone(std::int32_t object) {
  if (!file_) return;
  try {
    // A new object's ":object N" would init it first: Done of an object the
    // file never named is left out.
    if (!introduced_.contains(object)) return;
    Append(ObjectLine(object, false) + ":done\n");
  } catch (...) {
    Fail(u"недостаточно памяти");
  }
}

void CallJournal::BeginCall(std::int32_t method, const ArgumentArray& params) {
  recording_.Install(state_.platform());
  recording_.Clear();
  call_start_ = recording_.clock ? recording_.clock->inner().Now() : LocalDateTime{};
  call_.clear();
  AppendCallLine(method, params, call_, spans_);
}

void CallJournal::EndCall(std::int32_t object, const Value* result, HResult answer,
                          const ArgumentArray& params, bool tape_changed) {
  // One buffer for the call's lines, written at once.
  std::string& text = text_;
  text.clear();
  splices_.clear();
  if (state_.Options.Strict != strict_) {
    strict_ = state_.Options.Strict;
    text += StrictLine(strict_);
  }
  text += ObjectLine(object, false);
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
  if (tape_changed) transcript.TapeEntries(state_.Receipt);
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
  if (again_) return;  // the call's lines are to be formatted again
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
    if (journal.TakeNewFile()) write();
  } catch (...) {
    journal.Fail(u"недостаточно памяти");
  }
  journal.Release();
}

bool JournalObserver::BeginCall(std::int32_t method, const ArgumentArray& params) noexcept {
  calling_ = Active();
  if (!calling_) return false;
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
