#include "host/native/addin_module.h"

#include <memory>
#include <string>

#include "device/options_store.h"
#include "host/native/test_settings.h"
#include "journal/call_journal.h"
#include "platform/host_platform.h"

#ifdef _WIN32
#include <windows.h>

#include "host/window/receipt_window_slot.h"
#endif

namespace kassivo::native {

namespace {

thread_local MessageBoxInterface* current_box = nullptr;

// Message windows: to the calling thread's host message box, else to the
// system's own presenter.
class RoutedMessages final : public MessagePresenter {
 public:
  explicit RoutedMessages(std::unique_ptr<MessagePresenter> system) : system_(std::move(system)) {}

  void Show(std::u16string_view text) override {
    if (current_box != nullptr) {
      const std::u16string terminated(text);
      current_box->Alert(terminated.c_str());
    } else if (system_) {
      system_->Show(text);
    }
  }

 private:
  std::unique_ptr<MessagePresenter> system_;
};

Platform MakePlatform() {
  Platform platform = MakeHostPlatform(TestSettingsFromEnvironment());
  platform.messages = std::make_unique<RoutedMessages>(std::move(platform.messages));
  return platform;
}

#ifdef _WIN32
HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ThisModule), &module);
  return module;
}

void PinThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                     reinterpret_cast<LPCWSTR>(&PinThisModule), &module);
}
#endif

}  // namespace

AddInModule& AddInModule::Instance() {
  static AddInModule module;
  return module;
}

ProcessState& AddInModule::State() {
  static ProcessState state(MakePlatform());
  // Every caller passes here, so none sees the state before its options.
  static const bool options_read = [] {
    LoadDriverOptions(state);
    return true;
  }();
  (void)options_read;
  return state;
}

CallObserver* AddInModule::Observer() {
  // Made after the state, so destroyed before it.
  static JournalObserver journal(State());
  return &journal;
}

void AddInModule::ObjectDestroyed() {
  if (--objects_ != 0) return;
#ifdef _WIN32
  if (!ReceiptWindowSlot::Instance().Release()) PinThisModule();
#endif
}

void AddInModule::AfterCall() {
#ifdef _WIN32
  ReceiptWindowSlot::Instance().AfterCall(State(), ThisModule());
#endif
}

AddInModule::MessageScope::MessageScope(MessageBoxInterface* box) : saved_(current_box) {
  current_box = box;
}

AddInModule::MessageScope::~MessageScope() {
  current_box = saved_;
}

}  // namespace kassivo::native
