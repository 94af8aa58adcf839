#include "host/com/module.h"

#include "device/options_store.h"
#include "host/window/receipt_window_slot.h"
#include "journal/call_journal.h"
#include "platform/windows/windows_platform.h"

namespace kassivo::com {

Module& Module::Instance() {
  static Module module;
  return module;
}

ProcessState& Module::State() {
  static ProcessState state(MakeWindowsPlatform(PlatformOptions{}));
  // Every caller passes here, so none sees the state before its options.
  static const bool options_read = [] {
    LoadDriverOptions(state);
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
  ReceiptWindowSlot::Instance().AfterCall(State(), handle_);
}

bool Module::CanUnload() {
  return counts_.Idle() && ReceiptWindowSlot::Instance().Release();
}

}  // namespace kassivo::com
