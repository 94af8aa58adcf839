#include "host/com/addin_object.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include <string>

#include "host/com/variant_values.h"
#include "support/test_platform.h"

namespace kassivo::com {
namespace {

class CountingHooks : public ModuleHooks {
 public:
  int alive = 0;
  int calls = 0;
  void ObjectCreated() override { ++alive; }
  void ObjectDestroyed() override { --alive; }
  void AfterCall() override { ++calls; }
};

// A host connection that answers IStatusLine only of the host interfaces,
// and counts its references.
class Connection : public IDispatch, public IStatusLine {
 public:
  ULONG references = 1;
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
      *object = static_cast<IDispatch*>(this);
    } else if (IsEqualIID(iid, IID_IStatusLine)) {
      *object = static_cast<IStatusLine*>(this);
    } else {
      return E_NOINTERFACE;
    }
    ++references;
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetStatusLine(BSTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE ResetStatusLine() override { return S_OK; }
};

class AddInObjectTest : public ::testing::Test {
 protected:
  template <typename Interface>
  Interface* New(REFIID iid) {
    void* object = nullptr;
    EXPECT_EQ(TAddInObject::Create(*process.state, &hooks, nullptr, iid, &object), S_OK);
    return static_cast<Interface*>(object);
  }

  // Calls a method by name with the given arguments; returns the result.
  Value Call(ILanguageExtender* extender, const wchar_t* name, std::vector<Value>& arguments) {
    long number = -1;
    BSTR bstr = SysAllocString(name);
    EXPECT_EQ(extender->FindMethod(bstr, &number), S_OK);
    SysFreeString(bstr);
    SAFEARRAYBOUND bound{static_cast<ULONG>(arguments.size()), 0};
    SAFEARRAY* array = SafeArrayCreate(VT_VARIANT, 1, &bound);
    for (LONG i = 0; i < static_cast<LONG>(arguments.size()); ++i) {
      ScopedVariant element;
      VariantOfValue(arguments[i], element.get());
      SafeArrayPutElement(array, &i, &element.get());
    }
    ScopedVariant result;
    EXPECT_EQ(extender->CallAsFunc(number, &result.get(), &array), S_OK);
    const ArgumentArray after = ReadArguments(array);
    for (std::size_t i = 0; i < arguments.size(); ++i) arguments[i] = after.Get(i);
    SafeArrayDestroy(array);
    return ValueOfVariant(result.get());
  }

  std::u16string Open(ILanguageExtender* extender) {
    std::vector<Value> arguments(1);
    EXPECT_EQ(Call(extender, L"Open", arguments), Value::Boolean(true));
    return arguments[0].kind() == Value::Kind::kText ? arguments[0].text() : u"";
  }

  testing::TestProcess process;
  CountingHooks hooks;
};

TEST_F(AddInObjectTest, AnswersItsInterfacesWithOneIdentity) {
  auto* init = New<IInitDone>(IID_IInitDone);
  ASSERT_NE(init, nullptr);
  EXPECT_EQ(hooks.alive, 1);
  IUnknown* identity = nullptr;
  ASSERT_EQ(init->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)), S_OK);
  for (const IID* iid : {&IID_ILanguageExtender, &IID_ILocale, &IID_ISupportErrorInfo,
                         &IID_IDispatch, &IID_IInitDone}) {
    IUnknown* face = nullptr;
    ASSERT_EQ(init->QueryInterface(*iid, reinterpret_cast<void**>(&face)), S_OK);
    IUnknown* again = nullptr;
    ASSERT_EQ(face->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&again)), S_OK);
    EXPECT_EQ(again, identity);
    again->Release();
    face->Release();
  }
  void* none = reinterpret_cast<void*>(1);
  EXPECT_EQ(init->QueryInterface(IID_IErrorLogOfHost, &none), E_NOINTERFACE);
  EXPECT_EQ(none, nullptr);
  EXPECT_EQ(init->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
  EXPECT_EQ(init->QueryInterface(IID_IInitDone, nullptr), E_POINTER);
  identity->Release();
  EXPECT_EQ(init->Release(), 0u);
  EXPECT_EQ(hooks.alive, 0);
}

