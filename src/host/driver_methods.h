// The texts of the driver-level methods, which need no fiscal device.
#pragma once

#include <cstdint>
#include <string>

namespace kassivo {

inline constexpr std::int32_t kInterfaceRevision = 3004;
inline constexpr const char16_t* kDriverVersion = u"4.0.5.1";
inline constexpr const char16_t* kNoErrors = u"Нет ошибок.";
inline constexpr const char16_t* kDeviceNotFound = u"Устройство c таким ID не найдено.";
inline constexpr const char16_t* kTestResult = u"Успешное подключение.";
inline constexpr const char16_t* kTestNotice =
    u"ТОЛЬКО ДЛЯ ЦЕЛЕЙ ТЕСТИРОВАНИЯ РАЗРАБАТЫВАЕМЫХ ПРОГРАММНЫХ ПРОДУКТОВ И ОБУЧЕНИЯ";
inline constexpr const char16_t* kUndefinedAction = u"Имя команды не определено.";
inline constexpr const char16_t* kWindowCaption = u"Orvelle: Эмулятор ККТ (4.0.5.1)";

// The DriverDescription XML of GetDescription: a declaration, then one empty
// element whose ten attributes each stand on a line, CR-separated, with no
// line break after the closing "/>".
std::u16string BuildDriverDescription();

}  // namespace kassivo
