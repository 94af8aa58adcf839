#include "cli/journal_replay.h"

#include <memory>
#include <sstream>
#include <vector>

#include "cli/replay_services.h"
#include "cli/session_runner.h"
#include "platform/host_platform.h"
#include "script/journal_script.h"

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

class Replayer {
 public:
  Replayer(bool compare, std::ostream& out) : compare_(compare), out_(out) {}

  void Line(std::string_view text, int number) {
    std::optional<JournalLine> line = ParseJournalLine(text, number == 1);
    if (!line) return;
    if (auto* transcript = std::get_if<TranscriptLine>(&*line)) {
      if (!pending_) throw ScriptError("a transcript line without a call above it");
      if (recorded_.empty() && !transcript->text.starts_with("= ")) {
        throw ScriptError("the call's transcript must begin with its result line (= ...)");
      }
      recorded_.push_back(std::move(transcript->text));
      return;
    }
    Close();
    std::visit([&](auto& l) { Handle(l, number); }, *line);
  }

  // Closes the last call; the exit status.
  int Finish() {
    Close();
    if (compare_) {
      out_ << "replay: " << calls_ << (calls_ == 1 ? " call, " : " calls, ") << differing_
           << " differ\n";
    }
    return differing_ == 0 ? 0 : 1;
  }

 private:
  ReplayProcess& Process() {
    if (!process_) process_ = std::make_unique<ReplayProcess>();
    return *process_;
  }

  void Handle(Statement& statement, int number) {
    ReplayProcess& process = Process();
    // A reading for the next call, not a clock fixed from here on.
    if (const auto* clock = std::get_if<ClockStatement>(&statement)) {
      process.clock->Feed(clock->moment);
      return;
    }
    const bool is_call = std::holds_alternative<CallStatement>(statement);
    if (is_call) {
      pending_ = true;
      call_line_ = number;
      call_ = std::get<CallStatement>(statement).written;
    }
    process.runner->Execute(statement);
    process.clock->Settle();
    process.random->Settle();
    std::string printed = std::move(process.printed).str();
    process.printed.str({});
    if (!compare_) out_ << printed;
    if (is_call) replayed_ = std::move(printed);
  }
  void Handle(ProcessDirective&, int) { process_ = std::make_unique<ReplayProcess>(); }
  void Handle(RegistrationDirective& directive, int) {
    std::unique_ptr<StoreWriter> writer = Process().state->platform().store->OpenForWrite();
    if (!writer || !writer->Write(directive.name, directive.value) || !writer->Commit()) {
      throw ScriptError("the registration store refused the value");
    }
  }
  void Handle(NumberFormatDirective& directive, int) {
    Process().state->platform().number_format = directive.format;
  }
  void Handle(RandomNumber& random, int) { Process().random->Feed(random.number); }
  void Handle(TranscriptLine&, int) {}

  void Close() {
    if (!pending_) return;
    pending_ = false;
    ++calls_;
    if (recorded_.empty()) {
      throw LineError(call_line_, "the call has no recorded result (the journal is cut short)");
    }
    std::vector<std::string> replayed = Lines(replayed_);
    if (!replayed.empty()) replayed.erase(replayed.begin());  // the echo
    std::vector<std::string> recorded = std::move(recorded_);
    recorded_.clear();
    for (std::string& line : replayed) line = MaskParserWording(std::move(line));
    for (std::string& line : recorded) line = MaskParserWording(std::move(line));
    if (replayed == recorded) return;
    ++differing_;
    if (compare_) Report(recorded, replayed);
  }

  void Report(const std::vector<std::string>& recorded, const std::vector<std::string>& replayed) {
    std::size_t head = 0;
    while (head < recorded.size() && head < replayed.size() && recorded[head] == replayed[head]) {
      ++head;
    }
    std::size_t tail = 0;
    while (tail < recorded.size() - head && tail < replayed.size() - head &&
           recorded[recorded.size() - 1 - tail] == replayed[replayed.size() - 1 - tail]) {
      ++tail;
    }
    out_ << call_line_ << ": " << call_.substr(0, 200) << (call_.size() > 200 ? "..." : "") << '\n';
    auto show = [&](const std::vector<std::string>& lines, const char* mark) {
      const std::size_t end = lines.size() - tail;
      for (std::size_t i = head; i < end && i < head + kDiffLines; ++i) {
        out_ << "  " << mark << ' ' << lines[i] << '\n';
      }
      if (end - head > kDiffLines)
        out_ << "  " << mark << " ... " << end - head - kDiffLines << " more\n";
    };
    show(recorded, "-");
    show(replayed, "+");
  }

 public:
  // A ScriptError that names its own line (the call's, not the current one).
  struct LineError : ScriptError {
    LineError(int line_number, const std::string& message)
        : ScriptError(message), line(line_number) {}
    int line;
  };

 private:
  bool compare_;
  std::ostream& out_;
  std::unique_ptr<ReplayProcess> process_;
  bool pending_ = false;
  int call_line_ = 0;
  std::string call_;
  std::string replayed_;
  std::vector<std::string> recorded_;
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

int ReplayJournal(std::istream& in, const std::string& name, bool compare, std::ostream& out,
                  std::ostream& err) {
  Replayer replayer(compare, out);
  std::string line;
  int number = 0;
  try {
    while (std::getline(in, line)) replayer.Line(line, ++number);
    const int status = replayer.Finish();
    out.flush();
    return status;
  } catch (const Replayer::LineError& error) {
    number = error.line;
    out.flush();
    err << "kassivo: " << name << ':' << number << ": " << error.what() << '\n';
  } catch (const ScriptError& error) {
    out.flush();
    err << "kassivo: " << name << ':' << number << ": " << error.what() << '\n';
  }
  return kExitScriptError;
}

}  // namespace kassivo::cli
