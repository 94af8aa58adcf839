// Registration of the component class for the host to find.
//
// RegisterServer writes, each key with its default value, below `root`
// with `prefix` (HKEY_CLASSES_ROOT and "", or HKEY_CURRENT_USER and
// "Software\Classes\" for one user), in this order:
//   CLSID\{clsid}                  the description "Kassivo 4.0.5.1"
//   CLSID\{clsid}\InprocServer32   the library's full path (its short form
//                                  when the path holds a space)
//   AddIn.Kassivo                  the description
//   AddIn.Kassivo\Clsid            {clsid}
//   CLSID\{clsid}\ProgID           "AddIn.Kassivo"
// No ThreadingModel value is written. It answers S_OK, or E_FAIL at the
// first key or value it cannot write.
//
// UnregisterServer deletes CLSID\{clsid}\ProgID, AddIn.Kassivo\Clsid,
// AddIn.Kassivo, CLSID\{clsid}\InprocServer32 and CLSID\{clsid}, in that
// order; a key that is already gone counts as deleted. It goes on past a key
// it cannot delete and then answers E_FAIL.
#pragma once

#include <windows.h>

#include <string>

namespace kassivo::com {

// {6C1E4F7A-2B9D-4E53-9A61-3F0C8B2D7E15}: the class's fixed identifier.
inline constexpr CLSID CLSID_Kassivo = {
    0x6c1e4f7a, 0x2b9d, 0x4e53, {0x9a, 0x61, 0x3f, 0x0c, 0x8b, 0x2d, 0x7e, 0x15}};
inline constexpr const char16_t* kProgId = u"AddIn.Kassivo";
inline constexpr const char16_t* kClassDescription = u"Kassivo 4.0.5.1";

struct RegistrationRoot {
  HKEY root;
  std::u16string prefix;
};

RegistrationRoot MachineClasses();  // HKEY_CLASSES_ROOT
RegistrationRoot UserClasses();     // HKEY_CURRENT_USER\Software\Classes

// The CLSID in registry form: braces, upper-case hexadecimal digits.
std::u16string ClassIdText();

// The full path of a loaded module, in its short form when it holds a space.
std::u16string ServerPath(HMODULE module);
// The short form of an existing file's path when the path holds a space (the
// path itself when the volume keeps no short names).
std::u16string ShortFormWhenSpaced(const std::u16string& full);

HRESULT RegisterServer(const RegistrationRoot& where, const std::u16string& server_path);
HRESULT UnregisterServer(const RegistrationRoot& where);

// Registers (and when that fails, unregisters again, so nothing is left
// half-registered) or unregisters. `do_register` is RegisterServer but for
// tests.
using RegisterFunction = HRESULT (*)(const RegistrationRoot&, const std::u16string&);
HRESULT InstallServer(bool install, const RegistrationRoot& where,
                      const std::u16string& server_path,
                      RegisterFunction do_register = RegisterServer);

// DllInstall's command line: "user" in any letter case means the current
// user's classes, anything else the machine's.
bool IsPerUser(const wchar_t* command_line);

}  // namespace kassivo::com
