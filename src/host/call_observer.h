// CallObserver: what a component object tells about its calls to whoever
// watches them (the call journal), without knowing who that is.
//
// Contract:
//  - every method runs with the process's call lock held, so an observer
//    shared by the component objects of one process sees one call at a time;
//  - BeginCall is made before the call, while the arguments are as the host
//    sent them; it answers whether the observer wants to hear the end of the
//    call. When it answers false the call goes on as if nobody watched;
//  - EndCall follows a BeginCall that answered true, after the call, with
//    the object's number, the result (null for CallAsProc), the answer and
//    the arguments as the call left them;
//  - ObjectInit and ObjectDone follow an object's Init and Done;
//  - nothing an observer does changes an answer, and no observer method
//    throws.
#pragma once

#include <cstdint>

#include "common/value.h"
#include "host/hresult.h"

namespace kassivo {

class CallObserver {
 public:
  virtual bool BeginCall(std::int32_t method, const ArgumentArray& params) noexcept = 0;
  virtual void EndCall(std::int32_t object, const Value* result, HResult answer,
                       const ArgumentArray& params) noexcept = 0;
  virtual void ObjectInit(std::int32_t object) noexcept = 0;
  virtual void ObjectDone(std::int32_t object) noexcept = 0;

 protected:
  ~CallObserver() = default;
};

}  // namespace kassivo
