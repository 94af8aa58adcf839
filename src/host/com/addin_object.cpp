#include "host/com/addin_object.h"

#include <oleauto.h>

#include <new>

#include "host/com/variant_values.h"
#include "platform/windows/wide_text.h"

namespace kassivo::com {

namespace {

constexpr const char16_t* kExtensionName = u"Kassivo";
constexpr const char16_t* kInfoVersion = u"2000";

// Runs an operation body; no C++ exception crosses the interface.
template <typename Body>
HRESULT Guarded(Body&& body) {
  try {
    return body();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

HRESULT Answer(HResult result) {
  return result == HResult::kOk ? S_OK : S_FALSE;
}

std::u16string TextOf(BSTR text) {
  return text == nullptr ? std::u16string() : FromWide(text, SysStringLen(text));
}

HRESULT PutText(const std::u16string& text, BSTR* out) {
  *out = SysAllocStringLen(reinterpret_cast<const OLECHAR*>(text.data()),
                           static_cast<UINT>(text.size()));
  return *out == nullptr ? E_OUTOFMEMORY : S_OK;
}

template <typename Interface>
void ReleaseAndClear(Interface*& reference) {
  if (reference != nullptr) {
    Interface* held = reference;
    reference = nullptr;
    held->Release();
  }
}

template <typename Interface>
Interface* Ask(IDispatch* connection, REFIID iid) {
  void* found = nullptr;
  if (connection == nullptr || FAILED(connection->QueryInterface(iid, &found))) return nullptr;
  return static_cast<Interface*>(found);
}

}  // namespace

HRESULT TAddInObject::Create(ProcessState& state, ModuleHooks* hooks, IUnknown* outer, REFIID iid,
                             void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr && !IsEqualIID(iid, IID_IUnknown)) return CLASS_E_NOAGGREGATION;
  return Guarded([&] {
    auto* created = new TAddInObject(state, hooks, outer);
    const HRESULT result = created->inner_.QueryInterface(iid, object);
    created->inner_.Release();  // the reference it was born with
    return result;
  });
}

TAddInObject::TAddInObject(ProcessState& state, ModuleHooks* hooks, IUnknown* outer)
    : outer_(outer != nullptr ? outer : &inner_),
      hooks_(hooks),
      component_(state, hooks != nullptr ? hooks->Observer() : nullptr) {
  if (hooks_ != nullptr) hooks_->ObjectCreated();
}

TAddInObject::~TAddInObject() {
  try {
    component_.Done();
  } catch (...) {
  }
  ReleaseHostInterfaces();
  ReleaseAndClear(pConn);
  if (hooks_ != nullptr) hooks_->ObjectDestroyed();
}

HRESULT STDMETHODCALLTYPE TAddInObject::Inner::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  IUnknown* found = nullptr;
  if (IsEqualIID(iid, IID_IUnknown)) {
    found = this;
  } else if (IsEqualIID(iid, IID_IInitDone)) {
    found = static_cast<IInitDone*>(&self_);
  } else if (IsEqualIID(iid, IID_ILanguageExtender)) {
    found = static_cast<ILanguageExtender*>(&self_);
  } else if (IsEqualIID(iid, IID_ILocale)) {
    found = static_cast<ILocale*>(&self_);
  } else if (IsEqualIID(iid, IID_ISupportErrorInfo)) {
    found = static_cast<ISupportErrorInfo*>(&self_);
  } else if (IsEqualIID(iid, IID_IDispatch)) {
    found = static_cast<IDispatch*>(&self_);
  } else {
    return E_NOINTERFACE;
  }
  found->AddRef();
  *object = found;
  return S_OK;
}

ULONG STDMETHODCALLTYPE TAddInObject::Inner::AddRef() {
  return ++self_.references_;
}

ULONG STDMETHODCALLTYPE TAddInObject::Inner::Release() {
  const ULONG left = --self_.references_;
  if (left == 0) delete &self_;
  return left;
}

HRESULT STDMETHODCALLTYPE TAddInObject::QueryInterface(REFIID iid, void** object) {
  return outer_->QueryInterface(iid, object);
}

ULONG STDMETHODCALLTYPE TAddInObject::AddRef() {
  return outer_->AddRef();
}

ULONG STDMETHODCALLTYPE TAddInObject::Release() {
  return outer_->Release();
}

void TAddInObject::ReleaseHostInterfaces() {
  ReleaseAndClear(pErrorLog);
  ReleaseAndClear(pEvent);
  ReleaseAndClear(pProfile);
  ReleaseAndClear(pStatusLine);
}

void TAddInObject::AfterCall() {
  if (hooks_ != nullptr) hooks_->AfterCall();
}

HRESULT STDMETHODCALLTYPE TAddInObject::Init(IDispatch* pConnection) {
  return Guarded([&] {
    if (component_.initialized()) Done();
    component_.Init();
    if (pConnection != nullptr) pConnection->AddRef();
    ReleaseAndClear(pConn);
    pConn = pConnection;
    pErrorLog = Ask<IErrorLog>(pConnection, IID_IErrorLogOfHost);
    pEvent = Ask<IAsyncEvent>(pConnection, IID_IAsyncEvent);
    pProfile = nullptr;
    pStatusLine = Ask<IStatusLine>(pConnection, IID_IStatusLine);
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE TAddInObject::Done() {
  try {
    component_.Done();
  } catch (...) {
    // Freeing the devices may fail; the object is done all the same.
  }
  ReleaseHostInterfaces();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TAddInObject::GetInfo(SAFEARRAY** pInfo) {
  return Guarded([&] {
    if (pInfo != nullptr && *pInfo != nullptr) {
      ArgumentArray info(std::vector<Value>(1));
      info.Put(0, Value::Text(kInfoVersion));
      WriteBack(info, *pInfo);
    }
    return S_OK;
  });
}

HRESULT STDMETHODCALLTYPE TAddInObject::RegisterExtensionAs(BSTR* bstrExtensionName) {
  if (bstrExtensionName == nullptr) return E_POINTER;
  return PutText(kExtensionName, bstrExtensionName);
}

HRESULT STDMETHODCALLTYPE TAddInObject::GetNProps(long* plProps) {
  if (plProps == nullptr) return E_POINTER;
  *plProps = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TAddInObject::FindProp(BSTR, long* plPropNum) {
  if (plPropNum != nullptr) *plPropNum = -1;
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE TAddInObject::GetPropName(long, long, BSTR* pbstrPropName) {
  if (pbstrPropName != nullptr) *pbstrPropName = SysAllocString(L"");
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE TAddInObject::GetPropVal(long, VARIANT* pvarPropVal) {
  if (pvarPropVal != nullptr) {
    VariantClear(pvarPropVal);
    pvarPropVal->vt = VT_EMPTY;
  }
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE TAddInObject::SetPropVal(long, VARIANT*) {
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE TAddInObject::IsPropReadable(long, BOOL*) {
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE TAddInObject::IsPropWritable(long, BOOL*) {
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE TAddInObject::GetNMethods(long* plMethods) {
  if (plMethods == nullptr) return E_POINTER;
  *plMethods = DriverComponent::GetNMethods();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TAddInObject::FindMethod(BSTR bstrMethodName, long* plMethodNum) {
  if (plMethodNum == nullptr) return E_POINTER;
  return Guarded([&] {
    std::int32_t number = -1;
    const HResult result = DriverComponent::FindMethod(TextOf(bstrMethodName), number);
    *plMethodNum = number;
    return Answer(result);
  });
}

HRESULT STDMETHODCALLTYPE TAddInObject::GetMethodName(long lMethodNum, long lMethodAlias,
                                                      BSTR* pbstrMethodName) {
  if (pbstrMethodName == nullptr) return E_POINTER;
  *pbstrMethodName = nullptr;
  return Guarded([&] {
    std::u16string name;
    const HResult result = DriverComponent::GetMethodName(lMethodNum, lMethodAlias, name);
    const HRESULT stored = PutText(name, pbstrMethodName);
    return FAILED(stored) ? stored : Answer(result);
  });
}

HRESULT STDMETHODCALLTYPE TAddInObject::GetNParams(long lMethodNum, long* plParams) {
  if (plParams == nullptr) return E_POINTER;
  std::int32_t count = 0;
  const HResult result = DriverComponent::GetNParams(lMethodNum, count);
  *plParams = count;
  return Answer(result);
}

HRESULT STDMETHODCALLTYPE TAddInObject::GetParamDefValue(long lMethodNum, long lParamNum,
                                                         VARIANT* pvarParamDefValue) {
  if (pvarParamDefValue == nullptr) return E_POINTER;
  return Guarded([&] {
    Value value;
    const HResult result = DriverComponent::GetParamDefValue(lMethodNum, lParamNum, value);
    VariantOfValue(value, *pvarParamDefValue);
    return Answer(result);
  });
}

HRESULT STDMETHODCALLTYPE TAddInObject::HasRetVal(long lMethodNum, BOOL* pboolRetValue) {
  if (pboolRetValue == nullptr) return E_POINTER;
  std::int32_t has_value = 0;
  const HResult result = DriverComponent::HasRetVal(lMethodNum, has_value);
  *pboolRetValue = has_value;
  return Answer(result);
}

HRESULT STDMETHODCALLTYPE TAddInObject::CallAsProc(long lMethodNum, SAFEARRAY** paParams) {
  return Guarded([&] {
    SAFEARRAY* array = paParams != nullptr ? *paParams : nullptr;
    ArgumentArray arguments = ReadArguments(array);
    const HResult result = component_.CallAsProc(lMethodNum, arguments);
    WriteBack(arguments, array);
    return Answer(result);
  });
}

HRESULT STDMETHODCALLTYPE TAddInObject::CallAsFunc(long lMethodNum, VARIANT* pvarRetValue,
                                                   SAFEARRAY** paParams) {
  const HRESULT answer = Guarded([&] {
    SAFEARRAY* array = paParams != nullptr ? *paParams : nullptr;
    ArgumentArray arguments = ReadArguments(array);
    Value result;
    const HResult called = component_.CallAsFunc(lMethodNum, result, arguments);
    WriteBack(arguments, array);
    // A number outside the table answers S_FALSE and leaves the value alone.
    if (called == HResult::kOk && pvarRetValue != nullptr) VariantOfValue(result, *pvarRetValue);
    return Answer(called);
  });
  AfterCall();
  return answer;
}

HRESULT STDMETHODCALLTYPE TAddInObject::SetLocale(BSTR) {
  return S_OK;
}

HRESULT STDMETHODCALLTYPE TAddInObject::InterfaceSupportsErrorInfo(REFIID iid) {
  for (const IID* known : {&IID_ILanguageExtender, &IID_ILocale, &IID_IInitDone, &IID_IDispatch,
                           &IID_ISupportErrorInfo, &IID_IUnknown}) {
    if (IsEqualIID(iid, *known)) return S_OK;
  }
  return S_FALSE;
}

HRESULT STDMETHODCALLTYPE TAddInObject::GetTypeInfoCount(UINT*) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TAddInObject::GetTypeInfo(UINT, LCID, ITypeInfo**) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TAddInObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE TAddInObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*,
                                               EXCEPINFO*, UINT*) {
  return E_NOTIMPL;
}

}  // namespace kassivo::com
