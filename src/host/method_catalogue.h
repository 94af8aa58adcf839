// The method catalogue: the 42 driver methods the host calls by number, one
// row each, and the lookups the host and the scripts make on it.
//
// A method's number is its Method value and its row's index. A row holds the
// names ("English;Russian"), the parameter count, the handler that answers a
// call (method_call.h), whether parameter 0 is a device ID and what an ID no
// device has gets, and the outputs written back whatever happens.
//
// FindMethodNumber compares a name exactly (ordinal, case significant,
// nothing trimmed) with each row's English then Russian name, rows in order,
// and gives the first match or -1.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kassivo {

enum class Method : std::int32_t {
  kGetInterfaceRevision = 0,
  kGetDescription = 1,
  kGetLastError = 2,
  kGetParameters = 3,
  kSetParameter = 4,
  kOpen = 5,
  kClose = 6,
  kDeviceTest = 7,
  kGetAdditionalActions = 8,
  kDoAdditionalAction = 9,
  kGetDataKKT = 10,
  kOperationFN = 11,
  kOpenShift = 12,
  kCloseShift = 13,
  kProcessCheck = 14,
  kPrintTextDocument = 15,
  kProcessCorrectionCheck = 16,
  kPrintCheckCopy = 17,
  kCashInOutcome = 18,
  kGetCurrentStatus = 19,
  kReportCurrentStatusOfSettlements = 20,
  kPrintXReport = 21,
  kOpenCashDrawer = 22,
  kGetLineLength = 23,
  kPayByPaymentCard = 24,
  kReturnPaymentByPaymentCard = 25,
  kCancelPaymentByPaymentCard = 26,
  kAuthorisationByPaymentCard = 27,
  kAuthConfirmationByPaymentCard = 28,
  kCancelAuthorisationByPaymentCard = 29,
  kEmergencyReversal = 30,
  kSettlement = 31,
  kPrintSlipOnTerminal = 32,
  kGetWeight = 33,
  kCalibrate = 34,
  kOpenSessionRegistrationKM = 35,
  kCloseSessionRegistrationKM = 36,
  kRequestKM = 37,
  kGetProcessingKMResult = 38,
  kConfirmKM = 39,
  kInitializePrinter = 40,
  kPrintLabels = 41,
};

inline constexpr std::int32_t kMethodCount = 42;

constexpr std::int32_t Number(Method method) {
  return static_cast<std::int32_t>(method);
}

inline bool IsMethodNumber(std::int64_t number) {
  return number >= 0 && number < kMethodCount;
}

// What parameter 0 of a row is, and what a call whose ID names no device
// answers (false either way; the handler is not called).
enum class DeviceKind : std::uint8_t {
  // No device: the handler reads parameter 0 as it likes.
  kNone,
  // A device ID; an unknown one gets "Устройство c таким ID не найдено.",
  // the row's AlwaysOutputs written.
  kDevice,
  // A device ID; an unknown one gets "Карта заблокирована", nothing written.
  kCardPayment,
};

// The parameters a row writes back even when it cannot answer (an unknown
// ID, a failure): the device ID, as read, and the outputs that fall back to
// empty text. -1: none.
struct AlwaysOutputs {
  std::int8_t id_index = -1;
  std::int8_t empty_indexes[2] = {-1, -1};
};

struct MethodCall;
using MethodHandler = void (*)(MethodCall& call);

struct CatalogueRow {
  Method method;
  const char16_t* name;  // "English;Russian"
  std::int32_t parameters;
  DeviceKind device;
  MethodHandler handler;
  AlwaysOutputs always;
};

// The row for `number`, or null when outside 0..41.
const CatalogueRow* MethodRow(std::int64_t number);

// The alias split: alias 0 gives the text before the first ";" (the whole
// text when there is none); any other alias the text after it (or "").
std::u16string TermString(std::u16string_view term, std::int32_t alias);

// The method number, or -1.
std::int32_t FindMethodNumber(std::u16string_view name);

}  // namespace kassivo
