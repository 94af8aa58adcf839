#include "package/check_codes.h"

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

// The value of a key of one or two digits without a leading zero, the form
// of every key of the tables; 0 for any other text.
constexpr std::size_t KeyNumber(std::u16string_view key) {
  if (key.empty() || key.size() > 2 || key[0] < u'1' || key[0] > u'9') return 0;
  std::size_t number = static_cast<std::size_t>(key[0] - u'0');
  if (key.size() == 2) {
    if (key[1] < u'0' || key[1] > u'9') return 0;
    number = number * 10 + static_cast<std::size_t>(key[1] - u'0');
  }
  return number;
}

// A table's names by the value of their keys, so that a key is found without
// comparing it with every key.
class NameIndex {
 public:
  template <std::size_t N>
  constexpr explicit NameIndex(const KeyedName (&table)[N]) {
    for (const KeyedName& entry : table) names_[KeyNumber(entry.key)] = entry.name;
  }

  // Whether every key has the form KeyNumber reads, each number once.
  template <std::size_t N>
  static constexpr bool Covers(const KeyedName (&table)[N]) {
    bool seen[100] = {};
    for (const KeyedName& entry : table) {
      const std::size_t number = KeyNumber(entry.key);
      if (number == 0 || seen[number]) return false;
      seen[number] = true;
    }
    return true;
  }

  std::u16string_view LookUp(std::u16string_view key) const {
    const std::u16string_view name = names_[KeyNumber(key)];
    return name.empty() ? kUnknownCodeName : name;
  }

 private:
  std::array<std::u16string_view, 100> names_{};  // empty at 0 and for unused numbers
};

static_assert(NameIndex::Covers(kPaymentMethods));
static_assert(NameIndex::Covers(kCalculationSubjects));

constexpr NameIndex kPaymentMethodIndex(kPaymentMethods);
constexpr NameIndex kCalculationSubjectIndex(kCalculationSubjects);

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
  return kPaymentMethodIndex.LookUp(key);
}

std::u16string_view CalculationSubjectName(std::u16string_view key) {
  return kCalculationSubjectIndex.LookUp(key);
}

}  // namespace kassivo
