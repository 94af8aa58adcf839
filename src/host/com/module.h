// The loaded library: what FPKassivo owns from load to unload.
//
//  - the one ProcessState of the process, made on first need with the
//    Windows platform (registry store, MSXML, regional settings, a generator
//    seeded from the clock, MessageBoxW), its driver options read then from
//    the options store and the environment, and its call journal;
//  - the counts of live objects, factories and server locks;
//  - the receipt window, made on the first call after which the tape wants
//    to be seen, and updated after every driver call on the host's thread.
//
// CanUnload answers whether the library may be unloaded: nothing alive, no
// lock held, and no receipt window left whose window procedure lives in this
// library (the window is destroyed then, when the calling thread owns it).
#pragma once

#include <windows.h>

#include "device/process_state.h"
#include "host/com/class_factory.h"
#include "host/com/module_hooks.h"

namespace kassivo::com {

class Module final : public ModuleHooks {
 public:
  static Module& Instance();

  void SetHandle(HINSTANCE handle) { handle_ = handle; }
  HINSTANCE handle() const { return handle_; }
  ServerCounts& counts() { return counts_; }

  // The process state, made on first use.
  static ProcessState& State();

  void ObjectCreated() override { ++counts_.objects; }
  void ObjectDestroyed() override { --counts_.objects; }
  void AfterCall() override;
  // The call journal of the process, made with it.
  CallObserver* Observer() override;

  bool CanUnload();

 private:
  Module() = default;

  HINSTANCE handle_ = nullptr;
  ServerCounts counts_;
};

}  // namespace kassivo::com
