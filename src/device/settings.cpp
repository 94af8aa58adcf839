#include "device/settings.h"

#include <variant>

#include "common/text.h"

namespace kassivo {

namespace {

struct SettingKey {
  const char16_t* key;
  const char16_t* name;  // as the settings description spells it
  std::variant<std::int32_t DriverSettings::*, bool DriverSettings::*> field;
};

const SettingKey kKeys[] = {
    {u"SIZE", u"Size", &DriverSettings::Size},
    {u"WINDOWSHOWTYPE", u"WindowShowType", &DriverSettings::WindowShowType},
    {u"FFD12_CHECKING", u"FFD12_Checking", &DriverSettings::FFD12_Checking},
    {u"FFD12_CHECKINGRESULT", u"FFD12_CheckingResult", &DriverSettings::FFD12_CheckingResult},
    {u"FFD12_OISM_RESULT", u"FFD12_OISM_Result", &DriverSettings::FFD12_OISM_Result},
    {u"FFD12_OISM_STATUSINFO", u"FFD12_OISM_StatusInfo", &DriverSettings::FFD12_OISM_StatusInfo},
    {u"FFD12_OISM_HANDLECODE", u"FFD12_OISM_HandleCode", &DriverSettings::FFD12_OISM_HandleCode},
    {u"THRESHOLDPOSITIVEOPERATIONS", u"ThresholdPositiveOperations",
     &DriverSettings::ThresholdPositiveOperations},
};

}  // namespace

std::vector<std::pair<const char16_t*, Value>> SettingValues(const DriverSettings& settings) {
  std::vector<std::pair<const char16_t*, Value>> values;
  for (const auto& entry : kKeys) {
    if (const auto* integer = std::get_if<std::int32_t DriverSettings::*>(&entry.field)) {
      values.emplace_back(entry.name, Value::Integer(settings.*(*integer)));
    } else {
      values.emplace_back(entry.name,
                          Value::Boolean(settings.*std::get<bool DriverSettings::*>(entry.field)));
    }
  }
  return values;
}

bool ApplySetting(DriverSettings& settings, const Value& name, const Value& value,
                  const NumberFormat& format) {
  const std::u16string key = AsciiUpper(ToText(name, format));
  for (const auto& entry : kKeys) {
    if (key != entry.key) continue;
    try {
      if (const auto* integer = std::get_if<std::int32_t DriverSettings::*>(&entry.field)) {
        settings.*(*integer) = ToInteger(value, format);
      } else {
        settings.*std::get<bool DriverSettings::*>(entry.field) = ToBoolean(value, format);
      }
    } catch (const ConversionError& error) {
      throw ConversionError(u"Недопустимое значение параметра " + std::u16string(entry.name) +
                            u": " + error.message());
    }
    return true;
  }
  return false;
}

}  // namespace kassivo
