// Reading script literals, and the round trip through the transcript's
// output literals.
#include "script/literal_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

#include "script/transcript.h"

namespace kassivo::cli {
namespace {

Value Read(std::string_view token) {
  return ReadLiteral(token, nullptr);
}

TEST(LiteralReader, ReadsEveryKind) {
  EXPECT_EQ(Read("true"), Value::Boolean(true));
  EXPECT_EQ(Read("false"), Value::Boolean(false));
  EXPECT_EQ(Read("empty"), Value());
  EXPECT_EQ(Read("\"\""), Value::Text(u""));
  EXPECT_EQ(Read("\"Подключить\""), Value::Text(u"Подключить"));
  EXPECT_EQ(Read("42"), Value::Integer(42));
  EXPECT_EQ(Read("-7"), Value::Integer(-7));
  EXPECT_EQ(Read("+7"), Value::Integer(7));
  EXPECT_EQ(Read("007"), Value::Integer(7));
  EXPECT_EQ(Read("2.5"), Value::Real(2.5));
  EXPECT_EQ(Read("1."), Value::Real(1.0));
  EXPECT_EQ(Read(".5"), Value::Real(0.5));
  EXPECT_EQ(Read("-1e3"), Value::Real(-1000.0));
  EXPECT_EQ(Read("1E+20"), Value::Real(1e20));
  EXPECT_EQ(Read("2.5e-1"), Value::Real(0.25));
}

TEST(LiteralReader, IntegersMustFitThirtyTwoBits) {
  EXPECT_EQ(Read("2147483647"), Value::Integer(2147483647));
  EXPECT_EQ(Read("-2147483648"), Value::Integer(std::numeric_limits<std::int32_t>::min()));
  EXPECT_THROW(Read("2147483648"), ScriptError);
  EXPECT_THROW(Read("-2147483649"), ScriptError);
  EXPECT_THROW(Read("99999999999999999999999"), ScriptError);
  EXPECT_EQ(Read("2147483648.0"), Value::Real(2147483648.0));
}

TEST(LiteralReader, TextEscapes) {
  EXPECT_EQ(Read(R"("a\\b\"c\rd\ne\tf")"), Value::Text(u"a\\b\"c\rd\ne\tf"));
  EXPECT_EQ(Read(R"("\u0416\u00e9")"), Value::Text(u"Жé"));
  EXPECT_EQ(Read(R"("\uD800")"), Value::Text(std::u16string(1, char16_t{0xD800})));
  EXPECT_EQ(Read(R"("\uD83D\uDE00")"), Value::Text(u"\U0001F600"));
  EXPECT_EQ(Read("\"a b\tc\""), Value::Text(u"a b\tc"));  // blanks inside stay
}

TEST(LiteralReader, RejectsMalformedLiterals) {
  for (const char* bad : {"",         "True",    "FALSE",     "Empty",       "abc",
                          "1x",       "1.2.3",   "1e",        "e5",          ".",
                          "-",        "+",       "0x10",      "1,5",         "\"abc",
                          "\"a\"b\"", R"("\q")", R"("\u12")", R"("\u12G4")", R"("ab\")",
                          "1e999",    "-1e999",  "\"\xff\"",  "inf",         "nan",
                          "@"}) {
    EXPECT_THROW(Read(bad), ScriptError) << bad;
  }
}

TEST(LiteralReader, FileContentRelativeToTheLoader) {
  const std::map<std::string, std::string> files = {{"doc.xml", "<Р a=\"1\"/>\n"},
                                                    {"bad.bin", "\xC0\x80"}};
  FileLoader load = [&](const std::string& path) -> std::optional<std::string> {
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return found->second;
  };
  EXPECT_EQ(ReadLiteral("@doc.xml", load), Value::Text(u"<Р a=\"1\"/>\n"));
  EXPECT_THROW(ReadLiteral("@missing.xml", load), ScriptError);
  EXPECT_THROW(ReadLiteral("@bad.bin", load), ScriptError);  // not UTF-8
}

TEST(LiteralReader, SplitsTokensAtBlanksOutsideText) {
  using Tokens = std::vector<std::string_view>;
  EXPECT_EQ(SplitTokens("  Open\t empty  "), (Tokens{"Open", "empty"}));
  EXPECT_EQ(SplitTokens(R"(X "a b" "c\" d" 1)"), (Tokens{"X", R"("a b")", R"("c\" d")", "1"}));
  EXPECT_EQ(SplitTokens(R"(X "" "\\")"), (Tokens{"X", R"("")", R"("\\")"}));
  EXPECT_TRUE(SplitTokens(" \t ").empty());
  EXPECT_THROW(SplitTokens(R"(X "open)"), ScriptError);
  EXPECT_THROW(SplitTokens(R"(X "a"b)"), ScriptError);
}

TEST(OutputLiteral, FormatsEveryKind) {
  EXPECT_EQ(FormatLiteral(Value()), "empty");
  EXPECT_EQ(FormatLiteral(Value::Boolean(true)), "true");
  EXPECT_EQ(FormatLiteral(Value::Integer(-2147483647 - 1)), "-2147483648");
  EXPECT_EQ(FormatLiteral(Value::Real(2.0)), "2.0");
  EXPECT_EQ(FormatLiteral(Value::Real(0.41)), "0.41");
  EXPECT_EQ(FormatLiteral(Value::Real(-0.0)), "-0.0");
  EXPECT_EQ(FormatLiteral(Value::Real(1e20)), "1e+20");
  EXPECT_EQ(FormatLiteral(Value::Real(0.1 + 0.2)), "0.30000000000000004");
  EXPECT_EQ(FormatLiteral(Value::Real(std::numeric_limits<double>::infinity())), "inf");
  EXPECT_EQ(FormatLiteral(Value::Real(std::nan(""))), "nan");
}

TEST(OutputLiteral, EscapesControlsAndLoneSurrogates) {
  EXPECT_EQ(TextLiteral(u"a\"b\\c"), R"("a\"b\\c")");
  EXPECT_EQ(TextLiteral(u"\r\n\t"), R"("\r\n\t")");
  EXPECT_EQ(TextLiteral(std::u16string(u"\0\x1b\x7f\x85 ", 5)), R"("\u0000\u001B\u007F\u0085 ")");
  EXPECT_EQ(TextLiteral(u"Чек\u00A0№1"), "\"Чек\u00A0№1\"");
  EXPECT_EQ(TextLiteral(u"\U0001F600"), "\"\U0001F600\"");
  const char16_t lone[] = {u'a', 0xDC00, 0xD800, u'b', 0xD800};
  EXPECT_EQ(TextLiteral(std::u16string_view(lone, 5)), R"("a\uDC00\uD800b\uD800")");
}

TEST(OutputLiteral, ReadsBackExactly) {
  const char16_t odd[] = {0xDBFF, u'"', 0x0001, 0xDFFF, 0xD83D, 0xDE00, u'\\'};
  const std::vector<Value> values = {
      Value(),
      Value::Boolean(false),
      Value::Integer(2147483647),
      Value::Integer(-2147483647 - 1),
      Value::Real(0.01),
      Value::Real(1.0 / 3.0),
      Value::Real(-123456789.125),
      Value::Real(5e-300),
      Value::Real(1.7976931348623157e308),
      Value::Real(100.0),
      Value::Text(u"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ\r\"x\"\t\\"),
      Value::Text(std::u16string(odd, 7)),
  };
  for (const Value& value : values) {
    const std::string literal = FormatLiteral(value);
    EXPECT_EQ(Read(literal), value) << literal;
  }
}

}  // namespace
}  // namespace kassivo::cli
