// Presenters that show the receipt tape in the transcript.
//
// The session runner hands the tape to its presenter after every call that
// began a document or appended an entry. A presenter prints the whole current
// document:
//  - entries: one line per entry, "  B " + text literal for a banner and
//    "  L " + text literal for a line (exact, machine-comparable);
//  - box: the receipt drawn for people (box_tape_presenter.h);
//  - none: nothing (the runner then has no presenter).
#pragma once

#include <memory>
#include <ostream>

#include "tape/tape.h"

namespace kassivo::cli {

enum class TapeMode { kEntries, kBox, kNone };

class TapePresenter {
 public:
  virtual ~TapePresenter() = default;
  virtual void Present(const Tape& tape, std::ostream& out) = 0;
};

class EntriesTapePresenter : public TapePresenter {
 public:
  void Present(const Tape& tape, std::ostream& out) override;
};

// The presenter for a mode; null for kNone. `terminal` tells the box
// presenter that it may use terminal attributes.
std::unique_ptr<TapePresenter> MakeTapePresenter(TapeMode mode, bool terminal);

}  // namespace kassivo::cli
