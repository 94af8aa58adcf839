#include "host/native/addin_component.h"

#include <cstdint>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "host/native/native_values.h"

namespace kassivo::native {

namespace {

constexpr const char16_t* kExtensionName = u"Kassivo";
constexpr long kInfoVersion = 2000;
constexpr const char16_t* kLostText = u"Платформа не выделила память для текста ответа.";

// A host's method number as the driver's; a number no int32 holds is outside
// the table.
std::int32_t MethodNumber(long number) {
  if (number < std::numeric_limits<std::int32_t>::min() ||
      number > std::numeric_limits<std::int32_t>::max()) {
    return -1;
  }
  return static_cast<std::int32_t>(number);
}

std::u16string_view TextOf(const WCHAR_T* text) {
  return text == nullptr ? std::u16string_view() : std::u16string_view(text);
}

// Every method name in both aliases, upper-cased with the process's
// upper-caser, with its number; made once.
const std::vector<std::pair<std::u16string, std::int32_t>>& UpperCaseNames(
    const UpperCaser& upper) {
  static const auto names = [&upper] {
    std::vector<std::pair<std::u16string, std::int32_t>> all;
    for (std::int32_t number = 0; number < DriverComponent::GetNMethods(); ++number) {
      for (std::int32_t alias = 0; alias < 2; ++alias) {
        std::u16string name;
        if (DriverComponent::GetMethodName(number, alias, name) == HResult::kOk) {
          all.emplace_back(upper.ToUpper(name), number);
        }
      }
    }
    return all;
  }();
  return names;
}

}  // namespace

AddInComponent::AddInComponent(AddInModule& module)
    : module_(module), component_(module.State(), module.Observer()) {
  module_.ObjectCreated();
}

AddInComponent::~AddInComponent() {
  try {
    component_.Done();
  } catch (...) {
    // Freeing the devices may fail; the object goes all the same.
  }
  module_.ObjectDestroyed();
}

bool KASSIVO_ADDIN_METHOD AddInComponent::Init(void* connection) {
  try {
    if (component_.initialized()) Done();
    component_.Init();
    connection_ = static_cast<Connection*>(connection);
    message_box_ = nullptr;
    if (connection_ != nullptr && module_.capabilities() >= 1) {
      message_box_ =
          static_cast<MessageBoxInterface*>(connection_->GetInterface(kMessageBoxInterface));
    }
    return true;
  } catch (...) {
    return false;
  }
}

bool KASSIVO_ADDIN_METHOD AddInComponent::setMemManager(void* manager) {
  memory_ = static_cast<MemoryManager*>(manager);
  return memory_ != nullptr;
}

long KASSIVO_ADDIN_METHOD AddInComponent::GetInfo() {
  return kInfoVersion;
}

void KASSIVO_ADDIN_METHOD AddInComponent::Done() {
  try {
    component_.Done();
  } catch (...) {
    // Freeing the devices may fail; the object is done all the same.
  }
  connection_ = nullptr;
  message_box_ = nullptr;
}

bool KASSIVO_ADDIN_METHOD AddInComponent::RegisterExtensionAs(WCHAR_T** name) {
  if (name == nullptr) return false;
  *name = HostText(kExtensionName, memory_);
  return *name != nullptr;
}

long KASSIVO_ADDIN_METHOD AddInComponent::GetNProps() {
  return 0;
}

long KASSIVO_ADDIN_METHOD AddInComponent::FindProp(const WCHAR_T*) {
  return -1;
}

const WCHAR_T* KASSIVO_ADDIN_METHOD AddInComponent::GetPropName(long, long) {
  return nullptr;
}

bool KASSIVO_ADDIN_METHOD AddInComponent::GetPropVal(long, tVariant*) {
  return false;
}

bool KASSIVO_ADDIN_METHOD AddInComponent::SetPropVal(long, tVariant*) {
  return false;
}

bool KASSIVO_ADDIN_METHOD AddInComponent::IsPropReadable(long) {
  return false;
}

bool KASSIVO_ADDIN_METHOD AddInComponent::IsPropWritable(long) {
  return false;
}

long KASSIVO_ADDIN_METHOD AddInComponent::GetNMethods() {
  return DriverComponent::GetNMethods();
}

long KASSIVO_ADDIN_METHOD AddInComponent::FindMethod(const WCHAR_T* name) {
  try {
    const UpperCaser& upper = *component_.state().platform().upper;
    const std::u16string wanted = upper.ToUpper(TextOf(name));
    for (const auto& [known, number] : UpperCaseNames(upper)) {
      if (known == wanted) return number;
    }
  } catch (...) {
    // Out of memory: no method found.
  }
  return -1;
}

const WCHAR_T* KASSIVO_ADDIN_METHOD AddInComponent::GetMethodName(long number, long alias) {
  try {
    std::u16string name;
    if (DriverComponent::GetMethodName(MethodNumber(number), MethodNumber(alias), name) !=
        HResult::kOk) {
      return nullptr;
    }
    return HostText(name, memory_);
  } catch (...) {
    return nullptr;
  }
}

long KASSIVO_ADDIN_METHOD AddInComponent::GetNParams(long number) {
  std::int32_t count = 0;
  DriverComponent::GetNParams(MethodNumber(number), count);
  return count;
}

bool KASSIVO_ADDIN_METHOD AddInComponent::GetParamDefValue(long, long, tVariant*) {
  return false;
}

bool KASSIVO_ADDIN_METHOD AddInComponent::HasRetVal(long number) {
  std::int32_t has_value = 0;
  DriverComponent::HasRetVal(MethodNumber(number), has_value);
  return has_value != 0;
}

bool KASSIVO_ADDIN_METHOD AddInComponent::CallAsProc(long number, tVariant* params, long count) {
  bool answer = false;
  try {
    ArgumentArray arguments = ReadArguments(params, count);
    HResult called;
    {
      AddInModule::MessageScope scope(message_box_);
      called = component_.CallAsProc(MethodNumber(number), arguments);
    }
    if (!WriteBack(arguments, params, count, memory_)) ReportLostText();
    answer = called == HResult::kOk;
  } catch (...) {
    answer = false;
  }
  return answer;
}

bool KASSIVO_ADDIN_METHOD AddInComponent::CallAsFunc(long number, tVariant* result,
                                                     tVariant* params, long count) {
  bool answer = false;
  try {
    ArgumentArray arguments = ReadArguments(params, count);
    Value value;
    HResult called;
    {
      AddInModule::MessageScope scope(message_box_);
      called = component_.CallAsFunc(MethodNumber(number), value, arguments);
    }
    bool delivered = WriteBack(arguments, params, count, memory_);
    // A number outside the table answers false and leaves the result alone.
    if (called == HResult::kOk && result != nullptr) {
      delivered = PutValue(value, *result, memory_) && delivered;
    }
    if (!delivered) ReportLostText();
    answer = called == HResult::kOk;
  } catch (...) {
    answer = false;
  }
  try {
    module_.AfterCall();
  } catch (...) {
    // The receipt window catches up on the next call.
  }
  return answer;
}

void KASSIVO_ADDIN_METHOD AddInComponent::SetLocale(const WCHAR_T*) {}

void KASSIVO_ADDIN_METHOD AddInComponent::SetUserInterfaceLanguageCode(const WCHAR_T*) {}

void AddInComponent::ReportLostText() {
  if (connection_ != nullptr) connection_->AddError(kAddErrorFail, kExtensionName, kLostText, 0);
}

}  // namespace kassivo::native
