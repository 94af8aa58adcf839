#include "script/literal_reader.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "common/text.h"

namespace kassivo {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The index of the quote that closes the text literal opening at `start`,
// or npos.
std::size_t ClosingQuote(std::string_view line, std::size_t start) {
  for (std::size_t i = start + 1; i < line.size(); ++i) {
    if (line[i] == '\\') {
      ++i;
    } else if (line[i] == '"') {
      return i;
    }
  }
  return std::string_view::npos;
}

std::u16string ReadText(std::string_view token) {
  if (token.size() < 2 || token.back() != '"' || ClosingQuote(token, 0) != token.size() - 1) {
    throw ScriptError("unterminated text literal " + Quoted(token));
  }
  const std::string_view body = token.substr(1, token.size() - 2);
  std::u16string text;
  std::size_t run = 0;  // start of the plain run not yet converted
  auto flush = [&](std::size_t end) {
    const std::string_view plain = body.substr(run, end - run);
    if (!IsValidUtf8(plain)) throw ScriptError("text literal is not valid UTF-8");
    text += FromUtf8(plain);
  };
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i] != '\\') continue;
    flush(i);
    const char escape = i + 1 < body.size() ? body[i + 1] : '\0';
    switch (escape) {
      case '\\':
        text += u'\\';
        break;
      case '"':
        text += u'"';
        break;
      case 'r':
        text += u'\r';
        break;
      case 'n':
        text += u'\n';
        break;
      case 't':
        text += u'\t';
        break;
      case 'u': {
        unsigned unit = 0;
        for (std::size_t k = i + 2; k < i + 6; ++k) {
          const int digit = k < body.size() ? HexDigit(body[k]) : -1;
          if (digit < 0) {
            throw ScriptError("\\u needs four hexadecimal digits in " + Quoted(token));
          }
          unit = unit * 16 + static_cast<unsigned>(digit);
        }
        text += static_cast<char16_t>(unit);
        i += 4;
        break;
      }
      default:
        throw ScriptError("unknown escape \\" + std::string(1, escape) + " in " + Quoted(token));
    }
    ++i;
    run = i + 1;
  }
  flush(body.size());
  return text;
}

// [+-] then (DIGITS [. DIGITS*] | . DIGITS) then [(e|E) [+-] DIGITS], with a
// "." or an exponent present.
bool IsRealSyntax(std::string_view token) {
  std::size_t i = 0;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < token.size() && IsDigit(token[i])) ++i, ++digits;
  bool point = false;
  if (i < token.size() && token[i] == '.') {
    point = true;
    ++i;
    while (i < token.size() && IsDigit(token[i])) ++i, ++digits;
  }
  if (digits == 0) return false;
  bool exponent = false;
  if (i < token.size() && (token[i] == 'e' || token[i] == 'E')) {
    exponent = true;
    ++i;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) ++i;
    std::size_t exponent_digits = 0;
    while (i < token.size() && IsDigit(token[i])) ++i, ++exponent_digits;
    if (exponent_digits == 0) return false;
  }
  return i == token.size() && (point || exponent);
}

double ReadReal(std::string_view token) {
  std::string_view number = token;
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  double value = 0;
  const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
  if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value)) {
    throw ScriptError("real " + Quoted(token) + " is out of range");
  }
  return value;
}

}  // namespace

std::string Quoted(std::string_view token) {
  constexpr std::size_t kShown = 80;
  std::size_t cut = token.size();
  if (cut > kShown) {
    cut = kShown;
    // Never inside a UTF-8 sequence.
    while (cut > 0 && (static_cast<unsigned char>(token[cut]) & 0xC0) == 0x80) --cut;
  }
  std::string quoted;
  quoted.reserve(cut + 32);
  quoted.push_back('\'');
  quoted.append(token.data(), cut);
  if (cut < token.size()) {
    quoted.append("...' (");
    quoted.append(std::to_string(token.size()));
    quoted.append(" bytes)");
  } else {
    quoted.push_back('\'');
  }
  return quoted;
}

bool IsValidUtf8(std::string_view bytes) {
  return ToUtf8(FromUtf8(bytes)) == bytes;
}

std::vector<std::string_view> SplitTokens(std::string_view line) {
  std::vector<std::string_view> tokens;
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) return tokens;
    std::size_t end = i;
    if (line[i] == '"') {
      const std::size_t close = ClosingQuote(line, i);
      if (close == std::string_view::npos) {
        throw ScriptError("unterminated text literal " + Quoted(line.substr(i)));
      }
      end = close + 1;
      if (end < line.size() && !IsBlank(line[end])) {
        throw ScriptError("text literal must be followed by a blank: " +
                          Quoted(line.substr(i, end - i + 1)));
      }
    } else {
      while (end < line.size() && !IsBlank(line[end])) ++end;
    }
    tokens.push_back(line.substr(i, end - i));
    i = end;
  }
}

std::optional<std::int32_t> ReadInteger(std::string_view token) {
  std::size_t i = 0;
  bool negative = false;
  if (i < token.size() && (token[i] == '+' || token[i] == '-')) negative = token[i++] == '-';
  if (i == token.size()) return std::nullopt;
  std::int64_t magnitude = 0;
  bool overflow = false;
  for (; i < token.size(); ++i) {
    if (!IsDigit(token[i])) return std::nullopt;
    magnitude = magnitude * 10 + (token[i] - '0');
    if (magnitude > std::int64_t{1} << 31) {
      overflow = true;
      magnitude = std::int64_t{1} << 31;  // keep scanning for a non-digit
    }
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (overflow || value > std::numeric_limits<std::int32_t>::max() ||
      value < std::numeric_limits<std::int32_t>::min()) {
    throw ScriptError("integer " + Quoted(token) +
                      " does not fit 32 bits (add \".0\" to write a real)");
  }
  return static_cast<std::int32_t>(value);
}

Value ReadLiteral(std::string_view token, const FileLoader& load) {
  if (token.empty()) throw ScriptError("missing literal");
  if (token.front() == '"') return Value::Text(ReadText(token));
  if (token == "true") return Value::Boolean(true);
  if (token == "false") return Value::Boolean(false);
  if (token == "empty") return Value();
  if (token.front() == '@') {
    const std::string path(token.substr(1));
    if (path.empty()) throw ScriptError("@ needs a file name");
    const std::optional<std::string> content = load ? load(path) : std::nullopt;
    if (!content) throw ScriptError("cannot read file '" + path + "'");
    if (!IsValidUtf8(*content)) throw ScriptError("file '" + path + "' is not valid UTF-8");
    return Value::Text(FromUtf8(*content));
  }
  if (const std::optional<std::int32_t> integer = ReadInteger(token)) {
    return Value::Integer(*integer);
  }
  if (IsRealSyntax(token)) return Value::Real(ReadReal(token));
  throw ScriptError("bad literal " + Quoted(token));
}

}  // namespace kassivo
