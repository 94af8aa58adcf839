// The statements of a session script, one per line.
//
//   blank line, or a comment: the first non-blank character is "#" followed
//   by a blank or the end of the line; a first line starting with "#!" (an
//   interpreter or options line) is a comment too
//   METHOD LITERAL...   a call: METHOD is a name FindMethod knows (English or
//                       Russian) or #N, "#" directly followed by a decimal
//                       32-bit integer (#-1 and #42 included); the argument
//                       array gets exactly one element per literal
//                       (literal_reader.h)
//   :object N           switch to component object N (a 32-bit integer)
//   :init               Init the current object again (a fresh device list)
//   :done               Done on the current object
//   :find NAME          FindMethod; NAME is one word or a text literal
//                       (:find " Open")
//   :strict on|off      switch the driver's strict mode on or off from the
//                       next call on (the process's option, as the receipt
//                       window's menu does)
//   :fault FAULTS         set faults from the next call on, as the process's
//                       faults are set from outside (device/faults.h):
//                       FAULTS is the rest of the line, e.g. "paper=out" or
//                       "clear"; a bad item is an error naming it
//   :clock YYYY-MM-DDTHH:MM:SS.mmm
//                       the clock answers this moment from the next call on,
//                       until another :clock (a date that exists)
//
// Directives print nothing in the transcript.
// An unknown method name, a bad reference, a bad literal, an unknown
// directive or a bad directive argument throws ScriptError.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "platform/platform.h"
#include "script/literal_reader.h"

namespace kassivo {

struct CallStatement {
  std::string written;  // the call as written, blanks around it removed
  std::int32_t method = 0;
  std::vector<Value> args;
};

struct FindStatement {
  std::string written;
  std::u16string name;
};

struct ObjectStatement {
  std::int32_t number = 1;
};

struct InitStatement {};
struct DoneStatement {};

struct StrictStatement {
  bool on = false;
};

struct FaultStatement {
  std::u16string spec;
};

struct ClockStatement {
  LocalDateTime moment;
};

using Statement = std::variant<CallStatement, FindStatement, ObjectStatement, InitStatement,
                               DoneStatement, StrictStatement, ClockStatement, FaultStatement>;

// The statement of one line (without its line break); nullopt for a blank
// line or a comment. `first_line` enables the "#!" comment.
std::optional<Statement> ParseStatement(std::string_view line, bool first_line,
                                        const FileLoader& load);

// A method reference: a name or #N.
std::int32_t ParseMethodReference(std::string_view token);

// A call given as separate words (the `kassivo call` command): each argument
// word is exactly one literal.
CallStatement ParseCallWords(std::string_view method, const std::vector<std::string>& args,
                             const FileLoader& load);

}  // namespace kassivo
