#include "tape/receipt_window.h"

namespace kassivo {

void ReceiptWindow::BeginDocument(std::int32_t show_type) {
  if (state_ != State::kVisible) {
    state_ = State::kVisible;
    ++shows_;
  }
  alpha_ = 230;
  translucent_ = true;
  StartCloseWindow(show_type);
}

void ReceiptWindow::StartCloseWindow(std::int32_t show_type) {
  timer_count_ = 0;
  switch (show_type) {
    case 2:
      timer_count_ = 14;
      break;
    case 3:
      timer_count_ = 28;
      break;
    case 4:
      timer_count_ = 58;
      break;
    default:
      return;
  }
  countdown_enabled_ = true;
}

void ReceiptWindow::CountdownTick() {
  if (!countdown_enabled_) return;
  if (timer_count_ > 0) {
    --timer_count_;
  } else {
    fade_enabled_ = true;
    countdown_enabled_ = false;
  }
}

void ReceiptWindow::FadeTick() {
  if (!fade_enabled_ || !translucent_) return;
  if (alpha_ > 0) {
    --alpha_;
  } else {
    fade_enabled_ = false;
    Hide();
  }
}

void ReceiptWindow::Hide() {
  if (state_ == State::kVisible) state_ = State::kHidden;
}

}  // namespace kassivo
