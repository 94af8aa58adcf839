#include "cli/fault_catalogue.h"

#include "common/text.h"
#include "device/fault_messages.h"
#include "device/faults.h"

namespace kassivo::cli {

namespace {

struct Entry {
  const char* item;
  const char* refuses;
  std::u16string_view message;  // fault_messages.h
  const char* also;
};

constexpr Entry kEntries[] = {
    {"kkt=offline", "Open, DeviceTest and every register method of an open device",
     kKktOfflineMessage, ""},
    {"paper=near | near:N", "nothing", u"",
     "each document ends with \"БУМАГА ЗАКАНЧИВАЕТСЯ\"; out after N documents (5)"},
    {"paper=out", "PRINT", kPaperOutMessage, "cleared by paper=ok"},
    {"cover=open", "PRINT", kCoverOpenMessage, ""},
    {"fn=absent", "FISCAL, RequestKM, GetDataKKT, GetCurrentStatus", kFnAbsentMessage,
     "X-report, text documents, drawer and cash documents still work"},
    {"fn=broken", "FISCAL, RequestKM", kFnBrokenMessage, "FNError=\"True\""},
    {"fn.expires=DATE | Nd | expired", "FISCAL, RequestKM once past the date", kFnExpiredMessage,
     "30 days or less: FNFail and \"РЕСУРС КЛЮЧЕЙ ФН: N ДН.\"; 3 or less: FNError and "
     "\"СРОЧНАЯ ЗАМЕНА ФН\""},
    {"fn.archive=90% | full", "full: FISCAL", kArchiveFullMessage, "FNOverflow=\"True\""},
    {"ofd=offline | offline:age=Nd", "FISCAL once the oldest unsent document is 30 days old",
     kOfdBlockedMessage, "documents queue with the backlog fields; ofd=online sends them"},
    {"shift=over24h", "ProcessCheck, ProcessCorrectionCheck, CashInOutcome", kShiftOver24hMessage,
     "the open shift began 24 hours back; CloseShift allowed"},
    {"power=before", "the next FISCAL call (once)", kPowerLostMessage,
     "nothing formed; the tape shows \"ЧЕК АННУЛИРОВАН\""},
    {"power=after", "the next FISCAL call (once)", kPowerLostMessage,
     "the document IS formed; ask GetCurrentStatus"},
    {"scale=unstable", "GetWeight, Calibrate", kScaleUnstableMessage, ""},
    {"scale=overload", "GetWeight, Calibrate", kScaleOverloadMessage, ""},
    {"scale=negative", "GetWeight, Calibrate", kScaleNegativeMessage, ""},
    {"scale=offline", "GetWeight, Calibrate", kScaleOfflineMessage, ""},
    {"scale=zero | weight:X", "nothing", u"", "GetWeight answers 0, or X"},
    {"labels=out", "InitializePrinter, PrintLabels", kLabelsOutMessage, ""},
    {"labels=cover", "InitializePrinter, PrintLabels", kLabelsCoverMessage, ""},
    {"labels=offline", "InitializePrinter, PrintLabels", kLabelsOfflineMessage, ""},
};

constexpr const char* kCardMethods =
    "PayByPaymentCard, ReturnPaymentByPaymentCard, CancelPaymentByPaymentCard";

void Print(std::ostream& out, const std::string& item, const std::string& refuses,
           const std::string& message, const std::string& also) {
  out << item << '\n' << "  refuses: " << refuses << '\n';
  if (!message.empty()) out << "  message: " << message << '\n';
  if (!also.empty()) out << "  also:    " << also << '\n';
}

}  // namespace

void PrintFaultCatalogue(std::ostream& out) {
  out << "A spec is NAME=VALUE items separated by commas; NAME=ok clears one, clear all.\n"
         "PRINT: OpenShift, CloseShift, ProcessCheck, ProcessCorrectionCheck, CashInOutcome,\n"
         "  PrintXReport, ReportCurrentStatusOfSettlements, PrintTextDocument,\n"
         "  PrintCheckCopy, OperationFN.\n"
         "FISCAL: OpenShift, CloseShift, ProcessCheck, ProcessCorrectionCheck,\n"
         "  ReportCurrentStatusOfSettlements.\n"
         "Within a call the first fault wins, in the order kkt, power, fn, fn.expires,\n"
         "fn.archive, ofd, shift, cover, paper.\n\n";
  for (const Entry& entry : kEntries)
    Print(out, entry.item, entry.refuses, ToUtf8(entry.message), entry.also);
  for (const CardOutcomeName& card : kCardOutcomes) {
    const std::string name = card.name;
    std::string refuses = kCardMethods;
    std::string also = "the slip prints the reason; add :once to clear it after one use";
    if (card.outcome == CardOutcome::kApproved) {
      refuses = "nothing";
      also = "every operation approved, whatever the amount";
    } else if (card.outcome == CardOutcome::kNoLink) {
      refuses += ", Settlement";
    } else if (card.outcome == CardOutcome::kOffline) {
      refuses = "every card method";
      also = "nothing printed";
    } else if (card.outcome == CardOutcome::kTimeout) {
      also =
          "the bank approved, the answer was lost: no RRN; EmergencyReversal then answers "
          "true once with a slip \"АВАРИЙНАЯ ОТМЕНА\"";
    }
    Print(out, "card=" + name + "[:once]", refuses, ToUtf8(card.message), also);
  }
  Print(out, "card=by-kopecks[:once]", kCardMethods, "",
        "the kopecks choose: ,05 declined, ,51 insufficient-funds, ,55 wrong-pin, ,91 no-link, "
        ",99 timeout, any other approved");
}

}  // namespace kassivo::cli
