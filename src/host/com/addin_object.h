// TAddInObject: the component object the host creates for each driver it
// attaches. A thin binding of DriverComponent to the host's interfaces.
//
// Contract:
//  - QueryInterface answers IInitDone, ILanguageExtender, ILocale,
//    ISupportErrorInfo, IDispatch and IUnknown, and E_NOINTERFACE for any
//    other identifier. The object can be aggregated: created with an outer
//    unknown, it delegates IUnknown to it, and its own identity (IUnknown)
//    is the non-delegating one. Reference counts change atomically.
//  - Init creates the device list and builds WindowCaption, holds the
//    connection and asks it for IErrorLog, IAsyncEvent and IStatusLine (a
//    null connection, or one that answers some of them only, leaves the
//    missing ones empty). A second Init without Done first does what Done
//    does. Done frees the devices and releases the three host interfaces;
//    the connection is held until the object is destroyed.
//  - GetInfo puts the text "2000" into element 0 of the array.
//  - The property side: no properties (GetNProps 0; FindProp -1 and
//    S_FALSE; the others S_FALSE). SetLocale is accepted and ignored.
//  - The method side answers with DriverComponent: S_OK for kOk, S_FALSE for
//    kFalse. Arguments are read from and written back into the host's
//    SAFEARRAY (host/com/variant_values.h).
//  - IDispatch's four operations answer E_NOTIMPL.
//  - InterfaceSupportsErrorInfo answers S_OK for the interfaces above and
//    S_FALSE for any other.
//  - No C++ exception leaves an operation: a failure the driver cannot
//    report through LastErrorText answers E_OUTOFMEMORY or E_FAIL; a null
//    out-pointer answers E_POINTER.
#pragma once

#include <atomic>

#include "device/process_state.h"
#include "host/com/addin_lib.h"
#include "host/com/module_hooks.h"
#include "host/component.h"

namespace kassivo::com {

class TAddInObject final : public IInitDone,
                           public ILanguageExtender,
                           public ILocale,
                           public ISupportErrorInfo,
                           public IDispatch {
 public:
  // Creates an object and answers its interface `iid` (with an outer
  // unknown, only IID_IUnknown may be asked for). `hooks` may be null.
  static HRESULT Create(ProcessState& state, ModuleHooks* hooks, IUnknown* outer, REFIID iid,
                        void** object);

  // IUnknown, delegating to the outer unknown (or to our own).
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IInitDone
  HRESULT STDMETHODCALLTYPE Init(IDispatch* pConnection) override;
  HRESULT STDMETHODCALLTYPE Done() override;
  HRESULT STDMETHODCALLTYPE GetInfo(SAFEARRAY** pInfo) override;

  // ILanguageExtender
  HRESULT STDMETHODCALLTYPE RegisterExtensionAs(BSTR* bstrExtensionName) override;
  HRESULT STDMETHODCALLTYPE GetNProps(long* plProps) override;
  HRESULT STDMETHODCALLTYPE FindProp(BSTR bstrPropName, long* plPropNum) override;
  HRESULT STDMETHODCALLTYPE GetPropName(long lPropNum, long lPropAlias,
                                        BSTR* pbstrPropName) override;
  HRESULT STDMETHODCALLTYPE GetPropVal(long lPropNum, VARIANT* pvarPropVal) override;
  HRESULT STDMETHODCALLTYPE SetPropVal(long lPropNum, VARIANT* varPropVal) override;
  HRESULT STDMETHODCALLTYPE IsPropReadable(long lPropNum, BOOL* pboolPropRead) override;
  HRESULT STDMETHODCALLTYPE IsPropWritable(long lPropNum, BOOL* pboolPropWrite) override;
  HRESULT STDMETHODCALLTYPE GetNMethods(long* plMethods) override;
  HRESULT STDMETHODCALLTYPE FindMethod(BSTR bstrMethodName, long* plMethodNum) override;
  HRESULT STDMETHODCALLTYPE GetMethodName(long lMethodNum, long lMethodAlias,
                                          BSTR* pbstrMethodName) override;
  HRESULT STDMETHODCALLTYPE GetNParams(long lMethodNum, long* plParams) override;
  HRESULT STDMETHODCALLTYPE GetParamDefValue(long lMethodNum, long lParamNum,
                                             VARIANT* pvarParamDefValue) override;
  HRESULT STDMETHODCALLTYPE HasRetVal(long lMethodNum, BOOL* pboolRetValue) override;
  HRESULT STDMETHODCALLTYPE CallAsProc(long lMethodNum, SAFEARRAY** paParams) override;
  HRESULT STDMETHODCALLTYPE CallAsFunc(long lMethodNum, VARIANT* pvarRetValue,
                                       SAFEARRAY** paParams) override;

  // ILocale
  HRESULT STDMETHODCALLTYPE SetLocale(BSTR bstrLocale) override;

  // ISupportErrorInfo
  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

  // IDispatch: not implemented.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT iTInfo, LCID lcid, ITypeInfo** ppTInfo) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* rgszNames, UINT cNames, LCID lcid,
                                          DISPID* rgDispId) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispIdMember, REFIID riid, LCID lcid, WORD wFlags,
                                   DISPPARAMS* pDispParams, VARIANT* pVarResult,
                                   EXCEPINFO* pExcepInfo, UINT* puArgErr) override;

 private:
  // The object's own IUnknown, which never delegates.
  class Inner : public IUnknown {
   public:
    explicit Inner(TAddInObject& self) : self_(self) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

   private:
    TAddInObject& self_;
  };

  TAddInObject(ProcessState& state, ModuleHooks* hooks, IUnknown* outer);
  ~TAddInObject();
  void ReleaseHostInterfaces();
  void AfterCall();

  Inner inner_{*this};
  IUnknown* outer_;
  std::atomic<ULONG> references_{1};
  ModuleHooks* hooks_;
  DriverComponent component_;

  IDispatch* pConn = nullptr;
  IErrorLog* pErrorLog = nullptr;
  IAsyncEvent* pEvent = nullptr;
  IPropertyProfile* pProfile = nullptr;
  IStatusLine* pStatusLine = nullptr;
};

}  // namespace kassivo::com
