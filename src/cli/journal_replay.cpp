#include "cli/journal_replay.h"

#include <memory>
#include <sstream>
#include <vector>

#include "cli/journal_diff.h"
#include "cli/replay_services.h"
#include "cli/session_runner.h"
#include "journal/process_snapshot.h"
#include "platform/host_platform.h"
#include "platform/memory_store.h"

namespace kassivo::cli {

namespace {

// One replayed driver process and what its calls print.
struct ReplayProcess {
  ReplayProcess() {
    PlatformOptions options;
    options.memory_store = true;
    options.decimal_separator = u".";
    options.thousands_separator = u",";
    auto recorder = std::make_unique<MessageRecorder>();
    messages = recorder.get();
    options.messages = std::move(recorder);
    Platform platform = MakeHostPlatform(std::move(options));
    auto fed_clock = std::make_unique<FedClock>();
    clock = fed_clock.get();
    platform.clock = std::move(fed_clock);
    auto fed_random = std::make_unique<FedRandom>();
    random = fed_random.get();
    platform.random = std::move(fed_random);
    platform.options_store.reset();
    platform.environment = nullptr;
    state = std::make_unique<ProcessState>(std::move(platform));
    runner = std::make_unique<SessionRunner>(*state, *messages, &tape, printed);
  }

  MessageRecorder* messages = nullptr;
  FedClock* clock = nullptr;
  FedRandom* random = nullptr;
  std::unique_ptr<ProcessState> state;
  EntriesTapePresenter tape;
  std::ostringstream printed;
  std::unique_ptr<SessionRunner> runner;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(std::move(line));
  return lines;
}

// The number of arguments of a call line's statement.
std::size_t ArgumentCount(const Statement& statement) {
  return std::get<CallStatement>(statement).args.size();
}

class Replayer {
 public:
  Replayer(const std::vector<JournalSource>& sources, bool compare, std::ostream& out)
      : sources_(sources), compare_(compare), out_(out) {}

  void Play(ProcessLines& lines) {
    process_ = std::make_unique<ReplayProcess>();
    for (PlacedLine& placed : lines.lines) {
      at_ = &placed;
      if (auto* transcript = std::get_if<TranscriptLine>(&placed.line)) {
        Record(*transcript);
        continue;
      }
      Close();
      try {
        std::visit([&](auto& line) { Handle(line); }, placed.line);
      } catch (const ScriptError& error) {
        Fail(placed, error.what());
      }
    }
    Close();
    process_.reset();
  }

  int Finish() {
    out_ << "replay: " << calls_ << (calls_ == 1 ? " call, " : " calls, ") << differing_
         << " differ\n";
    return differing_ == 0 ? 0 : 1;
  }

 private:
  [[noreturn]] void Fail(const PlacedLine& line, const std::string& message) const {
    throw JournalError(sources_[line.file].name, line.number, message);
  }

  void Record(TranscriptLine& transcript) {
    if (!pending_) Fail(*at_, "a transcript line without a call above it");
    if (IsJournalOnlyLine(transcript.text)) return;
    if (recorded_.empty() && !transcript.text.starts_with("= ")) {
      Fail(*at_, "the call's transcript must begin with its result line (= ...)");
    }
    if (transcript.text.starts_with("  [")) ++elements_;
    recorded_.push_back({at_->number, std::move(transcript.text)});
  }

