#include "package/input_parameters.h"

#include <cstdio>

#include "common/text.h"
#include "package/xml_text.h"

namespace kassivo {

namespace {

std::u16string AttributeOrEmpty(const std::u16string_view* value) {
  return value ? std::u16string(*value) : std::u16string();
}

std::u16string MomentText(const std::optional<LocalDateTime>& at) {
  if (!at) return u"";
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d", at->year % 10000,
                at->month % 100, at->day % 100, at->hour % 100, at->minute % 100, at->second % 100);
  return FromUtf8(text);
}

}  // namespace

void ParseInputParameters(const XmlParser& parser, std::u16string_view text,
                          InputParameters& params) {
  if (IsBlank(text)) return;
  const XmlDocument document = parser.Parse(text);
  const XmlNode& first = document.root.ChildAt(0);
  if (!first.Is(u"Parameters")) return;
  params.CashierName = GetAttributeText(first, u"CashierName");
  params.CashierINN = GetAttributeText(first, u"CashierINN");
  params.SaleAddress = AttributeOrEmpty(FindAttributeSpelled(first, u"SaleAddres", u"SaleAddress"));
  params.SaleLocation = GetAttributeText(first, u"SaleLocation");
}

std::u16string BuildOutputParameters(std::int32_t shift_state, std::int32_t shift_number,
                                     std::int32_t check_number, std::u16string_view cash_balance,
                                     const StorageStatus& storage) {
  const std::u16string check = DecimalText(check_number);
  LineAnswer answer({u"<OutputParameters>", u"<Parameters"});
  answer.Add(u"CheckNumber", check)
      .Add(u"ShiftClosingCheckNumber", check)
      .Add(u"ShiftNumber", DecimalText(shift_number))
      .Add(u"DateTime", u"")
      .Add(u"ShiftState", DecimalText(shift_state))
      .Add(u"CashBalance", cash_balance)
      .Add(u"FNError", FlagText(storage.fn_error))
      .Add(u"FNOverflow", FlagText(storage.fn_overflow))
      .Add(u"FNFail", FlagText(storage.fn_fail));
  if (const std::optional<StorageStatus::Backlog>& backlog = storage.backlog) {
    answer.Add(u"BacklogDocumentsCounter", DecimalText(backlog->count))
        .Add(u"BacklogDocumentFirstNumber", DecimalText(backlog->first_number))
        .Add(u"BacklogDocumentFirstDateTime", MomentText(backlog->first_at));
  } else {
    answer.Add(u"BacklogDocumentsCounter", u"1")
        .Add(u"BacklogDocumentFirstNumber", u"999")
        .Add(u"BacklogDocumentFirstDateTime", u"2018-11-09T16:13:42");
  }
  return std::move(answer).Finish(u"</OutputParameters>");
}

}  // namespace kassivo
