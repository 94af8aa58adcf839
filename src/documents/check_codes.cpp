#include "documents/check_codes.h"

#include <array>

namespace kassivo {

namespace {

constexpr std::array<std::u16string_view, 4> kOperationTypes = {u"ПРИХОД", u"ВОЗВРАТ ПРИХОДА",
                                                                u"РАСХОД", u"ВОЗВРАТ РАСХОДА"};

constexpr std::array<std::u16string_view, 6> kTaxationSystems = {u"ОБЩАЯ",
                                                                 u"УПР.ДОХОД",
                                                                 u"УПР.ДОХОД МИНУС РАСХОД",
                                                                 u"ЕД.НАЛОГ НА ВМЕН.ДОХОД",
                                                                 u"ЕД.СЕЛЬСКОХ.НАЛОГ",
                                                                 u"ПАТЕНТНАЯ СИСТЕМА НАЛОГ."};

struct KeyedName {
  std::u16string_view key;
  std::u16string_view name;
};

constexpr KeyedName kPaymentMethods[] = {
    {u"1", u"ПРЕДОПЛАТА 100%"}, {u"2", u"ПРЕДОПЛАТА"},       {u"3", u"АВАНС"},
    {u"4", u"ПОЛНЫЙ РАСЧЕТ"},   {u"5", u"ЧАСТИЧНЫЙ РАСЧЕТ"}, {u"6", u"ПЕРЕДАЧА В КРЕДИТ"},
    {u"7", u"ОПЛАТА КРЕДИТА"},
};

// Code 27 opens a quote it never closes; that is how the name is printed.
constexpr KeyedName kCalculationSubjects[] = {
    {u"1", u"ТОВАР"},
    {u"2", u"ПОДАКЦИЗНЫЙ ТОВАР"},
    {u"3", u"РАБОТА"},
    {u"4", u"УСЛУГА"},
    {u"5", u"СТАВКА АЗАРТНОЙ ИГРЫ"},
    {u"6", u"ВЫИГРЫШ АЗАРТНОЙ ИГРЫ"},
    {u"7", u"СТАВКА ЛОТЕРЕИ"},
    {u"8", u"ВЫИГРЫШ ЛОТЕРЕИ"},
    {u"9", u"ПРЕДОСТАВЛЕНИЕ РИД"},
    {u"10", u"ПЛАТЕЖ"},
    {u"11", u"АГЕНТСКОЕ ВОЗНАГРАЖДЕНИЕ"},
    {u"12", u"ВЫПЛАТА"},
    {u"13", u"ИНОЙ ПРЕДМЕТ РАСЧЕТА"},
    {u"14", u"ИМУЩЕСТВЕННОЕ ПРАВО"},
    {u"15", u"ВНЕРЕАЛИЗАЦИОННЫЙ ДОХОД"},
    {u"16", u"ИНЫЕ ПЛАТЕЖИ И ВЗНОСЫ"},
    {u"17", u"ТОРГОВЫЙ СБОР"},
    {u"18", u"КУРОРТНЫЙ СБОР"},
    {u"19", u"ЗАЛОГ"},
    {u"20", u"РАСХОД"},
    {u"21", u"ВЗНОСЫ НА ОПС ИП"},
    {u"22", u"ВЗНОСЫ НА ОПС"},
    {u"23", u"ВЗНОСЫ НА ОМС ИП"},
    {u"24", u"ВЗНОСЫ НА ОМС"},
    {u"25", u"ВЗНОСЫ НА ОСС"},
    {u"26", u"ПЛАТЕЖ КАЗИНО"},
    {u"27", u"\"ВЫДАЧА ДЕНЕЖНЫХ СРЕДСТВ"},
    {u"30", u"АТНМ"},
    {u"31", u"АТМ"},
    {u"32", u"ТНМ"},
    {u"33", u"ТМ"},
};

template <std::size_t N>
std::u16string_view LookUp(const KeyedName (&table)[N], std::u16string_view key) {
  for (const KeyedName& entry : table) {
    if (entry.key == key) return entry.name;
  }
  return kUnknownCodeName;
}

}  // namespace

std::u16string_view OperationTypeName(std::int32_t code) {
  if (code < 1 || code > static_cast<std::int32_t>(kOperationTypes.size())) return {};
  return kOperationTypes[static_cast<std::size_t>(code - 1)];
}

std::u16string_view TaxationSystemName(std::int32_t code) {
  if (code < 0 || code >= static_cast<std::int32_t>(kTaxationSystems.size())) return {};
  return kTaxationSystems[static_cast<std::size_t>(code)];
}

std::u16string_view PaymentMethodName(std::u16string_view key) {
  return LookUp(kPaymentMethods, key);
}

std::u16string_view CalculationSubjectName(std::u16string_view key) {
  return LookUp(kCalculationSubjects, key);
}

}  // namespace kassivo
