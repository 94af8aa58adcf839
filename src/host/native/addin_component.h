// AddInComponent: the component object a host creates through the native
// add-in interface (addin_abi.h); a thin binding of DriverComponent, as the
// COM binding is.
//
// Contract:
//  - Its four interface tables lie at offsets 0, P, 2P, 3P; the host holds
//    the first (InitDone).
//  - setMemManager keeps the host's memory manager; every text handed to the
//    host is allocated there (native_values.h). Without one, the calls that
//    hand out a text answer false or null, and a call's texts come back
//    EMPTY, with an AddError (1006) when the host gave a connection.
//  - Init creates the device list and keeps the connection, asking it for
//    its message box when the host's capabilities allow; a second Init
//    without Done first does what Done does. setMemManager and Init may come
//    in either order. Done frees the devices and forgets the connection.
//  - GetInfo answers 2000. No properties: GetNProps 0, FindProp -1, the
//    other property calls false or null. SetLocale and
//    SetUserInterfaceLanguageCode are accepted and ignored.
//  - The method side answers as the COM binding does: the same table, names,
//    parameter counts and answers, except that FindMethod ignores case (in
//    both aliases). CallAsFunc and CallAsProc answer false only for a number
//    outside the table; a method's own true or false is in `result`.
//    GetParamDefValue answers false. Written parameters are put back in
//    place, an old text given back to the host first.
//  - While a call runs, the scales' and label printer's message windows go
//    to the host's message box (addin_module.h).
//  - No C++ exception leaves an operation.
#pragma once

#include "host/component.h"
#include "host/native/addin_abi.h"
#include "host/native/addin_module.h"

namespace kassivo::native {

class AddInComponent final : public InitDone,
                             public LanguageExtender,
                             public LocaleInterface,
                             public UserLanguageInterface {
 public:
  explicit AddInComponent(AddInModule& module);
  ~AddInComponent();
  AddInComponent(const AddInComponent&) = delete;
  AddInComponent& operator=(const AddInComponent&) = delete;

  // InitDone
  bool KASSIVO_ADDIN_METHOD Init(void* connection) override;
  bool KASSIVO_ADDIN_METHOD setMemManager(void* manager) override;
  long KASSIVO_ADDIN_METHOD GetInfo() override;
  void KASSIVO_ADDIN_METHOD Done() override;

  // LanguageExtender
  bool KASSIVO_ADDIN_METHOD RegisterExtensionAs(WCHAR_T** name) override;
  long KASSIVO_ADDIN_METHOD GetNProps() override;
  long KASSIVO_ADDIN_METHOD FindProp(const WCHAR_T* name) override;
  const WCHAR_T* KASSIVO_ADDIN_METHOD GetPropName(long number, long alias) override;
  bool KASSIVO_ADDIN_METHOD GetPropVal(long number, tVariant* value) override;
  bool KASSIVO_ADDIN_METHOD SetPropVal(long number, tVariant* value) override;
  bool KASSIVO_ADDIN_METHOD IsPropReadable(long number) override;
  bool KASSIVO_ADDIN_METHOD IsPropWritable(long number) override;
  long KASSIVO_ADDIN_METHOD GetNMethods() override;
  long KASSIVO_ADDIN_METHOD FindMethod(const WCHAR_T* name) override;
  const WCHAR_T* KASSIVO_ADDIN_METHOD GetMethodName(long number, long alias) override;
  long KASSIVO_ADDIN_METHOD GetNParams(long number) override;
  bool KASSIVO_ADDIN_METHOD GetParamDefValue(long method, long param, tVariant* value) override;
  bool KASSIVO_ADDIN_METHOD HasRetVal(long number) override;
  bool KASSIVO_ADDIN_METHOD CallAsProc(long number, tVariant* params, long count) override;
  bool KASSIVO_ADDIN_METHOD CallAsFunc(long number, tVariant* result, tVariant* params,
                                       long count) override;

  // LocaleInterface, UserLanguageInterface
  void KASSIVO_ADDIN_METHOD SetLocale(const WCHAR_T* locale) override;
  void KASSIVO_ADDIN_METHOD SetUserInterfaceLanguageCode(const WCHAR_T* code) override;

 private:
  // Tells the host a text could not be handed to it.
  void ReportLostText();

  AddInModule& module_;
  DriverComponent component_;
  MemoryManager* memory_ = nullptr;
  Connection* connection_ = nullptr;
  MessageBoxInterface* message_box_ = nullptr;
};

}  // namespace kassivo::native
