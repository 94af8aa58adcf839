// The lines of the call journal, in the session-script grammar
// (script.h) that `kassivo replay` reads back (journal_script.h). Several
// host processes may write one journal; every process's lines name it.
//
// A header, when a process begins writing, or begins writing in another
// file (the journal rotated, or was deleted or moved):
//   :process PID START "PROGRAM"      a host process began: its id, the
//                                     moment it began writing, its program
//   :continues PID START "PROGRAM"    the same process, going on from an
//                                     earlier file
//   # Kassivo VERSION call journal, begun|continued MOMENT
//   :number-format "D" "T"            the decimal and thousands separators
//   :registration NAME LITERAL        one value of the registration store
//                                     (text literal, or a DWORD as integer)
//   :strict on|off                    the strict mode in force (again before
//                                     a call whenever it changed)
//   :journal "PATH"                   the journal's file (GetDescription
//                                     reports it while it is written)
//   :state ...                        after ":continues" only: the state the
//                                     process had (process_snapshot.h)
// and, per call of component object N:
//   :from PID                         the process the lines below belong to
//   :registration-reset               the registration store was found
//   :registration NAME LITERAL        changed (another process wrote it):
//                                     its values as this call read them
//   :object N                         the object (created and Init'ed by
//                                     replay when the process has no such)
//   # MOMENT object N                 the call's start
//   :clock MOMENT                     every clock reading the call made, in
//   :random N                         order; every random number, in order
//   METHOD LITERAL...                 the call: English name (#N outside the
//                                     table), the arguments as sent
//   = ...  [i] ...  M ...  B ...  L ...   its transcript (transcript.h)
//   D WIDTH [hidden]                  a document began in the call, WIDTH
//                                     columns wide; "hidden": printed with
//                                     the window hidden, its lines as
//   b ...  l ...                      banners and lines
// A CallAsProc is two comment lines ("# MOMENT object N CallAsProc" and
// "# CALL = S_OK"): the grammar has no statement for it, and it answers
// nothing. MOMENT is YYYY-MM-DDTHH:MM:SS.mmm (local time). Init and Done of
// an object are ":from PID", ":object N" and ":init" or ":done".
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

struct JournalHeader {
  bool process_begins = true;  // ":process", or ":continues"
  const ProcessIdentity& process;
  LocalDateTime start;  // when the process began writing
  LocalDateTime now;
  const NumberFormat& format;
  const std::optional<StoredValues>& registration;
};

// The header up to the registration store's values, in name order.
std::string HeaderLines(const JournalHeader& header);
// ":registration NAME LITERAL" for each value (values of other types left
// out).
void AppendRegistrationLines(const std::optional<StoredValues>& registration, std::string& out);
// ":from PID\n".
void AppendFromLine(std::uint64_t process, std::string& out);

}  // namespace kassivo
