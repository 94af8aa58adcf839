#include "script/transcript.h"

#include <charconv>
#include <cmath>

#include "common/text.h"

namespace kassivo {

namespace {

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
  TextLiteralLines lines(out_);
  for (const std::u16string& text : texts) lines.Add("  M ", text);
  lines.Flush();
}

void TranscriptText::TapeEntries(const Tape& tape) {
  TextLiteralLines lines(out_);
  for (const TapeEntry& entry : tape.entries()) {
    lines.Add(entry.kind == TapeEntry::Kind::kBanner ? "  B " : "  L ", entry.text);
  }
  lines.Flush();
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
