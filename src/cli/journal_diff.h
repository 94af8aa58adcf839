// The report `kassivo replay --compare` gives for a call whose transcript
// differs from the recorded one: only the lines that differ, each cut to a
// readable width around where it differs.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kassivo::cli {

// A recorded transcript line and its line number in the journal.
struct RecordedLine {
  int number = 0;
  std::string text;
};

// At most `width` characters of the UTF-8 `text` around the character at
// `column` (0-based, counted in characters): about half before it; "..."
// marks each side that was cut.
std::string Cut(std::string_view text, std::size_t column, std::size_t width);

// The first character (0-based) where `a` and `b` differ; the shorter one's
// length when one begins the other.
std::size_t FirstDifference(std::string_view a, std::string_view b);

// The lines between the common beginning and end of the two transcripts,
// paired up: "  line N, column C:" then "  - recorded" and "  + replayed",
// for at most kDiffLines pairs, then "  ... K more differing lines".
void ReportDifference(const std::vector<RecordedLine>& recorded,
                      const std::vector<std::string>& replayed, std::ostream& out);

}  // namespace kassivo::cli
