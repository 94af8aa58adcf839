// Reading the argument literals of session scripts.
//
// A literal is one blank-separated token of a script line (blanks are spaces
// and tabs):
//
//   "..."      text. Escapes: \\ \" \r \n \t and \uXXXX (exactly four hex
//              digits, one UTF-16 unit, so a lone surrogate can be written).
//              Every other character stands for itself; the script is UTF-8.
//   true false booleans
//   [+-]DIGITS an integer; it must fit 32 signed bits. A number outside that
//              range is a script error, not a real: write 2147483648.0 for
//              the real.
//   [+-]DIGITS with "." or an exponent ("2.5", "1.", ".5", "1e3", "1E-07")
//              a real; it must be finite once read.
//   empty      the empty value
//   @PATH      the content of the file PATH as text; the content must be
//              UTF-8 (PATH is resolved by the loader, normally against the
//              script's folder).
//
// Everything that is not one of these forms throws ScriptError with a message
// for people; the caller adds the line number.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "common/value.h"

namespace kassivo {

class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Gives the bytes of the file that a @PATH literal names, or nullopt when it
// cannot be read.
using FileLoader = std::function<std::optional<std::string>(const std::string& path)>;

inline bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

// Splits a script line into its blank-separated tokens. A token that starts
// with a double quote runs to the matching closing quote (blanks inside it
// included) and must be followed by a blank or the end of the line.
std::vector<std::string_view> SplitTokens(std::string_view line);

// The token between single quotes for an error message: at most its first
// 80 bytes (whole characters), then "..." and its size.
std::string Quoted(std::string_view token);

// Reads one token as a literal.
Value ReadLiteral(std::string_view token, const FileLoader& load);

// Reads "[+-]DIGITS" as a 32-bit integer; nullopt when the token has another
// form. Throws ScriptError when it has this form but does not fit 32 bits.
std::optional<std::int32_t> ReadInteger(std::string_view token);

// True when `bytes` is well-formed UTF-8.
bool IsValidUtf8(std::string_view bytes);

}  // namespace kassivo
