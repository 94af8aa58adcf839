#include "host/component.h"

#include "host/driver_methods.h"
#include "host/method_catalogue.h"

namespace kassivo {

DriverComponent::~DriverComponent() {
  if (!list_) return;
  if (state_.call_lock.HeldByThisThread()) {
    state_.LiveObjects.erase(number_);
    return;
  }
  std::lock_guard<CallLock> lock(state_.call_lock);
  state_.LiveObjects.erase(number_);
}

void DriverComponent::Init() {
  // Init and Done change what a running call may use (the shared
  // WindowCaption, this object's device list): they wait for it.
  std::lock_guard<CallLock> lock(state_.call_lock);
  auto fresh = std::make_unique<TFPEmulatorList>(state_);
  state_.WindowCaption = kWindowCaption;
  // The observer hears of it while the object is as it was before.
  if (observer_) observer_->ObjectInit(number_);
  list_ = std::move(fresh);
  state_.LiveObjects[number_] = list_.get();
}

void DriverComponent::Done() {
  std::lock_guard<CallLock> lock(state_.call_lock);
  if (observer_) observer_->ObjectDone(number_);
  state_.LiveObjects.erase(number_);
  list_.reset();
}

std::int32_t DriverComponent::GetNMethods() {
  return kMethodCount;
}

HResult DriverComponent::FindMethod(std::u16string_view name, std::int32_t& number) {
  number = FindMethodNumber(name);
  return number < 0 ? HResult::kFalse : HResult::kOk;
}

HResult DriverComponent::GetMethodName(std::int32_t number, std::int32_t alias,
                                       std::u16string& name) {
  name.clear();
  const CatalogueRow* row = MethodRow(number);
  if (!row) return HResult::kFalse;
  name = TermString(row->name, alias);
  return HResult::kOk;
}

HResult DriverComponent::GetNParams(std::int32_t number, std::int32_t& count) {
  count = 0;
  const CatalogueRow* row = MethodRow(number);
  if (!row) return HResult::kFalse;
  count = row->parameters;
  return HResult::kOk;
}

HResult DriverComponent::GetParamDefValue(std::int32_t, std::int32_t, Value& value) {
  value = Value();
  return HResult::kOk;
}

HResult DriverComponent::HasRetVal(std::int32_t, std::int32_t& has_value) {
  has_value = 1;
  return HResult::kOk;
}

HResult DriverComponent::CallAsProc(std::int32_t number, ArgumentArray& params) {
  std::lock_guard<CallLock> lock(state_.call_lock);
  if (observer_ && observer_->BeginCall(number, params)) {
    observer_->EndCall(number_, nullptr, HResult::kOk, params);
  }
  return HResult::kOk;
}

}  // namespace kassivo
