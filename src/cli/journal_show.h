// `kassivo show FILE`: the documents of a call journal drawn as receipts
// (box_tape_presenter.h), without replaying: the day's tape.
//
// The journal records the whole current document after each call that
// printed; a listing that begins with the one before it is the same document
// grown, so each document is drawn once, when the next one begins or the
// journal ends. Line alignment is not recorded: full-width lines fill the
// box and shorter ones are centred. Reads the journal's grammar
// (journal_script.h) with the same errors; 0 when read to the end.
#pragma once

#include <istream>
#include <ostream>
#include <string>

namespace kassivo::cli {

int ShowJournal(std::istream& in, const std::string& name, bool terminal, std::ostream& out,
                std::ostream& err);

}  // namespace kassivo::cli
