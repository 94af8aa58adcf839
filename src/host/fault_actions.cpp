#include "host/fault_actions.h"

#include "device/emulator.h"
#include "device/fault_state.h"
#include "package/xml_text.h"

namespace kassivo {

const CommonFault kCommonFaults[17] = {
    {u"paper=out", u"paper=ok", u"нет бумаги", true,
     [](const FaultSet& f) { return f.paper == PaperState::kOut; }},
    {u"paper=near", u"paper=ok", u"бумага заканчивается", true,
     [](const FaultSet& f) { return f.paper == PaperState::kNear; }},
    {u"cover=open", u"cover=ok", u"открыта крышка принтера", true,
     [](const FaultSet& f) { return f.cover_open; }},
    {u"kkt=offline", u"kkt=ok", u"нет связи с ККТ", true,
     [](const FaultSet& f) { return f.kkt_offline; }},
    {u"fn=absent", u"fn=ok", u"ФН не найден", true,
     [](const FaultSet& f) { return f.fn == FnState::kAbsent; }},
    {u"fn=broken", u"fn=ok", u"неисправимая ошибка ФН", true,
     [](const FaultSet& f) { return f.fn == FnState::kBroken; }},
    {u"fn.expires=3d", u"fn.expires=ok", u"ключи ФН истекают через 3 дня", true,
     [](const FaultSet& f) { return f.fn_expires.has_value(); }},
    {u"fn.archive=full", u"fn.archive=ok", u"архив ФН переполнен", true,
     [](const FaultSet& f) { return f.archive == ArchiveState::kFull; }},
    {u"ofd=offline:age=31d", u"ofd=online", u"нет связи с ОФД 31 день", true,
     [](const FaultSet& f) { return f.ofd == OfdState::kOffline; }},
    {u"shift=over24h", u"shift=ok", u"смена превысила 24 часа", true,
     [](const FaultSet& f) { return f.shift_over24h; }},
    {u"power=before", u"power=ok", u"сбой питания до формирования документа", false,
     [](const FaultSet& f) { return f.power == PowerFault::kBefore; }},
    {u"power=after", u"power=ok", u"сбой питания после формирования документа", false,
     [](const FaultSet& f) { return f.power == PowerFault::kAfter; }},
    {u"card=declined:once", u"card=ok", u"карта отклонена банком", false,
     [](const FaultSet& f) { return f.card == CardOutcome::kDeclined; }},
    {u"card=insufficient-funds:once", u"card=ok", u"недостаточно средств на карте", false,
     [](const FaultSet& f) { return f.card == CardOutcome::kInsufficientFunds; }},
    {u"card=offline", u"card=ok", u"нет связи с терминалом", true,
     [](const FaultSet& f) { return f.card == CardOutcome::kOffline; }},
    {u"scale=unstable", u"scale=ok", u"вес нестабилен", true,
     [](const FaultSet& f) { return f.scale == ScaleFault::kUnstable; }},
    {u"labels=out", u"labels=ok", u"закончились этикетки", true,
     [](const FaultSet& f) { return f.labels == LabelFault::kOut; }},
};

std::u16string Capitalised(std::u16string_view caption) {
  std::u16string text(caption);
  if (text.empty()) return text;
  char16_t& first = text.front();
  if (first >= u'а' && first <= u'я') {
    first = static_cast<char16_t>(first - u'а' + u'А');
  } else if (first >= u'a' && first <= u'z') {
    first = static_cast<char16_t>(first - u'a' + u'A');
  }
  return text;
}

namespace {

void AddAction(std::u16string& xml, std::u16string_view spec, std::u16string_view caption) {
  xml += u"<Action Name=\"";
  xml += XmlEscape(std::u16string(kFaultActionPrefix) + std::u16string(spec), true);
  xml += u"\" Caption=\"";
  xml += XmlEscape(std::u16string(caption), true);
  xml += u"\"/>";
}

}  // namespace

std::u16string AdditionalActionsXml(const ProcessState& state) {
  std::u16string xml = TFPEmulator::GetAddParamsListToXML();
  if (!state.Options.FaultActions) return xml;
  constexpr std::u16string_view kEnd = u"</Actions>";
  std::u16string actions;
  for (const CommonFault& fault : kCommonFaults) {
    AddAction(actions, fault.spec, u"Неисправность: " + std::u16string(fault.caption));
  }
  AddAction(actions, u"clear", u"Сбросить все неисправности");
  xml.insert(xml.size() - kEnd.size(), actions);
  return xml;
}

std::optional<bool> DoFaultAction(ProcessState& state, std::u16string_view name) {
  if (!state.Options.FaultActions || !name.starts_with(kFaultActionPrefix)) return std::nullopt;
  std::u16string error;
  if (SetFaults(state, name.substr(kFaultActionPrefix.size()), error)) return true;
  state.LastErrorText = std::move(error);
  return false;
}

}  // namespace kassivo
