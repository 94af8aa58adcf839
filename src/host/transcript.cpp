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

void AppendTextLiteral(std::u16string_view text, std::string& out) {
  out += '"';
  std::size_t run = 0;  // start of the units not yet written
  auto flush = [&](std::size_t end) { AppendUtf8(text.substr(run, end - run), out); };
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
}

std::string TextLiteral(std::u16string_view text) {
  std::string out;
  AppendTextLiteral(text, out);
  return out;
}

void AppendLiteral(const Value& value, std::string& out) {
  switch (value.kind()) {
    case Value::Kind::kEmpty:
      out += "empty";
      return;
    case Value::Kind::kText:
      AppendTextLiteral(value.text(), out);
      return;
    case Value::Kind::kBoolean:
      out += value.boolean() ? "true" : "false";
      return;
    case Value::Kind::kInteger:
      out += std::to_string(value.integer());
      return;
    case Value::Kind::kReal:
      out += RealLiteral(value.real());
      return;
  }
  out += "empty";
}

std::string FormatLiteral(const Value& value) {
  std::string out;
  AppendLiteral(value, out);
  return out;
}

void TranscriptText::Result(const Value& result, HResult answer) {
  out_ += "= ";
  AppendLiteral(result, out_);
  out_ += answer == HResult::kOk ? "\n" : " S_FALSE\n";
}

void TranscriptText::Elements(const ArgumentArray& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    out_ += "  [";
    out_ += std::to_string(i);
    out_ += "] ";
    AppendLiteral(args.values()[i], out_);
    out_ += '\n';
  }
}

void TranscriptText::Messages(const std::vector<std::u16string>& texts) {
  for (const std::u16string& text : texts) {
    out_ += "  M ";
    AppendTextLiteral(text, out_);
    out_ += '\n';
  }
}

void TranscriptText::TapeEntries(const Tape& tape) {
  for (const TapeEntry& entry : tape.entries()) {
    out_ += entry.kind == TapeEntry::Kind::kBanner ? "  B " : "  L ";
    AppendTextLiteral(entry.text, out_);
    out_ += '\n';
  }
}

void TranscriptWriter::Echo(std::string_view written) {
  out_ << "> " << written << '\n';
}

void TranscriptWriter::Result(const Value& result, HResult answer) {
  std::string text;
  TranscriptText(text).Result(result, answer);
  out_ << text;
}

void TranscriptWriter::Integer(std::int32_t value, HResult answer) {
  Result(Value::Integer(value), answer);
}

void TranscriptWriter::Elements(const ArgumentArray& args) {
  std::string text;
  TranscriptText(text).Elements(args);
  out_ << text;
}

void TranscriptWriter::Messages(const std::vector<std::u16string>& texts) {
  std::string text;
  TranscriptText(text).Messages(texts);
  out_ << text;
}

void TranscriptWriter::TapeEntries(const Tape& tape) {
  std::string text;
  TranscriptText(text).TapeEntries(tape);
  out_ << text;
}

}  // namespace kassivo
