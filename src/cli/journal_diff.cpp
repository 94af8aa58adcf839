#include "cli/journal_diff.h"

#include <algorithm>

#include "cli/journal_replay.h"

namespace kassivo::cli {

namespace {

bool IsContinuation(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The byte where character number `n` begins (the size when there are fewer).
std::size_t ByteOf(std::string_view text, std::size_t n) {
  std::size_t at = 0;
  for (; at < text.size(); ++at) {
    if (IsContinuation(text[at])) continue;
    if (n == 0) return at;
    --n;
  }
  return text.size();
}

std::size_t Characters(std::string_view text) {
  return static_cast<std::size_t>(
      std::count_if(text.begin(), text.end(), [](char c) { return !IsContinuation(c); }));
}

}  // namespace

std::string Cut(std::string_view text, std::size_t column, std::size_t width) {
  const std::size_t length = Characters(text);
  if (length <= width) return std::string(text);
  std::size_t first = column > width / 2 ? column - width / 2 : 0;
  first = std::min(first, length - width);
  const std::size_t begin = ByteOf(text, first);
  const std::size_t end = ByteOf(text, first + width);
  std::string out = begin > 0 ? "..." : "";
  out += text.substr(begin, end - begin);
  if (end < text.size()) out += "...";
  return out;
}

std::size_t FirstDifference(std::string_view a, std::string_view b) {
  const auto [left, right] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  std::size_t byte = static_cast<std::size_t>(left - a.begin());
  // Back to the start of the character that differs.
  while (byte > 0 && byte < a.size() && IsContinuation(a[byte])) --byte;
  return Characters(a.substr(0, byte));
}

void ReportDifference(const std::vector<RecordedLine>& recorded,
                      const std::vector<std::string>& replayed, std::ostream& out) {
  std::size_t head = 0;
  while (head < recorded.size() && head < replayed.size() &&
         recorded[head].text == replayed[head]) {
    ++head;
  }
  std::size_t tail = 0;
  while (tail < recorded.size() - head && tail < replayed.size() - head &&
         recorded[recorded.size() - 1 - tail].text == replayed[replayed.size() - 1 - tail]) {
    ++tail;
  }
  const std::size_t recorded_end = recorded.size() - tail;
  const std::size_t replayed_end = replayed.size() - tail;
  const std::size_t pairs = std::max(recorded_end, replayed_end) - head;
  for (std::size_t k = 0; k < pairs && k < kDiffLines; ++k) {
    const std::size_t i = head + k;
    const bool has_recorded = i < recorded_end;
    const bool has_replayed = i < replayed_end;
    const std::string_view left = has_recorded ? std::string_view(recorded[i].text) : "";
    const std::string_view right = has_replayed ? std::string_view(replayed[i]) : "";
    const std::size_t column = FirstDifference(left, right);
    if (has_recorded) {
      out << "  line " << recorded[i].number << ", column " << column + 1 << ":\n";
      out << "  - " << Cut(left, column, kShownColumns) << '\n';
    } else {
      out << "  (not recorded):\n";
    }
    if (has_replayed) out << "  + " << Cut(right, column, kShownColumns) << '\n';
  }
  if (pairs > kDiffLines) out << "  ... " << pairs - kDiffLines << " more differing lines\n";
}

}  // namespace kassivo::cli
