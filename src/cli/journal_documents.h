// The documents of one host process's journal lines (journal_reading.h), as
// `kassivo show` draws them: fed the process's lines in order, it keeps
// each document's entries and tape width.
//
// Contract:
//  - "  D WIDTH [hidden]" begins a document; the tape lines of a call
//    ("  B "/"  L " shown, "  b "/"  l " hidden) are the whole current
//    document of that tape after the call, so they replace its entries; a
//    listing with no document begun on its tape begins one (of width 1).
//  - a journal written before documents were marked (no named ":process"
//    and no mark): a call's listing that begins with the last document's
//    entries is that document grown, any other begins one, and the width is
//    the longest line's (taken by the drawing).
//  - only current documents change (IsCurrent); a reader that keeps what
//    it needs of the others may Release them.
//  - Touched() names the documents begun or changed since it was last
//    asked, oldest first: a drawing that grows reads only those.
//  - a tape line without a text literal, or a bad mark, throws ScriptError.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "cli/journal_reading.h"
#include "tape/tape.h"

namespace kassivo::cli {

struct JournalDocument {
  std::vector<TapeEntry> entries;
  std::int32_t width = 1;
};

class ProcessDocuments {
 public:
  // One routed line of the process.
  void Line(const JournalLine& line);
  // The last call's listing of a journal without marks is taken only when
  // the next call begins, or here, at the end of the lines.
  void Finish() { EndCall(); }

  const std::vector<JournalDocument>& documents() const { return documents_; }
  std::vector<std::size_t> Touched();
  // A document whose entries can still change: the last one begun on
  // either tape (the last one, in a journal without marks).
  bool IsCurrent(std::size_t index) const;
  // Frees the entries of a document that is no longer current.
  void Release(std::size_t index);

 private:
  void Call();
  void TapeLine(const std::string& text);
  void EndCall();
  void Begin(const std::string& text);
  JournalDocument& Current(std::optional<std::size_t>& index, bool& listing);

  bool marked_ = false;
  std::vector<JournalDocument> documents_;
  std::optional<std::size_t> shown_;
  std::optional<std::size_t> hidden_;
  bool shown_listing_ = false;
  bool hidden_listing_ = false;
  std::vector<TapeEntry> legacy_listing_;
  std::set<std::size_t> touched_;
};

}  // namespace kassivo::cli
