// The driver's fixed answers: those of the driver-level methods, which need
// no fiscal device, and those of a call whose ID names no device.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kassivo {

inline constexpr std::int32_t kInterfaceRevision = 3004;
inline constexpr std::u16string_view kDriverVersion = u"4.0.5.1";
inline constexpr std::u16string_view kNoErrors = u"Нет ошибок.";
inline constexpr std::u16string_view kDeviceNotFound = u"Устройство c таким ID не найдено.";
inline constexpr std::u16string_view kCardBlocked = u"Карта заблокирована";
inline constexpr std::u16string_view kTestResult = u"Успешное подключение.";
inline constexpr std::u16string_view kTestNotice =
    u"ТОЛЬКО ДЛЯ ЦЕЛЕЙ ТЕСТИРОВАНИЯ РАЗРАБАТЫВАЕМЫХ ПРОГРАММНЫХ ПРОДУКТОВ И ОБУЧЕНИЯ";
inline constexpr std::u16string_view kUndefinedAction = u"Имя команды не определено.";
inline constexpr std::u16string_view kWindowCaption = u"Orvelle: Эмулятор ККТ (4.0.5.1)";

// The DriverDescription XML of GetDescription: a declaration, then one empty
// element whose ten attributes each stand on a line, CR-separated, with no
// line break after the closing "/>". LogIsEnabled and LogPath tell whether
// the call journal is on (`journal`, the file being written, is not empty).
std::u16string BuildDriverDescription(const std::u16string& journal);

}  // namespace kassivo
