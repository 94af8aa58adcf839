#include "device/options_store.h"

#include <optional>

namespace kassivo {

namespace {

constexpr const char16_t* kStrictValue = u"Strict";
constexpr const char16_t* kJournalValue = u"Journal";

void ApplyStore(const StoredValues& values, DriverOptions& options) {
  if (auto strict = values.find(kStrictValue); strict != values.end()) {
    const StoredValue& value = strict->second;
    if (value.type == StoredValue::Type::kDWord && value.dword <= 1) {
      options.Strict = value.dword == 1;
      options.Origin.Strict = OptionOrigin::kStore;
    }
  }
  if (auto journal = values.find(kJournalValue); journal != values.end()) {
    const StoredValue& value = journal->second;
    if (value.type == StoredValue::Type::kText || value.type == StoredValue::Type::kExpandText) {
      options.Journal = value.text;
      options.Origin.Journal = OptionOrigin::kStore;
    }
  }
}

void ApplyEnvironment(const EnvironmentReader& environment, DriverOptions& options) {
  if (const std::optional<std::u16string> strict = environment(kStrictVariable)) {
    if (*strict == u"1" || *strict == u"0") {
      options.Strict = *strict == u"1";
      options.Origin.Strict = OptionOrigin::kEnvironment;
    }
  }
  if (const std::optional<std::u16string> journal = environment(kJournalVariable)) {
    if (!journal->empty()) {
      options.Journal = *journal == u"off" ? std::u16string() : *journal;
      options.Origin.Journal = OptionOrigin::kEnvironment;
    }
  }
}

bool SaveValue(RegistrationStore* store, const char16_t* name, const StoredValue& value) {
  if (store == nullptr) return false;
  const std::unique_ptr<StoreWriter> writer = store->OpenForWrite();
  return writer != nullptr && writer->Write(name, value) && writer->Commit();
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

bool SaveStrict(RegistrationStore* store, bool strict) {
  return SaveValue(store, kStrictValue, StoredValue::DWord(strict ? 1 : 0));
}

bool SaveJournal(RegistrationStore* store, const std::u16string& journal) {
  return SaveValue(store, kJournalValue, StoredValue::Text(journal));
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

}  // namespace kassivo
