#include "tape/receipt_window.h"

#include <gtest/gtest.h>

namespace kassivo {
namespace {

using State = ReceiptWindow::State;

void Countdown(ReceiptWindow& window, int ticks) {
  for (int i = 0; i < ticks; ++i) window.CountdownTick();
}

void Fade(ReceiptWindow& window, int ticks) {
  for (int i = 0; i < ticks; ++i) window.FadeTick();
}

TEST(ReceiptWindow, AbsentUntilTheFirstDocument) {
  ReceiptWindow window;
  EXPECT_EQ(window.state(), State::kAbsent);
  EXPECT_FALSE(window.countdown_enabled());
  EXPECT_FALSE(window.fade_enabled());
  window.CountdownTick();
  window.FadeTick();
  window.RightClick();
  EXPECT_EQ(window.state(), State::kAbsent);
  EXPECT_EQ(window.shows(), 0u);
}

// Show types 2, 3 and 4: the fade starts at tick 15, 29 and 59 and the
// window hides after 230 fade steps and one more tick that finds alpha 0.
TEST(ReceiptWindow, AutoHideTypesCountDownFadeAndHide) {
  const struct { int type, count; } kCases[] = {{2, 14}, {3, 28}, {4, 58}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.type);
    ReceiptWindow window;
    window.BeginDocument(c.type);
    EXPECT_EQ(window.state(), State::kVisible);
    EXPECT_EQ(window.alpha(), 230);
    EXPECT_TRUE(window.translucent());
    EXPECT_EQ(window.timer_count(), c.count);
    EXPECT_TRUE(window.countdown_enabled());

    Countdown(window, c.count);
    EXPECT_EQ(window.timer_count(), 0);
    EXPECT_TRUE(window.countdown_enabled());
    EXPECT_FALSE(window.fade_enabled());

    window.CountdownTick();  // the tick that finds 0 starts the fade
    EXPECT_TRUE(window.fade_enabled());
    EXPECT_FALSE(window.countdown_enabled());

    Fade(window, 229);
    EXPECT_EQ(window.alpha(), 1);
    window.FadeTick();
    EXPECT_EQ(window.alpha(), 0);
    EXPECT_EQ(window.state(), State::kVisible);
    window.FadeTick();
    EXPECT_EQ(window.state(), State::kHidden);
    EXPECT_FALSE(window.fade_enabled());
  }
}

TEST(ReceiptWindow, TypeOneAndUnknownTypesStayUntilClosed) {
  for (const int type : {1, 5, -3, 0}) {
    SCOPED_TRACE(type);
    ReceiptWindow window;
    window.BeginDocument(type);
    EXPECT_EQ(window.timer_count(), 0);
    EXPECT_FALSE(window.countdown_enabled());
    Countdown(window, 1000);
    Fade(window, 1000);
    EXPECT_EQ(window.state(), State::kVisible);
    EXPECT_EQ(window.alpha(), 230);
  }
}

TEST(ReceiptWindow, TypeOneDoesNotStopARunningCountdown) {
  ReceiptWindow window;
  window.BeginDocument(2);
  Countdown(window, 5);
  window.BeginDocument(1);
  EXPECT_EQ(window.timer_count(), 0);
  EXPECT_TRUE(window.countdown_enabled());
  window.CountdownTick();  // finds 0 at once: the fade begins
  EXPECT_TRUE(window.fade_enabled());
  Fade(window, 231);
  EXPECT_EQ(window.state(), State::kHidden);
}

TEST(ReceiptWindow, NewDocumentDuringAFadeResetsAlphaButKeepsFading) {
  ReceiptWindow window;
  window.BeginDocument(2);
  Countdown(window, 15);
  Fade(window, 100);
  EXPECT_EQ(window.alpha(), 130);

  window.BeginDocument(2);
  EXPECT_EQ(window.alpha(), 230);
  EXPECT_TRUE(window.fade_enabled());
  EXPECT_TRUE(window.countdown_enabled());
  EXPECT_EQ(window.timer_count(), 14);
  EXPECT_EQ(window.shows(), 1u);  // it never stopped being visible

  // The fade carries on and hides the new document after 231 ticks.
  Fade(window, 231);
  EXPECT_EQ(window.state(), State::kHidden);

  // Its own countdown then ends: the fade finds alpha 0 and only hides again.
  Countdown(window, 15);
  EXPECT_TRUE(window.fade_enabled());
  window.FadeTick();
  EXPECT_FALSE(window.fade_enabled());
  EXPECT_EQ(window.state(), State::kHidden);
  EXPECT_EQ(window.alpha(), 0);
}

TEST(ReceiptWindow, RightClickAndCloseBoxHideWithoutStoppingTimers) {
  for (const bool right_click : {true, false}) {
    SCOPED_TRACE(right_click);
    ReceiptWindow window;
    window.BeginDocument(3);
    Countdown(window, 10);
    right_click ? window.RightClick() : window.CloseBox();
    EXPECT_EQ(window.state(), State::kHidden);
    EXPECT_TRUE(window.countdown_enabled());
    EXPECT_EQ(window.timer_count(), 18);

    // The countdown and fade go on against the hidden window.
    Countdown(window, 19);
    EXPECT_TRUE(window.fade_enabled());
    Fade(window, 50);
    EXPECT_EQ(window.alpha(), 180);
    EXPECT_EQ(window.state(), State::kHidden);

    // The next document shows it again, opaque to 230, placed anew.
    window.BeginDocument(3);
    EXPECT_EQ(window.state(), State::kVisible);
    EXPECT_EQ(window.alpha(), 230);
    EXPECT_EQ(window.shows(), 2u);
    EXPECT_TRUE(window.fade_enabled());
  }
}

TEST(ReceiptWindow, HiddenWindowStaysHiddenAfterTheFade) {
  ReceiptWindow window;
  window.BeginDocument(2);
  window.CloseBox();
  Countdown(window, 15);
  Fade(window, 231);
  EXPECT_EQ(window.state(), State::kHidden);
  EXPECT_FALSE(window.fade_enabled());
}

TEST(ReceiptWindow, ShowsCountsOnlyTransitionsToVisible) {
  ReceiptWindow window;
  window.BeginDocument(1);
  window.BeginDocument(1);
  EXPECT_EQ(window.shows(), 1u);
  window.RightClick();
  window.RightClick();
  window.BeginDocument(4);
  EXPECT_EQ(window.shows(), 2u);
}

TEST(ReceiptWindow, StartCloseWindowAloneArmsTheCountdown) {
  ReceiptWindow window;
  window.StartCloseWindow(4);
  EXPECT_EQ(window.timer_count(), 58);
  EXPECT_TRUE(window.countdown_enabled());
  window.StartCloseWindow(7);
  EXPECT_EQ(window.timer_count(), 0);
  EXPECT_TRUE(window.countdown_enabled());
}

}  // namespace
}  // namespace kassivo
