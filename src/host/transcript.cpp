#include "host/transcript.h"

#include <charconv>
#include <cmath>

#include "common/text.h"

namespace kassivo {

namespace {

bool IsControl(char16_t unit) {
  return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}
bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendEscapedUnit(std::string& out, char16_t unit) {
  static const char kHex[] = "0123456789ABCDEF";
  out += "\\u";
  for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
}

std::string RealLiteral(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  std::string text(buffer, result.ptr);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

}  // namespace

std::string TextLiteral(std::u16string_view text) {
  std::string out = "\"";
  std::size_t run = 0;  // start of the units not yet written
  auto flush = [&](std::size_t end) { out += ToUtf8(text.substr(run, end - run)); };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (IsHighSurrogate(unit) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;  // a pair stays in the run
      continue;
    }
    const char* simple = nullptr;
    switch (unit) {
      case u'\\':
        simple = "\\\\";
        break;
      case u'"':
        simple = "\\\"";
        break;
      case u'\r':
        simple = "\\r";
        break;
      case u'\n':
        simple = "\\n";
        break;
      case u'\t':
        simple = "\\t";
        break;
      default:
        break;
    }
    const bool lone = IsHighSurrogate(unit) || IsLowSurrogate(unit);
    if (!simple && !lone && !IsControl(unit)) continue;
    flush(i);
    if (simple) {
      out += simple;
    } else {
      AppendEscapedUnit(out, unit);
    }
    run = i + 1;
  }
  flush(text.size());
  out += '"';
  return out;
}

std::string FormatLiteral(const Value& value) {
  switch (value.kind()) {
    case Value::Kind::kEmpty:
      return "empty";
    case Value::Kind::kText:
      return TextLiteral(value.text());
    case Value::Kind::kBoolean:
      return value.boolean() ? "true" : "false";
    case Value::Kind::kInteger:
      return std::to_string(value.integer());
    case Value::Kind::kReal:
      return RealLiteral(value.real());
  }
  return "empty";
}

void TranscriptWriter::Echo(std::string_view written) {
  out_ << "> " << written << '\n';
}

void TranscriptWriter::Result(const Value& result, HResult answer) {
  out_ << "= " << FormatLiteral(result) << (answer == HResult::kOk ? "" : " S_FALSE") << '\n';
}

void TranscriptWriter::Integer(std::int32_t value, HResult answer) {
  Result(Value::Integer(value), answer);
}

void TranscriptWriter::Elements(const ArgumentArray& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    out_ << "  [" << i << "] " << FormatLiteral(args.values()[i]) << '\n';
  }
}

void TranscriptWriter::Messages(const std::vector<std::u16string>& texts) {
  for (const std::u16string& text : texts) out_ << "  M " << TextLiteral(text) << '\n';
}

void TranscriptWriter::TapeEntries(const Tape& tape) {
  for (const TapeEntry& entry : tape.entries()) {
    out_ << (entry.kind == TapeEntry::Kind::kBanner ? "  B " : "  L ") << TextLiteral(entry.text)
         << '\n';
  }
}

}  // namespace kassivo
