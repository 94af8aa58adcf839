#include "tape/tape.h"

#include <gtest/gtest.h>

#include "device/settings.h"

namespace kassivo {
namespace {

const std::u16string kBanner = u"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ";

class TapeTest : public ::testing::Test {
 protected:
  std::vector<std::u16string> Texts() const {
    std::vector<std::u16string> texts;
    for (const TapeEntry& entry : tape.entries()) texts.push_back(entry.text);
    return texts;
  }

  DriverSettings settings;
  Tape tape{{settings.Size, settings.WindowShowType}};
};

TEST_F(TapeTest, BeginDocumentClearsAndPrintsBannerAndTitle) {
  tape.BeginDocument();
  tape.PrintLine(u"first document", AlignLeft);
  tape.PrintSeparator(true);
  tape.BeginDocument();
  ASSERT_EQ(tape.entries().size(), 2u);
  EXPECT_EQ(tape.entries()[0], (TapeEntry{TapeEntry::Kind::kBanner, kBanner, AlignCenter}));
  EXPECT_EQ(tape.entries()[1], (TapeEntry{TapeEntry::Kind::kLine, u" ФФД 1.2", AlignCenter}));
  EXPECT_TRUE(tape.window().visible());
}

// A document reuses the entries of a longer one before it: nothing of the
// earlier texts, kinds or alignments may show through.
TEST_F(TapeTest, AShorterDocumentShowsNothingOfALongerOne) {
  tape.BeginDocument();
  for (int i = 0; i < 50; ++i) tape.PrintLine(std::u16string(40, u'x'), AlignRight);
  tape.PrintBanner(u"a banner that is longer than the width of the tape");
  tape.BeginDocument();
  tape.PrintLine(u"ab", AlignCenter);
  tape.PrintBanner(u"B");
  tape.PrintSeparator(false);
  const std::vector<TapeEntry> expected = {
      {TapeEntry::Kind::kBanner, kBanner, AlignCenter},
      {TapeEntry::Kind::kLine, u" ФФД 1.2", AlignCenter},
      {TapeEntry::Kind::kLine, u"ab", AlignCenter},
      {TapeEntry::Kind::kBanner, u"B", AlignCenter},
      {TapeEntry::Kind::kLine, std::u16string(36, u'='), AlignCenter}};
  ASSERT_EQ(tape.entries().size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(tape.entries()[i], expected[i]) << i;
}

TEST_F(TapeTest, PadsAndCutsByAlignment) {
  const std::u16string pad33(33, u' ');
  tape.PrintLine(u"ABC", AlignLeft);
  tape.PrintLine(u"ABC", AlignRight);
  tape.PrintLine(u"ABC", AlignCenter);
  tape.PrintLine(u"ABC", 7);  // any value but 0 and 2 pads on the left
  tape.PrintLine(u"", AlignLeft);
  tape.PrintLine(u"", AlignRight);
  tape.PrintLine(u"", AlignCenter);
  EXPECT_EQ(Texts(),
            (std::vector<std::u16string>{u"ABC" + pad33, pad33 + u"ABC", u"ABC", pad33 + u"ABC",
                                         std::u16string(36, u' '), std::u16string(36, u' '), u""}));
}

TEST_F(TapeTest, LongTextKeepsItsStartUnderEveryAlignment) {
  const std::u16string forty = u"0123456789АБВГДЕЖЗИЙ0123456789абвгдежзий";
  ASSERT_EQ(forty.size(), 40u);
  for (const std::uint8_t alignment : {AlignLeft, AlignRight, AlignCenter}) {
    tape.PrintLine(forty, alignment);
    EXPECT_EQ(tape.entries().back().text, forty.substr(0, 36));
  }
}

TEST_F(TapeTest, SeparatorsSpanTheWidth) {
  settings.Size = 24;
  tape.PrintSeparator(true);
  tape.PrintSeparator(false);
  EXPECT_EQ(Texts(),
            (std::vector<std::u16string>{std::u16string(24, u'-'), std::u16string(24, u'=')}));
}

TEST_F(TapeTest, ZeroOrNegativeSizeEmptiesLinesButNotBanners) {
  for (const std::int32_t size : {0, -5}) {
    settings.Size = size;
    tape.BeginDocument();
    tape.PrintLine(u"ABC", AlignLeft);
    tape.PrintLine(u"ABC", AlignRight);
    tape.PrintSeparator(false);
    EXPECT_EQ(Texts(), (std::vector<std::u16string>{kBanner, u"", u"", u"", u""})) << size;
  }
}

TEST_F(TapeTest, HugeSizeIsCappedForPaddingAndSeparators) {
  settings.Size = 2'000'000'000;
  EXPECT_EQ(tape.Width(), kMaxTapeWidth);
  tape.PrintSeparator(true);
  tape.PrintLine(u"ABC", AlignLeft);
  tape.PrintLine(u"ABC", AlignRight);
  tape.PrintLine(std::u16string(3000, u'x'), AlignCenter);
  for (const TapeEntry& entry : tape.entries()) EXPECT_EQ(entry.text.size(), 1024u);
  EXPECT_EQ(tape.entries()[1].text.substr(0, 4), u"ABC ");
  EXPECT_EQ(tape.entries()[2].text.substr(1020), u" ABC");
  EXPECT_EQ(tape.entries()[0].text, std::u16string(1024, u'-'));
  EXPECT_EQ(tape.entries()[1].text, u"ABC" + std::u16string(1021, u' '));
  EXPECT_EQ(tape.entries()[2].text, std::u16string(1021, u' ') + u"ABC");
  tape.PrintSeparator(false);
  EXPECT_EQ(tape.entries().back().text, std::u16string(1024, u'='));
}

TEST(PaddingSpacesTest, AsManyAsAskedUpToTheWidestLine) {
  EXPECT_EQ(PaddingSpaces(0), u"");
  EXPECT_EQ(PaddingSpaces(3), u"   ");
  EXPECT_EQ(PaddingSpaces(1024), std::u16string(1024, u' '));
  EXPECT_EQ(PaddingSpaces(5000), std::u16string(1024, u' '));
}

TEST_F(TapeTest, ShowTypeZeroPrintsNothingAndCreatesNoWindow) {
  settings.WindowShowType = 0;
  const std::uint64_t revision = tape.revision();
  tape.BeginDocument();
  tape.PrintBanner(u"banner");
  tape.PrintLine(u"line", AlignLeft);
  tape.PrintSeparator(true);
  EXPECT_TRUE(tape.entries().empty());
  EXPECT_EQ(tape.revision(), revision);
  EXPECT_EQ(tape.window().state(), ReceiptWindow::State::kAbsent);
}

TEST_F(TapeTest, ShowTypeZeroLeavesTheLastDocumentInPlace) {
  tape.BeginDocument();
  tape.PrintLine(u"kept", AlignCenter);
  settings.WindowShowType = 0;
  tape.BeginDocument();
  tape.PrintLine(u"never shown", AlignCenter);
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{kBanner, u" ФФД 1.2", u"kept"}));
}

TEST_F(TapeTest, RevisionChangesWithEveryEntry) {
  std::uint64_t last = tape.revision();
  auto changed = [&] {
    const bool result = tape.revision() != last;
    last = tape.revision();
    return result;
  };
  tape.BeginDocument();
  EXPECT_TRUE(changed());
  tape.PrintLine(u"x", AlignLeft);
  EXPECT_TRUE(changed());
  tape.PrintBanner(u"x");
  EXPECT_TRUE(changed());
  tape.PrintSeparator(false);
  EXPECT_TRUE(changed());
}

TEST_F(TapeTest, BannerIsNeitherPaddedNorCut) {
  settings.Size = 10;
  tape.PrintBanner(kBanner);
  ASSERT_EQ(tape.entries().size(), 1u);
  EXPECT_EQ(tape.entries()[0].kind, TapeEntry::Kind::kBanner);
  EXPECT_EQ(tape.entries()[0].text, kBanner);
}

TEST_F(TapeTest, CountsUtf16UnitsNotBytes) {
  settings.Size = 5;
  tape.PrintLine(u"ЖЖ", AlignLeft);
  tape.PrintLine(u"\U0001F600", AlignRight);  // two UTF-16 units
  EXPECT_EQ(Texts(), (std::vector<std::u16string>{u"ЖЖ   ", u"   \U0001F600"}));
}

}  // namespace
}  // namespace kassivo
