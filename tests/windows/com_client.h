// What com_end_to_end's checks share, as a host sees the driver: the
// class's identity, VARIANTs of a kind, one method called through
// ILanguageExtender with its arguments in a SAFEARRAY, interfaces asked for
// by IID, and the checks themselves: each failed one prints "FAILED: what"
// and is counted for the exit status.
#pragma once

#include <objbase.h>
#include <oleauto.h>
#include <windows.h>

#include <string>
#include <vector>

#include "host/com/addin_lib.h"

namespace kassivo::com::end_to_end {

// Prints the check when it fails, and counts it.
void Check(bool condition, const char* what);
// The number of failed checks so far.
int Failures();

std::string Utf8(const std::wstring& text);

// {6C1E4F7A-2B9D-4E53-9A61-3F0C8B2D7E15}
inline constexpr CLSID kClassId = {
    0x6c1e4f7a, 0x2b9d, 0x4e53, {0x9a, 0x61, 0x3f, 0x0c, 0x8b, 0x2d, 0x7e, 0x15}};
inline constexpr const wchar_t* kClassKey = L"CLSID\\{6C1E4F7A-2B9D-4E53-9A61-3F0C8B2D7E15}";
inline constexpr const wchar_t* kRegistrationNumber = L"0000000042";

VARIANT Text(const wchar_t* text);
VARIANT Of(VARTYPE type);

// One call: arguments in, arguments and the result out.
struct Call {
  std::vector<VARIANT> arguments;
  VARIANT result;

  Call(ILanguageExtender* extender, const wchar_t* method, std::vector<VARIANT> in);
  ~Call();
  Call(const Call&) = delete;
  Call& operator=(const Call&) = delete;
  bool True() const { return result.vt == VT_BOOL && result.boolVal == VARIANT_TRUE; }
  std::wstring TextAt(std::size_t i) const {
    return arguments[i].vt == VT_BSTR && arguments[i].bstrVal ? arguments[i].bstrVal : L"";
  }
  bool Has(std::size_t i, const wchar_t* part) const {
    return TextAt(i).find(part) != std::wstring::npos;
  }
};

template <typename Interface>
Interface* Ask(IUnknown* object, REFIID iid) {
  void* found = nullptr;
  if (FAILED(object->QueryInterface(iid, &found))) return nullptr;
  return static_cast<Interface*>(found);
}

}  // namespace kassivo::com::end_to_end
