// AddInModule: what the native add-in library owns from load to unload.
//
//  - the one ProcessState of the process, made on first need with the
//    system's platform (on Windows the registry, MSXML and regional
//    settings; on Linux the JSON store, pugixml and the locale), the
//    test-only settings (test_settings.h), its driver options read from the
//    options store and the environment, and its faults;
//  - the process's call journal, heard by every component object;
//  - the host's capabilities (SetPlatformCapabilities) and the count of live
//    objects;
//  - where message windows go: while a component object runs a call on a
//    thread (MessageScope), to the message box its host's connection offers;
//    with none, to the system's own (a message box on Windows, the standard
//    error stream on Linux);
//  - on Windows, the receipt window (host/window/receipt_window_slot.h),
//    updated after every call and destroyed with the last object. When a
//    thread other than the one that owns it destroys the last object, the
//    library pins itself in memory instead, so the window procedure is never
//    unloaded under a live window.
#pragma once

#include <atomic>

#include "device/process_state.h"
#include "host/call_observer.h"
#include "host/native/addin_abi.h"

namespace kassivo::native {

class AddInModule {
 public:
  static AddInModule& Instance();

  ProcessState& State();
  CallObserver* Observer();

  void SetCapabilities(int capabilities) { capabilities_ = capabilities; }
  int capabilities() const { return capabilities_; }

  void ObjectCreated() { ++objects_; }
  void ObjectDestroyed();
  void AfterCall();

  // While alive, the calling thread's message windows go to `box` (null:
  // the system's own).
  class MessageScope {
   public:
    explicit MessageScope(MessageBoxInterface* box);
    ~MessageScope();
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;

   private:
    MessageBoxInterface* saved_;
  };

 private:
  AddInModule() = default;

  std::atomic<int> capabilities_{-1};
  std::atomic<long> objects_{0};
};

}  // namespace kassivo::native
