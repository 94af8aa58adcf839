// The receipt window on a real (virtual) screen, shared by its test files:
// a fixture whose presenter shows documents printed as a driver call would,
// with an options store in memory, a fixed clock and LOCALAPPDATA as the only
// variable, and
// the means to look at the result: messages pumped until a condition holds,
// a screenshot of the whole screen, the window's caption and alpha.
// Runs under Wine on Xvfb (receipt_window.cmake).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "device/process_state.h"
#include "host/window/receipt_window_presenter.h"
#include "platform/memory_store.h"

namespace kassivo {

inline constexpr COLORREF kBackground = RGB(255, 255, 210);
inline constexpr COLORREF kBanner = RGB(255, 108, 108);

// Dispatches messages until `done` holds or `timeout` passes; true if done.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
void Pump(std::chrono::milliseconds duration);

// The whole primary screen, captured through GDI.
class Screenshot {
 public:
  Screenshot();
  COLORREF At(POINT p) const;
  // Writes a 32-bit BMP file.
  void Save(const char* path) const;

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<std::uint32_t> pixels_;
};

POINT ClientToScreenPoint(HWND window, int x, int y);
std::u16string Caption(HWND window);
// The window's layered alpha; -1 when it has none.
int LayeredAlpha(HWND window);

// No store but the options' (in memory), and LOCALAPPDATA only.
Platform OptionsPlatform(MemoryStore*& options_store);

class ReceiptWindowScreenTest : public ::testing::Test {
 protected:
  ReceiptWindowScreenTest();

  // Prints a document as a driver call would, then lets the presenter follow.
  void PrintDocument(int lines);

  // The model, read under the lock.
  template <typename F>
  auto Model(F read) {
    std::lock_guard<CallLock> lock(state_.call_lock);
    return read(state_.Receipt.window());
  }

  void ExpectPlacedInTheCorner();

  MemoryStore* options_store_ = nullptr;
  ProcessState state_{OptionsPlatform(options_store_)};
  ReceiptWindowPresenter presenter_{state_, GetModuleHandleW(nullptr)};
};

}  // namespace kassivo
