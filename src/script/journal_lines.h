// The lines of the call journal, in the session-script grammar
// (script.h) that `kassivo replay` reads back (journal_script.h):
//
//   :process                          a host process began writing
//   # Kassivo VERSION call journal, begun MOMENT
//   :number-format "D" "T"            the decimal and thousands separators
//   :registration NAME LITERAL        one value of the registration store
//                                     (text literal, or a DWORD as integer)
//   :strict on|off                    the strict mode in force (again before
//                                     a call whenever it changed)
// and, per call of component object N:
//   :object N                         when the object differs from the last
//                                     written, or is new in this file
//   # MOMENT object N                 the call's start
//   :clock MOMENT                     every clock reading the call made, in
//   :random N                         order; every random number, in order
//   METHOD LITERAL...                 the call: English name (#N outside the
//                                     table), the arguments as sent
//   = ...  [i] ...  M ...  B ...  L ...   its transcript (transcript.h)
// A CallAsProc is two comment lines ("# MOMENT object N CallAsProc" and
// "# CALL = S_OK"): the grammar has no statement for it, and it answers
// nothing. MOMENT is YYYY-MM-DDTHH:MM:SS.mmm (local time).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/value.h"
#include "platform/platform.h"
#include "script/moment.h"

namespace kassivo {

// Where one argument's literal lies in the call line: [begin, end).
struct LiteralSpan {
  std::size_t begin = 0;
  std::size_t end = 0;
};

// The call line: method and literals, appended to `out` (no newline); the
// span of every argument's literal in `out` into `spans`.
void AppendCallLine(std::int32_t method, const ArgumentArray& params, std::string& out,
                    std::vector<LiteralSpan>& spans);

// The header: ":process" (when `process_begins`), the comment with version
// and time, the separators, then the registration store's values in name
// order.
std::string HeaderLines(bool process_begins, const LocalDateTime& now, const NumberFormat& format,
                        const std::optional<StoredValues>& registration);

}  // namespace kassivo
