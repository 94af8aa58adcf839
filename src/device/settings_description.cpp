// The Settings and Actions descriptions the host builds its forms from.
//
// Both are one line with no CR or LF, built afresh at every call. The fixed
// settings carry their fixed default values whatever SetParameter stored;
// the registration parameters carry the in-memory registration, every text
// passed through XmlEscape so that any stored text keeps the XML
// well-formed (texts of digits, letters, commas and spaces come out as they
// are). Captions and choice texts are fixed and written as they are.
#include "common/text.h"
#include "device/emulator.h"
#include "package/xml_text.h"

namespace kassivo {

namespace {

struct Choice {
  const char16_t* value;
  const char16_t* text;
};

// The Size, StatusInfo and HandleCode lists are laid out with spaces before
// their tags; the WindowShowType list without.
enum class ChoiceLayout { kSpaced, kTight };

class SettingsWriter {
 public:
  SettingsWriter() : out_(u"<?xml version=\"1.0\" encoding=\"UTF-8\" ?><Settings>") {}

  void BeginPage(std::u16string_view caption) { Open(u"<Page", caption); }
  void EndPage() { out_ += u"</Page>"; }
  void BeginGroup(std::u16string_view caption) { Open(u"<Group", caption); }
  void EndGroup() { out_ += u"</Group>"; }

  // One parameter; a null read_only or description leaves that attribute out.
  void Parameter(std::u16string_view name, std::u16string_view caption, std::u16string_view type,
                 const char16_t* read_only, std::u16string_view default_value,
                 const char16_t* description = nullptr) {
    StartParameter(name, caption, type, read_only, default_value, description);
    out_ += u"/>";
  }

  void ParameterWithChoices(std::u16string_view name, std::u16string_view caption,
                            std::u16string_view default_value, const char16_t* description,
                            ChoiceLayout layout, std::initializer_list<Choice> choices) {
    StartParameter(name, caption, u"Number", nullptr, default_value, description);
    const bool spaced = layout == ChoiceLayout::kSpaced;
    out_ += spaced ? u">    <ChoiceList>" : u"><ChoiceList>";
    for (const Choice& choice : choices) {
      if (spaced) out_ += u"       ";
      out_ += u"<Item";
      Attribute(u"Value", choice.value);
      out_ += u'>';
      out_ += choice.text;
      out_ += u"</Item>";
    }
    out_ += spaced ? u"    </ChoiceList> </Parameter>" : u"</ChoiceList></Parameter>";
  }

  std::u16string Finish() && {
    out_ += u"</Settings>";
    return std::move(out_);
  }

 private:
  void Open(std::u16string_view tag, std::u16string_view caption) {
    out_.append(tag);
    Attribute(u"Caption", caption);
    out_ += u'>';
  }

  void StartParameter(std::u16string_view name, std::u16string_view caption,
                      std::u16string_view type, const char16_t* read_only,
                      std::u16string_view default_value, const char16_t* description) {
    out_ += u" <Parameter";
    Attribute(u"Name", name);
    Attribute(u"Caption", caption);
    Attribute(u"TypeValue", type);
    if (read_only) Attribute(u"ReadOnly", read_only);
    Attribute(u"DefaultValue", default_value);
    if (description) Attribute(u"Description", description);
  }

  void Attribute(std::u16string_view name, std::u16string_view value) {
    out_ += u' ';
    out_.append(name);
    out_ += u"=\"";
    out_.append(value);
    out_ += u'"';
  }

