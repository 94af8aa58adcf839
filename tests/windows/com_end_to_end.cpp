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
#include <oleauto.h>
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "host/com/addin_lib.h"

namespace {

using namespace kassivo::com;

int failures = 0;

std::string Utf8(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(), size,
                      nullptr, nullptr);
  return bytes;
}

void Check(bool condition, const char* what) {
  if (!condition) {
    std::printf("FAILED: %s\n", what);
    ++failures;
  }
}

// {6C1E4F7A-2B9D-4E53-9A61-3F0C8B2D7E15}
constexpr CLSID kClassId = {
    0x6c1e4f7a, 0x2b9d, 0x4e53, {0x9a, 0x61, 0x3f, 0x0c, 0x8b, 0x2d, 0x7e, 0x15}};
constexpr const wchar_t* kClassKey = L"CLSID\\{6C1E4F7A-2B9D-4E53-9A61-3F0C8B2D7E15}";
constexpr const wchar_t* kRegistrationNumber = L"0000000042";

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

// One call: arguments in, arguments and the result out.
struct Call {
  std::vector<VARIANT> arguments;
  VARIANT result;

  Call(ILanguageExtender* extender, const wchar_t* method, std::vector<VARIANT> in)
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
  ~Call() {
    for (VARIANT& v : arguments) VariantClear(&v);
    VariantClear(&result);
  }
  bool True() const { return result.vt == VT_BOOL && result.boolVal == VARIANT_TRUE; }
  std::wstring TextAt(std::size_t i) const {
    return arguments[i].vt == VT_BSTR && arguments[i].bstrVal ? arguments[i].bstrVal : L"";
  }
  bool Has(std::size_t i, const wchar_t* part) const {
    return TextAt(i).find(part) != std::wstring::npos;
  }
};

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

template <typename Interface>
Interface* Ask(IUnknown* object, REFIID iid) {
  void* found = nullptr;
  if (FAILED(object->QueryInterface(iid, &found))) return nullptr;
  return static_cast<Interface*>(found);
}

void InterfacesAndProperties(IUnknown* object) {
  for (const IID* iid : {&IID_IInitDone, &IID_ILanguageExtender, &IID_ILocale,
                         &IID_ISupportErrorInfo, &IID_IDispatch, &IID_IUnknown}) {
    IUnknown* face = Ask<IUnknown>(object, *iid);
    Check(face != nullptr, "QueryInterface of every interface");
    if (face) face->Release();
  }
  Check(Ask<IUnknown>(object, IID_IErrorLogOfHost) == nullptr, "no IErrorLog");
  Check(Ask<IUnknown>(object, IID_IClassFactory) == nullptr, "no IClassFactory");
  Check(Ask<IUnknown>(object, IID_IPersist) == nullptr, "no IPersist");

  auto* extender = Ask<ILanguageExtender>(object, IID_ILanguageExtender);
  BSTR name = nullptr;
  Check(extender->RegisterExtensionAs(&name) == S_OK && name && std::wstring(name) == L"Kassivo",
        "RegisterExtensionAs gives Kassivo");
  SysFreeString(name);
  long count = -1;
  Check(extender->GetNProps(&count) == S_OK && count == 0, "GetNProps gives 0");
  BSTR prop = SysAllocString(L"Name");
  Check(extender->FindProp(prop, &count) == S_FALSE && count == -1, "FindProp gives -1");
  SysFreeString(prop);
  VARIANT value = Of(VT_I4);
  Check(extender->GetPropVal(0, &value) == S_FALSE && value.vt == VT_EMPTY, "GetPropVal empty");
  Check(extender->GetNMethods(&count) == S_OK && count == 42, "GetNMethods gives 42");
  long english = -1, russian = -2, params = 0;
  BSTR en = SysAllocString(L"ProcessCheck");
  BSTR ru = SysAllocString(L"СформироватьЧек");
  Check(extender->FindMethod(en, &english) == S_OK && extender->FindMethod(ru, &russian) == S_OK &&
            english == russian,
        "FindMethod in both languages");
  SysFreeString(en);
  SysFreeString(ru);
  Check(extender->GetNParams(english, &params) == S_OK && params == 4, "GetNParams of a method");
  extender->Release();

  auto* dispatch = Ask<IDispatch>(object, IID_IDispatch);
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"Open")};
  Check(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id) == E_NOTIMPL, "IDispatch E_NOTIMPL");
  dispatch->Release();
  auto* errors = Ask<ISupportErrorInfo>(object, IID_ISupportErrorInfo);
  Check(errors->InterfaceSupportsErrorInfo(IID_ILanguageExtender) == S_OK &&
            errors->InterfaceSupportsErrorInfo(IID_IErrorLogOfHost) == S_FALSE,
        "InterfaceSupportsErrorInfo");
  errors->Release();
  auto* locale = Ask<ILocale>(object, IID_ILocale);
  BSTR ru_locale = SysAllocString(L"ru_RU");
  Check(locale->SetLocale(ru_locale) == S_OK, "SetLocale");
  SysFreeString(ru_locale);
  locale->Release();
}

