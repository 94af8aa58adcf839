// The host's AddIn interfaces, declared from their identifiers and the order
// of their operations (slot order matters: the host calls them by position).
//
// The component implements IInitDone, ILanguageExtender and ILocale; it asks
// the host's connection object for IErrorLog (the system's own interface),
// IAsyncEvent and IStatusLine, and only declares IPropertyProfile. It calls
// none of the four. Every operation is STDMETHODCALLTYPE (stdcall on 32-bit
// Windows); integers are 32-bit `long`.
#pragma once

#include <oaidl.h>
#include <objbase.h>
#include <ocidl.h>

namespace kassivo::com {

// {AB634001-F13D-11D0-A459-004095E1DAEA}
inline constexpr IID IID_IInitDone = {
    0xab634001, 0xf13d, 0x11d0, {0xa4, 0x59, 0x00, 0x40, 0x95, 0xe1, 0xda, 0xea}};
// {AB634002-F13D-11D0-A459-004095E1DAEA}
inline constexpr IID IID_IPropertyProfile = {
    0xab634002, 0xf13d, 0x11d0, {0xa4, 0x59, 0x00, 0x40, 0x95, 0xe1, 0xda, 0xea}};
// {AB634003-F13D-11D0-A459-004095E1DAEA}
inline constexpr IID IID_ILanguageExtender = {
    0xab634003, 0xf13d, 0x11d0, {0xa4, 0x59, 0x00, 0x40, 0x95, 0xe1, 0xda, 0xea}};
// {AB634004-F13D-11D0-A459-004095E1DAEA}
inline constexpr IID IID_IAsyncEvent = {
    0xab634004, 0xf13d, 0x11d0, {0xa4, 0x59, 0x00, 0x40, 0x95, 0xe1, 0xda, 0xea}};
// {AB634005-F13D-11D0-A459-004095E1DAEA}
inline constexpr IID IID_IStatusLine = {
    0xab634005, 0xf13d, 0x11d0, {0xa4, 0x59, 0x00, 0x40, 0x95, 0xe1, 0xda, 0xea}};
// {E88A191E-8F52-4261-9FAE-FF7AA84F5D7E}
inline constexpr IID IID_ILocale = {
    0xe88a191e, 0x8f52, 0x4261, {0x9f, 0xae, 0xff, 0x7a, 0xa8, 0x4f, 0x5d, 0x7e}};
// {3127CA40-446E-11CE-8135-00AA004BB851}, the system's IErrorLog.
inline constexpr IID IID_IErrorLogOfHost = {
    0x3127ca40, 0x446e, 0x11ce, {0x81, 0x35, 0x00, 0xaa, 0x00, 0x4b, 0xb8, 0x51}};

struct IInitDone : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE Init(IDispatch* pConnection) = 0;
  virtual HRESULT STDMETHODCALLTYPE Done() = 0;
  virtual HRESULT STDMETHODCALLTYPE GetInfo(SAFEARRAY** pInfo) = 0;
};

struct ILanguageExtender : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE RegisterExtensionAs(BSTR* bstrExtensionName) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNProps(long* plProps) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindProp(BSTR bstrPropName, long* plPropNum) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPropName(long lPropNum, long lPropAlias,
                                                BSTR* pbstrPropName) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetPropVal(long lPropNum, VARIANT* pvarPropVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE SetPropVal(long lPropNum, VARIANT* varPropVal) = 0;
  virtual HRESULT STDMETHODCALLTYPE IsPropReadable(long lPropNum, BOOL* pboolPropRead) = 0;
  virtual HRESULT STDMETHODCALLTYPE IsPropWritable(long lPropNum, BOOL* pboolPropWrite) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNMethods(long* plMethods) = 0;
  virtual HRESULT STDMETHODCALLTYPE FindMethod(BSTR bstrMethodName, long* plMethodNum) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetMethodName(long lMethodNum, long lMethodAlias,
                                                  BSTR* pbstrMethodName) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetNParams(long lMethodNum, long* plParams) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetParamDefValue(long lMethodNum, long lParamNum,
                                                     VARIANT* pvarParamDefValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE HasRetVal(long lMethodNum, BOOL* pboolRetValue) = 0;
  virtual HRESULT STDMETHODCALLTYPE CallAsProc(long lMethodNum, SAFEARRAY** paParams) = 0;
  virtual HRESULT STDMETHODCALLTYPE CallAsFunc(long lMethodNum, VARIANT* pvarRetValue,
                                               SAFEARRAY** paParams) = 0;
};

struct ILocale : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetLocale(BSTR bstrLocale) = 0;
};

struct IAsyncEvent : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetEventBufferDepth(long lDepth) = 0;
  virtual HRESULT STDMETHODCALLTYPE GetEventBufferDepth(long* plDepth) = 0;
  virtual HRESULT STDMETHODCALLTYPE ExternalEvent(BSTR bstrSource, BSTR bstrMessage,
                                                  BSTR bstrData) = 0;
  virtual HRESULT STDMETHODCALLTYPE CleanBuffer() = 0;
};

struct IStatusLine : public IUnknown {
  virtual HRESULT STDMETHODCALLTYPE SetStatusLine(BSTR bstrStatusLine) = 0;
  virtual HRESULT STDMETHODCALLTYPE ResetStatusLine() = 0;
};

struct IPropertyProfile : public IPropertyBag {
  virtual HRESULT STDMETHODCALLTYPE RegisterProfileAs(BSTR bstrProfileName) = 0;
};

}  // namespace kassivo::com
