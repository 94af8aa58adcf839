#include "host/window/receipt_layout.h"

#include <algorithm>
#include <utility>

namespace kassivo {

namespace {

bool IsHighSurrogate(char16_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLowSurrogate(char16_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// The length of the character starting at `pos`: 2 for a surrogate pair.
std::size_t CharLength(std::u16string_view text, std::size_t pos) {
  return IsHighSurrogate(text[pos]) && pos + 1 < text.size() && IsLowSurrogate(text[pos + 1]) ? 2
                                                                                              : 1;
}

}  // namespace

std::vector<std::pair<std::uint32_t, std::uint32_t>> WrapWords(std::u16string_view text, int width,
                                                               const Measure& measure) {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> pieces;
  const std::size_t n = text.size();
  std::size_t pos = 0;
  while (true) {
    // Spaces where a row breaks belong to no row.
    if (!pieces.empty()) {
      while (pos < n && text[pos] == u' ') ++pos;
      if (pos == n) break;
    }
    const std::size_t start = pos;
    std::size_t end = pos;
    int used = 0;
    while (end < n) {
      // The next token: the spaces before a word and the word.
      std::size_t word = end;
      while (word < n && text[word] == u' ') ++word;
      std::size_t word_end = word;
      while (word_end < n && text[word_end] != u' ') ++word_end;
      const int token = measure(text.substr(end, word_end - end));
      if (used + token <= width) {
        used += token;
        end = word_end;
        continue;
      }
      if (end == start) {
        // A token wider than the window on a row of its own: break it
        // between characters, at least one character a row.
        end += CharLength(text, end);
        used = measure(text.substr(start, end - start));
        while (end < n) {
          const std::size_t next = end + CharLength(text, end);
          const int w = measure(text.substr(end, next - end));
          if (used + w > width) break;
          used += w;
          end = next;
        }
      }
      break;
    }
    pieces.emplace_back(static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start));
    pos = end;
    if (pos == n) break;
  }
  return pieces;
}

ReceiptLayout::ReceiptLayout(int row_height, Measure measure)
    : row_height_(std::max(1, row_height)), measure_(std::move(measure)) {}

void ReceiptLayout::Clear() {
  entries_.clear();
  rows_.clear();
}

void ReceiptLayout::Append(TapeEntry entry) {
  entries_.push_back(std::move(entry));
  LayOut(static_cast<std::uint32_t>(entries_.size() - 1));
}

void ReceiptLayout::SetWidth(int client_width) {
  if (client_width == width_) return;
  width_ = client_width;
  const bool any_banner = std::any_of(entries_.begin(), entries_.end(), [](const TapeEntry& e) {
    return e.kind == TapeEntry::Kind::kBanner;
  });
  if (!any_banner) return;
  rows_.clear();
  for (std::uint32_t i = 0; i < entries_.size(); ++i) LayOut(i);
}

void ReceiptLayout::LayOut(std::uint32_t index) {
  const TapeEntry& entry = entries_[index];
  if (entry.kind == TapeEntry::Kind::kLine) {
    rows_.push_back({index, 0, static_cast<std::uint32_t>(entry.text.size()), false});
    return;
  }
  for (const auto& [start, length] : WrapWords(entry.text, width_, measure_)) {
    rows_.push_back({index, start, length, true});
  }
}

std::u16string_view ReceiptLayout::RowText(std::size_t row) const {
  const ReceiptRow& r = rows_[row];
  return std::u16string_view(entries_[r.entry].text).substr(r.start, r.length);
}

RowRange ReceiptLayout::VisibleRows(int scroll, int top, int bottom) const {
  const long long from = static_cast<long long>(scroll) + top;
  const long long to = static_cast<long long>(scroll) + bottom;
  if (to <= from || to <= 0) return {};
  const auto count = static_cast<long long>(rows_.size());
  const long long first = std::clamp<long long>(from / row_height_, 0, count);
  const long long last = std::clamp<long long>((to + row_height_ - 1) / row_height_, 0, count);
  return {static_cast<std::size_t>(first), static_cast<std::size_t>(std::max(first, last))};
}

int ScrollTarget(ScrollRequest request, int current, int value, int line, int page,
                 int content_height) {
  const int max_position = std::max(0, content_height - page);
  long long target = current;
  switch (request) {
    case ScrollRequest::kLineUp:
      target = static_cast<long long>(current) - line;
      break;
    case ScrollRequest::kLineDown:
      target = static_cast<long long>(current) + line;
      break;
    case ScrollRequest::kPageUp:
      target = static_cast<long long>(current) - std::max(line, page);
      break;
    case ScrollRequest::kPageDown:
      target = static_cast<long long>(current) + std::max(line, page);
      break;
    case ScrollRequest::kTop:
      target = 0;
      break;
    case ScrollRequest::kBottom:
      target = max_position;
      break;
    case ScrollRequest::kTo:
      target = value;
      break;
    case ScrollRequest::kBy:
      target = static_cast<long long>(current) + value;
      break;
  }
  return static_cast<int>(std::clamp<long long>(target, 0, max_position));
}

}  // namespace kassivo
