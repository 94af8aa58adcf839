#include "cli/journal_reading.h"

#include <algorithm>
#include <limits>
#include <map>
#include <numeric>

namespace kassivo::cli {

namespace {

// The name of the file that a rotated journal kept before `name`.
std::string OlderFile(const std::string& name) {
  return name + ".1";
}

// The lines routed to each process, and the order of their first calls.
class Sorter {
 public:
  explicit Sorter(const std::vector<JournalSource>& sources) : sources_(sources) {}

  void Line(std::size_t file, int number, JournalLine line) {
    const std::optional<JournalRouter::Routed> routed =
        router_.Route(line, sources_[file].name, number);
    if (!routed) return;
    if (routed->process == processes_.size()) {
      const auto* process = std::get_if<ProcessDirective>(&line);
      processes_.push_back({process != nullptr && process->continues, {}});
      first_call_.push_back(kNoCall);
    }
    if (std::holds_alternative<Statement>(line) &&
        std::holds_alternative<CallStatement>(std::get<Statement>(line)) &&
        first_call_[routed->process] == kNoCall) {
      first_call_[routed->process] = ++calls_;
    }
    processes_[routed->process].lines.push_back({file, number, std::move(line)});
  }

  std::vector<ProcessLines> Finish() {
    std::vector<std::size_t> order(processes_.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return first_call_[a] < first_call_[b]; });
    std::vector<ProcessLines> sorted;
    sorted.reserve(order.size());
    for (const std::size_t i : order) sorted.push_back(std::move(processes_[i]));
    return sorted;
  }

 private:
  static constexpr std::size_t kNoCall = std::numeric_limits<std::size_t>::max();

  const std::vector<JournalSource>& sources_;
  JournalRouter router_;
  std::vector<ProcessLines> processes_;
  std::vector<std::size_t> first_call_;
  std::size_t calls_ = 0;
};

}  // namespace

std::optional<JournalRouter::Routed> JournalRouter::Route(const JournalLine& line,
                                                          const std::string& file_name,
                                                          int number) {
  if (const auto* process = std::get_if<ProcessDirective>(&line)) {
    header_dropped_ = false;
    if (process->continues) {
      const auto known = by_id_.find(process->id);
      if (known != by_id_.end() && known->second.start == process->start) {
        // The process has the state this header describes.
        current_ = known->second.index;
        header_dropped_ = true;
        return std::nullopt;
      }
    }
    current_ = New();
    if (process->named) by_id_[process->id] = {*current_, process->start};
    return Routed{*current_, true};
  }
  if (const auto* from = std::get_if<FromDirective>(&line)) {
    const auto known = by_id_.find(from->id);
    if (known == by_id_.end()) {
      throw JournalError(file_name, number,
                         "process " + std::to_string(from->id) +
                             " began in an earlier file; give that file first: kassivo replay " +
                             OlderFile(file_name) + ' ' + file_name);
    }
    current_ = known->second.index;
    header_dropped_ = false;
    return std::nullopt;
  }
  if (header_dropped_) return std::nullopt;
  if (!current_) return Routed{*(current_ = New()), false};
  return Routed{*current_, false};
}

std::size_t JournalRouter::New() {
  return count_++;
}

std::vector<ProcessLines> ReadJournals(const std::vector<JournalSource>& sources) {
  Sorter sorter(sources);
  for (std::size_t file = 0; file < sources.size(); ++file) {
    std::istream& in = *sources[file].in;
    std::string text;
    int number = 0;
    while (std::getline(in, text)) {
      ++number;
      if (in.eof() && !text.empty()) {
        throw JournalError(sources[file].name, number, kJournalCut);
      }
      try {
        if (std::optional<JournalLine> line = ParseJournalLine(text, number == 1)) {
          sorter.Line(file, number, std::move(*line));
        }
      } catch (const ScriptError& error) {
        throw JournalError(sources[file].name, number, error.what());
      }
    }
  }
  return sorter.Finish();
}

}  // namespace kassivo::cli
