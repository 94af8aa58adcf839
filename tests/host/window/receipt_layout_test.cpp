#include "host/window/receipt_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kassivo {
namespace {

constexpr int kCharWidth = 7;
constexpr int kRowHeight = 13;

int FixedWidth(std::u16string_view text) {
  return static_cast<int>(text.size()) * kCharWidth;
}

// The wrapped pieces of a text, as texts.
std::vector<std::u16string> Wrap(std::u16string_view text, int columns) {
  std::vector<std::u16string> rows;
  for (const auto& [start, length] : WrapWords(text, columns * kCharWidth, FixedWidth)) {
    rows.emplace_back(text.substr(start, length));
  }
  return rows;
}

TEST(WrapWordsTest, BreaksBetweenWordsAndDropsTheSpacesAtTheBreaks) {
  const std::u16string banner = u"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ И ОБУЧЕНИЯ";
  EXPECT_EQ(Wrap(banner, 38), std::vector<std::u16string>{banner});
  EXPECT_EQ(Wrap(banner, 34), std::vector<std::u16string>{banner});
  EXPECT_EQ(Wrap(banner, 20),
            (std::vector<std::u16string>{u"ТОЛЬКО ДЛЯ", u"ТЕСТИРОВАНИЯ И", u"ОБУЧЕНИЯ"}));
  EXPECT_EQ(Wrap(u"A  B   C", 2), (std::vector<std::u16string>{u"A", u"B", u"C"}));
  // Spaces inside a row and before the first word stay.
  EXPECT_EQ(Wrap(u"  A  B", 10), std::vector<std::u16string>{u"  A  B"});
}

TEST(WrapWordsTest, BreaksAWordWiderThanTheWindowWithoutLosingText) {
  EXPECT_EQ(Wrap(u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", 10),
            (std::vector<std::u16string>{u"ABCDEFGHIJ", u"KLMNOPQRST", u"UVWXYZ"}));
  EXPECT_EQ(Wrap(u"AB CDEFGHIJKLMN", 5),
            (std::vector<std::u16string>{u"AB", u"CDEFG", u"HIJKL", u"MN"}));
  // No width at all still makes progress, a character a row.
  EXPECT_EQ(Wrap(u"AB C", 0), (std::vector<std::u16string>{u"A", u"B", u"C"}));
  // A surrogate pair is never split, even when it alone is too wide.
  const std::u16string pairs = u"\U0001F600\U0001F600";
  EXPECT_EQ(Wrap(pairs, 1), (std::vector<std::u16string>{u"\U0001F600", u"\U0001F600"}));
}

TEST(WrapWordsTest, EmptyAndBlankTextsKeepOneRow) {
  EXPECT_EQ(Wrap(u"", 10), std::vector<std::u16string>{u""});
  EXPECT_EQ(Wrap(u"   ", 10), std::vector<std::u16string>{u"   "});
  EXPECT_EQ(Wrap(u"ABC    ", 3), std::vector<std::u16string>{u"ABC"});
}

TapeEntry Line(std::u16string text) {
  return {TapeEntry::Kind::kLine, std::move(text), AlignLeft};
}
TapeEntry Banner(std::u16string text) {
  return {TapeEntry::Kind::kBanner, std::move(text), AlignCenter};
}

TEST(ReceiptLayoutTest, LinesTakeOneRowEachAndBannersWrapToTheWidth) {
  ReceiptLayout layout(kRowHeight, FixedWidth);
  layout.SetWidth(12 * kCharWidth);
  layout.Append(Banner(u"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ"));
  layout.Append(Line(u" ФФД 1.2"));
  layout.Append(Line(std::u16string(36, u'-')));  // wider than the window: clipped, not wrapped

  ASSERT_EQ(layout.rows().size(), 4u);
  EXPECT_EQ(layout.rows()[0], (ReceiptRow{0, 0, 10, true}));
  EXPECT_EQ(layout.rows()[1], (ReceiptRow{0, 11, 12, true}));
  EXPECT_EQ(layout.RowText(1), u"ТЕСТИРОВАНИЯ");
  EXPECT_EQ(layout.rows()[2], (ReceiptRow{1, 0, 8, false}));
  EXPECT_EQ(layout.RowText(3), std::u16string(36, u'-'));
  EXPECT_EQ(layout.content_height(), 4 * kRowHeight);

  // Widening the window re-wraps the banner and keeps the lines.
  layout.SetWidth(38 * kCharWidth);
  ASSERT_EQ(layout.rows().size(), 3u);
  EXPECT_EQ(layout.RowText(0), u"ТОЛЬКО ДЛЯ ТЕСТИРОВАНИЯ");
  EXPECT_EQ(layout.RowText(1), u" ФФД 1.2");
  EXPECT_EQ(layout.rows()[2].entry, 2u);

  layout.Clear();
  EXPECT_TRUE(layout.rows().empty());
  EXPECT_TRUE(layout.entries().empty());
  EXPECT_EQ(layout.content_height(), 0);
}

TEST(ReceiptLayoutTest, FindsTheVisibleRowsOfALongDocumentByPosition) {
  ReceiptLayout layout(kRowHeight, FixedWidth);
  layout.SetWidth(272);
  for (int i = 0; i < 10000; ++i) layout.Append(Line(u"row " + std::u16string(1, u'0' + i % 10)));
  ASSERT_EQ(layout.content_height(), 10000 * kRowHeight);

  EXPECT_EQ(layout.VisibleRows(0, 0, 487), (RowRange{0, 38}));  // 37.5 rows: the last one cut
  EXPECT_EQ(layout.VisibleRows(0, 0, 13), (RowRange{0, 1}));
  // Scrolled to a row boundary and half way into a row.
  EXPECT_EQ(layout.VisibleRows(5000 * kRowHeight, 0, 487), (RowRange{5000, 5038}));
  EXPECT_EQ(layout.VisibleRows(5000 * kRowHeight + 6, 0, 487), (RowRange{5000, 5038}));
  EXPECT_EQ(layout.VisibleRows(5000 * kRowHeight + 6, 20, 30), (RowRange{5002, 5003}));
  EXPECT_EQ(layout.RowTop(5002, 5000 * kRowHeight + 6), 2 * kRowHeight - 6);
  // Past the end and empty bands give no rows beyond the document.
  EXPECT_EQ(layout.VisibleRows(9990 * kRowHeight, 0, 487), (RowRange{9990, 10000}));
  EXPECT_EQ(layout.VisibleRows(20000 * kRowHeight, 0, 487), (RowRange{10000, 10000}));
  EXPECT_EQ(layout.VisibleRows(0, 100, 100), (RowRange{}));
}

TEST(ReceiptLayoutTest, CentresRowsAndLetsWideRowsOverhangBothSides) {
  EXPECT_EQ(ReceiptLayout::CentredLeft(36 * kCharWidth, 272), 10);
  EXPECT_EQ(ReceiptLayout::CentredLeft(0, 272), 136);
  EXPECT_EQ(ReceiptLayout::CentredLeft(300, 272), -14);
}

TEST(ScrollTargetTest, MovesByLinesPagesAndThumbWithinTheContent) {
  const int content = 10000 * kRowHeight;  // past the 16-bit positions
  const int page = 487;
  const int last = content - page;
  EXPECT_EQ(ScrollTarget(ScrollRequest::kLineDown, 0, 0, kRowHeight, page, content), kRowHeight);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kLineUp, 5, 0, kRowHeight, page, content), 0);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kPageDown, 100, 0, kRowHeight, page, content), 100 + page);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kPageDown, last - 10, 0, kRowHeight, page, content), last);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kPageUp, 100, 0, kRowHeight, page, content), 0);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kBottom, 0, 0, kRowHeight, page, content), last);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kTop, last, 0, kRowHeight, page, content), 0);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kTo, 0, 70000, kRowHeight, page, content), 70000);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kTo, 0, content, kRowHeight, page, content), last);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kBy, 50, -39, kRowHeight, page, content), 11);
  EXPECT_EQ(ScrollTarget(ScrollRequest::kBy, 50, -100, kRowHeight, page, content), 0);
}

TEST(ScrollTargetTest, ContentShorterThanTheWindowNeverScrolls) {
  for (ScrollRequest request : {ScrollRequest::kLineDown, ScrollRequest::kPageDown,
                                ScrollRequest::kBottom, ScrollRequest::kTo, ScrollRequest::kBy}) {
    EXPECT_EQ(ScrollTarget(request, 0, 300, kRowHeight, 487, 3 * kRowHeight), 0);
  }
}

}  // namespace
}  // namespace kassivo
