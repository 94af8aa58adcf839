// Parsing script lines: calls, method references, comments and directives.
#include "script/script.h"

#include <gtest/gtest.h>

#include "host/method_catalogue.h"

namespace kassivo::cli {
namespace {

std::optional<Statement> Parse(std::string_view line, bool first_line = false) {
  return ParseStatement(line, first_line, nullptr);
}

CallStatement ParseCall(std::string_view line) {
  const std::optional<Statement> statement = Parse(line);
  EXPECT_TRUE(statement && std::holds_alternative<CallStatement>(*statement)) << line;
  return statement ? std::get<CallStatement>(*statement) : CallStatement{};
}

TEST(Script, CallsByNameInEitherLanguage) {
  const CallStatement open = ParseCall("  Open empty\t");
  EXPECT_EQ(open.written, "Open empty");
  EXPECT_EQ(open.method, Number(Method::kOpen));
  EXPECT_EQ(open.args, std::vector<Value>{Value()});

  const CallStatement russian = ParseCall("Подключить");
  EXPECT_EQ(russian.method, Number(Method::kOpen));
  EXPECT_TRUE(russian.args.empty());  // exactly as many elements as literals

  const CallStatement labels = ParseCall(R"(PrintLabels "1" "a \"b\"" 2.5)");
  EXPECT_EQ(labels.method, Number(Method::kPrintLabels));
  EXPECT_EQ(labels.args,
            (std::vector<Value>{Value::Text(u"1"), Value::Text(u"a \"b\""), Value::Real(2.5)}));
}

TEST(Script, NamesAreExactAndUnknownNamesAreErrors) {
  for (const char* line : {"open", "OPEN", "Open;Подключить", "Openn empty", "\"Open\""}) {
    EXPECT_THROW(Parse(line), ScriptError) << line;
  }
}

TEST(Script, NumberReferencesTakeAnyThirtyTwoBitInteger) {
  EXPECT_EQ(ParseCall("#5").method, 5);
  EXPECT_EQ(ParseCall("#42").method, 42);
  EXPECT_EQ(ParseCall("#-1 \"x\"").method, -1);
  EXPECT_EQ(ParseCall("#2147483647").method, 2147483647);
  for (const char* line : {"#x", "#5x", "#1.5", "#2147483648", "#!x", "#-"}) {
    EXPECT_THROW(Parse(line), ScriptError) << line;
  }
}

TEST(Script, CommentsNeedABlankAfterTheHash) {
  EXPECT_FALSE(Parse(""));
  EXPECT_FALSE(Parse(" \t\r"));
  EXPECT_FALSE(Parse("#"));
  EXPECT_FALSE(Parse("  # a comment"));
  EXPECT_FALSE(Parse("#\tanother"));
  EXPECT_FALSE(Parse("#! --tape=box", true));  // an options line, first line only
  EXPECT_THROW(Parse("#! --tape=box", false), ScriptError);
  EXPECT_FALSE(Parse("\xEF\xBB\xBF# after a byte order mark", true));
  EXPECT_THROW(Parse("#5 # no trailing comments"), ScriptError);  // "#" is no literal
}

TEST(Script, Directives) {
  EXPECT_EQ(std::get<ObjectStatement>(*Parse(":object 2")).number, 2);
  EXPECT_EQ(std::get<ObjectStatement>(*Parse(":object -3")).number, -3);
  EXPECT_TRUE(std::holds_alternative<InitStatement>(*Parse(":init")));
  EXPECT_TRUE(std::holds_alternative<DoneStatement>(*Parse(" :done ")));

  const FindStatement find = std::get<FindStatement>(*Parse(":find Подключить"));
  EXPECT_EQ(find.written, ":find Подключить");
  EXPECT_EQ(find.name, u"Подключить");
  EXPECT_EQ(std::get<FindStatement>(*Parse(R"(:find " Open")")).name, u" Open");
  EXPECT_EQ(std::get<FindStatement>(*Parse(R"(:find "")")).name, u"");

  EXPECT_TRUE(std::get<StrictStatement>(*Parse(":strict on")).on);
  EXPECT_FALSE(std::get<StrictStatement>(*Parse(":strict off")).on);
  const LocalDateTime moment =
      std::get<ClockStatement>(*Parse(":clock 2024-02-29T23:59:59.999")).moment;
  EXPECT_EQ(moment.day, 29);
  EXPECT_EQ(moment.millisecond, 999);

  for (const char* line : {":object", ":object x", ":object 1 2", ":init 1", ":find", ":find a b",
                           ":quit", ":", ":strict", ":strict yes", ":strict on off", ":clock",
                           ":clock 2023-02-29T00:00:00.000", ":clock 2024-03-05T09:07:04"}) {
    EXPECT_THROW(Parse(line), ScriptError) << line;
  }
}

TEST(Script, FaultsAreCheckedWhereTheyAreWritten) {
  EXPECT_EQ(std::get<FaultStatement>(*Parse(":fault paper=out, card=declined:once")).spec,
            u"paper=out, card=declined:once");
  EXPECT_EQ(std::get<FaultStatement>(*Parse(":fault clear")).spec, u"clear");
  const std::pair<const char*, const char*> bad[] = {
      {":fault", ":fault needs faults, or clear"},
      {":fault paper=out,papr=out", ":fault: Неизвестная неисправность: papr=out"},
      {":fault paper", ":fault: Неизвестная неисправность: paper"},
      {":fault paper=gone", ":fault: Неверное значение неисправности: paper=gone"},
      {":fault card=declined:twice",
       ":fault: Неверное значение неисправности: card=declined:twice"},
      {":fault fn.expires=2024-02-30",
       ":fault: Неверное значение неисправности: fn.expires=2024-02-30"},
      {":fault scale=weight:-1", ":fault: Неверное значение неисправности: scale=weight:-1"},
      {":fault paper=вышла", ":fault: Неверная запись неисправностей: paper=вышла"},
  };
  for (const auto& [line, message] : bad) {
    try {
      Parse(line);
      ADD_FAILURE() << line;
    } catch (const ScriptError& error) {
      EXPECT_EQ(std::string(error.what()), message);
    }
  }
}

TEST(Script, CommandLineWordsAreOneLiteralEach) {
  const CallStatement call =
      ParseCallWords("PrintLabels", {"\"1\"", "\"two words\"", "7"}, nullptr);
  EXPECT_EQ(call.written, "PrintLabels \"1\" \"two words\" 7");
  EXPECT_EQ(call.args.size(), 3u);
  EXPECT_EQ(call.args[1], Value::Text(u"two words"));
  EXPECT_THROW(ParseCallWords("Open", {"1 2"}, nullptr), ScriptError);
  EXPECT_THROW(ParseCallWords("Opn", {}, nullptr), ScriptError);
}

}  // namespace
}  // namespace kassivo::cli
