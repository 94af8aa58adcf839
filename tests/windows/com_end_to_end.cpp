// Drives FPKassivo.dll the way a host does: through COM only, with the class
// found by its ProgID, arguments in SAFEARRAYs of VARIANTs of several kinds.
//
//   com_end_to_end session DLL    registered machine-wide beforehand: create
//                                 by ProgID, every interface, a whole session,
//                                 registration data written to the registry
//   com_end_to_end persisted DLL  a second process: the registration data of
//                                 the first are read back; then the per-user
//                                 DllInstall ("user") writes and removes its
//                                 keys, and the class is made through
//                                 DllGetClassObject
//   com_end_to_end persisted-unregister DLL
//                                 the same, then DllUnregisterServer (what
//                                 regsvr32 /u calls), saving a process where
//                                 each one is slow to start
//
// Prints one line per failed check and exits 1 when any failed.
#include <objbase.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "com_client.h"
#include "com_phases.h"

using namespace kassivo::com::end_to_end;

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::printf("usage: com_end_to_end session|persisted|persisted-unregister DLL\n");
    return 2;
  }
  const std::wstring phase = argv[1];
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  CLSID found{};
  Check(CLSIDFromProgID(L"AddIn.Kassivo", &found) == S_OK && IsEqualCLSID(found, kClassId),
        "CLSIDFromProgID(\"AddIn.Kassivo\")");
  IUnknown* object = nullptr;
  Check(CoCreateInstance(found, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                         reinterpret_cast<void**>(&object)) == S_OK,
        "CoCreateInstance");
  if (object) {
    if (phase == L"session") {
      InterfacesAndProperties(object);
      Session(object);
    } else {
      Persisted(object);
    }
    Check(object->Release() == 0, "the last Release destroys the object");
  }
  CoFreeUnusedLibraries();
  if (phase != L"session") PerUser(argv[2], phase == L"persisted-unregister");
  CoUninitialize();
  std::printf("%ls: %d failed\n", phase.c_str(), Failures());
  return Failures() == 0 ? 0 : 1;
}
