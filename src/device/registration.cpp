#include "device/registration.h"

#include <variant>

#include "common/value.h"

namespace kassivo {

namespace {

using TextField = std::u16string KKTRegistration::*;
using FlagField = bool KKTRegistration::*;

struct Field {
  const char16_t* name;
  std::variant<TextField, FlagField> member;
  const char16_t* default_text = u"";
};

#define TEXT(name, ...)                                          \
  Field {                                                        \
    u## #name, &KKTRegistration::name __VA_OPT__(, ) __VA_ARGS__ \
  }
#define FLAG(name)                    \
  Field {                             \
    u## #name, &KKTRegistration::name \
  }

constexpr const char16_t* kZeros = u"0000000000000";

// The order in which the store is read.
const Field kLoadOrder[] = {
    TEXT(KKTNumber, kZeros),
    TEXT(KKTSerialNumber, kZeros),
    TEXT(FNSerialNumber, kZeros),
    TEXT(DocumentNumber),
    TEXT(CompanyName, u"ООО \"ТЕСТОВАЯ ОРГАНИЗАЦИЯ\""),
    TEXT(INN, kZeros),
    TEXT(SaleAddress, u"г.Москва, ул.Федеральная д6."),
    TEXT(SaleLocation, u"2 этаж"),
    TEXT(TaxationSystems),
    TEXT(AgentTypes),
    FLAG(Fiscal),
    FLAG(IsOffline),
    FLAG(IsEncrypted),
    FLAG(IsService),
    FLAG(IsExcisable),
    FLAG(IsGambling),
    FLAG(IsLottery),
    FLAG(IsOnline),
    FLAG(IsMarking),
    FLAG(IsPawnshop),
    FLAG(IsAssurance),
    FLAG(BSOSing),
    FLAG(IsOnlineOnly),
    FLAG(IsAutomaticPrinter),
    FLAG(IsAutomatic),
    TEXT(AutomaticNumber),
    TEXT(OFDCompany),
    TEXT(OFDCompanyINN),
    TEXT(SenderEmail),
    TEXT(FNSURL),
};

// The order in which the store is written.
const Field kSaveOrder[] = {
    TEXT(KKTNumber),      TEXT(KKTSerialNumber), FLAG(Fiscal),       TEXT(FNSerialNumber),
    TEXT(DocumentNumber), TEXT(CompanyName),     TEXT(INN),          TEXT(SaleAddress),
    TEXT(SaleLocation),   TEXT(TaxationSystems), FLAG(IsOffline),    FLAG(IsEncrypted),
    FLAG(IsService),      FLAG(IsExcisable),     FLAG(IsGambling),   FLAG(IsLottery),
    TEXT(AgentTypes),     FLAG(BSOSing),         FLAG(IsOnlineOnly), FLAG(IsAutomaticPrinter),
    FLAG(IsAutomatic),    FLAG(IsOnline),        FLAG(IsMarking),    FLAG(IsPawnshop),
    FLAG(IsAssurance),    TEXT(AutomaticNumber), TEXT(OFDCompany),   TEXT(OFDCompanyINN),
    TEXT(SenderEmail),    TEXT(FNSURL),
};

#undef TEXT
#undef FLAG

}  // namespace

void LoadRegistration(KKTRegistration& registration, RegistrationStore& store) {
  const std::optional<StoredValues> values = store.Read();
  for (const Field& field : kLoadOrder) {
    const StoredValue* stored = nullptr;
    if (values) {
      const auto it = values->find(field.name);
      if (it != values->end()) stored = &it->second;
    }
    if (const auto* text = std::get_if<TextField>(&field.member)) {
      if (!stored) {
        registration.*(*text) = field.default_text;
      } else if (stored->type != StoredValue::Type::kText &&
                 stored->type != StoredValue::Type::kExpandText) {
        throw DriverError(u"Значение " + std::u16string(field.name) +
                          u" в хранилище регистрационных данных имеет неверный тип: "
                          u"ожидалась строка.");
      } else {
        registration.*(*text) = stored->text;
      }
    } else {
      const FlagField flag = std::get<FlagField>(field.member);
      if (!stored) {
        registration.*flag = false;
      } else if (stored->type != StoredValue::Type::kDWord) {
        throw DriverError(u"Значение " + std::u16string(field.name) +
                          u" в хранилище регистрационных данных имеет неверный тип: "
                          u"ожидалось число DWORD.");
      } else {
        registration.*flag = stored->dword != 0;
      }
    }
  }
}

void SaveRegistration(const KKTRegistration& registration, RegistrationStore& store) {
  std::unique_ptr<StoreWriter> writer = store.OpenForWrite();
  if (!writer) return;
  for (const Field& field : kSaveOrder) {
    StoredValue value;
    if (const auto* text = std::get_if<TextField>(&field.member)) {
      value = StoredValue::Text(registration.*(*text));
    } else {
      value = StoredValue::DWord(registration.*std::get<FlagField>(field.member) ? 1 : 0);
    }
    if (!writer->Write(field.name, value)) break;
  }
  writer->Commit();
}

}  // namespace kassivo
