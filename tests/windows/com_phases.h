// com_end_to_end's phases, each a run of checks (com_client.h) on the
// driver as a host meets it: an object made by ProgID asked for its
// interfaces and properties, a whole session, the registration data read
// back in a second process, and the per-user registration through the DLL's
// own exports.
#pragma once

#include <windows.h>

namespace kassivo::com::end_to_end {

// Every interface the object answers (and some it must not), the
// extension's name, properties and methods.
void InterfacesAndProperties(IUnknown* object);
// Parameters of several VARIANT kinds, a registration, a shift with a
// check and a card payment, errors, and Done.
void Session(IUnknown* object);
// The registration data a first process saved, read back and found in the
// registry as a host's tools would see them.
void Persisted(IUnknown* object);
// DllInstall for the user and back, the class object made through
// DllGetClassObject, DllCanUnloadNow; then DllUnregisterServer when
// `unregister`.
void PerUser(const wchar_t* dll, bool unregister);

}  // namespace kassivo::com::end_to_end
