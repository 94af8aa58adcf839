// The class factory of TAddInObject, handed out by DllGetClassObject.
//
// CreateInstance makes a component object of the module's process (an outer
// unknown may aggregate it, asking for IUnknown only); LockServer counts
// locks. Each factory is a reference-counted object of its own; while one is
// alive, or a lock is held, the module stays loaded.
#pragma once

#include <objbase.h>

#include <atomic>

#include "host/com/module_hooks.h"

namespace kassivo {
class ProcessState;
}

namespace kassivo::com {

// The module-wide counts the library's unloading depends on.
struct ServerCounts {
  std::atomic<long> objects{0};
  std::atomic<long> locks{0};
  std::atomic<long> factories{0};
  bool Idle() const { return objects == 0 && locks == 0 && factories == 0; }
};

class ClassFactory final : public IClassFactory {
 public:
  using StateSource = ProcessState& (*)();

  // `state` gives the process state on first need; `counts` and `hooks`
  // outlive the factory.
  ClassFactory(StateSource state, ServerCounts& counts, ModuleHooks* hooks);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  ~ClassFactory();

  std::atomic<ULONG> references_{1};
  StateSource state_;
  ServerCounts& counts_;
  ModuleHooks* hooks_;
};

}  // namespace kassivo::com
