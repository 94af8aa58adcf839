// Drawing the receipt for people: widths, centring, banners and controls.
#include "cli/box_tape_presenter.h"

#include <gtest/gtest.h>

#include "common/text.h"
#include "device/settings.h"

namespace kassivo::cli {
namespace {

using Style = BoxTapePresenter::Style;

// The drawn rows between the frame, with the frame's side columns removed.
std::vector<std::string> Inner(const Tape& tape, Style style) {
  std::vector<std::string> rows = BoxTapePresenter::Draw(tape, style);
  std::vector<std::string> inner;
  for (std::size_t i = 1; i + 1 < rows.size(); ++i) {
    const std::string& row = rows[i];
    const std::string side = "│";
    EXPECT_TRUE(row.starts_with("  " + side) && row.ends_with(side)) << row;
    inner.push_back(row.substr(2 + side.size(), row.size() - 2 - 2 * side.size()));
  }
  return inner;
}

std::size_t Columns(const std::string& utf8) {
  return FromUtf8(utf8).size();
}

TEST(BoxTapePresenter, FramesTheColumnAndCentresWithTheExtraSpaceOnTheRight) {
  DriverSettings settings;
  settings.Size = 10;
  Tape tape({settings.Size, settings.WindowShowType});
  tape.BeginDocument();
  tape.PrintLine(u"ЛЕВО", AlignLeft);
  tape.PrintLine(u"ПРАВО", AlignRight);
  tape.PrintLine(u"abc", AlignCenter);
  tape.PrintLine(u"ab", AlignCenter);
  tape.PrintSeparator(true);
  const std::vector<std::string> rows = BoxTapePresenter::Draw(tape, Style::kPlain);
  EXPECT_EQ(rows.front(), "  ┌────────────┐");
  EXPECT_EQ(rows.back(), "  └────────────┘");
  const std::vector<std::string> inner = Inner(tape, Style::kPlain);
  // The banner wraps into "ТОЛЬКО ДЛЯ" / "ТЕСТИРОВАН" "ИЯ И" / "ОБУЧЕНИЯ".
  ASSERT_EQ(inner.size(), 4u + 6u);
  EXPECT_EQ(inner[0], "▐ТОЛЬКО ДЛЯ▌");
  EXPECT_EQ(inner[1], "▐ТЕСТИРОВАН▌");
  EXPECT_EQ(inner[2], "▐   ИЯ И   ▌");
  EXPECT_EQ(inner[3], "▐ ОБУЧЕНИЯ ▌");
  EXPECT_EQ(inner[4], "   ФФД 1.2  ");  // 8 units: 1 left, 1 right
  EXPECT_EQ(inner[5], " ЛЕВО       ");
  EXPECT_EQ(inner[6], "      ПРАВО ");
  EXPECT_EQ(inner[7], "    abc     ");  // spare 7: 3 left, 4 right
  EXPECT_EQ(inner[8], "     ab     ");
  EXPECT_EQ(inner[9], " ---------- ");
  for (const std::string& row : inner) EXPECT_EQ(Columns(row), 12u) << row;
}

TEST(BoxTapePresenter, BannersInReverseVideoOnATerminal) {
  DriverSettings settings;
  settings.Size = 40;
  Tape tape({settings.Size, settings.WindowShowType});
  tape.BeginDocument();
  const std::vector<std::string> inner = Inner(tape, Style::kTerminal);
  EXPECT_EQ(inner[0], "\x1b[7m    ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ    \x1b[27m");
  EXPECT_EQ(inner[1].find('\x1b'), std::string::npos);
}

TEST(BoxTapePresenter, ControlCharactersAreShownAsPictures) {
  DriverSettings settings;
  settings.Size = 6;
  Tape tape({settings.Size, settings.WindowShowType});
  tape.BeginDocument();
  tape.PrintLine(u"a\x1b[2Jb", AlignLeft);
  tape.PrintLine(u"\x85\x7f\r", AlignCenter);
  const std::vector<std::string> inner = Inner(tape, Style::kTerminal);
  EXPECT_EQ(inner[inner.size() - 2], " a␛[2Jb ");
  EXPECT_EQ(inner.back(), "  \uFFFD␡␍   ");
}

TEST(BoxTapePresenter, ZeroWidthStillShowsBannersAndLongerOldLinesWidenTheColumn) {
  DriverSettings settings;
  settings.Size = 0;
  Tape tape({settings.Size, settings.WindowShowType});
  tape.BeginDocument();  // the title line is cut to nothing
  std::vector<std::string> inner = Inner(tape, Style::kPlain);
  EXPECT_EQ(inner.back(), "   ");
  EXPECT_EQ(inner.front(), "▐Т▌");  // one unit a row

  settings.Size = 4;
  tape.PrintLine(u"abcd", AlignLeft);
  settings.Size = 2;  // a later, smaller Size does not cut what was printed
  inner = Inner(tape, Style::kPlain);
  EXPECT_EQ(inner.back(), " abcd ");
}

TEST(WrapBanner, BreaksAtSpacesAndInsideLongWords) {
  using Rows = std::vector<std::u16string>;
  EXPECT_EQ(WrapBanner(u"", 5), Rows{u""});
  EXPECT_EQ(WrapBanner(u"   ", 5), Rows{u""});
  EXPECT_EQ(WrapBanner(u"ab cd ef", 5), (Rows{u"ab cd", u"ef"}));
  EXPECT_EQ(WrapBanner(u"  ab   cd  ", 10), Rows{u"ab cd"});
  EXPECT_EQ(WrapBanner(u"abcdefghijk x", 4), (Rows{u"abcd", u"efgh", u"ijk", u"x"}));
  EXPECT_EQ(WrapBanner(u"abc\U0001F600", 4), (Rows{u"abc", u"\U0001F600"}));  // pair kept whole
}

}  // namespace
}  // namespace kassivo::cli
