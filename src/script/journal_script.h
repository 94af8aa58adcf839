// The call journal's lines (journal/journal_lines.h) as `kassivo replay`
// and `kassivo show` read them: the session-script grammar (script.h) plus
//
//   :process [PID START PROGRAM]  a fresh driver process begins (a journal
//                              written before processes were named has
//                              no values)
//   :continues PID START PROGRAM  a process of an earlier file goes on; the
//                              header lines and ":state" lines after it
//                              describe it for a replay that begins here
//   :from PID                  the lines up to the next ":from" belong to
//                              the last process of that id
//   :journal "PATH"            the journal the process was writing (what
//                              its GetDescription answered)
//   :registration-reset        the process's store is emptied (the
//                              ":registration" lines after it fill it)
//   :state NAME VALUE...       (process_snapshot.h)
//   :registration NAME LITERAL a value of the new process's registration
//                              store: a text literal, or an integer (DWORD)
//   :number-format "D" "T"     its decimal and thousands separators
//   :clock MOMENT              (script.h) here a clock reading
//   :random N                  a random number 0..999
//   = ...                      the recorded transcript of the call above:
//   "  " + anything            its result line, then its element, message
//                              and tape lines; "  D ", "  b ", "  l " lines
//                              are the journal's own (where documents
//                              begin; documents printed with the window
//                              hidden), never compared
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

struct ProcessDirective {
  bool continues = false;
  bool named = false;  // the values below were given
  std::uint64_t id = 0;
  LocalDateTime start;
  std::u16string program;
};
struct FromDirective {
  std::uint64_t id = 0;
};
struct RegistrationResetDirective {};
struct JournalDirective {
  std::u16string path;
};
struct StateDirective {
  std::vector<std::string> tokens;  // after ":state"
};
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

using JournalLine = std::variant<Statement, ProcessDirective, FromDirective, RegistrationDirective,
                                 RegistrationResetDirective, JournalDirective, StateDirective,
                                 NumberFormatDirective, RandomNumber, TranscriptLine>;

// Whether a transcript line is one of the journal's own, never compared.
inline bool IsJournalOnlyLine(std::string_view line) {
  return line.starts_with("  D ") || line.starts_with("  b ") || line.starts_with("  l ");
}

// The line (without its line break, a CR at its end dropped); nullopt for a
// blank line or a comment.
std::optional<JournalLine> ParseJournalLine(std::string_view line, bool first_line);

}  // namespace kassivo
