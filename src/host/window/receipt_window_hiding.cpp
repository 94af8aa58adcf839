// What makes the receipt window go away, each through the model: the
// countdown and fade timers, a right click on the tape and the close box.
#include <windows.h>

#include <mutex>

#include "host/window/receipt_window_presenter.h"

namespace kassivo {

void ReceiptWindowPresenter::SyncTimers(const ModelView& view) {
  // A timer that is already running keeps its phase, as re-enabling it would.
  if (view.countdown != countdown_running_) {
    if (view.countdown) {
      countdown_running_ = SetTimer(window_, kCountdownTimer, countdown_ms_, nullptr) != 0;
    } else {
      KillTimer(window_, kCountdownTimer);
      countdown_running_ = false;
    }
  }
  if (view.fade != fade_running_) {
    if (view.fade) {
      fade_running_ = SetTimer(window_, kFadeTimer, fade_ms_, nullptr) != 0;
    } else {
      KillTimer(window_, kFadeTimer);
      fade_running_ = false;
    }
  }
}

void ReceiptWindowPresenter::OnTimer(UINT_PTR id) {
  if (id != kCountdownTimer && id != kFadeTimer) return;
  ModelView view;
  {
    // A driver call on this thread is pumping messages: skip the tick.
    if (state_.call_lock.HeldByThisThread()) return;
    std::lock_guard<CallLock> lock(state_.call_lock);
    ReceiptWindow& model = state_.Receipt.window();
    if (id == kCountdownTimer) {
      model.CountdownTick();
    } else {
      model.FadeTick();
    }
    view = Observe(model);
  }
  Apply(view, nullptr, false);
}

void ReceiptWindowPresenter::OnUserHide(bool right_click) {
  ModelView view;
  {
    if (state_.call_lock.HeldByThisThread()) return;  // a driver call is pumping messages
    std::lock_guard<CallLock> lock(state_.call_lock);
    ReceiptWindow& model = state_.Receipt.window();
    if (right_click) {
      model.RightClick();
    } else {
      model.CloseBox();
    }
    view = Observe(model);
  }
  Apply(view, nullptr, false);
}

}  // namespace kassivo
