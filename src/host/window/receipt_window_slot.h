// ReceiptWindowSlot: the one receipt window of a loaded library, shared by
// the threads that call the driver.
//
//  - AfterCall, on the host's thread after every driver call (call lock NOT
//    held): makes the window on the first call after which the tape wants to
//    be seen, with `module` registering its class, and brings it up to date.
//    The window belongs to the thread that made it; calls from another
//    thread leave it to that thread's next call.
//  - Release destroys the window when the calling thread owns it (or there
//    is none) and answers true; false when another thread owns it, so the
//    window procedure must stay loaded.
// The slot is never destroyed by the library's unloading: a window must not
// be destroyed from DllMain, so its owner calls Release first.
#pragma once

#include <windows.h>

#include <memory>
#include <mutex>

#include "device/process_state.h"
#include "host/window/receipt_window_presenter.h"

namespace kassivo {

class ReceiptWindowSlot {
 public:
  // The library's slot (made on first use, never freed).
  static ReceiptWindowSlot& Instance();

  void AfterCall(ProcessState& state, HINSTANCE module);
  bool Release();

 private:
  ReceiptWindowSlot() = default;

  std::mutex mutex_;
  std::unique_ptr<ReceiptWindowPresenter> presenter_;
  DWORD thread_ = 0;
};

}  // namespace kassivo
