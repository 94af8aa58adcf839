// The emulated receipt tape: the current document as an ordered list of
// entries, and the primitives every document is printed with.
//
// Contract:
//  - BeginDocument clears the tape, shows the window and prints the banner
//    "ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ" and the line " ФФД 1.2", then the
//    notice set by SetNotice, if any, once (left-aligned, wrapped between
//    words over as many lines as it needs), clearing it.
//  - PrintLine pads (AlignLeft: spaces appended, AlignCenter: none, any other
//    value: spaces prepended) to the width, then cuts to the width.
//  - PrintSeparator prints a full-width line of "-" (dashed) or "=".
//  - PrintBanner appends its text unchanged.
//  - With WindowShowType 0 (the window hidden) nothing shows: the entries,
//    the revision, the window and the notice stay as they are, and the
//    document goes to a hidden tape of its own (hidden_entries()), which
//    only the call journal reads, so that its receipts can be drawn later.
//  - documents() and hidden_documents() count the documents begun on each.
// The width is the stored Size, capped at kMaxTapeWidth so a huge Size cannot
// exhaust memory; a Size of 0 or below makes every line empty.
//
// Presenters observe the tape through revision(), which changes whenever a
// document begins or an entry is appended.
//
// A new document reuses the entries, and the text memory, of the ones before
// it: hosts print thousands of documents in a row. The tape so keeps as much
// memory as its longest document needed.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "tape/receipt_window.h"

namespace kassivo {

enum Alignment : std::uint8_t { AlignLeft = 0, AlignRight = 1, AlignCenter = 2 };

struct TapeEntry {
  enum class Kind { kLine, kBanner };
  Kind kind = Kind::kLine;
  std::u16string text;
  std::uint8_t alignment = AlignCenter;  // as printed; banners are centred
  bool operator==(const TapeEntry&) const = default;
};

inline constexpr std::int32_t kMaxTapeWidth = 1024;

// `count` spaces, at most kMaxTapeWidth of them, to pad lines with by copying.
std::u16string_view PaddingSpaces(std::size_t count);

// The two settings the tape follows, read at each print: the width (Size)
// and WindowShowType. Both live in the driver's settings, which the tape
// only borrows.
struct TapeSettings {
  const std::int32_t& size;
  const std::int32_t& show_type;
};

class Tape {
 public:
  explicit Tape(TapeSettings settings) : settings_(settings) {}

  void BeginDocument();
  void PrintLine(std::u16string_view text, std::uint8_t alignment);
  void PrintBanner(std::u16string_view text);
  void PrintSeparator(bool dashed);
  // A line for the next document only (the driver's word about itself, as
  // "the call journal was switched off"); empty: none.
  void SetNotice(std::u16string text) { notice_ = std::move(text); }

  // The line the receipt window shows under the tape: why the device
  // refused the last call it refused (a fault); empty: none. Changing it
  // changes status_revision(), not revision().
  void SetStatus(std::u16string text) {
    if (text == status_) return;
    status_ = std::move(text);
    ++status_revision_;
  }
  const std::u16string& status() const { return status_; }
  std::uint64_t status_revision() const { return status_revision_; }

  // The width used for padding, cutting and separators.
  std::int32_t Width() const;

  std::span<const TapeEntry> entries() const { return shown_.entries(); }
  std::uint64_t revision() const { return shown_.revision; }
  // The last document printed while the window was hidden, and how often
  // that tape changed.
  std::span<const TapeEntry> hidden_entries() const { return hidden_.entries(); }
  std::uint64_t hidden_revision() const { return hidden_.revision; }
  std::uint64_t documents() const { return shown_.begun; }
  std::uint64_t hidden_documents() const { return hidden_.begun; }
  ReceiptWindow& window() { return window_; }
  const ReceiptWindow& window() const { return window_; }

 private:
  // One tape's current document.
  struct Document {
    std::vector<TapeEntry> kept;  // the first count are the document's
    std::size_t count = 0;
    std::uint64_t revision = 0;
    std::uint64_t begun = 0;
    std::span<const TapeEntry> entries() const { return {kept.data(), count}; }
    // The next entry, whose text keeps the memory of an earlier document's.
    TapeEntry& Append(TapeEntry::Kind kind, std::uint8_t alignment);
  };

  bool Silent() const;
  Document& Target() { return Silent() ? hidden_ : shown_; }

  TapeSettings settings_;
  Document shown_;
  Document hidden_;
  std::u16string notice_;
  std::u16string status_;
  std::uint64_t status_revision_ = 0;
  ReceiptWindow window_;
};

}  // namespace kassivo
