// `kassivo show FILE...`: the documents of a call journal drawn as receipts
// (box_tape_presenter.h), without replaying: the day's tape. The files are
// read as `kassivo replay` reads them (journal_reading.h), each host process
// in turn.
//
// The journal records where each document begins ("  D WIDTH") and the
// whole current document after each call that printed, so each document is
// drawn once, at its width, as `kassivo run --tape=box` draws it after the
// document's last call; a listing without its own beginning is the document
// before it grown. Documents printed while the host hid the window are
// recorded too ("  D WIDTH hidden"), and drawn all the same. A journal
// written before documents were marked is drawn as well as it can be: a
// listing that begins with the one before it is that document grown, and
// the width is the longest line's.
// The result: 0 when read to the end; kExitScriptError with "FILE:LINE:
// message" on `err` for a journal replay would refuse.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "cli/journal_reading.h"

namespace kassivo::cli {

int ShowJournals(const std::vector<JournalSource>& sources, bool terminal, std::ostream& out,
                 std::ostream& err);
inline int ShowJournal(std::istream& in, const std::string& name, bool terminal, std::ostream& out,
                       std::ostream& err) {
  return ShowJournals({{name, &in}}, terminal, out, err);
}

}  // namespace kassivo::cli
