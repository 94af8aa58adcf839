// The receipt window on a real (virtual) screen: shown by the presenter,
// checked through the window's own attributes and through a screenshot of
// the whole screen, then dragged, hidden by a right click and the close box,
// and shown again. The screenshot is kept as receipt_window.bmp in the
// working folder for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>

#include "receipt_window_screen.h"

namespace kassivo {
namespace {

TEST_F(ReceiptWindowScreenTest, ShowsTheDocumentInTheCornerWithItsFrameAndColours) {
  PrintDocument(3);
  HWND window = presenter_.window();
  ASSERT_NE(window, nullptr);
  Pump(std::chrono::milliseconds(300));

  EXPECT_TRUE(IsWindowVisible(window));
  ExpectPlacedInTheCorner();
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 272);
  EXPECT_EQ(client.bottom, 487);
  const LONG_PTR ex_style = GetWindowLongPtrW(window, GWL_EXSTYLE);
  EXPECT_TRUE(ex_style & WS_EX_TOPMOST);
  EXPECT_TRUE(ex_style & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(ex_style & WS_EX_LAYERED);
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_THICKFRAME);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
  EXPECT_EQ(GetParent(window), nullptr);
  EXPECT_EQ(LayeredAlpha(window), 230);
  EXPECT_EQ(Caption(window), u"Кассиво: лента");

  const Screenshot screen;
  screen.Save("receipt_window.bmp");
  const int row = presenter_.layout()->row_height();
  // The banner's band spans the width; its text is centred, so the edges show the band.
  EXPECT_EQ(screen.At(ClientToScreenPoint(window, 1, row / 2)), kBanner);
  EXPECT_EQ(screen.At(ClientToScreenPoint(window, 270, row / 2)), kBanner);
  // Below the document the window is empty.
  EXPECT_EQ(screen.At(ClientToScreenPoint(window, 136, 480)), kBackground);
  EXPECT_EQ(screen.At(ClientToScreenPoint(window, 1, row + row / 2)), kBackground);
  // The dashed separator (third row) is drawn: some pixels are neither colour.
  int ink = 0;
  for (int x = 0; x < 272; ++x) {
    for (int y = 2 * row; y < 3 * row; ++y) {
      const COLORREF c = screen.At(ClientToScreenPoint(window, x, y));
      if (c != kBackground && c != kBanner) ++ink;
    }
  }
  EXPECT_GT(ink, 36);
}

TEST_F(ReceiptWindowScreenTest, StaysWhereDraggedAndIsPlacedAgainWhenShownAgain) {
  PrintDocument(1);
  HWND window = presenter_.window();
  ASSERT_NE(window, nullptr);
  SetWindowPos(window, nullptr, 100, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Pump(std::chrono::milliseconds(50));

  // A document while visible does not move it.
  PrintDocument(2);
  RECT frame{};
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.left, 100);
  EXPECT_EQ(frame.top, 120);

  // A right click hides it; the window stays for the next document.
  SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 50));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_FALSE(Model([](const ReceiptWindow& m) { return m.visible(); }));

  state_.WindowCaption = u"Вторая касса";
  PrintDocument(1);
  EXPECT_EQ(presenter_.window(), window);
  EXPECT_TRUE(IsWindowVisible(window));
  ExpectPlacedInTheCorner();
  EXPECT_EQ(LayeredAlpha(window), 230);
  EXPECT_EQ(Caption(window), u"Вторая касса");

  // The close box hides it too, and never destroys it.
  SendMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_EQ(Model([](const ReceiptWindow& m) { return m.state(); }), ReceiptWindow::State::kHidden);
  PrintDocument(1);
  EXPECT_TRUE(IsWindowVisible(window));
}

}  // namespace
}  // namespace kassivo
