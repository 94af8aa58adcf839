// The receipt window's layout and scrolling: a narrower window wraps the
// banner, and a 10,000-line document stays quick to update, paint and
// scroll past the scroll bar's 16-bit range.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <mutex>

#include "receipt_window_screen.h"

namespace kassivo {
namespace {

TEST_F(ReceiptWindowScreenTest, ANarrowerWindowWrapsTheBannerAndScrollsOverIt) {
  PrintDocument(10);
  HWND window = presenter_.window();
  ASSERT_NE(window, nullptr);
  const ReceiptLayout& layout = *presenter_.layout();
  ASSERT_EQ(layout.rows().size(), 24u);  // one banner row, the title, 2 separators, 20 lines
  EXPECT_TRUE(layout.rows()[0].banner);
  EXPECT_FALSE(layout.rows()[1].banner);

  SetWindowPos(window, nullptr, 0, 0, 120, 200, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(layout.width(), client.right);
  EXPECT_TRUE(layout.rows()[1].banner);  // the banner now takes several rows
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE;
  ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &info));
  EXPECT_EQ(info.nMax, layout.content_height() - 1);
  EXPECT_EQ(static_cast<int>(info.nPage), client.bottom);
  SendMessageW(window, WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(presenter_.scroll_position(), layout.row_height());
}

TEST_F(ReceiptWindowScreenTest, ATenThousandLineDocumentStaysResponsive) {
  using Clock = std::chrono::steady_clock;
  const auto started = Clock::now();
  PrintDocument(5000);  // two lines each, plus banner, title and separators
  const auto updated = Clock::now();
  HWND window = presenter_.window();
  ASSERT_NE(window, nullptr);
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const auto painted = Clock::now();

  const ReceiptLayout& layout = *presenter_.layout();
  EXPECT_EQ(layout.entries().size(), 10004u);
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  ASSERT_TRUE(GetScrollInfo(window, SB_VERT, &info));
  EXPECT_EQ(info.nMax, layout.content_height() - 1);
  EXPECT_GT(info.nMax, 65535);  // past the range of the messages' 16-bit positions

  // To the end: the last rows are painted as fast as the first.
  SendMessageW(window, WM_VSCROLL, SB_BOTTOM, 0);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(presenter_.scroll_position(), layout.content_height() - client.bottom);
  const auto bottom_started = Clock::now();
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const auto bottom_painted = Clock::now();

  // One more line only appends: the position stays.
  {
    std::lock_guard<CallLock> lock(state_.call_lock);
    state_.Receipt.PrintLine(u"ИТОГ", AlignCenter);
  }
  const int position = presenter_.scroll_position();
  presenter_.Update();
  EXPECT_EQ(layout.entries().size(), 10005u);
  EXPECT_EQ(presenter_.scroll_position(), position);

  // A new document starts at the top again.
  PrintDocument(1);
  EXPECT_EQ(presenter_.scroll_position(), 0);

  const auto ms = [](Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
  };
  std::printf("10,004 entries: update %.1f ms, paint %.1f ms, paint at the end %.1f ms\n",
              ms(updated - started), ms(painted - updated), ms(bottom_painted - bottom_started));
  EXPECT_LT(ms(painted - updated), 200.0);
  EXPECT_LT(ms(bottom_painted - bottom_started), 200.0);
}

}  // namespace
}  // namespace kassivo
