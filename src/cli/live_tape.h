// The receipts of a journal drawn as its lines come (`kassivo show
// --follow`), on a plain stream: nothing drawn is ever redrawn.
//
// Contract:
//  - documents are drawn in the order they begin in the journal, whatever
//    process printed them; each as `kassivo show` draws it (the same
//    frame, width and rows), but row by row: a document's top border and
//    rows are drawn when it begins, its new rows as later calls grow it.
//  - a box stays open (no bottom border) until another document begins or
//    Close is called: the tape of a single process, followed to the end
//    and closed, is exactly what `show` draws of the whole journal.
//  - a document that changes otherwise than by growing in its open box (a
//    closed one grows, an earlier row changes, a line is wider than the
//    frame) is drawn again whole in a new box, below.
//  - Draw(settled): draws what the lines fed since the last Draw changed.
//    Unless `settled`, the last call may still be coming in: a listing
//    shorter than what is drawn is taken as still being read.
//  - a tape line replay would refuse throws ScriptError (journal_documents.h).
#pragma once

#include <cstddef>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/box_tape_presenter.h"
#include "cli/journal_documents.h"
#include "cli/journal_reading.h"

namespace kassivo::cli {

class LiveTape {
 public:
  LiveTape(BoxTapePresenter::Style style, std::ostream& out) : style_(style), out_(out) {}

  void Line(const JournalRouter::Routed& routed, const JournalLine& line);
  void Draw(bool settled);
  void Close();

 private:
  struct Drawn {
    std::vector<TapeEntry> entries;  // of a current document
    bool drawn = false;
  };
  struct Process {
    ProcessDocuments documents;
    std::vector<Drawn> drawn;
    std::vector<std::size_t> kept;  // documents whose entries are kept
  };
  struct Open {
    std::size_t process;
    std::size_t document;
    std::size_t width;
  };

  void DrawDocument(std::size_t process, std::size_t index, bool settled);
  // Draws the document whole in a new box, left open.
  void Begin(std::size_t process, std::size_t index);
  void Rows(const TapeEntry* from, const TapeEntry* to);

  BoxTapePresenter::Style style_;
  std::ostream& out_;
  std::vector<Process> processes_;
  std::optional<Open> open_;
};

}  // namespace kassivo::cli
