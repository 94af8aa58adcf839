// The literal writer's eight-unit fast paths (plain ASCII; units of at most
// two bytes, spread by a shuffle or one by one) and its chunks: whatever
// falls on or across the edge of a block of eight or of a chunk is written
// as one unit at a time would write it.
#include "script/text_literal.h"

#include <gtest/gtest.h>

#include <string>

#include "common/text.h"

namespace kassivo {
namespace {

// The literal one unit at a time, as the transcript defines it.
std::string Expected(std::u16string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    const bool high = unit >= 0xD800 && unit <= 0xDBFF;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      out += ToUtf8(text.substr(i, 2));
      ++i;
    } else if (unit == u'\\') {
      out += "\\\\";
    } else if (unit == u'"') {
      out += "\\\"";
    } else if (unit == u'\r') {
      out += "\\r";
    } else if (unit == u'\n') {
      out += "\\n";
    } else if (unit == u'\t') {
      out += "\\t";
    } else if (unit < 0x20 || (unit >= 0x7F && unit <= 0x9F) || high || low) {
      out += "\\u";
      for (int shift = 12; shift >= 0; shift -= 4) out += kHex[(unit >> shift) & 0xF];
    } else {
      out += ToUtf8(text.substr(i, 1));
    }
  }
  return out + '"';
}

TEST(TextLiteral, EverySpecialUnitAtEveryPlaceOfABlock) {
  const std::u16string specials[] = {u"\"",
                                     u"\\",
                                     u"\r",
                                     u"\n",
                                     u"\t",
                                     u"\x1f",
                                     u"\x7f",
                                     u"\x9f",
                                     u"\x20",
                                     u"\x7e",
                                     u"Ж",
                                     u"\u00A0",
                                     std::u16string(1, char16_t{0xD83D}),
                                     std::u16string(1, char16_t{0xDE00}),
                                     u"\U0001F600",
                                     u"\u07FF",
                                     u"\u0800",
                                     u"a"};
  for (const char16_t base : {u'a', u'Ж'}) {
    for (const std::u16string& special : specials) {
      for (std::size_t at = 0; at < 20; ++at) {
        std::u16string text(24, base);
        text.replace(at, special.size(), special);
        std::string out = "prefix";
        AppendTextLiteral(text, out);
        EXPECT_EQ(out, "prefix" + Expected(text)) << ToUtf8(special) << " at " << at;
      }
    }
  }
  // Every mix of one-byte and two-byte units in a block.
  for (unsigned mix = 0; mix < 256; ++mix) {
    std::u16string text;
    for (int k = 0; k < 8; ++k) text += (mix >> k) & 1 ? (k % 2 ? u'a' : u'"') : u'Ж';
    text += u"\r\tЁ~";
    std::string out;
    AppendTextLiteral(text, out);
    EXPECT_EQ(out, Expected(text)) << "mix " << mix;
  }
}

TEST(TextLiteral, ShortAndEmptyTexts) {
  for (const std::u16string text : {u"", u"a", u"abcdefg", u"abcdefgh", u"abcdefghi", u"\"\""}) {
    std::string out;
    AppendTextLiteral(text, out);
    EXPECT_EQ(out, Expected(text));
  }
}

TEST(TextLiteral, RunsOfSixByteEscapes) {
  // Control units take six bytes each, more than the output is grown by
  // ahead; seven plain units then an escape take thirteen in one step.
  for (int controls = 0; controls < 64; ++controls) {
    std::u16string text(static_cast<std::size_t>(controls), u'\x01');
    for (int i = 0; i < 16; ++i) text += u"abcdefg\x01";
    std::string out;
    AppendTextLiteral(text, out);
    ASSERT_EQ(out, Expected(text)) << controls << " controls first";
  }
}

TEST(TextLiteral, UnitsAcrossTheEdgeOfAChunk) {
  // A surrogate pair, an escape or a block of eight that starts before a
  // chunk's last unit and ends after it.
  for (std::size_t at = 1000; at < 1040; ++at) {
    for (const std::u16string special : {u"\U0001F600", u"\x01", u"abcdefgh"}) {
      std::u16string text(2100, u'Ж');
      text.replace(at, special.size(), special);
      text.replace(at + 1030, special.size(), special);
      std::string out;
      AppendTextLiteral(text, out);
      ASSERT_EQ(out, Expected(text)) << ToUtf8(special) << " at " << at;
      // A line's prefix moves every chunk's edge; a long one is written apart.
      std::string lines = "x";
      TextLiteralLines writer(lines);
      for (const std::string& before : {std::string("  L "), std::string(40, '>')}) {
        writer.Add(before, text);
      }
      writer.Flush();
      ASSERT_EQ(lines,
                "x  L " + Expected(text) + "\n" + std::string(40, '>') + Expected(text) + "\n")
          << "at " << at;
    }
  }
}

TEST(TextLiteral, ThousandsOfShortLinesThroughOneWriter) {
  std::string lines, expected;
  TextLiteralLines writer(lines);
  for (int i = 0; i < 3000; ++i) {
    const std::u16string text = u"Молоко №" +
                                std::u16string(static_cast<std::size_t>(i % 41), u' ') +
                                (i % 7 == 0 ? u"\"\r" : u"=149.85");
    writer.Add(i % 2 ? "  L " : "  B ", text);
    expected += (i % 2 ? "  L " : "  B ") + Expected(text) + "\n";
  }
  writer.Flush();
  EXPECT_EQ(lines, expected);
}

TEST(TextLiteral, AMegabyteOfMixedTextIsAppendedWhole) {
  std::u16string text;
  for (int i = 0; i < 40000; ++i) text += u"<a b=\"Ёлка\tx\"/>\r\n";
  std::string out = "x";
  AppendTextLiteral(text, out);
  EXPECT_EQ(out, "x" + Expected(text));
}

}  // namespace
}  // namespace kassivo
