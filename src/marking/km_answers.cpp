#include "marking/km_answers.h"

#include "common/text.h"
#include "device/xml_text.h"

namespace kassivo {

namespace {

constexpr std::u16string_view kDeclaration = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?> \r";

// Name="value" and the line's CR.
void AppendAttribute(std::u16string& out, std::u16string_view name, std::u16string_view value) {
  out += name;
  out += u"=\"";
  out += value;
  out += u"\"\r";
}

}  // namespace

std::u16string BuildRequestKMResult(const DriverSettings& settings) {
  std::u16string out(kDeclaration);
  out += u"<RequestKMResult\r";
  AppendAttribute(out, u"Checking", FlagText(settings.FFD12_Checking));
  AppendAttribute(out, u"CheckingResult", FlagText(settings.FFD12_CheckingResult));
  out += u"/>";
  return out;
}

std::u16string BuildProcessingKMResult(const DriverSettings& settings, std::u16string_view guid) {
  std::u16string out(kDeclaration);
  out += u"<ProcessingKMResult\r";
  AppendAttribute(out, u"GUID", XmlEscape(guid, false));
  AppendAttribute(out, u"Result", FlagText(settings.FFD12_OISM_Result));
  AppendAttribute(out, u"ResultCode", settings.FFD12_OISM_Result ? u"3" : u"0");
  AppendAttribute(out, u"StatusInfo", DecimalText(settings.FFD12_OISM_StatusInfo));
  AppendAttribute(out, u"HandleCode", DecimalText(settings.FFD12_OISM_HandleCode));
  out += u"/>";
  return out;
}

std::u16string ProcessingKMResultGUID(std::u16string_view last_request_guid) {
  if (last_request_guid == kNoRequestGUID) return std::u16string(kNoRequestProcessingGUID);
  return std::u16string(last_request_guid);
}

}  // namespace kassivo