constexpr const wchar_t* kCheck =
    L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<CheckPackage>\r\n  <Parameters "
    L"CashierName=\"Смирнова А.В.\" OperationType=\"1\" TaxationSystem=\"0\"/>\r\n  "
    L"<Positions>\r\n    <FiscalString Name=\"Молоко 3,2%\" Quantity=\"2\" "
    L"PriceWithDiscount=\"89.90\" AmountWithDiscount=\"179.80\" DiscountAmount=\"0\" "
    L"VATRate=\"10\" PaymentMethod=\"4\" CalculationSubject=\"33\" "
    L"MarkingCode=\"010460620309818721JgXJ5.T\x1D"
    L"91EE06\x1D"
    L"92YWNkZWY=\"/>\r\n  </Positions>\r\n  <Payments Cash=\"200\" ElectronicPayment=\"0\"/>\r\n"
    L"</CheckPackage>";

void Session(IUnknown* object) {
  auto* init = Ask<IInitDone>(object, IID_IInitDone);
  Check(init->Init(nullptr) == S_OK, "Init with a null connection");
  SAFEARRAYBOUND one{1, 0};
  SAFEARRAY* info = SafeArrayCreate(VT_VARIANT, 1, &one);
  Check(init->GetInfo(&info) == S_OK, "GetInfo");
  LONG zero = 0;
  VARIANT version = Of(VT_EMPTY);
  SafeArrayGetElement(info, &zero, &version);
  Check(version.vt == VT_BSTR && std::wstring(version.bstrVal) == L"2000",
        "GetInfo gives \"2000\"");
  VariantClear(&version);
  SafeArrayDestroy(info);

  auto* extender = Ask<ILanguageExtender>(object, IID_ILanguageExtender);
  {
    VARIANT size = Of(VT_I2);
    size.iVal = 36;
    Call set(extender, L"SetParameter", {Text(L"Size"), size});
    Check(set.True(), "SetParameter Size (VT_I2)");
    VARIANT show = Of(VT_UI1);
    show.bVal = 0;
    Call hide(extender, L"УстановитьПараметр", {Text(L"WindowShowType"), show});
    Check(hide.True(), "SetParameter WindowShowType (VT_UI1)");
    VARIANT threshold = Of(VT_DECIMAL);
    VarDecFromI4(500, &threshold.decVal);
    threshold.vt = VT_DECIMAL;
    Call limit(extender, L"SetParameter", {Text(L"ThresholdPositiveOperations"), threshold});
    Check(limit.True(), "SetParameter ThresholdPositiveOperations (VT_DECIMAL)");
  }
  Call open(extender, L"Open", {Of(VT_EMPTY)});
  Check(open.True() && open.TextAt(0) == L"1", "Open gives device 1");

  std::wstring registration = L"<ParametersFiscal KKTNumber=\"";
  registration += kRegistrationNumber;
  registration += L"\" CompanyName=\"ООО &quot;Ёлка&quot;\" Fiscal=\"true\" IsMarking=\"true\"/>";
  VARIANT operation = Of(VT_I4);
  operation.lVal = 1;
  Call fn(extender, L"OperationFN", {Text(L"1"), operation, Text(registration.c_str())});
  Check(fn.True(), "OperationFN saves the registration data");

  Call shift(
      extender, L"OpenShift",
      {Text(L"1"),
       Text(L"<InputParameters><Parameters CashierName=\"Смирнова А.В.\"/></InputParameters>"),
       Of(VT_EMPTY)});
  Check(shift.True() && shift.Has(2, L"ShiftNumber=\"1\""), "OpenShift answers shift 1");

  VARIANT electronic = Of(VT_BOOL);
  electronic.boolVal = VARIANT_FALSE;
  Call check(extender, L"ProcessCheck", {Text(L"1"), electronic, Text(kCheck), Of(VT_EMPTY)});
  Check(check.True() && check.Has(3, L"<DocumentOutputParameters") &&
            check.Has(3, L"CheckNumber=\"2\""),  // the shift's opening was document 1
        "ProcessCheck of a real package");
  if (!check.Has(3, L"CheckNumber=\"2\"")) {
    std::printf("  ProcessCheck answered: %s\n", Utf8(check.TextAt(3)).c_str());
  }

  VARIANT amount = Of(VT_CY);
  amount.cyVal.int64 = 1799800;  // 179.98
  Call card(extender, L"PayByPaymentCard",
            {Text(L"1"), Text(L"4276000011112222"), amount, Text(L"R-1"), Of(VT_EMPTY),
             Of(VT_EMPTY), Of(VT_EMPTY)});
  Check(card.True() && card.Has(6, L"УСПЕШНО"), "PayByPaymentCard (VT_CY) approved");

  Call error(extender, L"GetLastError", {Of(VT_EMPTY)});
  Check(error.result.vt == VT_I4 && error.result.lVal == 0 && error.TextAt(0) == L"Нет ошибок.",
        "GetLastError after success");
  if (error.TextAt(0) != L"Нет ошибок.")
    std::printf("  GetLastError: %s\n", Utf8(error.TextAt(0)).c_str());

  Call unknown(extender, L"CloseShift", {Text(L"7"), Text(L""), Of(VT_EMPTY)});
  Check(!unknown.True(), "an unknown device ID fails");
  Call why(extender, L"GetLastError", {Of(VT_EMPTY)});
  Check(why.TextAt(0) == L"Устройство c таким ID не найдено.", "and says why");

  Call close(extender, L"CloseShift",
             {Text(L"1"), Text(L"<InputParameters><Parameters/></InputParameters>"), Of(VT_EMPTY)});
  Check(close.True() && close.Has(2, L"ShiftNumber=\"1\""), "CloseShift closes shift 1");

  Check(init->Done() == S_OK, "Done");
  Call after(extender, L"GetLineLength", {Text(L"1"), Of(VT_EMPTY)});
  Check(!after.True(), "no device after Done");
  extender->Release();
  init->Release();
}

