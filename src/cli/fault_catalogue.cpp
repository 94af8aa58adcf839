#include "cli/fault_catalogue.h"

#include "common/text.h"
#include "device/faults.h"

namespace kassivo::cli {

namespace {

struct Entry {
  const char* item;
  const char* refuses;
  const char* message;
  const char* also;
};

constexpr Entry kEntries[] = {
    {"kkt=offline", "Open, DeviceTest and every register method of an open device",
     "Нет связи с ККТ.", ""},
    {"paper=near | near:N", "nothing", "",
     "each document ends with \"БУМАГА ЗАКАНЧИВАЕТСЯ\"; out after N documents (5)"},
    {"paper=out", "PRINT", "Нет бумаги. Заправьте чековую ленту.", "cleared by paper=ok"},
    {"cover=open", "PRINT", "Открыта крышка принтера ККТ.", ""},
    {"fn=absent", "FISCAL, RequestKM, GetDataKKT, GetCurrentStatus",
     "ФН не найден: нет связи с фискальным накопителем.",
     "X-report, text documents, drawer and cash documents still work"},
    {"fn=broken", "FISCAL, RequestKM", "Неисправимая ошибка ФН. Требуется замена ФН.",
     "FNError=\"True\""},
    {"fn.expires=DATE | Nd | expired", "FISCAL, RequestKM once past the date",
     "Закончен срок действия ключей ФН. Требуется замена ФН.",
     "30 days or less: FNFail and \"РЕСУРС КЛЮЧЕЙ ФН: N ДН.\"; 3 or less: FNError and "
     "\"СРОЧНАЯ ЗАМЕНА ФН\""},
    {"fn.archive=90% | full", "full: FISCAL", "Архив ФН переполнен.", "FNOverflow=\"True\""},
    {"ofd=offline | offline:age=Nd", "FISCAL once the oldest unsent document is 30 days old",
     "Превышено время ожидания передачи документов в ОФД (30 дней).",
     "documents queue with the backlog fields; ofd=online sends them"},
    {"shift=over24h", "ProcessCheck, ProcessCorrectionCheck, CashInOutcome",
     "Смена превысила 24 часа. Закройте смену.",
     "the open shift began 24 hours back; CloseShift allowed"},
    {"power=before", "the next FISCAL call (once)",
     "Нет связи с ККТ: превышено время ожидания ответа.",
     "nothing formed; the tape shows \"ЧЕК АННУЛИРОВАН\""},
    {"power=after", "the next FISCAL call (once)",
     "Нет связи с ККТ: превышено время ожидания ответа.",
     "the document IS formed; ask GetCurrentStatus"},
    {"scale=unstable", "GetWeight, Calibrate", "Вес нестабилен.", ""},
    {"scale=overload", "GetWeight, Calibrate", "Перегрузка весов.", ""},
    {"scale=negative", "GetWeight, Calibrate", "Отрицательный вес. Обнулите весы.", ""},
    {"scale=offline", "GetWeight, Calibrate", "Нет связи с весами.", ""},
    {"scale=zero | weight:X", "nothing", "", "GetWeight answers 0, or X"},
    {"labels=out", "InitializePrinter, PrintLabels", "Закончились этикетки.", ""},
    {"labels=cover", "InitializePrinter, PrintLabels", "Открыта крышка принтера этикеток.", ""},
    {"labels=offline", "InitializePrinter, PrintLabels", "Нет связи с принтером этикеток.", ""},
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
    Print(out, entry.item, entry.refuses, entry.message, entry.also);
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
