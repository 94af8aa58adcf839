// The phases run on an object made by CoCreateInstance: its interfaces and
// properties, a whole session, and the data a first session saved.
#include <cstdio>
#include <string>

#include "com_client.h"
#include "com_phases.h"

namespace kassivo::com::end_to_end {

namespace {

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

}  // namespace

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

  // KASSIVO_FAULT_ACTIONS=1: the host's equipment form can set faults.
  Call actions(extender, L"GetAdditionalActions", {Of(VT_EMPTY)});
  Check(actions.True() && actions.Has(0, L"<Action Name=\"Test\"") &&
            actions.Has(
                0, L"<Action Name=\"Fault:paper=out\" Caption=\"Неисправность: нет бумаги\"/>"),
        "GetAdditionalActions offers the faults");
  Call decline(extender, L"DoAdditionalAction", {Text(L"Fault:card=declined:once")});
  Check(decline.True(), "DoAdditionalAction sets a fault");
  VARIANT amount = Of(VT_R8);
  amount.dblVal = 10;
  Call card(
      extender, L"PayByPaymentCard",
      {Text(L"1"), Text(L""), amount, Text(L"R-2"), Of(VT_EMPTY), Of(VT_EMPTY), Of(VT_EMPTY)});
  Call declined(extender, L"GetLastError", {Of(VT_EMPTY)});
  Check(!card.True() && declined.TextAt(0) == L"Операция отклонена банком.",
        "and the next payment is declined with its message");
  Call bad(extender, L"DoAdditionalAction", {Text(L"Fault:ink=low")});
  Call why(extender, L"GetLastError", {Of(VT_EMPTY)});
  Check(!bad.True() && why.TextAt(0) == L"Неизвестная неисправность: ink=low",
        "a bad fault names the item");
  init->Done();
  extender->Release();
  init->Release();
}

}  // namespace kassivo::com::end_to_end
