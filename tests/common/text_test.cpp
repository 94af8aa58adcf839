#include "common/text.h"

#include <gtest/gtest.h>

namespace kassivo {
namespace {

TEST(Utf8Test, RoundTripsEveryPlane) {
  using namespace std::string_literals;
  const std::u16string text = u"a\u00A0Кассаé€\U0001F600\uFFFF\u0000z"s;
  const std::string utf8 = ToUtf8(text);
  EXPECT_EQ(utf8.size(), 1u + 2u + 10u + 2u + 3u + 4u + 3u + 1u + 1u);
  EXPECT_EQ(FromUtf8(utf8), text);
  EXPECT_EQ(ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(FromUtf8("\xD0\x9F"), u"П");
}

TEST(Utf8Test, LoneSurrogatesBecomeReplacementCharacters) {
  EXPECT_EQ(ToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
  EXPECT_EQ(ToUtf8(std::u16string{u'a', u'\xDC00', u'b'}),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(ToUtf8(std::u16string{u'\xD800', u'\xD800', u'\xDC00'}),
            "\xEF\xBF\xBD\xF0\x90\x80\x80");
  // A high surrogate at the very end.
  EXPECT_EQ(ToUtf8(std::u16string{u'x', u'\xDBFF'}), "x\xEF\xBF\xBD");
}

TEST(Utf8Test, InvalidSequencesBecomeReplacementCharacters) {
  EXPECT_EQ(FromUtf8("\x80"), u"\uFFFD");
  EXPECT_EQ(FromUtf8("a\xC3"), u"a\uFFFD");                         // cut short at the end
  EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");                 // overlong
  EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");       // encoded surrogate
  EXPECT_EQ(FromUtf8("\xF4\x90\x80\x80").substr(0, 1), u"\uFFFD");  // above U+10FFFF
  EXPECT_EQ(FromUtf8("\xFF"
                     "a"),
            u"\uFFFDa");
}

// The converters take runs of ASCII many units at a time: a character of any
// other kind at any position of texts of every length up to a few words must
// come out the same as in a text of its own.
TEST(Utf8Test, OtherCharactersAtEveryPositionOfAsciiRuns) {
  struct Sample {
    std::u16string utf16;
    std::string utf8;
    std::u16string back;  // what the UTF-8 reads as
  };
  const Sample samples[] = {{u"\u00E9", "\xC3\xA9", u"\u00E9"},
                            {u"\u0416", "\xD0\x96", u"\u0416"},
                            {u"\u20AC", "\xE2\x82\xAC", u"\u20AC"},
                            {u"\U0001F600", "\xF0\x9F\x98\x80", u"\U0001F600"},
                            {std::u16string(1, char16_t{0xD800}), "\xEF\xBF\xBD", u"\uFFFD"}};
  for (std::size_t length = 0; length <= 40; ++length) {
    for (std::size_t at = 0; at <= length; ++at) {
      for (const Sample& sample : samples) {
        std::u16string utf16;
        std::string utf8;
        std::u16string back;
        for (std::size_t i = 0; i <= length; ++i) {
          if (i == at) {
            utf16 += sample.utf16;
            utf8 += sample.utf8;
            back += sample.back;
          }
          if (i == length) break;
          const char c = static_cast<char>('a' + (i * 7) % 26);
          utf16 += static_cast<char16_t>(c);
          utf8 += c;
          back += static_cast<char16_t>(c);
        }
        ASSERT_EQ(ToUtf8(utf16), utf8) << length << " " << at;
        ASSERT_EQ(FromUtf8(utf8), back) << length << " " << at;
        std::u16string room(utf8.size(), u'#');
        room += u"guard";
        const char16_t* end = FromUtf8To(utf8, room.data());
        ASSERT_EQ(std::u16string_view(room.data(), static_cast<std::size_t>(end - room.data())),
                  back);
        ASSERT_TRUE(room.ends_with(u"guard"));
      }
    }
  }
  // Invalid bytes inside a long ASCII run.
  std::string bytes(33, 'x');
  bytes[17] = '\xFF';
  std::u16string expected(33, u'x');
  expected[17] = u'\uFFFD';
  EXPECT_EQ(FromUtf8(bytes), expected);
}

TEST(TrimTest, RemovesControlsAndSpacesOnly) {
  EXPECT_EQ(Trim(u" \t\r\n\x01 abc \x1F "), u"abc");
  EXPECT_EQ(Trim(u"\u00A0abc\u00A0"), u"\u00A0abc\u00A0");
  EXPECT_EQ(Trim(u"  a b  "), u"a b");
  EXPECT_EQ(Trim(u"   "), u"");
  EXPECT_EQ(Trim(u""), u"");
  // IsBlank agrees with Trim leaving nothing.
  for (const std::u16string_view text :
       {u"", u"   ", u" \t\r\n\x01\x1F ", u"\u00A0", u" a ", u"\x20\x21"}) {
    EXPECT_EQ(IsBlank(text), Trim(text).empty()) << ToUtf8(text);
  }
}

TEST(TextHelpersTest, UpperReplaceAndDecimal) {
  EXPECT_EQ(AsciiUpper(u"abc-xyz ж"), u"ABC-XYZ ж");
  EXPECT_EQ(ReplaceAll(u"a.b.c", u".", u",,"), u"a,,b,,c");
  EXPECT_EQ(ReplaceAll(u"aaa", u"aa", u"b"), u"ba");
  EXPECT_EQ(ReplaceAll(u"abc", u"", u"x"), u"abc");
  EXPECT_EQ(DecimalText(-9223372036854775807LL - 1), u"-9223372036854775808");
  EXPECT_EQ(DecimalText(0), u"0");
  EXPECT_EQ(FlagText(true), u"True");
}

}  // namespace
}  // namespace kassivo
