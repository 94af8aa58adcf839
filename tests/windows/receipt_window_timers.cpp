// The receipt window's show types and timers: the countdown and the fade
// hide it, show type 1 keeps it, show type 0 never makes it, and ticks and
// clicks wait while a driver call on this thread holds the lock.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <mutex>

#include "receipt_window_screen.h"

namespace kassivo {
namespace {

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

}  // namespace
}  // namespace kassivo
