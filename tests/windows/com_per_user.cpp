// The per-user registration through the DLL's own exports, loaded as a
// library: DllInstall, DllGetClassObject, DllCanUnloadNow and, when asked,
// DllUnregisterServer.
#include <string>

#include "com_client.h"
#include "com_phases.h"

namespace kassivo::com::end_to_end {

namespace {

std::wstring ReadDefault(HKEY root, const std::wstring& key) {
  wchar_t buffer[1024] = {};
  DWORD size = sizeof buffer;
  if (RegGetValueW(root, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, buffer, &size) !=
      ERROR_SUCCESS) {
    return L"<missing>";
  }
  return buffer;
}

bool KeyExists(HKEY root, const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

using InstallFunction = HRESULT(STDAPICALLTYPE*)(BOOL, PCWSTR);
using ClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, LPVOID*);
using CanUnloadFunction = HRESULT(STDAPICALLTYPE*)();  // and the other two

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

void PerUser(const wchar_t* dll, bool unregister) {
  HMODULE module = LoadLibraryW(dll);
  Check(module != nullptr, "LoadLibrary of the DLL");
  if (!module) return;
  auto install = Export<InstallFunction>(module, "DllInstall");
  auto class_object = Export<ClassObjectFunction>(module, "DllGetClassObject");
  auto can_unload = Export<CanUnloadFunction>(module, "DllCanUnloadNow");
  Check(install && class_object && can_unload && GetProcAddress(module, "DllRegisterServer") &&
            GetProcAddress(module, "DllUnregisterServer"),
        "the five exports, undecorated");
  if (!install || !class_object || !can_unload) return;

  const std::wstring user = L"Software\\Classes\\";
  Check(install(TRUE, L"USER") == S_OK, "DllInstall(true, \"USER\")");
  Check(ReadDefault(HKEY_CURRENT_USER, user + L"AddIn.Kassivo\\Clsid") ==
            L"{6C1E4F7A-2B9D-4E53-9A61-3F0C8B2D7E15}",
        "per-user ProgID key");
  const std::wstring server =
      ReadDefault(HKEY_CURRENT_USER, user + kClassKey + L"\\InprocServer32");
  Check(server.find(L"FPKA") != std::wstring::npos && server.find(L' ') == std::wstring::npos,
        "per-user InprocServer32 names the DLL by its short path");
  Check(ReadDefault(HKEY_CURRENT_USER, user + kClassKey + L"\\ProgID") == L"AddIn.Kassivo",
        "per-user ProgID under the class");

  IClassFactory* factory = nullptr;
  void* none = reinterpret_cast<void*>(1);
  Check(class_object(IID_IClassFactory, IID_IClassFactory, &none) == CLASS_E_CLASSNOTAVAILABLE &&
            none == nullptr,
        "DllGetClassObject refuses another CLSID");
  Check(class_object(kClassId, IID_IClassFactory, reinterpret_cast<void**>(&factory)) == S_OK,
        "DllGetClassObject");
  if (factory) {
    ILanguageExtender* extender = nullptr;
    Check(factory->CreateInstance(nullptr, IID_ILanguageExtender,
                                  reinterpret_cast<void**>(&extender)) == S_OK,
          "CreateInstance through the factory");
    Check(can_unload() == S_FALSE, "DllCanUnloadNow while objects live");
    if (extender) {
      long methods = 0;
      extender->GetNMethods(&methods);
      Check(methods == 42, "the object made through the factory works");
      extender->Release();
    }
    factory->Release();
  }
  Check(can_unload() == S_OK, "DllCanUnloadNow once all is released");
  Check(install(FALSE, L"user") == S_OK, "DllInstall(false, \"user\")");
  Check(!KeyExists(HKEY_CURRENT_USER, user + L"AddIn.Kassivo") &&
            !KeyExists(HKEY_CURRENT_USER, user + kClassKey),
        "per-user keys removed");
  if (unregister) {
    auto unregister_server = Export<CanUnloadFunction>(module, "DllUnregisterServer");
    Check(unregister_server != nullptr && unregister_server() == S_OK, "DllUnregisterServer");
  }
  FreeLibrary(module);
}

}  // namespace kassivo::com::end_to_end
