#include "script/journal_script.h"

#include "common/text.h"
#include "script/moment.h"

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
    throw ScriptError(std::string(directive) + " needs a text literal, not " + Quoted(token));
  }
  return value.text();
}

std::uint64_t ProcessId(std::string_view token) {
  std::uint64_t id = 0;
  if (token.empty() || token.size() > 19) throw ScriptError("bad process id " + Quoted(token));
  for (const char c : token) {
    if (c < '0' || c > '9') throw ScriptError("bad process id " + Quoted(token));
    id = id * 10 + static_cast<std::uint64_t>(c - '0');
  }
  return id;
}

ProcessDirective NamedProcess(const std::vector<std::string_view>& tokens, bool continues) {
  ExpectCount(tokens, 3);
  ProcessDirective process{continues, true, ProcessId(tokens[1]), {}, {}};
  const std::optional<LocalDateTime> start = ParseClock(tokens[2]);
  if (!start)
    throw ScriptError(std::string(tokens[0]) + " needs a start time, not " + Quoted(tokens[2]));
  process.start = *start;
  process.program = TextArgument(tokens[0], tokens[3]);
  return process;
}

std::optional<JournalLine> ParseDirective(const std::vector<std::string_view>& tokens) {
  const std::string_view name = tokens[0];
  if (name == ":process") {
    if (tokens.size() == 1) return ProcessDirective{};
    return NamedProcess(tokens, false);
  }
  if (name == ":continues") return NamedProcess(tokens, true);
  if (name == ":from") {
    ExpectCount(tokens, 1);
    return FromDirective{ProcessId(tokens[1])};
  }
  if (name == ":journal") {
    ExpectCount(tokens, 1);
    return JournalDirective{TextArgument(name, tokens[1])};
  }
  if (name == ":registration-reset") {
    ExpectCount(tokens, 0);
    return RegistrationResetDirective{};
  }
  if (name == ":state") {
    if (tokens.size() < 2) throw ScriptError(":state needs a name");
    return StateDirective{{tokens.begin() + 1, tokens.end()}};
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
      throw ScriptError(":registration needs a text or an integer, not " + Quoted(tokens[2]));
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
      throw ScriptError(":random needs a number from 0 to 999, not " + Quoted(tokens[1]));
    }
    return RandomNumber{*number};
  }
  return std::nullopt;
}

}  // namespace

std::optional<JournalLine> ParseJournalLine(std::string_view line, bool first_line) {
  if (first_line && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);  // a UTF-8 BOM
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.starts_with("= ") || line.starts_with("  [") || line.starts_with("  M ") ||
      line.starts_with("  B ") || line.starts_with("  L ") || IsJournalOnlyLine(line)) {
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
