// The rows of the receipt window, computed without touching the window.
//
// ReceiptLayout keeps a copy of the document's entries and lays them out in
// rows of one fixed height:
//  - a line entry is one row, never wrapped (what does not fit is clipped);
//  - a banner entry is word-wrapped to the client width, one row per wrapped
//    piece (at least one row, even for an empty text). A word wider than the
//    window is broken between characters so no text is lost;
//  - every row is centred horizontally: CentredLeft gives its left edge.
// Row i starts at y = i * row_height, so the rows visible in a band of the
// client area are found by division, not by a search: painting a 10,000-line
// document costs as much as painting a short one.
//
// ScrollTarget turns a scroll-bar or wheel request into a new scroll
// position, kept within [0, content height - page height].
//
// Text widths come from a Measure function (the window's font on Windows, a
// fixed width per character in tests). Widths are summed word by word, which
// is exact for the window's monospaced font.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

#include "tape/tape.h"

namespace kassivo {

struct ReceiptRow {
  std::uint32_t entry = 0;   // index into entries()
  std::uint32_t start = 0;   // first UTF-16 unit of the entry's text shown on this row
  std::uint32_t length = 0;  // units shown on this row
  bool banner = false;
  bool operator==(const ReceiptRow&) const = default;
};

// The rows [first, last) of a band of the client area.
struct RowRange {
  std::size_t first = 0;
  std::size_t last = 0;
  bool operator==(const RowRange&) const = default;
};

// The pieces (start, length) of a banner text wrapped to `width` pixels.
using Measure = std::function<int(std::u16string_view)>;
std::vector<std::pair<std::uint32_t, std::uint32_t>> WrapWords(std::u16string_view text, int width,
                                                               const Measure& measure);

class ReceiptLayout {
 public:
  ReceiptLayout(int row_height, Measure measure);

  // Starts an empty document.
  void Clear();
  // Adds an entry at the bottom.
  void Append(TapeEntry entry);
  // Sets the client width and re-wraps the banners when it changed.
  void SetWidth(int client_width);

  int row_height() const { return row_height_; }
  int width() const { return width_; }
  const std::vector<TapeEntry>& entries() const { return entries_; }
  const std::vector<ReceiptRow>& rows() const { return rows_; }
  std::u16string_view RowText(std::size_t row) const;
  int content_height() const { return static_cast<int>(rows_.size()) * row_height_; }

  // The rows that intersect the band [top, bottom) of the client area when
  // the content is scrolled by `scroll` pixels.
  RowRange VisibleRows(int scroll, int top, int bottom) const;
  int RowTop(std::size_t row, int scroll) const {
    return static_cast<int>(row) * row_height_ - scroll;
  }

  static int CentredLeft(int text_width, int client_width) {
    return (client_width - text_width) / 2;
  }

 private:
  void LayOut(std::uint32_t index);

  int row_height_;
  Measure measure_;
  int width_ = 0;
  std::vector<TapeEntry> entries_;
  std::vector<ReceiptRow> rows_;
};

// A scroll request: kTo moves to the position `value` (the thumb), kBy moves
// by `value` pixels (the wheel); the others ignore `value`.
enum class ScrollRequest { kLineUp, kLineDown, kPageUp, kPageDown, kTop, kBottom, kTo, kBy };

// The scroll position after a request, for rows `line` pixels high and a
// client area `page` pixels high.
int ScrollTarget(ScrollRequest request, int current, int value, int line, int page,
                 int content_height);

}  // namespace kassivo
