// The receipt window's show, fade and hide behaviour, as clock-free state.
//
// A presenter (or a test) drives it: BeginDocument is called by the tape for
// every new document, CountdownTick once per second while the countdown timer
// is enabled, FadeTick every 10 ms while the fade timer is enabled, and
// RightClick / CloseBox for the user's actions. Nothing here sleeps or reads a
// clock, so tests step it tick by tick.
//
//  - BeginDocument: the window becomes visible (created on first use), alpha
//    230, translucency on, then StartCloseWindow(show type).
//  - StartCloseWindow: TimerCount := 0; for types 2, 3, 4 TimerCount := 14,
//    28, 58 and the countdown is enabled. Other types disable nothing.
//  - CountdownTick: TimerCount > 0 counts down; at 0 the fade is enabled and
//    the countdown disabled.
//  - FadeTick: alpha decreases by 1 while above 0; at 0 the fade stops and
//    the window hides.
//  - RightClick, CloseBox: the window hides; no timer stops.
#pragma once

#include <cstdint>

namespace kassivo {

class ReceiptWindow {
 public:
  enum class State { kAbsent, kVisible, kHidden };

  void BeginDocument(std::int32_t show_type);
  void StartCloseWindow(std::int32_t show_type);
  void CountdownTick();
  void FadeTick();
  void RightClick() { Hide(); }
  void CloseBox() { Hide(); }

  State state() const { return state_; }
  bool visible() const { return state_ == State::kVisible; }
  int alpha() const { return alpha_; }
  bool translucent() const { return translucent_; }
  std::int32_t timer_count() const { return timer_count_; }
  bool countdown_enabled() const { return countdown_enabled_; }
  bool fade_enabled() const { return fade_enabled_; }
  // Counts the times the window turned from hidden (or absent) to visible;
  // a presenter places the window anew each time this changes.
  std::uint64_t shows() const { return shows_; }

 private:
  void Hide();

  State state_ = State::kAbsent;
  int alpha_ = 255;
  bool translucent_ = false;
  std::int32_t timer_count_ = 0;
  bool countdown_enabled_ = false;
  bool fade_enabled_ = false;
  std::uint64_t shows_ = 0;
};

}  // namespace kassivo
