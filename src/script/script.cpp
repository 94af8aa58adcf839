#include "script/script.h"

#include "common/text.h"
#include "device/faults.h"
#include "host/component.h"
#include "script/moment.h"

namespace kassivo {

namespace {

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && (IsBlank(text.front()) || text.front() == '\r')) text.remove_prefix(1);
  while (!text.empty() && (IsBlank(text.back()) || text.back() == '\r')) text.remove_suffix(1);
  return text;
}

bool IsComment(std::string_view line, bool first_line) {
  if (line.empty() || line.front() != '#') return false;
  if (first_line && line.size() > 1 && line[1] == '!') return true;
  return line.size() == 1 || IsBlank(line[1]);
}

void ExpectArguments(const std::vector<std::string_view>& tokens, std::size_t count) {
  if (tokens.size() - 1 < count) {
    throw ScriptError(std::string(tokens[0]) + " needs an argument");
  }
  if (tokens.size() - 1 > count) {
    throw ScriptError("unexpected " + Quoted(tokens[count + 1]) + " after " +
                      std::string(tokens[0]));
  }
}

Statement ParseDirective(std::string_view written, const std::vector<std::string_view>& tokens) {
  const std::string_view name = tokens[0];
  if (name == ":object") {
    ExpectArguments(tokens, 1);
    const std::optional<std::int32_t> number = ReadInteger(tokens[1]);
    if (!number) throw ScriptError(":object needs an integer, not " + Quoted(tokens[1]));
    return ObjectStatement{*number};
  }
  if (name == ":init") {
    ExpectArguments(tokens, 0);
    return InitStatement{};
  }
  if (name == ":done") {
    ExpectArguments(tokens, 0);
    return DoneStatement{};
  }
  if (name == ":find") {
    ExpectArguments(tokens, 1);
    std::u16string method_name;
    if (tokens[1].front() == '"') {
      method_name = ReadLiteral(tokens[1], nullptr).text();
    } else {
      if (!IsValidUtf8(tokens[1])) throw ScriptError("method name is not valid UTF-8");
      method_name = FromUtf8(tokens[1]);
    }
    return FindStatement{std::string(written), std::move(method_name)};
  }
  if (name == ":strict") {
    ExpectArguments(tokens, 1);
    if (tokens[1] != "on" && tokens[1] != "off") {
      throw ScriptError(":strict needs on or off, not " + Quoted(tokens[1]));
    }
    return StrictStatement{tokens[1] == "on"};
  }
  if (name == ":clock") {
    ExpectArguments(tokens, 1);
    const std::optional<LocalDateTime> moment = ParseClock(tokens[1]);
    if (!moment) {
      throw ScriptError(":clock needs a time as YYYY-MM-DDTHH:MM:SS.mmm, not " + Quoted(tokens[1]));
    }
    return ClockStatement{*moment};
  }
  if (name == ":fault") {
    if (tokens.size() < 2) throw ScriptError(":fault needs faults, or clear");
    const std::string_view spec = TrimBlanks(written.substr(name.size()));
    if (!IsValidUtf8(spec)) throw ScriptError(":fault: the faults are not valid UTF-8");
    // Checked here on a scratch set, so that a bad item stops the script
    // where it is written.
    FaultSet scratch;
    FaultActions actions;
    std::u16string error;
    if (!ApplyFaultSpec(FromUtf8(spec), LocalDateTime{2000, 1, 1}, scratch, actions, error)) {
      throw ScriptError(":fault: " + ToUtf8(error));
    }
    return FaultStatement{FromUtf8(spec)};
  }
  throw ScriptError("unknown directive " + Quoted(name));
}

}  // namespace

std::int32_t ParseMethodReference(std::string_view token) {
  if (!token.empty() && token.front() == '#') {
    const std::optional<std::int32_t> number = ReadInteger(token.substr(1));
    if (!number) throw ScriptError("bad method reference " + Quoted(token));
    return *number;
  }
  if (!IsValidUtf8(token)) throw ScriptError("method name is not valid UTF-8");
  std::int32_t number = -1;
  if (DriverComponent::FindMethod(FromUtf8(token), number) != HResult::kOk) {
    throw ScriptError("unknown method " + Quoted(token));
  }
  return number;
}

std::optional<Statement> ParseStatement(std::string_view line, bool first_line,
                                        const FileLoader& load) {
  if (first_line && line.starts_with("\xEF\xBB\xBF")) line.remove_prefix(3);  // a UTF-8 BOM
  const std::string_view written = TrimBlanks(line);
  if (written.empty() || IsComment(written, first_line)) return std::nullopt;
  const std::vector<std::string_view> tokens = SplitTokens(written);
  if (tokens[0].front() == ':') return ParseDirective(written, tokens);
  CallStatement call{std::string(written), ParseMethodReference(tokens[0]), {}};
  for (std::size_t i = 1; i < tokens.size(); ++i) call.args.push_back(ReadLiteral(tokens[i], load));
  return call;
}

CallStatement ParseCallWords(std::string_view method, const std::vector<std::string>& args,
                             const FileLoader& load) {
  CallStatement call{std::string(method), ParseMethodReference(method), {}};
  for (const std::string& word : args) {
    call.written += ' ';
    call.written += word;
    call.args.push_back(ReadLiteral(word, load));
  }
  return call;
}

}  // namespace kassivo
