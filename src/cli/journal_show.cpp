#include "cli/journal_show.h"

#include <vector>

#include "cli/box_tape_presenter.h"
#include "cli/session_runner.h"
#include "script/journal_script.h"

namespace kassivo::cli {

namespace {

class Shower {
 public:
  Shower(BoxTapePresenter::Style style, std::ostream& out) : style_(style), out_(out) {}

  void Line(const JournalLine& line) {
    const auto* transcript = std::get_if<TranscriptLine>(&line);
    if (!transcript) {
      EndListing();
      return;
    }
    const std::string& text = transcript->text;
    if (!text.starts_with("  B ") && !text.starts_with("  L ")) return;
    const Value literal = ReadLiteral(std::string_view(text).substr(4), nullptr);
    if (literal.kind() != Value::Kind::kText) throw ScriptError("a tape line needs a text literal");
    const TapeEntry::Kind kind = text[2] == 'B' ? TapeEntry::Kind::kBanner : TapeEntry::Kind::kLine;
    listing_.push_back({kind, literal.text(), AlignCenter});
  }

  void Finish() {
    EndListing();
    Draw();
  }

 private:
  // A listing is done: it either grows the document or begins the next.
  void EndListing() {
    if (listing_.empty()) return;
    const bool grows = listing_.size() >= document_.size() &&
                       std::equal(document_.begin(), document_.end(), listing_.begin());
    if (!grows) Draw();
    document_ = std::move(listing_);
    listing_.clear();
  }

  void Draw() {
    if (document_.empty()) return;
    for (const std::string& row : BoxTapePresenter::Draw(document_, 1, style_)) out_ << row << '\n';
    document_.clear();
  }

  BoxTapePresenter::Style style_;
  std::ostream& out_;
  std::vector<TapeEntry> listing_;
  std::vector<TapeEntry> document_;
};

}  // namespace

int ShowJournal(std::istream& in, const std::string& name, bool terminal, std::ostream& out,
                std::ostream& err) {
  Shower shower(terminal ? BoxTapePresenter::Style::kTerminal : BoxTapePresenter::Style::kPlain,
                out);
  std::string line;
  int number = 0;
  try {
    while (std::getline(in, line)) {
      if (std::optional<JournalLine> parsed = ParseJournalLine(line, ++number == 1)) {
        shower.Line(*parsed);
      }
    }
    shower.Finish();
    out.flush();
    return 0;
  } catch (const ScriptError& error) {
    out.flush();
    err << "kassivo: " << name << ':' << number << ": " << error.what() << '\n';
    return kExitScriptError;
  }
}

}  // namespace kassivo::cli
