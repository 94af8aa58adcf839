// What the devices answer when a fault refuses a call (faults.h): the text
// GetLastError gives and the window's status line shows. The card
// terminal's are kept with its outcomes (kCardOutcomes).
#pragma once

#include <string_view>

namespace kassivo {

inline constexpr std::u16string_view kKktOfflineMessage = u"Нет связи с ККТ.";
inline constexpr std::u16string_view kPowerLostMessage =
    u"Нет связи с ККТ: превышено время ожидания ответа.";
inline constexpr std::u16string_view kFnAbsentMessage =
    u"ФН не найден: нет связи с фискальным накопителем.";
inline constexpr std::u16string_view kFnBrokenMessage =
    u"Неисправимая ошибка ФН. Требуется замена ФН.";
inline constexpr std::u16string_view kFnExpiredMessage =
    u"Закончен срок действия ключей ФН. Требуется замена ФН.";
inline constexpr std::u16string_view kArchiveFullMessage = u"Архив ФН переполнен.";
inline constexpr std::u16string_view kOfdBlockedMessage =
    u"Превышено время ожидания передачи документов в ОФД (30 дней).";
inline constexpr std::u16string_view kShiftOver24hMessage =
    u"Смена превысила 24 часа. Закройте смену.";
inline constexpr std::u16string_view kCoverOpenMessage = u"Открыта крышка принтера ККТ.";
inline constexpr std::u16string_view kPaperOutMessage = u"Нет бумаги. Заправьте чековую ленту.";

inline constexpr std::u16string_view kScaleUnstableMessage = u"Вес нестабилен.";
inline constexpr std::u16string_view kScaleOverloadMessage = u"Перегрузка весов.";
inline constexpr std::u16string_view kScaleNegativeMessage = u"Отрицательный вес. Обнулите весы.";
inline constexpr std::u16string_view kScaleOfflineMessage = u"Нет связи с весами.";

inline constexpr std::u16string_view kLabelsOutMessage = u"Закончились этикетки.";
inline constexpr std::u16string_view kLabelsCoverMessage = u"Открыта крышка принтера этикеток.";
inline constexpr std::u16string_view kLabelsOfflineMessage = u"Нет связи с принтером этикеток.";

}  // namespace kassivo