  std::u16string out_;
};

constexpr const char16_t* kReadOnly = u"True";
constexpr const char16_t* kEditable = u"False";

std::u16string Escaped(std::u16string_view text) {
  return XmlEscape(text, false);
}

void DevicePage(SettingsWriter& w) {
  w.BeginPage(u"Параметры устройства");
  w.BeginGroup(u"Параметры подключения");
  w.ParameterWithChoices(u"Size", u"Ширина эмулируемой чековой ленты", u"36",
                         u"Ширина в символах эмулируемой чековой ленты на экране",
                         ChoiceLayout::kSpaced,
                         {{u"24", u"24 символа"},
                          {u"32", u"32 символа"},
                          {u"36", u"36 символов"},
                          {u"40", u"40 символов"},
                          {u"48", u"48 символов"},
                          {u"52", u"52 символа"},
                          {u"54", u"54 символа"},
                          {u"58", u"58 символа"},
                          {u"64", u"64 символа"}});
  w.ParameterWithChoices(u"WindowShowType", u"Отображение окна эмулируемого чека на экране", u"2",
                         u"Отображение окна эмулируемого чека на экране", ChoiceLayout::kTight,
                         {{u"0", u"Не показывать"},
                          {u"1", u"Показывать всегда"},
                          {u"2", u"Скрывать через 15 секунд"},
                          {u"3", u"Скрывать через 30 секунд"},
                          {u"4", u"Скрывать через 60 секунд"}});
  w.Parameter(u"Cur", u"Наименование валюты", u"String", nullptr, u"РУБ.",
              u"Наименование валюты в эмулируемом чеке");
  w.EndGroup();
  w.EndPage();
}

void StoragePage(SettingsWriter& w, const KKTRegistration& r) {
  w.BeginPage(u"ФН/Основное");
  w.BeginGroup(u"Основное");
  w.Parameter(u"KKTNumber", u"Регистрационный номер ККТ", u"String", kReadOnly,
              Escaped(r.KKTNumber));
  w.Parameter(u"KKTSerialNumber", u"Заводской номер ККТ", u"String", kEditable,
              Escaped(r.KKTSerialNumber));
  w.Parameter(u"FNSerialNumber", u"Заводской номер ФН", u"String", kEditable,
              Escaped(r.FNSerialNumber));
  w.Parameter(u"Fiscal", u"Фискализирован", u"Boolean", kReadOnly, FlagText(r.Fiscal));
  w.EndGroup();
  w.BeginGroup(u"Реквизиты организации");
  w.Parameter(u"CompanyName", u"Название организации", u"String", kReadOnly,
              Escaped(r.CompanyName));
  w.Parameter(u"INN", u"ИНН организация", u"String", kReadOnly, Escaped(r.INN));
  w.Parameter(u"SaleAddress", u"Адрес проведения расчетов", u"String", kReadOnly,
              Escaped(r.SaleAddress));
  w.Parameter(u"SaleLocation", u"Место проведения расчетов", u"String", kReadOnly,
              Escaped(r.SaleLocation));
  w.Parameter(u"TaxationSystems", u"Коды системы налогообложения", u"String", kReadOnly,
              Escaped(r.TaxationSystems));
  w.EndGroup();
  w.BeginGroup(u"ОФД");
  w.Parameter(u"OFDCompany", u"Название организации ОФД", u"String", kReadOnly,
              Escaped(r.OFDCompany));
  w.Parameter(u"OFDCompanyINN", u"ИНН организации ОФД", u"String", kReadOnly,
              Escaped(r.OFDCompanyINN));
  w.Parameter(u"SenderEmail", u"EMail отправителя чека", u"String", kReadOnly,
              Escaped(r.SenderEmail));
  w.Parameter(u"FNSURL", u"Адрес сайта ФНС", u"String", kReadOnly, Escaped(r.FNSURL));
  w.EndGroup();
  w.EndPage();
}

void ModesPage(SettingsWriter& w, const KKTRegistration& r) {
  auto flag = [&w](std::u16string_view name, std::u16string_view caption, bool value) {
    w.Parameter(name, caption, u"Boolean", kReadOnly, FlagText(value));
  };
  w.BeginPage(u"ФН/Режимы работы");
  w.BeginGroup(u"Основное");
  flag(u"IsOffline", u"Автономный режим", r.IsOffline);
  flag(u"IsEncrypted", u"Шифрование данных", r.IsEncrypted);
  flag(u"IsService", u"Расчет за услуги", r.IsService);
  flag(u"IsExcisable", u"Продажа подакцизного товара", r.IsExcisable);
  flag(u"IsGambling", u"Проведение азартных игр", r.IsGambling);
  flag(u"IsLottery", u"Проведение лотереи", r.IsLottery);
  w.Parameter(u"AgentTypes", u"Коды признаков агента", u"String", kReadOnly, Escaped(r.AgentTypes));
  flag(u"BSOSing", u"Формирование АС БСО", r.BSOSing);
  flag(u"IsOnlineOnly", u"Только для расчетов в Интернет", r.IsOnlineOnly);
  flag(u"IsAutomaticPrinter", u"Установка принтера в автомате", r.IsAutomaticPrinter);
  flag(u"IsAutomatic", u"Автоматический режим", r.IsAutomatic);
  w.Parameter(u"AutomaticNumber", u"Номер автомата", u"String", kReadOnly,
              Escaped(r.AutomaticNumber));
  w.EndGroup();
  w.EndPage();
}

void MarkingPage(SettingsWriter& w) {
  w.BeginPage(u"ФФД 1.2");
  w.BeginGroup(u"Результат локальной проверки ФН");
  w.Parameter(u"FFD12_Checking", u"КМ проверен ФН", u"Boolean", nullptr, u"True");
  w.Parameter(u"FFD12_CheckingResult", u"Проверка ФН положительная", u"Boolean", nullptr, u"True");
  w.EndGroup();
  w.BeginGroup(u"Проверка ОИСМ");
  w.Parameter(u"FFD12_OISM_Result", u"Результат проверки", u"Boolean", nullptr, u"True");
  w.ParameterWithChoices(u"FFD12_OISM_StatusInfo", u"Ответ о статусе товара", u"1", nullptr,
                         ChoiceLayout::kSpaced,
                         {{u"1", u"Планируемый статус товара корректен"},
                          {u"2", u"Планируемый статус товара некорректен"},
                          {u"3", u"Оборот товара приостановлен"}});
  w.ParameterWithChoices(
      u"FFD12_OISM_HandleCode", u"Код обработки запроса", u"0", nullptr, ChoiceLayout::kSpaced,
      {{u"0", u"Запрос имеет корректный формат, в том числе корректный формат кода маркировки"},
       {u"1", u"Запрос имеет некорректный формат"},
       {u"2", u"Указанный в запросе код маркировки имеет некорректный формат (не распознан)"}});
  w.EndGroup();
  w.EndPage();
}

void PaymentsPage(SettingsWriter& w) {
  w.BeginPage(u"Платежные операции");
  w.BeginGroup(u"Основное");
  w.Parameter(u"PrintSlipOnTerminal", u"Печать квитанций на терминале", u"Boolean", kReadOnly,
              u"True");
  w.Parameter(u"ThresholdPositiveOperations", u"Порог положительных операций (руб)", u"Number",
              nullptr, u"100");
  w.EndGroup();
  w.EndPage();
}

}  // namespace

std::u16string TFPEmulator::GetParamsListToXML(const ProcessState& state) {
  SettingsWriter writer;
  DevicePage(writer);
  StoragePage(writer, state.Registration);
  ModesPage(writer, state.Registration);
  MarkingPage(writer);
  PaymentsPage(writer);
  return std::move(writer).Finish();
}

std::u16string TFPEmulator::GetAddParamsListToXML() {
  return u"<?xml version=\"1.0\" encoding=\"UTF-8\" ?><Actions>   <Action Name=\"Test\" "
         u"Caption=\"Тестовая операция\"/></Actions>";
}

}  // namespace kassivo
