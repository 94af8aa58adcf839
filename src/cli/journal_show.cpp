#include "cli/journal_show.h"

#include <algorithm>
#include <vector>

#include "cli/box_tape_presenter.h"
#include "cli/session_runner.h"

namespace kassivo::cli {

namespace {

struct Document {
  std::vector<TapeEntry> entries;
  std::int32_t width = 1;
};

// The documents of one process, in the order they began.
class ProcessTape {
 public:
  void Call() {
    shown_listing_ = false;
    hidden_listing_ = false;
    legacy_listing_.clear();
  }

  void Line(const std::string& text) {
    if (text.starts_with("  D ")) {
      Begin(text);
      return;
    }
    const bool banner = text.starts_with("  B ") || text.starts_with("  b ");
    const bool shown = text.starts_with("  B ") || text.starts_with("  L ");
    const bool hidden = text.starts_with("  b ") || text.starts_with("  l ");
    if (!shown && !hidden) return;
    const Value literal = ReadLiteral(std::string_view(text).substr(4), nullptr);
    if (literal.kind() != Value::Kind::kText) throw ScriptError("a tape line needs a text literal");
    const TapeEntry entry{banner ? TapeEntry::Kind::kBanner : TapeEntry::Kind::kLine,
                          literal.text(), AlignCenter};
    if (!marked_) {
      legacy_listing_.push_back(entry);
      return;
    }
    Document& document =
        Current(hidden ? hidden_ : shown_, hidden ? hidden_listing_ : shown_listing_);
    document.entries.push_back(entry);
  }

  // The listing of the last call, in a journal without marks.
  void EndCall() {
    if (marked_ || legacy_listing_.empty()) return;
    const bool grows = !documents_.empty() &&
                       legacy_listing_.size() >= documents_.back().entries.size() &&
                       std::equal(documents_.back().entries.begin(),
                                  documents_.back().entries.end(), legacy_listing_.begin());
    if (!grows) documents_.emplace_back();
    documents_.back().entries = std::move(legacy_listing_);
    legacy_listing_.clear();
  }

  void Mark() { marked_ = true; }

  void Draw(BoxTapePresenter::Style style, std::ostream& out) const {
    for (const Document& document : documents_) {
      for (const std::string& row :
           BoxTapePresenter::Draw(document.entries, document.width, style)) {
        out << row << '\n';
      }
    }
  }

 private:
  void Begin(const std::string& text) {
    marked_ = true;
    const std::vector<std::string_view> tokens = SplitTokens(std::string_view(text).substr(4));
    const std::optional<std::int32_t> width =
        tokens.empty() ? std::nullopt : ReadInteger(tokens[0]);
    const bool hidden = tokens.size() == 2 && tokens[1] == "hidden";
    if (!width || tokens.size() > 2 || (tokens.size() == 2 && !hidden)) {
      throw ScriptError("a document mark needs its width (and \"hidden\")");
    }
    documents_.push_back({{}, *width});
    (hidden ? hidden_ : shown_) = documents_.size() - 1;
    (hidden ? hidden_listing_ : shown_listing_) = true;
  }

  // The document a call's listing goes to: the one it began, or the last
  // one of its tape, whose listing it replaces.
  Document& Current(std::optional<std::size_t>& index, bool& listing) {
    if (!index) {
      documents_.emplace_back();
      index = documents_.size() - 1;
      listing = true;
    }
    Document& document = documents_[*index];
    if (!listing) {
      document.entries.clear();
      listing = true;
    }
    return document;
  }

  bool marked_ = false;
  std::vector<Document> documents_;
  std::optional<std::size_t> shown_;
  std::optional<std::size_t> hidden_;
  bool shown_listing_ = false;
  bool hidden_listing_ = false;
  std::vector<TapeEntry> legacy_listing_;
};

}  // namespace

int ShowJournals(const std::vector<JournalSource>& sources, bool terminal, std::ostream& out,
                 std::ostream& err) {
  const auto style =
      terminal ? BoxTapePresenter::Style::kTerminal : BoxTapePresenter::Style::kPlain;
  const PlacedLine* at = nullptr;
  try {
    std::vector<ProcessLines> processes = ReadJournals(sources);
    for (const ProcessLines& process : processes) {
      ProcessTape tape;
      for (const PlacedLine& placed : process.lines) {
        at = &placed;
        if (const auto* directive = std::get_if<ProcessDirective>(&placed.line)) {
          if (directive->named) tape.Mark();
        } else if (const auto* transcript = std::get_if<TranscriptLine>(&placed.line)) {
          tape.Line(transcript->text);
        } else if (const auto* statement = std::get_if<Statement>(&placed.line);
                   statement && std::holds_alternative<CallStatement>(*statement)) {
          tape.EndCall();
          tape.Call();
        }
      }
      tape.EndCall();
      tape.Draw(style, out);
    }
    out.flush();
    return 0;
  } catch (const JournalError& error) {
    out.flush();
    err << "kassivo: " << error.file << ':' << error.line << ": " << error.what() << '\n';
  } catch (const ScriptError& error) {
    out.flush();
    err << "kassivo: " << sources[at->file].name << ':' << at->number << ": " << error.what()
        << '\n';
  }
  return kExitScriptError;
}

}  // namespace kassivo::cli
