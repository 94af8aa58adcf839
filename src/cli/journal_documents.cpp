#include "cli/journal_documents.h"

#include <algorithm>

#include "script/literal_reader.h"
#include "script/script.h"

namespace kassivo::cli {

void ProcessDocuments::Line(const JournalLine& line) {
  if (const auto* directive = std::get_if<ProcessDirective>(&line)) {
    if (directive->named) marked_ = true;
  } else if (const auto* transcript = std::get_if<TranscriptLine>(&line)) {
    TapeLine(transcript->text);
  } else if (const auto* statement = std::get_if<Statement>(&line);
             statement && std::holds_alternative<CallStatement>(*statement)) {
    EndCall();
    Call();
  }
}

std::vector<std::size_t> ProcessDocuments::Touched() {
  std::vector<std::size_t> touched(touched_.begin(), touched_.end());
  touched_.clear();
  return touched;
}

bool ProcessDocuments::IsCurrent(std::size_t index) const {
  if (!marked_) return index + 1 == documents_.size();
  return index == shown_ || index == hidden_;
}

void ProcessDocuments::Release(std::size_t index) {
  if (IsCurrent(index)) return;
  documents_[index].entries = {};
}

void ProcessDocuments::Call() {
  shown_listing_ = false;
  hidden_listing_ = false;
  legacy_listing_.clear();
}

void ProcessDocuments::TapeLine(const std::string& text) {
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
  TapeEntry entry{banner ? TapeEntry::Kind::kBanner : TapeEntry::Kind::kLine, literal.text(),
                  AlignCenter};
  if (!marked_) {
    legacy_listing_.push_back(std::move(entry));
    return;
  }
  JournalDocument& document =
      Current(hidden ? hidden_ : shown_, hidden ? hidden_listing_ : shown_listing_);
  document.entries.push_back(std::move(entry));
}

void ProcessDocuments::EndCall() {
  if (marked_ || legacy_listing_.empty()) return;
  const bool grows = !documents_.empty() &&
                     legacy_listing_.size() >= documents_.back().entries.size() &&
                     std::equal(documents_.back().entries.begin(), documents_.back().entries.end(),
                                legacy_listing_.begin());
  if (!grows) documents_.emplace_back();
  documents_.back().entries = std::move(legacy_listing_);
  legacy_listing_.clear();
  touched_.insert(documents_.size() - 1);
}

void ProcessDocuments::Begin(const std::string& text) {
  marked_ = true;
  const std::vector<std::string_view> tokens = SplitTokens(std::string_view(text).substr(4));
  const std::optional<std::int32_t> width = tokens.empty() ? std::nullopt : ReadInteger(tokens[0]);
  const bool hidden = tokens.size() == 2 && tokens[1] == "hidden";
  if (!width || tokens.size() > 2 || (tokens.size() == 2 && !hidden)) {
    throw ScriptError("a document mark needs its width (and \"hidden\")");
  }
  documents_.push_back({{}, *width});
  (hidden ? hidden_ : shown_) = documents_.size() - 1;
  (hidden ? hidden_listing_ : shown_listing_) = true;
  touched_.insert(documents_.size() - 1);
}

// The document a call's listing goes to: the one it began, or the last one
// of its tape, whose listing it replaces.
JournalDocument& ProcessDocuments::Current(std::optional<std::size_t>& index, bool& listing) {
  if (!index) {
    documents_.emplace_back();
    index = documents_.size() - 1;
    listing = true;
  }
  JournalDocument& document = documents_[*index];
  if (!listing) {
    document.entries.clear();
    listing = true;
  }
  touched_.insert(*index);
  return document;
}

}  // namespace kassivo::cli
