#include "host/com/class_registration.h"

#include <objbase.h>

#include <vector>

#include "common/text.h"
#include "platform/windows/wide_text.h"

namespace kassivo::com {

namespace {

bool WriteDefault(const RegistrationRoot& where, const std::u16string& key,
                  const std::u16string& value) {
  const std::u16string path = where.prefix + key;
  HKEY handle = nullptr;
  if (RegCreateKeyExW(where.root, Wide(path), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_WRITE,
                      nullptr, &handle, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  const bool written =
      RegSetValueExW(handle, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                     bytes) == ERROR_SUCCESS;
  RegCloseKey(handle);
  return written;
}

bool DeleteKey(const RegistrationRoot& where, const std::u16string& key) {
  const LSTATUS status = RegDeleteKeyW(where.root, Wide(where.prefix + key));
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::u16string ClassKey() {
  return u"CLSID\\" + ClassIdText();
}

}  // namespace

RegistrationRoot MachineClasses() {
  return {HKEY_CLASSES_ROOT, u""};
}

RegistrationRoot UserClasses() {
  return {HKEY_CURRENT_USER, u"Software\\Classes\\"};
}

std::u16string ClassIdText() {
  wchar_t text[64] = {};
  StringFromGUID2(CLSID_Kassivo, text, static_cast<int>(std::size(text)));
  return AsciiUpper(FromWide(text));
}

std::u16string ServerPath(HMODULE module) {
  std::vector<wchar_t> path(MAX_PATH);
  while (true) {
    const DWORD length = GetModuleFileNameW(module, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return u"";
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return ShortFormWhenSpaced(FromWide(path.data(), path.size()));
}

std::u16string ShortFormWhenSpaced(const std::u16string& full) {
  if (full.find(u' ') == std::u16string::npos) return full;
  const DWORD needed = GetShortPathNameW(Wide(full), nullptr, 0);
  if (needed == 0) return full;  // no short names on this volume: the long one
  std::vector<wchar_t> short_path(needed);
  const DWORD length = GetShortPathNameW(Wide(full), short_path.data(), needed);
  if (length == 0 || length >= needed) return full;
  return FromWide(short_path.data(), length);
}

HRESULT RegisterServer(const RegistrationRoot& where, const std::u16string& server_path) {
  const std::u16string clsid = ClassIdText();
  const bool written = WriteDefault(where, ClassKey(), kClassDescription) &&
                       WriteDefault(where, ClassKey() + u"\\InprocServer32", server_path) &&
                       WriteDefault(where, kProgId, kClassDescription) &&
                       WriteDefault(where, std::u16string(kProgId) + u"\\Clsid", clsid) &&
                       WriteDefault(where, ClassKey() + u"\\ProgID", kProgId);
  return written ? S_OK : E_FAIL;
}

HRESULT UnregisterServer(const RegistrationRoot& where) {
  bool all = true;
  for (const std::u16string& key :
       {ClassKey() + u"\\ProgID", std::u16string(kProgId) + u"\\Clsid", std::u16string(kProgId),
        ClassKey() + u"\\InprocServer32", ClassKey()}) {
    all = DeleteKey(where, key) && all;
  }
  return all ? S_OK : E_FAIL;
}

HRESULT InstallServer(bool install, const RegistrationRoot& where,
                      const std::u16string& server_path, RegisterFunction do_register) {
  if (!install) return UnregisterServer(where);
  const HRESULT result = do_register(where, server_path);
  if (FAILED(result)) UnregisterServer(where);
  return result;
}

bool IsPerUser(const wchar_t* command_line) {
  return command_line != nullptr && AsciiUpper(FromWide(command_line)) == u"USER";
}

}  // namespace kassivo::com
