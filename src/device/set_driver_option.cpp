#include "device/set_driver_option.h"

#include <utility>

#include "device/driver_option_table.h"

namespace kassivo {

namespace {

template <typename Value>
OptionSave Set(DriverOptions& options, Value DriverOptions::*member, Value value,
               RegistrationStore* store) {
  const DriverOptionRow& row = RowOf(member);
  options.*member = std::move(value);
  options.Origin.*row.origin = OptionOrigin::kChanged;
  return SaveDriverOption(store, row, options);
}

}  // namespace

OptionSave SetDriverOption(DriverOptions& options, bool DriverOptions::*member, bool value,
                           RegistrationStore* store) {
  return Set(options, member, value, store);
}

OptionSave SetDriverOption(DriverOptions& options, std::u16string DriverOptions::*member,
                           std::u16string value, RegistrationStore* store) {
  return Set(options, member, std::move(value), store);
}

}  // namespace kassivo