  void Handle(Statement& statement) {
    ReplayProcess& process = *process_;
    // A reading for the next call, not a clock fixed from here on.
    if (const auto* clock = std::get_if<ClockStatement>(&statement)) {
      process.clock->Feed(clock->moment);
      return;
    }
    const bool is_call = std::holds_alternative<CallStatement>(statement);
    if (is_call) {
      pending_ = true;
      call_at_ = at_;
      elements_ = 0;
      arguments_ = ArgumentCount(statement);
    }
    process.runner->Execute(statement);
    process.clock->Settle();
    process.random->Settle();
    std::string printed = std::move(process.printed).str();
    process.printed.str({});
    if (!compare_) out_ << printed;
    if (is_call) replayed_ = std::move(printed);
  }
  void Handle(ProcessDirective&) {}
  void Handle(FromDirective&) {}
  void Handle(RegistrationDirective& directive) {
    std::unique_ptr<StoreWriter> writer = process_->state->platform().store->OpenForWrite();
    if (!writer || !writer->Write(directive.name, directive.value) || !writer->Commit()) {
      Fail(*at_, "the registration store refused the value");
    }
  }
  void Handle(JournalDirective& directive) { process_->state->JournalInUse = directive.path; }
  void Handle(RegistrationResetDirective&) {
    process_->state->platform().store = std::make_unique<MemoryStore>();
  }
  void Handle(StateDirective& directive) {
    const std::vector<std::string_view> tokens(directive.tokens.begin(), directive.tokens.end());
    SessionRunner& runner = *process_->runner;
    try {
      ApplyStateLine(*process_->state, tokens, [&](std::int32_t number) -> TFPEmulatorList& {
        return *runner.Object(number).devices();
      });
    } catch (const ScriptError& error) {
      Fail(*at_, error.what());
    } catch (const DriverError&) {
      Fail(*at_, "the devices of this file cannot be made again; give the file before it first");
    }
  }
  void Handle(NumberFormatDirective& directive) {
    process_->state->platform().number_format = directive.format;
  }
  void Handle(RandomNumber& random) { process_->random->Feed(random.number); }
  void Handle(TranscriptLine&) {}

  void Close() {
    if (!pending_) return;
    pending_ = false;
    ++calls_;
    // A call always records its result and every element it was given.
    if (recorded_.empty() || elements_ < arguments_) Fail(*call_at_, kJournalCut);
    std::vector<std::string> replayed = Lines(replayed_);
    if (!replayed.empty()) replayed.erase(replayed.begin());  // the echo
    std::vector<RecordedLine> recorded = std::move(recorded_);
    recorded_.clear();
    for (std::string& line : replayed) line = MaskParserWording(std::move(line));
    bool same = recorded.size() == replayed.size();
    for (std::size_t i = 0; i < recorded.size(); ++i) {
      recorded[i].text = MaskParserWording(std::move(recorded[i].text));
      if (same && recorded[i].text != replayed[i]) same = false;
    }
    if (same) return;
    ++differing_;
    if (!compare_) return;
    const std::string& call = std::get<CallStatement>(std::get<Statement>(call_at_->line)).written;
    if (sources_.size() > 1) out_ << sources_[call_at_->file].name << ':';
    out_ << call_at_->number << ": " << Cut(call, 0, kShownColumns) << '\n';
    ReportDifference(recorded, replayed, out_);
  }

  const std::vector<JournalSource>& sources_;
  bool compare_;
  std::ostream& out_;
  std::unique_ptr<ReplayProcess> process_;
  const PlacedLine* at_ = nullptr;
  bool pending_ = false;
  const PlacedLine* call_at_ = nullptr;
  std::size_t arguments_ = 0;
  std::size_t elements_ = 0;
  std::string replayed_;
  std::vector<RecordedLine> recorded_;
  int calls_ = 0;
  int differing_ = 0;
};

}  // namespace

std::string MaskParserWording(std::string text) {
  static const std::string kWords = "Ошибка разбора XML:";
  for (std::size_t at = text.find(kWords); at != std::string::npos;
       at = text.find(kWords, at + kWords.size())) {
    const std::size_t end = text.find('"', at);
    text.replace(at, (end == std::string::npos ? text.size() : end) - at, kWords + " ...");
  }
  return text;
}

int ReplayJournals(const std::vector<JournalSource>& sources, bool compare, std::ostream& out,
                   std::ostream& err) {
  try {
    std::vector<ProcessLines> processes = ReadJournals(sources);
    Replayer replayer(sources, compare, out);
    for (ProcessLines& process : processes) replayer.Play(process);
    const int status = replayer.Finish();
    out.flush();
    return status;
  } catch (const JournalError& error) {
    out.flush();
    err << "kassivo: " << error.file << ':' << error.line << ": " << error.what() << '\n';
  }
  return kExitScriptError;
}

}  // namespace kassivo::cli
