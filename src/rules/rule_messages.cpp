#include "rules/rule_messages.h"

#include <array>

namespace kassivo {

namespace {

constexpr std::array<std::u16string_view, static_cast<std::size_t>(RuleMessage::kMoreMessages) + 1>
    kTemplates = {
        u"Смена не открыта.",
        u"Смена уже открыта.",
        u"Смена превысила 24 часа. Закройте смену.",
        u"Открыта сессия регистрации контрольных марок.",
        u"Сессия регистрации контрольных марок не открыта.",
        u"Не указан кассир.",
        u"Неверный признак расчета: {X}.",
        u"Система налогообложения {X} не указана при регистрации ККТ.",
        u"В чеке нет позиций.",
        u"Для электронного чека не указан телефон или электронная почта покупателя.",
        u"Не указаны данные коррекции.",
        u"Не указан номер предписания.",
        u"Позиция {i}: количество должно быть больше нуля.",
        u"Позиция {i}: неверная цена или сумма.",
        u"Позиция {i}: сумма {X} не равна цене {P}, умноженной на количество {Q}.",
        u"Позиция {i}: неверный признак способа расчета: {X}.",
        u"Позиция {i}: неверный признак предмета расчета: {X}.",
        u"Позиция {i}: неверная ставка НДС: {X}.",
        u"Позиция {i}: ставка НДС 18% не применяется с 1 января 2019 года.",
        u"ККТ не зарегистрирована для работы с маркированными товарами.",
        u"Позиция {i}: код маркировки не проверен (не было запроса КМ).",
        u"Позиция {i}: код маркировки не подтвержден.",
        u"Позиция {i}: код маркировки отклонен.",
        u"Позиция {i}: для маркированного товара не указана мера количества.",
        u"Позиция {i}: для агентского предмета расчета не указан ИНН поставщика.",
        u"Сумма оплаты {X} меньше суммы чека {Y}.",
        u"Безналичная оплата {X} превышает сумму чека {Y}.",
        u"Недостаточно наличных в кассе: нужно {X}, в кассе {Y}.",
        u"Позиция {i}: сумма НДС {X} не соответствует ставке {R} (по ставке {E}).",
        u"ИНН кассира {X} неверен.",
        u"Позиция {i}: ИНН поставщика {X} неверен.",
        u"ИНН покупателя {X} неверен.",
        u"…и ещё {X}",
};

constexpr bool EveryMessageHasItsText() {
  for (const std::u16string_view text : kTemplates) {
    if (text.empty()) return false;
  }
  return true;
}
static_assert(EveryMessageHasItsText(), "one text for each RuleMessage, in its order");

}  // namespace

std::u16string RuleText(RuleMessage message,
                        std::initializer_list<std::pair<char16_t, std::u16string_view>> values) {
  const std::u16string_view pattern = kTemplates[static_cast<std::size_t>(message)];
  std::u16string text;
  text.reserve(pattern.size() + 16);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == u'{' && i + 2 < pattern.size() && pattern[i + 2] == u'}') {
      for (const auto& [letter, value] : values) {
        if (letter == pattern[i + 1]) {
          text += value;
          break;
        }
      }
      i += 2;
      continue;
    }
    text += pattern[i];
  }
  return text;
}

}  // namespace kassivo
