// The messages of the strict-mode rules, in one table.
//
// Each message is a template; RuleText fills its placeholders, written as a
// letter in braces ({i} the position's 1-based number, {j} another
// position's, {X} {Y} {P} {Q} {R} {E} values), with the texts given in the order the letters are
// listed in the call. The caller formats the values (amounts in the money format, quantities in the
// quantity format, codes as the package wrote them).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace kassivo {

enum class RuleMessage {
  kShiftNotOpen,
  kShiftAlreadyOpen,
  kShiftOver24Hours,
  kMarkingSessionOpen,
  kMarkingSessionNotOpen,
  kFiscalModeClosed,
  kClockBeforeLastDocument,
  kNoCashier,
  kBadOperationType,
  kTaxationNotRegistered,
  kNoTaxationSystem,
  kNoPositions,
  kNoCustomerContact,
  kNoCorrectionData,
  kNoOrderNumber,
  kQuantityNotPositive,
  kQuantityNotNumber,
  kBadPriceOrAmount,
  kPriceNotNumber,
  kAmountNotNumber,
  kAmountNotPriceTimesQuantity,
  kBadPaymentMethod,
  kBadCalculationSubject,
  kBadVatRate,
  kVatRate18Abolished,
  kNotRegisteredForMarking,
  kMarkingCodeNotRequested,
  kMarkingCodeNotConfirmed,
  kMarkingCodeRejected,
  kNoMeasureOfQuantity,
  kNoVendorInn,
  kDuplicateMarkingCode,
  kNotRegisteredForExcise,
  kNotRegisteredForGambling,
  kNotRegisteredForLottery,
  kAgentTypeNotRegistered,
  kTotalBeyondLimit,
  kPaidBelowTotal,
  kCashlessAboveTotal,
  kNotEnoughCash,
  kNegativePayment,
  kPaymentNotNumber,
  kBadCashAmount,
  // Remarks: the document is formed.
  kVatAmountMismatch,
  kBadCashierInn,
  kBadVendorInn,
  kBadCustomerInn,
  kMoreMessages,
};

// `values` pairs each placeholder letter with its text.
std::u16string RuleText(
    RuleMessage message,
    std::initializer_list<std::pair<char16_t, std::u16string_view>> values = {});

}  // namespace kassivo
