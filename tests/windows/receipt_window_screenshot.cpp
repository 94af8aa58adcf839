// The receipt window on a real (virtual) screen: shown by the presenter,
// checked through the window's own attributes and through a screenshot of
// the whole screen, then driven through its timers, clicks, close box and
// the driver options' items of its system menu.
// Runs under Wine on Xvfb; the screenshot is kept as receipt_window.bmp in
// the working folder for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/process_state.h"
#include "host/com/window/receipt_window_presenter.h"
#include "platform/memory_store.h"

namespace kassivo {
namespace {

constexpr COLORREF kBackground = RGB(255, 255, 210);
constexpr COLORREF kBanner = RGB(255, 108, 108);

// Dispatches messages until `done` holds or `timeout` passes; true if done.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (true) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

void Pump(std::chrono::milliseconds duration) {
  PumpUntil([] { return false; }, duration);
}

// The whole primary screen, captured through GDI.
class Screenshot {
 public:
  Screenshot() {
    width_ = GetSystemMetrics(SM_CXSCREEN);
    height_ = GetSystemMetrics(SM_CYSCREEN);
    pixels_.assign(static_cast<std::size_t>(width_) * height_, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
      HGDIOBJ old = SelectObject(memory, bitmap);
      BitBlt(memory, 0, 0, width_, height_, screen, 0, 0, SRCCOPY | CAPTUREBLT);
      GdiFlush();
      std::memcpy(pixels_.data(), bits, pixels_.size() * sizeof(std::uint32_t));
      SelectObject(memory, old);
      DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }

  COLORREF At(POINT p) const {
    const std::uint32_t bgrx = pixels_[static_cast<std::size_t>(p.y) * width_ + p.x];
    return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
  }

  // Writes a 32-bit BMP file.
  void Save(const char* path) const {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width_;
    header.biHeight = -height_;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    const DWORD data_size = static_cast<DWORD>(pixels_.size() * sizeof(std::uint32_t));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(header);
    file.bfSize = file.bfOffBits + data_size;
    if (std::FILE* out = std::fopen(path, "wb")) {
      std::fwrite(&file, sizeof(file), 1, out);
      std::fwrite(&header, sizeof(header), 1, out);
      std::fwrite(pixels_.data(), data_size, 1, out);
      std::fclose(out);
    }
  }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

POINT ClientToScreenPoint(HWND window, int x, int y) {
  POINT p{x, y};
  ClientToScreen(window, &p);
  return p;
}

std::u16string Caption(HWND window) {
  wchar_t text[256] = {};
  const int length = GetWindowTextW(window, text, 256);
  return std::u16string(reinterpret_cast<const char16_t*>(text), static_cast<std::size_t>(length));
}

int LayeredAlpha(HWND window) {
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(window, nullptr, &alpha, &flags) || !(flags & LWA_ALPHA)) {
    return -1;
  }
  return alpha;
}

// No store but the options' (in memory), and LOCALAPPDATA only.
Platform OptionsPlatform(MemoryStore*& options_store) {
  Platform platform;
  auto store = std::make_unique<MemoryStore>();
  options_store = store.get();
  platform.options_store = std::move(store);
  platform.environment = [](const char* name) -> std::optional<std::u16string> {
    if (std::string(name) == "LOCALAPPDATA") return u"C:\\Users\\кассир\\AppData\\Local";
    return std::nullopt;
  };
  return platform;
}

bool Checked(HWND window, UINT command) {
  return (GetMenuState(GetSystemMenu(window, FALSE), command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

std::u16string MenuText(HWND window, UINT command) {
  wchar_t text[128] = {};
  const int length = GetMenuStringW(GetSystemMenu(window, FALSE), command, text, 128, MF_BYCOMMAND);
  return std::u16string(reinterpret_cast<const char16_t*>(text),
                        static_cast<std::size_t>(std::max(length, 0)));
}

class ReceiptWindowScreenTest : public ::testing::Test {
 protected:
  ReceiptWindowScreenTest() {
    state_.WindowCaption = u"Кассиво: лента";
    state_.Settings.WindowShowType = 1;
  }

  // Prints a document as a driver call would, then lets the presenter follow.
  void PrintDocument(int lines) {
    {
      std::lock_guard<CallLock> lock(state_.call_lock);
      Tape& tape = state_.Receipt;
      tape.BeginDocument();
      tape.PrintSeparator(true);
      for (int i = 0; i < lines; ++i) {
        tape.PrintLine(u"ПОЗИЦИЯ " + std::u16string(1, u'0' + i % 10), AlignLeft);
        tape.PrintLine(u"=123.45", AlignRight);
      }
      tape.PrintSeparator(false);
    }
    presenter_.Update();
  }

  // The model, read under the lock.
  template <typename F>
  auto Model(F read) {
    std::lock_guard<CallLock> lock(state_.call_lock);
    return read(state_.Receipt.window());
  }

  void ExpectPlacedInTheCorner() {
    RECT frame{};
    ASSERT_TRUE(GetWindowRect(presenter_.window(), &frame));
    EXPECT_EQ(frame.right, GetSystemMetrics(SM_CXSCREEN) - 10);
    EXPECT_EQ(frame.bottom, GetSystemMetrics(SM_CYSCREEN) - 50);
  }

  MemoryStore* options_store_ = nullptr;
  ProcessState state_{OptionsPlatform(options_store_)};
  ReceiptWindowPresenter presenter_{state_, GetModuleHandleW(nullptr)};
};

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

TEST_F(ReceiptWindowScreenTest, TheSystemMenuSwitchesTheDriverOptionsAndSavesThem) {
  using Command = ReceiptWindowPresenter;
  PrintDocument(1);
  HWND window = presenter_.window();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(MenuText(window, Command::kStrictCommand), u"Строгий режим (как реальная ККТ)");
  EXPECT_EQ(MenuText(window, Command::kJournalCommand), u"Журнал вызовов");
  EXPECT_FALSE(Checked(window, Command::kStrictCommand));
  EXPECT_FALSE(Checked(window, Command::kJournalCommand));

  // Strict mode on: held for the next call, saved, marked in the caption.
  SendMessageW(window, WM_SYSCOMMAND, Command::kStrictCommand, 0);
  EXPECT_EQ(Caption(window), u"Кассиво: лента — строгий режим");
  EXPECT_TRUE(Checked(window, Command::kStrictCommand));
  {
    std::lock_guard<CallLock> lock(state_.call_lock);
    EXPECT_TRUE(state_.Options.Strict);
    EXPECT_EQ(state_.Options.Origin.Strict, OptionOrigin::kChanged);
  }
  EXPECT_EQ(options_store_->values().at(u"Strict"), StoredValue::DWord(1));

  // The journal item switches between off and the user's local folder.
  SendMessageW(window, WM_SYSCOMMAND, Command::kJournalCommand, 0);
  EXPECT_EQ(options_store_->values().at(u"Journal"),
            StoredValue::Text(u"C:\\Users\\кассир\\AppData\\Local\\Kassivo\\journal.txt"));
  EXPECT_TRUE(Checked(window, Command::kJournalCommand));
  SendMessageW(window, WM_SYSCOMMAND, Command::kJournalCommand, 0);
  EXPECT_EQ(options_store_->values().at(u"Journal"), StoredValue::Text(u""));
  EXPECT_FALSE(Checked(window, Command::kJournalCommand));
  EXPECT_EQ(Caption(window), u"Кассиво: лента — строгий режим");

  // A right click on the tape still hides the window; shown again, the mark stays.
  SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 50));
  EXPECT_FALSE(IsWindowVisible(window));
  EXPECT_TRUE(state_.Options.Strict);
  state_.WindowCaption = u"Вторая касса";
  PrintDocument(1);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(Caption(window), u"Вторая касса — строгий режим");

  // While a driver call on this thread pumps messages, the menu changes nothing.
  {
    std::lock_guard<CallLock> lock(state_.call_lock);
    SendMessageW(window, WM_SYSCOMMAND, Command::kStrictCommand, 0);
    EXPECT_TRUE(state_.Options.Strict);
  }
  EXPECT_EQ(options_store_->writes(), 3);

  // Off again: the caption loses its mark, the store says so.
  SendMessageW(window, WM_SYSCOMMAND, Command::kStrictCommand, 0);
  EXPECT_EQ(Caption(window), u"Вторая касса");
  EXPECT_FALSE(Checked(window, Command::kStrictCommand));
  EXPECT_EQ(options_store_->values().at(u"Strict"), StoredValue::DWord(0));

  // Switched on elsewhere (not through the menu), the window follows at its next update.
  {
    std::lock_guard<CallLock> lock(state_.call_lock);
    state_.Options.Strict = true;
  }
  PrintDocument(1);
  EXPECT_EQ(Caption(window), u"Вторая касса — строгий режим");
  EXPECT_TRUE(Checked(window, Command::kStrictCommand));

  // Other system commands still reach the system: the close command hides.
  SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(ReceiptWindowScreenTest, HidesAfterTheCountdownAndTheFade) {
  state_.Settings.WindowShowType = 2;
  presenter_.SetTimerIntervals(10, 10);
  PrintDocument(1);
  HWND window = presenter_.window();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(IsWindowVisible(window));

  // The countdown runs 15 ticks, then the fade lowers the window's alpha.
  bool faded_a_little = false;
  const bool hidden = PumpUntil(
      [&] {
        const int alpha = LayeredAlpha(window);
        if (alpha > 0 && alpha < 200) faded_a_little = true;
        return !IsWindowVisible(window);
      },
      std::chrono::seconds(30));
  ASSERT_TRUE(hidden);
  EXPECT_TRUE(faded_a_little);
  EXPECT_EQ(Model([](const ReceiptWindow& m) { return m.alpha(); }), 0);
  EXPECT_FALSE(Model([](const ReceiptWindow& m) { return m.fade_enabled(); }));
  EXPECT_FALSE(Model([](const ReceiptWindow& m) { return m.countdown_enabled(); }));

  // The next document shows it again, opaque enough to read and in its corner.
  PrintDocument(1);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(LayeredAlpha(window), 230);
  ExpectPlacedInTheCorner();
}

TEST_F(ReceiptWindowScreenTest, ShowTypeOneKeepsTheWindowUntilTheUserClosesIt) {
  presenter_.SetTimerIntervals(10, 10);
  PrintDocument(1);
  Pump(std::chrono::milliseconds(500));
  EXPECT_TRUE(IsWindowVisible(presenter_.window()));
  EXPECT_EQ(LayeredAlpha(presenter_.window()), 230);
}

TEST_F(ReceiptWindowScreenTest, ShowTypeZeroNeverMakesAWindow) {
  state_.Settings.WindowShowType = 0;
  PrintDocument(5);
  PrintDocument(5);
  EXPECT_EQ(presenter_.window(), nullptr);
  EXPECT_EQ(FindWindowW(L"KassivoReceiptWindow", nullptr), nullptr);
}

TEST_F(ReceiptWindowScreenTest, SkipsTicksAndClicksWhileADriverCallHoldsTheLock) {
  // A modal message box inside a driver call pumps messages with the call
  // lock held on this very thread: the window must neither block nor change
  // the model then.
  state_.Settings.WindowShowType = 2;
  presenter_.SetTimerIntervals(10, 10);
  PrintDocument(1);
  HWND window = presenter_.window();
  ASSERT_NE(window, nullptr);
  {
    std::lock_guard<CallLock> lock(state_.call_lock);
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 50));
    Pump(std::chrono::milliseconds(300));
    EXPECT_TRUE(state_.Receipt.window().visible());
    EXPECT_EQ(state_.Receipt.window().timer_count(), 14);
  }
  EXPECT_TRUE(IsWindowVisible(window));
  // Released, the countdown goes on.
  EXPECT_TRUE(
      PumpUntil([&] { return Model([](const ReceiptWindow& m) { return m.timer_count(); }) < 14; },
                std::chrono::seconds(5)));
}

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
