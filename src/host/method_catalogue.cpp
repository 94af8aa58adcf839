#include "host/method_catalogue.h"

#include "host/device_rows.h"
#include "host/driver_rows.h"

namespace kassivo {

namespace {

constexpr CatalogueRow Driver(Method method, const char16_t* name, std::int32_t parameters,
                              MethodHandler handler) {
  return {method, name, parameters, DeviceKind::kNone, handler, {}};
}

constexpr CatalogueRow Device(Method method, const char16_t* name, std::int32_t parameters,
                              MethodHandler handler, AlwaysOutputs always = {}) {
  return {method, name, parameters, DeviceKind::kDevice, handler, always};
}

constexpr CatalogueRow CardPayment(Method method, const char16_t* name, std::int32_t parameters,
                                   MethodHandler handler) {
  return {method, name, parameters, DeviceKind::kCardPayment, handler, {}};
}

// A row's AlwaysOutputs: the ID written back (kId), or one answer parameter
// emptied (Empty).
constexpr AlwaysOutputs kId = {.id_index = 0};
constexpr AlwaysOutputs Empty(std::int8_t index) {
  return {.empty_indexes = {index, -1}};
}

// In method number order; the check below holds each row to its place.
constexpr CatalogueRow kCatalogue[kMethodCount] = {
    Driver(Method::kGetInterfaceRevision, u"GetInterfaceRevision;ПолучитьРевизиюИнтерфейса", 0,
           driver_rows::GetInterfaceRevision),
    Driver(Method::kGetDescription, u"GetDescription;ПолучитьОписание", 1,
           driver_rows::GetDescription),
    Driver(Method::kGetLastError, u"GetLastError;ПолучитьОшибку", 1, driver_rows::GetLastError),
    Driver(Method::kGetParameters, u"GetParameters;ПолучитьПараметры", 1,
           driver_rows::GetParameters),
    Driver(Method::kSetParameter, u"SetParameter;УстановитьПараметр", 2, driver_rows::SetParameter),
    Driver(Method::kOpen, u"Open;Подключить", 1, driver_rows::Open),
    Device(Method::kClose, u"Close;Отключить", 1, device_rows::Close),
    Driver(Method::kDeviceTest, u"DeviceTest;ТестУстройства", 2, driver_rows::DeviceTest),
    Driver(Method::kGetAdditionalActions, u"GetAdditionalActions;ПолучитьДополнительныеДействия", 1,
           driver_rows::GetAdditionalActions),
    Driver(Method::kDoAdditionalAction, u"DoAdditionalAction;ВыполнитьДополнительноеДействие", 1,
           driver_rows::DoAdditionalAction),
    Device(Method::kGetDataKKT, u"GetDataKKT;ПолучитьПараметрыККТ", 2, device_rows::GetDataKKT,
           {.id_index = 0, .empty_indexes = {1, -1}}),
    Device(Method::kOperationFN, u"OperationFN;ОперацияФН", 3, device_rows::OperationFN),
    Device(Method::kOpenShift, u"OpenShift;ОткрытьСмену", 3, device_rows::OpenShift, Empty(2)),
    Device(Method::kCloseShift, u"CloseShift;ЗакрытьСмену", 3, device_rows::CloseShift, Empty(2)),
    Device(Method::kProcessCheck, u"ProcessCheck;СформироватьЧек", 4, device_rows::ProcessCheck,
           Empty(3)),
    Device(Method::kPrintTextDocument, u"PrintTextDocument;НапечататьТекстовыйДокумент", 2,
           device_rows::PrintTextDocument, kId),
    Device(Method::kProcessCorrectionCheck, u"ProcessCorrectionCheck;СформироватьЧекКоррекции", 3,
           device_rows::ProcessCorrectionCheck, Empty(2)),
    Device(Method::kPrintCheckCopy, u"PrintCheckCopy;НапечататьКопиюЧека", 2,
           device_rows::PrintCheckCopy),
    Device(Method::kCashInOutcome, u"CashInOutcome;НапечататьЧекВнесенияВыемки", 3,
           device_rows::CashInOutcome),
    Device(Method::kGetCurrentStatus, u"GetCurrentStatus;ПолучитьТекущееСостояние", 3,
           device_rows::GetCurrentStatus, Empty(2)),
    Device(Method::kReportCurrentStatusOfSettlements,
           u"ReportCurrentStatusOfSettlements;ОтчетОТекущемСостоянииРасчетов", 3,
           device_rows::ReportCurrentStatusOfSettlements, Empty(2)),
    Device(Method::kPrintXReport, u"PrintXReport;НапечататьОтчетБезГашения", 2,
           device_rows::PrintXReport),
    Device(Method::kOpenCashDrawer, u"OpenCashDrawer;ОткрытьДенежныйЯщик", 1,
           device_rows::OpenCashDrawer),
    Device(Method::kGetLineLength, u"GetLineLength;ПолучитьШиринуСтроки", 2,
           device_rows::GetLineLength),
    CardPayment(Method::kPayByPaymentCard, u"PayByPaymentCard;ОплатитьПлатежнойКартой", 7,
                device_rows::PayByPaymentCard),
    CardPayment(Method::kReturnPaymentByPaymentCard,
                u"ReturnPaymentByPaymentCard;ВернутьПлатежПоПлатежнойКарте", 7,
                device_rows::ReturnPaymentByPaymentCard),
    CardPayment(Method::kCancelPaymentByPaymentCard,
                u"CancelPaymentByPaymentCard;ОтменитьПлатежПоПлатежнойКарте", 7,
                device_rows::CancelPaymentByPaymentCard),
    Driver(Method::kAuthorisationByPaymentCard,
           u"AuthorisationByPaymentCard;ПреавторизацияПоПлатежнойКарте", 7,
           driver_rows::PreauthorisationUnsupported),
    Driver(Method::kAuthConfirmationByPaymentCard,
           u"AuthConfirmationByPaymentCard;ЗавершитьПреавторизациюПоПлатежнойКарте", 7,
           driver_rows::PreauthorisationUnsupported),
    Driver(Method::kCancelAuthorisationByPaymentCard,
           u"CancelAuthorisationByPaymentCard;ОтменитьПреавторизациюПоПлатежнойКарте", 7,
           driver_rows::PreauthorisationUnsupported),
    Driver(Method::kEmergencyReversal, u"EmergencyReversal;АварийнаяОтменаОперации", 1,
           driver_rows::EmergencyReversal),
    Device(Method::kSettlement, u"Settlement;ИтогиДняПоКартам", 2, device_rows::Settlement),
    Driver(Method::kPrintSlipOnTerminal, u"PrintSlipOnTerminal;ПечатьКвитанцийНаТерминале", 0,
           driver_rows::PrintSlipOnTerminal),
    Driver(Method::kGetWeight, u"GetWeight;ПолучитьВес", 2, driver_rows::GetWeight),
    Driver(Method::kCalibrate, u"Calibrate;УстановитьВесТары", 2, driver_rows::Calibrate),
    Device(Method::kOpenSessionRegistrationKM,
           u"OpenSessionRegistrationKM;ОткрытьСессиюРегистрацииКМ", 1,
           device_rows::OpenSessionRegistrationKM),
    Device(Method::kCloseSessionRegistrationKM,
           u"CloseSessionRegistrationKM;ЗакрытьСессиюРегистрацииКМ", 1,
           device_rows::CloseSessionRegistrationKM),
    Device(Method::kRequestKM, u"RequestKM;ЗапросКМ", 3, device_rows::RequestKM),
    Device(Method::kGetProcessingKMResult, u"GetProcessingKMResult;ПолучитьРезультатыЗапросаКМ", 3,
           device_rows::GetProcessingKMResult),
    Device(Method::kConfirmKM, u"ConfirmKM;ПодтвердитьКМ", 3, device_rows::ConfirmKM),
    Driver(Method::kInitializePrinter, u"InitializePrinter;ИнициализацияПринтера", 1,
           driver_rows::InitializePrinter),
    Driver(Method::kPrintLabels, u"PrintLabels;ПечатьЭтикеток", 3, driver_rows::PrintLabels),
};

constexpr bool EachRowAtItsNumber() {
  for (std::int32_t i = 0; i < kMethodCount; ++i) {
    if (Number(kCatalogue[i].method) != i) return false;
  }
  return true;
}
static_assert(EachRowAtItsNumber(), "a catalogue row out of its method's place");

}  // namespace

const CatalogueRow* MethodRow(std::int64_t number) {
  if (!IsMethodNumber(number)) return nullptr;
  return &kCatalogue[number];
}

std::u16string TermString(std::u16string_view term, std::int32_t alias) {
  const std::size_t split = term.find(u';');
  if (alias == 0) return std::u16string(term.substr(0, split));
  if (split == std::u16string_view::npos) return u"";
  return std::u16string(term.substr(split + 1));
}

std::int32_t FindMethodNumber(std::u16string_view name) {
  for (const CatalogueRow& row : kCatalogue) {
    if (TermString(row.name, 0) == name || TermString(row.name, 1) == name) {
      return Number(row.method);
    }
  }
  return -1;
}

}  // namespace kassivo
