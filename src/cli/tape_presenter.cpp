#include "cli/tape_presenter.h"

#include "cli/box_tape_presenter.h"
#include "script/transcript.h"

namespace kassivo::cli {

void EntriesTapePresenter::Present(const Tape& tape, std::ostream& out) {
  TranscriptWriter(out).TapeEntries(tape);
}

std::unique_ptr<TapePresenter> MakeTapePresenter(TapeMode mode, bool terminal) {
  switch (mode) {
    case TapeMode::kEntries:
      return std::make_unique<EntriesTapePresenter>();
    case TapeMode::kBox:
      return std::make_unique<BoxTapePresenter>(terminal ? BoxTapePresenter::Style::kTerminal
                                                         : BoxTapePresenter::Style::kPlain);
    case TapeMode::kNone:
      return nullptr;
  }
  return nullptr;
}

}  // namespace kassivo::cli
