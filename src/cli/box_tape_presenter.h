// The receipt drawn for people: the terminal presenter of --tape=box.
//
// The current document is drawn in a frame around a column as wide as the
// tape (Tape::Width(); wider only when an entry printed under an earlier,
// larger Size is longer), indented by two spaces like the transcript's
// element lines:
//  - lines are shown as stored: AlignLeft lines start at the column's left
//    edge, AlignCenter lines are centred (the spare width split with the
//    extra space on the right), lines of any other alignment end at the
//    right edge; padded lines fill the column as they are;
//  - banners are word-wrapped to the column (a word longer than the column
//    is broken), each row centred, and marked: in reverse video on a
//    terminal, between the markers "▐" and "▌" otherwise;
//  - a control character in a text is shown as its visible picture
//    (U+2400..U+2421, U+FFFD for C1 controls) so a text from the host can
//    never drive the terminal.
// Widths count UTF-16 units (a Cyrillic letter is one column).
#pragma once

#include <span>
#include <string>
#include <vector>

#include "cli/tape_presenter.h"

namespace kassivo::cli {

class BoxTapePresenter : public TapePresenter {
 public:
  enum class Style { kPlain, kTerminal };

  explicit BoxTapePresenter(Style style) : style_(style) {}
  void Present(const Tape& tape, std::ostream& out) override;

  // The rows of the drawing, without line breaks.
  static std::vector<std::string> Draw(const Tape& tape, Style style);
  // The same for entries kept apart from a tape, `tape_width` wide.
  static std::vector<std::string> Draw(std::span<const TapeEntry> entries, std::int32_t tape_width,
                                       Style style);

  // The pieces Draw is made of, for a drawing that grows: the column's
  // width for `entries` on a tape `tape_width` wide, the frame's top and
  // bottom rows, and the rows of one entry (appended to `rows`).
  static std::size_t ColumnWidth(std::span<const TapeEntry> entries, std::int32_t tape_width);
  static std::string Top(std::size_t width);
  static std::string Bottom(std::size_t width);
  static void AddRows(const TapeEntry& entry, std::size_t width, Style style,
                      std::vector<std::string>& rows);

 private:
  Style style_;
};

// The banner text cut into rows of at most `width` units at spaces; a word
// longer than `width` is broken (never inside a surrogate pair). At least
// one row (WrapWords).
std::vector<std::u16string> WrapBanner(std::u16string_view text, std::size_t width);

}  // namespace kassivo::cli