TEST_F(AddInObjectTest, AggregatedObjectsDelegateAndAskOnlyForIUnknown) {
  Connection outer;  // any IUnknown will do as the outer object
  void* object = nullptr;
  EXPECT_EQ(TAddInObject::Create(*process.state, &hooks, static_cast<IDispatch*>(&outer),
                                 IID_IInitDone, &object),
            CLASS_E_NOAGGREGATION);
  EXPECT_EQ(object, nullptr);
  ASSERT_EQ(TAddInObject::Create(*process.state, &hooks, static_cast<IDispatch*>(&outer),
                                 IID_IUnknown, &object),
            S_OK);
  auto* inner = static_cast<IUnknown*>(object);
  ILanguageExtender* extender = nullptr;
  ASSERT_EQ(inner->QueryInterface(IID_ILanguageExtender, reinterpret_cast<void**>(&extender)),
            S_OK);
  const ULONG before = outer.references;
  extender->AddRef();  // counted by the outer object
  EXPECT_EQ(outer.references, before + 1);
  extender->Release();
  // IStatusLine is the outer object's: asked through the inner one, the
  // delegating QueryInterface finds it.
  void* status = nullptr;
  EXPECT_EQ(extender->QueryInterface(IID_IStatusLine, &status), S_OK);
  outer.Release();
  extender->Release();
  outer.references = 1;
  EXPECT_EQ(inner->Release(), 0u);
  EXPECT_EQ(hooks.alive, 0);
}

TEST_F(AddInObjectTest, PropertySideInfoAndDispatch) {
  auto* init = New<IInitDone>(IID_IInitDone);
  EXPECT_EQ(init->Init(nullptr), S_OK);
  ILanguageExtender* extender = nullptr;
  init->QueryInterface(IID_ILanguageExtender, reinterpret_cast<void**>(&extender));

  SAFEARRAYBOUND bound{1, 0};
  SAFEARRAY* info = SafeArrayCreate(VT_VARIANT, 1, &bound);
  EXPECT_EQ(init->GetInfo(&info), S_OK);
  EXPECT_EQ(ReadArguments(info).Get(0), Value::Text(u"2000"));  // a text, not 2000
  SafeArrayDestroy(info);
  EXPECT_EQ(init->GetInfo(nullptr), S_OK);

  BSTR name = nullptr;
  EXPECT_EQ(extender->RegisterExtensionAs(&name), S_OK);
  EXPECT_EQ(std::wstring(name), L"Kassivo");
  SysFreeString(name);
  long count = -1;
  EXPECT_EQ(extender->GetNProps(&count), S_OK);
  EXPECT_EQ(count, 0);
  BSTR prop = SysAllocString(L"Anything");
  EXPECT_EQ(extender->FindProp(prop, &count), S_FALSE);
  EXPECT_EQ(count, -1);
  SysFreeString(prop);
  ScopedVariant value;
  value.get().vt = VT_I4;
  EXPECT_EQ(extender->GetPropVal(0, &value.get()), S_FALSE);
  EXPECT_EQ(value.get().vt, VT_EMPTY);
  BOOL flag = 7;
  EXPECT_EQ(extender->IsPropReadable(0, &flag), S_FALSE);
  EXPECT_EQ(flag, 7);  // not written

  IDispatch* dispatch = nullptr;
  init->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"Open")};
  EXPECT_EQ(dispatch->GetIDsOfNames(IID_NULL, names, 1, 0, &id), E_NOTIMPL);
  EXPECT_EQ(dispatch->Invoke(0, IID_NULL, 0, 0, nullptr, nullptr, nullptr, nullptr), E_NOTIMPL);
  dispatch->Release();

  ISupportErrorInfo* errors = nullptr;
  init->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&errors));
  EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_ILanguageExtender), S_OK);
  EXPECT_EQ(errors->InterfaceSupportsErrorInfo(IID_IErrorLogOfHost), S_FALSE);
  errors->Release();

  ILocale* locale = nullptr;
  init->QueryInterface(IID_ILocale, reinterpret_cast<void**>(&locale));
  BSTR ru = SysAllocString(L"ru_RU");
  EXPECT_EQ(locale->SetLocale(ru), S_OK);
  SysFreeString(ru);
  locale->Release();
  EXPECT_EQ(Open(extender), u"1");  // SetLocale changed nothing

  extender->Release();
  init->Done();
  init->Release();
}

