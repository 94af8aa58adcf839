#include "receipt_window_screen.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <utility>

#include "platform/fixed_clock.h"

namespace kassivo {

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

Screenshot::Screenshot() {
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

COLORREF Screenshot::At(POINT p) const {
  const std::uint32_t bgrx = pixels_[static_cast<std::size_t>(p.y) * width_ + p.x];
  return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF);
}

void Screenshot::Save(const char* path) const {
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

Platform OptionsPlatform(MemoryStore*& options_store) {
  Platform platform;
  auto store = std::make_unique<MemoryStore>();
  options_store = store.get();
  platform.options_store = std::move(store);
  // Read when the faults menu sets a fault.
  platform.clock = std::make_unique<FixedClock>(LocalDateTime{2024, 3, 5, 9, 7, 4, 56});
  platform.environment = [](const char* name) -> std::optional<std::u16string> {
    if (std::string(name) == "LOCALAPPDATA") return u"C:\\Users\\кассир\\AppData\\Local";
    return std::nullopt;
  };
  return platform;
}

ReceiptWindowScreenTest::ReceiptWindowScreenTest() {
  state_.WindowCaption = u"Кассиво: лента";
  state_.Settings.WindowShowType = 1;
}

void ReceiptWindowScreenTest::PrintDocument(int lines) {
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

void ReceiptWindowScreenTest::ExpectPlacedInTheCorner() {
  RECT frame{};
  ASSERT_TRUE(GetWindowRect(presenter_.window(), &frame));
  EXPECT_EQ(frame.right, GetSystemMetrics(SM_CXSCREEN) - 10);
  EXPECT_EQ(frame.bottom, GetSystemMetrics(SM_CYSCREEN) - 50);
}

}  // namespace kassivo
