#include "script/journal_script.h"

#include "common/text.h"

namespace kassivo {

namespace {

void ExpectCount(const std::vector<std::string_view>& tokens, std::size_t count) {
  if (tokens.size() - 1 != count) {
    throw ScriptError(std::string(tokens[0]) + " needs " + std::to_string(count) +
                      (count == 1 ? " argument" : " arguments"));
  }
}

std::u16string TextArgument(std::string_view directive, std::string_view token) {
  const Value value = ReadLiteral(token, nullptr);
  if (value.kind() != Value::Kind::kText) {
    throw ScriptError(std::string(directive) + " needs a text literal, not '" + std::string(token) +
                      "'");
  }
  return value.text();
}

std::optional<JournalLine> ParseDirective(const std::vector<std::string_view>& tokens) {
  const std::string_view name = tokens[0];
  if (name == ":process") {
    ExpectCount(tokens, 0);
    return ProcessDirective{};
  }
  if (name == ":registration") {
    ExpectCount(tokens, 2);
    if (!IsValidUtf8(tokens[1])) throw ScriptError(":registration name is not valid UTF-8");
    const Value value = ReadLiteral(tokens[2], nullptr);
    RegistrationDirective directive{FromUtf8(tokens[1]), {}};
    if (value.kind() == Value::Kind::kText) {
      directive.value = StoredValue::Text(value.text());
    } else if (value.kind() == Value::Kind::kInteger) {
      directive.value = StoredValue::DWord(static_cast<std::uint32_t>(value.integer()));
    } else {
      throw ScriptError(":registration needs a text or an integer, not '" + std::string(tokens[2]) +
                        "'");
    }
    return directive;
  }
  if (name == ":number-format") {
    ExpectCount(tokens, 2);
    return NumberFormatDirective{{TextArgument(name, tokens[1]), TextArgument(name, tokens[2])}};
  }
  if (name == ":random") {
    ExpectCount(tokens, 1);
    const std::optional<std::int32_t> number = ReadInteger(tokens[1]);
    if (!number || *number < 0 || *number > 999) {
      throw ScriptError(":random needs a number from 0 to 999, not '" + std::string(tokens[1]) +
                        "'");
    }
    return RandomNumber{*number};
  }
  return std::nullopt;
}

}  // namespace

std::optional<JournalLine> ParseJournalLine(std::string_view line, bool first_line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.starts_with("= ") || line.starts_with("  [") || line.starts_with("  M ") ||
      line.starts_with("  B ") || line.starts_with("  L ")) {
    return TranscriptLine{std::string(line)};
  }
  if (!line.empty() && line.front() == ':') {
    const std::vector<std::string_view> tokens = SplitTokens(line);
    if (std::optional<JournalLine> directive = ParseDirective(tokens)) return directive;
  }
  std::optional<Statement> statement = ParseStatement(line, first_line, nullptr);
  if (!statement) return std::nullopt;
  return JournalLine(std::move(*statement));
}

}  // namespace kassivo