void Persisted(IUnknown* object) {
  auto* init = Ask<IInitDone>(object, IID_IInitDone);
  init->Init(nullptr);
  auto* extender = Ask<ILanguageExtender>(object, IID_ILanguageExtender);
  Call open(extender, L"Open", {Of(VT_EMPTY)});
  Call data(extender, L"GetDataKKT", {Text(L"1"), Of(VT_EMPTY)});
  Check(data.True() && data.Has(1, (std::wstring(L"KKTNumber=\"") + kRegistrationNumber).c_str()),
        "the registration number persisted in the registry");
  Check(data.Has(1, L"IsMarking=\"True\""), "the flags persisted");
  wchar_t stored[64] = {};
  DWORD size = sizeof stored;
  Check(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Orvelle\\Kassivo", L"KKTNumber", RRF_RT_REG_SZ,
                     nullptr, stored, &size) == ERROR_SUCCESS &&
            std::wstring(stored) == kRegistrationNumber,
        "stored as REG_SZ under HKCU\\Software\\Orvelle\\Kassivo");
  DWORD flag = 0;
  size = sizeof flag;
  Check(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Orvelle\\Kassivo", L"IsMarking",
                     RRF_RT_REG_DWORD, nullptr, &flag, &size) == ERROR_SUCCESS &&
            flag == 1,
        "flags stored as REG_DWORD 1");
  init->Done();
  extender->Release();
  init->Release();
}

using InstallFunction = HRESULT(STDAPICALLTYPE*)(BOOL, PCWSTR);
using ClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, LPVOID*);
using CanUnloadFunction = HRESULT(STDAPICALLTYPE*)();  // and the other two

template <typename Function>
Function Export(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

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

}  // namespace

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
  std::printf("%ls: %d failed\n", phase.c_str(), failures);
  return failures == 0 ? 0 : 1;
}
