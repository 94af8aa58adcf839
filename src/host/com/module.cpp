#include "host/com/module.h"

#include <memory>
#include <mutex>

#include "device/fault_option.h"
#include "device/options_store.h"
#include "host/com/window/receipt_window_presenter.h"
#include "journal/call_journal.h"
#include "platform/windows/windows_platform.h"

namespace kassivo::com {

namespace {

// The receipt window, with the thread that made it; guarded by its mutex.
struct WindowSlot {
  std::mutex mutex;
  std::unique_ptr<ReceiptWindowPresenter> presenter;
  DWORD thread = 0;
};

// Never destroyed by the library's unloading: a window must not be destroyed
// from DllMain. CanUnload destroys it first, on the thread that owns it.
WindowSlot& Window() {
  static WindowSlot* slot = new WindowSlot;
  return *slot;
}

}  // namespace

Module& Module::Instance() {
  static Module module;
  return module;
}

ProcessState& Module::State() {
  static ProcessState state(MakeWindowsPlatform(PlatformOptions{}));
  // Every caller passes here, so none sees the state before its options.
  static const bool options_read = [] {
    state.Options =
        ReadDriverOptions(state.platform().options_store.get(), state.platform().environment);
    ApplyFaultsOption(state);
    return true;
  }();
  (void)options_read;
  return state;
}

CallObserver* Module::Observer() {
  // Made after the state, so destroyed before it.
  static JournalObserver journal(State());
  return &journal;
}

void Module::AfterCall() {
  WindowSlot& slot = Window();
  std::lock_guard<std::mutex> lock(slot.mutex);
  if (!slot.presenter) {
    ProcessState& state = State();
    {
      std::lock_guard<CallLock> call(state.call_lock);
      if (state.Receipt.window().state() == ReceiptWindow::State::kAbsent) return;
    }
    slot.presenter = std::make_unique<ReceiptWindowPresenter>(state, handle_);
    slot.thread = GetCurrentThreadId();
  }
  // The window belongs to the thread that made it; calls from another
  // thread leave it to that thread's next call.
  if (slot.thread == GetCurrentThreadId()) slot.presenter->Update();
}

bool Module::CanUnload() {
  if (!counts_.Idle()) return false;
  WindowSlot& slot = Window();
  std::lock_guard<std::mutex> lock(slot.mutex);
  if (!slot.presenter) return true;
  if (slot.thread != GetCurrentThreadId()) return false;
  slot.presenter.reset();
  return true;
}

}  // namespace kassivo::com
