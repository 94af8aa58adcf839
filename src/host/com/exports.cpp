// The library's entry point and exports (undecorated, see FPKassivo.def).
#include <objbase.h>
#include <windows.h>

#include <new>

#include "host/com/class_factory.h"
#include "host/com/class_registration.h"
#include "host/com/module.h"

using kassivo::com::ClassFactory;
using kassivo::com::Module;

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    Module::Instance().SetHandle(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (!IsEqualCLSID(clsid, kassivo::com::CLSID_Kassivo)) return CLASS_E_CLASSNOTAVAILABLE;
  Module& module = Module::Instance();
  auto* factory = new (std::nothrow) ClassFactory(&Module::State, module.counts(), &module);
  if (factory == nullptr) return E_OUTOFMEMORY;
  const HRESULT result = factory->QueryInterface(iid, object);
  factory->Release();
  return result;
}

STDAPI DllCanUnloadNow() {
  return Module::Instance().CanUnload() ? S_OK : S_FALSE;
}

namespace {

HRESULT Install(bool install, const kassivo::com::RegistrationRoot& where) {
  return kassivo::com::InstallServer(install, where,
                                     kassivo::com::ServerPath(Module::Instance().handle()));
}

}  // namespace

STDAPI DllRegisterServer() {
  return Install(true, kassivo::com::MachineClasses());
}

STDAPI DllUnregisterServer() {
  return Install(false, kassivo::com::MachineClasses());
}

STDAPI DllInstall(BOOL install, PCWSTR command_line) {
  using namespace kassivo::com;
  return Install(install != FALSE, IsPerUser(command_line) ? UserClasses() : MachineClasses());
}