TEST_F(AddInObjectTest, MethodLookupInBothLanguages) {
  auto* extender = New<ILanguageExtender>(IID_ILanguageExtender);
  long methods = 0, english = -1, russian = -1, params = -1;
  EXPECT_EQ(extender->GetNMethods(&methods), S_OK);
  EXPECT_EQ(methods, 42);
  BSTR name = SysAllocString(L"GetDataKKT");
  EXPECT_EQ(extender->FindMethod(name, &english), S_OK);
  SysFreeString(name);
  name = SysAllocString(L"ПолучитьПараметрыККТ");
  EXPECT_EQ(extender->FindMethod(name, &russian), S_OK);
  SysFreeString(name);
  EXPECT_EQ(english, russian);
  EXPECT_GE(english, 0);
  BSTR found = nullptr;
  EXPECT_EQ(extender->GetMethodName(english, 1, &found), S_OK);
  EXPECT_EQ(std::wstring(found), L"ПолучитьПараметрыККТ");
  SysFreeString(found);
  EXPECT_EQ(extender->GetNParams(english, &params), S_OK);
  EXPECT_EQ(params, 2);
  name = SysAllocString(L"NoSuchMethod");
  EXPECT_EQ(extender->FindMethod(name, &english), S_FALSE);
  EXPECT_EQ(english, -1);
  SysFreeString(name);
  EXPECT_EQ(extender->FindMethod(nullptr, &english), S_FALSE);  // a null BSTR is ""
  EXPECT_EQ(extender->GetNMethods(nullptr), E_POINTER);
  ScopedVariant untouched;
  untouched.get().vt = VT_I4;
  SAFEARRAY* none = nullptr;
  EXPECT_EQ(extender->CallAsFunc(kMethodCount, &untouched.get(), &none), S_FALSE);
  EXPECT_EQ(untouched.get().vt, VT_I4);
  extender->Release();
}

TEST_F(AddInObjectTest, InitDoneAndTheDeviceLists) {
  auto* first = New<ILanguageExtender>(IID_ILanguageExtender);
  auto* second = New<ILanguageExtender>(IID_ILanguageExtender);
  IInitDone* first_init = nullptr;
  IInitDone* second_init = nullptr;
  first->QueryInterface(IID_IInitDone, reinterpret_cast<void**>(&first_init));
  second->QueryInterface(IID_IInitDone, reinterpret_cast<void**>(&second_init));

  // Before Init no device can be opened; calls still answer S_OK.
  std::vector<Value> arguments(1);
  EXPECT_EQ(Call(first, L"Open", arguments), Value::Boolean(false));
  EXPECT_EQ(hooks.calls, 1);

  Connection connection;
  EXPECT_EQ(first_init->Init(&connection), S_OK);
  EXPECT_EQ(connection.references, 3u);  // the connection and its IStatusLine
  EXPECT_EQ(second_init->Init(nullptr), S_OK);
  EXPECT_EQ(process.state->WindowCaption, u"Orvelle: Эмулятор ККТ (4.0.5.1)");
  EXPECT_EQ(Open(first), u"1");
  EXPECT_EQ(Open(second), u"1");  // each object numbers its own devices
  EXPECT_EQ(Open(first), u"2");

  std::vector<Value> close{Value::Text(u"1")};
  EXPECT_EQ(Call(second, L"Close", close), Value::Boolean(true));
  std::vector<Value> status{Value::Text(u"1"), Value()};
  EXPECT_EQ(Call(first, L"GetLineLength", status), Value::Boolean(true));

  // A second Init is Done and Init: a new, empty list.
  EXPECT_EQ(first_init->Init(&connection), S_OK);
  EXPECT_EQ(connection.references, 3u);
  EXPECT_EQ(Call(first, L"GetLineLength", status), Value::Boolean(false));
  EXPECT_EQ(Open(first), u"1");

  EXPECT_EQ(first_init->Done(), S_OK);
  EXPECT_EQ(connection.references, 2u);  // the connection stays held
  EXPECT_EQ(Call(first, L"GetLineLength", status), Value::Boolean(false));
  std::vector<Value> error{Value()};
  Call(first, L"GetLastError", error);
  EXPECT_EQ(error[0], Value::Text(u"Устройство c таким ID не найдено."));

  first_init->Release();
  second_init->Release();
  second->Release();
  EXPECT_EQ(first->Release(), 0u);
  EXPECT_EQ(connection.references, 1u);  // released with the object
  EXPECT_EQ(hooks.alive, 0);
}

}  // namespace
}  // namespace kassivo::com
