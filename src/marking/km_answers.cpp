#include "marking/km_answers.h"

#include "common/text.h"
#include "package/xml_text.h"

namespace kassivo {

std::u16string BuildRequestKMResult(const DriverSettings& settings) {
  LineAnswer answer({u"<RequestKMResult"});
  answer.Add(u"Checking", FlagText(settings.FFD12_Checking))
      .Add(u"CheckingResult", FlagText(settings.FFD12_CheckingResult));
  return std::move(answer).Finish();
}

std::u16string BuildProcessingKMResult(const DriverSettings& settings, std::u16string_view guid) {
  LineAnswer answer({u"<ProcessingKMResult"});
  answer.Add(u"GUID", XmlEscape(guid, false))
      .Add(u"Result", FlagText(settings.FFD12_OISM_Result))
      .Add(u"ResultCode", settings.FFD12_OISM_Result ? u"3" : u"0")
      .Add(u"StatusInfo", DecimalText(settings.FFD12_OISM_StatusInfo))
      .Add(u"HandleCode", DecimalText(settings.FFD12_OISM_HandleCode));
  return std::move(answer).Finish();
}

std::u16string ProcessingKMResultGUID(std::u16string_view last_request_guid) {
  if (last_request_guid == kNoRequestGUID) return std::u16string(kNoRequestProcessingGUID);
  return std::u16string(last_request_guid);
}

}  // namespace kassivo
