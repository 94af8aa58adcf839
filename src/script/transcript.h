// The transcript of a session, as the kassivo host prints it on stdout and
// the call journal records it.
//
// For every call:
//   > CALL AS WRITTEN
//   = RESULT                 (followed by " S_FALSE" when CallAsFunc did not
//                             answer S_OK)
//     [i] ELEMENT            (every element of the argument array after the call)
//     M TEXT                 (every message-window text the call showed)
// then, when the call began a document or appended an entry, the tape (see
// tape_presenter.h; TapeEntries prints its exact form).
//
// Output literals are those a script can read back (literal_reader.h):
//  - text in double quotes; \ " CR LF TAB as \\ \" \r \n \t; every other
//    control character (U+0000..U+001F, U+007F..U+009F) and every lone
//    surrogate as \uXXXX with upper-case hex digits; all else as UTF-8;
//  - true / false; integers in decimal; empty;
//  - reals in the shortest form that reads back exactly, with ".0" appended
//    when that form has neither "." nor an exponent; a non-finite real (no
//    literal reads it back) as inf, -inf or nan.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "common/value.h"
#include "host/hresult.h"
#include "script/text_literal.h"
#include "tape/tape.h"

namespace kassivo {

std::string TextLiteral(std::u16string_view text);
std::string FormatLiteral(const Value& value);
// The same appended to `out` (AppendTextLiteral: text_literal.h).
void AppendLiteral(const Value& value, std::string& out);

// The transcript lines of TranscriptWriter (but the echo) appended to one
// string: the call journal formats a call's lines into one buffer.
class TranscriptText {
 public:
  explicit TranscriptText(std::string& out) : out_(out) {}

  void Result(const Value& result, HResult answer);
  void Elements(const ArgumentArray& args);
  void Messages(const std::vector<std::u16string>& texts);
  void TapeEntries(const Tape& tape);

 private:
  std::string& out_;
};

class TranscriptWriter {
 public:
  explicit TranscriptWriter(std::ostream& out) : out_(out) {}

  void Echo(std::string_view written);
  void Result(const Value& result, HResult answer);
  void Integer(std::int32_t value, HResult answer);
  void Elements(const ArgumentArray& args);
  void Messages(const std::vector<std::u16string>& texts);

  // The current document, one line per entry: "  B " + text literal for a
  // banner, "  L " + text literal for a line.
  void TapeEntries(const Tape& tape);

  std::ostream& stream() { return out_; }

 private:
  std::ostream& out_;
};

}  // namespace kassivo
