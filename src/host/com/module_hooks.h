// What a component object needs of the module that made it: counting the
// live objects (so the library knows when it may be unloaded), a hook run
// after every driver call (the module updates the receipt window there, on
// the host's thread) and the process's call observer (the call journal),
// null for none. Tests pass their own.
#pragma once

#include "host/call_observer.h"

namespace kassivo::com {

class ModuleHooks {
 public:
  virtual ~ModuleHooks() = default;
  virtual void ObjectCreated() = 0;
  virtual void ObjectDestroyed() = 0;
  virtual void AfterCall() = 0;
  virtual CallObserver* Observer() { return nullptr; }
};

}  // namespace kassivo::com
