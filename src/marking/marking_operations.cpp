// The marking-code exchange: the registration session, the request with its
// local check, the marking system's result and the confirmation. Every answer
// comes from the configured DriverSettings. The state kept: the GUID of the
// last well-formed request, and for the strict-mode rules whether a session
// is open and what each request and confirmation said (MarkingRecords). In
// strict mode RequestKM needs an open session.
#include "common/text.h"
#include "device/emulator.h"
#include "documents/header_blocks.h"
#include "marking/km_answers.h"
#include "package/xml_text.h"
#include "rules/refusal.h"
#include "rules/strict_review.h"

namespace kassivo {

namespace {

void PrintCentered(Tape& tape, std::u16string_view text) {
  tape.PrintLine(text, AlignCenter);
}

std::u16string Labelled(std::u16string_view label, std::u16string_view value) {
  std::u16string line(label);
  line += u": ";
  line += value;
  return line;
}

}  // namespace

bool TFPEmulator::SessionRegistrationKM(bool AOpen) {
  Tape& tape = state_.Receipt;
  tape.BeginDocument();
  PrintCentered(tape, AOpen ? u"СЕССИЯ ОТКРЫТА" : u"СЕССИЯ ЗАКРЫТА");
  state_.Marking.SessionOpen = AOpen;
  return true;
}

bool TFPEmulator::RequestKM(std::u16string& AInParams, std::u16string& AOutParams) {
  Tape& tape = state_.Receipt;
  const DriverSettings& settings = state_.Settings;
  if (state_.Options.Strict) RefuseIfBroken(tape, ReviewRequestKM(state_));
  tape.BeginDocument();
  PrintCentered(tape, u"ЗАПРОС КМ");
  // A text that is not well-formed XML throws here, after the title.
  const XmlDocument request = state_.platform().xml->Parse(AInParams);
  const XmlNode& root = request.root;
  if (root.Is(u"RequestKM")) {
    state_.LastKMRequestGUID = GetAttributeText(root, u"GUID");
    const std::u16string code = GetAttributeText(root, u"MarkingCode");
    state_.Marking.Request(state_.LastKMRequestGUID, code);
    PrintCentered(tape, u"GUID: " + state_.LastKMRequestGUID);
    PrintCentered(tape, u"MarkingCode: " + code);
    PrintCentered(tape, u"PlannedStatus: " + GetAttributeText(root, u"PlannedStatus"));
    PrintCentered(tape, u"Quantity: " + GetAttributeText(root, u"Quantity"));
    PrintCentered(tape, u"MeasureOfQuantity: " + GetAttributeText(root, u"MeasureOfQuantity"));
  }
  PrintCentered(tape, HeaderForm(state_, state_.Registration.CompanyName));
  AOutParams = BuildRequestKMResult(settings);
  tape.PrintSeparator(true);
  PrintCentered(tape, u"Результат локальной проверки ФН");
  PrintCentered(tape, Labelled(u"КМ проверен ФН", FlagText(settings.FFD12_Checking)));
  PrintCentered(tape,
                Labelled(u"Проверка ФН положительная", FlagText(settings.FFD12_CheckingResult)));
  return true;
}

bool TFPEmulator::GetProcessingKMResult(std::u16string& AOutParams) {
  Tape& tape = state_.Receipt;
  const DriverSettings& settings = state_.Settings;
  tape.BeginDocument();
  PrintCentered(tape, u"РЕЗУЛЬТАТ ЗАПРОСА О КМ В ОИСМ");
  PrintCentered(tape, u"Проверка ОИСМ");
  PrintCentered(tape, Labelled(u"Результат проверки", FlagText(settings.FFD12_OISM_Result)));
  PrintCentered(tape,
                Labelled(u"Ответ о статусе товара", DecimalText(settings.FFD12_OISM_StatusInfo)));
  PrintCentered(tape,
                Labelled(u"Код обработки запроса", DecimalText(settings.FFD12_OISM_HandleCode)));
  AOutParams = BuildProcessingKMResult(settings, ProcessingKMResultGUID(state_.LastKMRequestGUID));
  return true;
}

bool TFPEmulator::ConfirmKM(std::u16string& AInParams, std::int32_t& AKind) {
  Tape& tape = state_.Receipt;
  tape.BeginDocument();
  PrintCentered(tape, u"ПОДТВЕРДИТЬ КМ ЗАПРОСА");
  PrintCentered(tape, u"GUID: " + AInParams);
  PrintCentered(tape, AKind == 0 ? u"КМ - ПОДТВЕРЖДЕНА" : u"КМ - ОТКЛОНЕНА");
  state_.Marking.Confirm(AInParams, AKind);
  return true;
}

}  // namespace kassivo
