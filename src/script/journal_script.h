// The call journal's lines (journal/journal_lines.h) as `kassivo replay`
// and `kassivo show` read them: the session-script grammar (script.h) plus
//
//   :process                   a fresh driver process begins
//   :registration NAME LITERAL a value of the new process's registration
//                              store: a text literal, or an integer (DWORD)
//   :number-format "D" "T"     its decimal and thousands separators
//   :clock MOMENT              (script.h) here a clock reading
//   :random N                  a random number 0..999
//   = ...                      the recorded transcript of the call above:
//   "  " + anything            its result line, then its element, message
//                              and tape lines
//
// Readings and numbers: those written before a call line are the call's own
// and the call takes them in order, one per reading; once they are used up
// the clock stays at the last reading and the random numbers come from a
// generator seeded with 1. What a call left unused is dropped after it.
// Every other line is a statement of script.h; a bad one throws ScriptError.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/platform.h"
#include "script/script.h"

namespace kassivo {

struct ProcessDirective {};
struct RegistrationDirective {
  std::u16string name;
  StoredValue value;
};
struct NumberFormatDirective {
  NumberFormat format;
};
struct RandomNumber {
  int number = 0;
};
struct TranscriptLine {
  std::string text;
};

using JournalLine = std::variant<Statement, ProcessDirective, RegistrationDirective,
                                 NumberFormatDirective, RandomNumber, TranscriptLine>;

// The line (without its line break, a CR at its end dropped); nullopt for a
// blank line or a comment.
std::optional<JournalLine> ParseJournalLine(std::string_view line, bool first_line);

}  // namespace kassivo
