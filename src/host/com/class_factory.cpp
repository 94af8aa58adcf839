#include "host/com/class_factory.h"

#include <new>

#include "host/com/addin_object.h"

namespace kassivo::com {

ClassFactory::ClassFactory(StateSource state, ServerCounts& counts, ModuleHooks* hooks)
    : state_(state), counts_(counts), hooks_(hooks) {
  ++counts_.factories;
}

ClassFactory::~ClassFactory() {
  --counts_.factories;
}

HRESULT STDMETHODCALLTYPE ClassFactory::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IClassFactory)) {
    return E_NOINTERFACE;
  }
  AddRef();
  *object = static_cast<IClassFactory*>(this);
  return S_OK;
}

ULONG STDMETHODCALLTYPE ClassFactory::AddRef() {
  return ++references_;
}

ULONG STDMETHODCALLTYPE ClassFactory::Release() {
  const ULONG left = --references_;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  try {
    return TAddInObject::Create(state_(), hooks_, outer, iid, object);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT STDMETHODCALLTYPE ClassFactory::LockServer(BOOL lock) {
  if (lock) {
    ++counts_.locks;
  } else if (counts_.locks > 0) {
    --counts_.locks;
  }
  return S_OK;
}

}  // namespace kassivo::com
