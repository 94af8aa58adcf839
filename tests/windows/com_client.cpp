#include "com_client.h"

#include <cstdio>
#include <utility>

namespace kassivo::com::end_to_end {

namespace {

int failures = 0;

}  // namespace

void Check(bool condition, const char* what) {
  if (!condition) {
    std::printf("FAILED: %s\n", what);
    ++failures;
  }
}

int Failures() {
  return failures;
}

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

VARIANT Text(const wchar_t* text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocString(text);
  return v;
}

VARIANT Of(VARTYPE type) {
  VARIANT v;
  VariantInit(&v);
  v.vt = type;
  return v;
}

Call::Call(ILanguageExtender* extender, const wchar_t* method, std::vector<VARIANT> in)
    : arguments(std::move(in)) {
  VariantInit(&result);
  BSTR name = SysAllocString(method);
  long number = -1;
  Check(extender->FindMethod(name, &number) == S_OK, "FindMethod of a session method");
  SysFreeString(name);
  SAFEARRAYBOUND bound{static_cast<ULONG>(arguments.size()), 0};
  SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 1, &bound);
  for (LONG i = 0; i < static_cast<LONG>(arguments.size()); ++i) {
    SafeArrayPutElement(array, &i, &arguments[i]);
  }
  Check(extender->CallAsFunc(number, &result, &array) == S_OK, "CallAsFunc answers S_OK");
  for (LONG i = 0; i < static_cast<LONG>(arguments.size()); ++i) {
    VariantClear(&arguments[i]);
    SafeArrayGetElement(array, &i, &arguments[i]);
  }
  SafeArrayDestroy(array);
}

Call::~Call() {
  for (VARIANT& v : arguments) VariantClear(&v);
  VariantClear(&result);
}

}  // namespace kassivo::com::end_to_end
