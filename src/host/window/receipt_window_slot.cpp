#include "host/window/receipt_window_slot.h"

namespace kassivo {

ReceiptWindowSlot& ReceiptWindowSlot::Instance() {
  static ReceiptWindowSlot* slot = new ReceiptWindowSlot;
  return *slot;
}

void ReceiptWindowSlot::AfterCall(ProcessState& state, HINSTANCE module) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!presenter_) {
    {
      std::lock_guard<CallLock> call(state.call_lock);
      if (state.Receipt.window().state() == ReceiptWindow::State::kAbsent) return;
    }
    presenter_ = std::make_unique<ReceiptWindowPresenter>(state, module);
    thread_ = GetCurrentThreadId();
  }
  if (thread_ == GetCurrentThreadId()) presenter_->Update();
}

bool ReceiptWindowSlot::Release() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!presenter_) return true;
  if (thread_ != GetCurrentThreadId()) return false;
  presenter_.reset();
  return true;
}

}  // namespace kassivo
