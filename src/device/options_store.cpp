#include "device/options_store.h"

#include <optional>

#include "device/fault_option.h"

namespace kassivo {

namespace {

void ApplyStore(const StoredValues& values, DriverOptions& options) {
  for (const DriverOptionRow& row : kDriverOptionRows) {
    const auto found = values.find(row.stored_name);
    if (found == values.end()) continue;
    const StoredValue& value = found->second;
    if (row.flag != nullptr) {
      if (value.type != StoredValue::Type::kDWord || value.dword > 1) continue;
      options.*row.flag = value.dword == 1;
    } else {
      if (value.type != StoredValue::Type::kText && value.type != StoredValue::Type::kExpandText) {
        continue;
      }
      options.*row.text = value.text;
    }
    options.Origin.*row.origin = OptionOrigin::kStore;
  }
}

void ApplyEnvironment(const EnvironmentReader& environment, DriverOptions& options) {
  for (const DriverOptionRow& row : kDriverOptionRows) {
    const std::optional<std::u16string> variable = environment(row.variable);
    if (!variable) continue;
    if (row.flag != nullptr) {
      if (*variable != u"1" && *variable != u"0") continue;
      options.*row.flag = *variable == u"1";
    } else {
      const bool off = variable->empty() || *variable == u"off" || *variable == u"0";
      options.*row.text = off ? std::u16string() : *variable;
    }
    options.Origin.*row.origin = OptionOrigin::kEnvironment;
  }
}

StoredValue Stored(const DriverOptionRow& row, const DriverOptions& options) {
  if (row.flag != nullptr) return StoredValue::DWord(options.*row.flag ? 1 : 0);
  return StoredValue::Text(options.*row.text);
}

}  // namespace

DriverOptions ReadDriverOptions(RegistrationStore* store, const EnvironmentReader& environment) {
  DriverOptions options;
  if (store != nullptr) {
    if (const std::optional<StoredValues> values = store->Read()) ApplyStore(*values, options);
  }
  if (environment) ApplyEnvironment(environment, options);
  return options;
}

OptionSave SaveDriverOption(RegistrationStore* store, const DriverOptionRow& row,
                            const DriverOptions& options) {
  if (store == nullptr) return {false, "there is no options store"};
  const std::unique_ptr<StoreWriter> writer = store->OpenForWrite();
  if (writer == nullptr) return {false, "the options store cannot be opened for writing"};
  if (!writer->Write(row.stored_name, Stored(row, options))) {
    return {false, "the option cannot be written to the options store"};
  }
  if (!writer->Commit()) return {false, "the options store cannot be committed"};
  return {true, {}};
}

bool SaveStrict(RegistrationStore* store, bool strict) {
  DriverOptions options;
  options.Strict = strict;
  return SaveDriverOption(store, RowOf(&DriverOptions::Strict), options).saved;
}

bool SaveJournal(RegistrationStore* store, const std::u16string& journal) {
  DriverOptions options;
  options.Journal = journal;
  return SaveDriverOption(store, RowOf(&DriverOptions::Journal), options).saved;
}

std::string_view OriginName(OptionOrigin origin) {
  switch (origin) {
    case OptionOrigin::kDefault:
      return "default";
    case OptionOrigin::kStore:
      return "store";
    case OptionOrigin::kEnvironment:
      return "environment";
    case OptionOrigin::kChanged:
      return "changed";
  }
  return "default";
}

void LoadDriverOptions(ProcessState& state) {
  state.Options =
      ReadDriverOptions(state.platform().options_store.get(), state.platform().environment);
  ApplyFaultsOption(state);
}

}  // namespace kassivo
