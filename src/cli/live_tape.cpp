#include "cli/live_tape.h"

#include <algorithm>

namespace kassivo::cli {

void LiveTape::Line(const JournalRouter::Routed& routed, const JournalLine& line) {
  if (routed.process >= processes_.size()) processes_.resize(routed.process + 1);
  processes_[routed.process].documents.Line(line);
}

void LiveTape::Draw(bool settled) {
  for (std::size_t process = 0; process < processes_.size(); ++process) {
    Process& tape = processes_[process];
    if (settled) tape.documents.Finish();
    for (const std::size_t index : tape.documents.Touched()) {
      if (index >= tape.drawn.size()) tape.drawn.resize(index + 1);
      DrawDocument(process, index, settled);
      if (std::find(tape.kept.begin(), tape.kept.end(), index) == tape.kept.end()) {
        tape.kept.push_back(index);
      }
    }
    // What no longer changes is not kept.
    std::erase_if(tape.kept, [&](std::size_t index) {
      if (tape.documents.IsCurrent(index)) return false;
      tape.drawn[index].entries = {};
      tape.documents.Release(index);
      return true;
    });
  }
  out_.flush();
}

void LiveTape::Close() {
  if (!open_) return;
  out_ << BoxTapePresenter::Bottom(open_->width) << '\n';
  out_.flush();
  open_.reset();
}

void LiveTape::DrawDocument(std::size_t process, std::size_t index, bool settled) {
  const JournalDocument& document = processes_[process].documents.documents()[index];
  Drawn& drawn = processes_[process].drawn[index];
  if (!drawn.drawn) {
    Begin(process, index);
    return;
  }
  const std::vector<TapeEntry>& now = document.entries;
  const std::size_t before = drawn.entries.size();
  const bool grown =
      now.size() >= before && std::equal(drawn.entries.begin(), drawn.entries.end(), now.begin());
  if (grown && now.size() == before) return;
  const bool in_box = open_ && open_->process == process && open_->document == index;
  if (grown && in_box &&
      BoxTapePresenter::ColumnWidth(std::span(now).subspan(before), document.width) <=
          open_->width) {
    Rows(now.data() + before, now.data() + now.size());
    drawn.entries = now;
    return;
  }
  if (!settled && now.size() < before &&
      std::equal(now.begin(), now.end(), drawn.entries.begin())) {
    return;  // the call's listing is still coming in
  }
  Begin(process, index);
}

void LiveTape::Begin(std::size_t process, std::size_t index) {
  Close();
  const JournalDocument& document = processes_[process].documents.documents()[index];
  Drawn& drawn = processes_[process].drawn[index];
  const std::size_t width = BoxTapePresenter::ColumnWidth(document.entries, document.width);
  out_ << BoxTapePresenter::Top(width) << '\n';
  open_ = Open{process, index, width};
  Rows(document.entries.data(), document.entries.data() + document.entries.size());
  drawn.entries = document.entries;
  drawn.drawn = true;
}

void LiveTape::Rows(const TapeEntry* from, const TapeEntry* to) {
  std::vector<std::string> rows;
  for (const TapeEntry* entry = from; entry != to; ++entry) {
    BoxTapePresenter::AddRows(*entry, open_->width, style_, rows);
  }
  for (const std::string& row : rows) out_ << row << '\n';
}

}  // namespace kassivo::cli
