// The library's five exports (see Kassivo.def and kassivo_addin.map: nothing
// else is exported).
#include <new>
#include <string_view>

#include "host/native/addin_abi.h"
#include "host/native/addin_component.h"
#include "host/native/addin_module.h"

#if defined(_WIN32)
#define KASSIVO_ADDIN_EXPORT
#else
#define KASSIVO_ADDIN_EXPORT __attribute__((visibility("default")))
#endif

using kassivo::native::AddInComponent;
using kassivo::native::AddInModule;
using kassivo::native::InitDone;
using kassivo::native::WCHAR_T;

namespace {

constexpr char16_t kClassNames[] = u"Kassivo";
// The host's capability levels this library knows; it works at the highest.
constexpr int kCapabilities = 3;
constexpr int kAttachAny = 3;

}  // namespace

extern "C" {

KASSIVO_ADDIN_EXPORT const WCHAR_T* GetClassNames() {
  return kClassNames;
}

KASSIVO_ADDIN_EXPORT long GetClassObject(const WCHAR_T* name, void** out) {
  if (out == nullptr) return 0;
  *out = nullptr;
  if (name == nullptr || std::u16string_view(name) != kClassNames) return 0;
  try {
    auto* object = new AddInComponent(AddInModule::Instance());
    *out = static_cast<InitDone*>(object);
    return 1;
  } catch (...) {
    return 0;
  }
}

KASSIVO_ADDIN_EXPORT long DestroyObject(void** object) {
  if (object == nullptr || *object == nullptr) return -1;
  delete static_cast<AddInComponent*>(static_cast<InitDone*>(*object));
  *object = nullptr;
  return 0;
}

KASSIVO_ADDIN_EXPORT int SetPlatformCapabilities(int capabilities) {
  AddInModule::Instance().SetCapabilities(capabilities);
  return kCapabilities;
}

KASSIVO_ADDIN_EXPORT int GetAttachType() {
  return kAttachAny;
}

}  // extern "C"
