#include "host/method_table.h"

namespace kassivo {

namespace {

const DriverMethod kDriverMethodTable[kMethodCount] = {
    {u"GetInterfaceRevision;ПолучитьРевизиюИнтерфейса", 0},
    {u"GetDescription;ПолучитьОписание", 1},
    {u"GetLastError;ПолучитьОшибку", 1},
    {u"GetParameters;ПолучитьПараметры", 1},
    {u"SetParameter;УстановитьПараметр", 2},
    {u"Open;Подключить", 1},
    {u"Close;Отключить", 1},
    {u"DeviceTest;ТестУстройства", 2},
    {u"GetAdditionalActions;ПолучитьДополнительныеДействия", 1},
    {u"DoAdditionalAction;ВыполнитьДополнительноеДействие", 1},
    {u"GetDataKKT;ПолучитьПараметрыККТ", 2},
    {u"OperationFN;ОперацияФН", 3},
    {u"OpenShift;ОткрытьСмену", 3},
    {u"CloseShift;ЗакрытьСмену", 3},
    {u"ProcessCheck;СформироватьЧек", 4},
    {u"PrintTextDocument;НапечататьТекстовыйДокумент", 2},
    {u"ProcessCorrectionCheck;СформироватьЧекКоррекции", 3},
    {u"PrintCheckCopy;НапечататьКопиюЧека", 2},
    {u"CashInOutcome;НапечататьЧекВнесенияВыемки", 3},
    {u"GetCurrentStatus;ПолучитьТекущееСостояние", 3},
    {u"ReportCurrentStatusOfSettlements;ОтчетОТекущемСостоянииРасчетов", 3},
    {u"PrintXReport;НапечататьОтчетБезГашения", 2},
    {u"OpenCashDrawer;ОткрытьДенежныйЯщик", 1},
    {u"GetLineLength;ПолучитьШиринуСтроки", 2},
    {u"PayByPaymentCard;ОплатитьПлатежнойКартой", 7},
    {u"ReturnPaymentByPaymentCard;ВернутьПлатежПоПлатежнойКарте", 7},
    {u"CancelPaymentByPaymentCard;ОтменитьПлатежПоПлатежнойКарте", 7},
    {u"AuthorisationByPaymentCard;ПреавторизацияПоПлатежнойКарте", 7},
    {u"AuthConfirmationByPaymentCard;ЗавершитьПреавторизациюПоПлатежнойКарте", 7},
    {u"CancelAuthorisationByPaymentCard;ОтменитьПреавторизациюПоПлатежнойКарте", 7},
    {u"EmergencyReversal;АварийнаяОтменаОперации", 1},
    {u"Settlement;ИтогиДняПоКартам", 2},
    {u"PrintSlipOnTerminal;ПечатьКвитанцийНаТерминале", 0},
    {u"GetWeight;ПолучитьВес", 2},
    {u"Calibrate;УстановитьВесТары", 2},
    {u"OpenSessionRegistrationKM;ОткрытьСессиюРегистрацииКМ", 1},
    {u"CloseSessionRegistrationKM;ЗакрытьСессиюРегистрацииКМ", 1},
    {u"RequestKM;ЗапросКМ", 3},
    {u"GetProcessingKMResult;ПолучитьРезультатыЗапросаКМ", 3},
    {u"ConfirmKM;ПодтвердитьКМ", 3},
    {u"InitializePrinter;ИнициализацияПринтера", 1},
    {u"PrintLabels;ПечатьЭтикеток", 3},
};

}  // namespace

const DriverMethod* MethodRow(std::int64_t number) {
  if (!IsMethodNumber(number)) return nullptr;
  return &kDriverMethodTable[number];
}

std::u16string TermString(std::u16string_view term, std::int32_t alias) {
  const std::size_t split = term.find(u';');
  if (alias == 0) return std::u16string(term.substr(0, split));
  if (split == std::u16string_view::npos) return u"";
  return std::u16string(term.substr(split + 1));
}

std::int32_t FindMethodNumber(std::u16string_view name) {
  for (std::int32_t i = 0; i < kMethodCount; ++i) {
    if (TermString(kDriverMethodTable[i].name, 0) == name ||
        TermString(kDriverMethodTable[i].name, 1) == name) {
      return i;
    }
  }
  return -1;
}

}  // namespace kassivo
