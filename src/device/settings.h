// Driver settings: the process-wide record written by SetParameter.
//
// Initial values hold from process start; nothing persists them. Only
// SetParameter changes them, and every reader reads them afresh when needed.
//
// ApplySetting contract: the name is upper-cased (ASCII letters only, no
// trimming) and compared with the keys SIZE, WINDOWSHOWTYPE, FFD12_CHECKING,
// FFD12_CHECKINGRESULT, FFD12_OISM_RESULT, FFD12_OISM_STATUSINFO,
// FFD12_OISM_HANDLECODE, THRESHOLDPOSITIVEOPERATIONS. A known name converts
// the value to the field's type (integers round half to even) and stores it
// with no range check; an unknown name stores nothing. A value that cannot be
// converted throws ConversionError naming the setting, and the field keeps
// its value.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "common/value.h"

namespace kassivo {

struct DriverSettings {
  std::int32_t Size = 36;
  std::int32_t WindowShowType = 2;
  bool FFD12_Checking = true;
  bool FFD12_CheckingResult = true;
  bool FFD12_OISM_Result = true;
  std::int32_t FFD12_OISM_StatusInfo = 1;
  std::int32_t FFD12_OISM_HandleCode = 0;
  std::int32_t ThresholdPositiveOperations = 100;
};

// Each setting's name, as the settings description spells it, and value
// (an integer or a boolean), in a fixed order.
std::vector<std::pair<const char16_t*, Value>> SettingValues(const DriverSettings& settings);

// Returns true when the name selected a setting.
bool ApplySetting(DriverSettings& settings, const Value& name, const Value& value,
                  const NumberFormat& format);

}  // namespace kassivo
