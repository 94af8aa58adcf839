// The InputParameters text the host passes to the shift, status and cash
// documents, and the OutputParameters answer they give back.
//
// ParseInputParameters(parser, text, params):
//  - a text that is blank (empty after trimming code units up to U+0020)
//    leaves `params` untouched;
//  - otherwise the text is parsed; a text that is not well-formed XML, or
//    whose root element has no child node, throws DriverError;
//  - when the root's first child node is an element named exactly
//    "Parameters", its attributes CashierName, CashierINN, SaleAddres (or,
//    when that is absent, SaleAddress, the spelling hosts actually send) and
//    SaleLocation set the four texts, each "" when absent; values are taken
//    as the parser decodes them, untrimmed;
//  - any other first child (another element, a comment, text) leaves
//    `params` untouched. The root's name is not checked.
//
// BuildOutputParameters(shift_state, shift_number, check_number,
// cash_balance): the OutputParameters answer (CashBalance "1000" unless
// another text is given), one attribute a line, lines separated by a single
// CR and no line break at the end:
//   <?xml version="1.0" encoding="UTF-8"?> CR <OutputParameters> CR
//   <Parameters CR CheckNumber="n" CR ShiftClosingCheckNumber="n" CR
//   ShiftNumber="s" CR DateTime="" CR ShiftState="1|2" CR CashBalance="1000"
//   CR FNError="False" CR FNOverflow="False" CR FNFail="False" CR
//   BacklogDocumentsCounter="1" CR BacklogDocumentFirstNumber="999" CR
//   BacklogDocumentFirstDateTime="2018-11-09T16:13:42" CR
//   /></OutputParameters>
// The three FN flags and the backlog come from `storage`: by default the
// flags are "False" and the backlog has the fixed values above; a backlog
// given reports its count, its first number and its first moment
// (YYYY-MM-DDThh:mm:ss), or 0, 0 and "" when it is empty.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform.h"
#include "platform/xml.h"

namespace kassivo {

struct InputParameters {
  std::u16string CashierName;
  std::u16string CashierINN;
  std::u16string SaleAddress;
  std::u16string SaleLocation;
};

void ParseInputParameters(const XmlParser& parser, std::u16string_view text,
                          InputParameters& params);

// Shift state codes of the answers.
inline constexpr std::int32_t kShiftClosed = 1;
inline constexpr std::int32_t kShiftOpen = 2;

// The fiscal storage's state as the status answers report it.
// Kept outside StorageStatus: an optional of a nested class with member
// initialisers is not default-constructible to every compiler.
struct StorageBacklog {
  std::int32_t count = 0;
  std::int32_t first_number = 0;
  std::optional<LocalDateTime> first_at;
};

struct StorageStatus {
  bool fn_error = false;
  bool fn_overflow = false;
  bool fn_fail = false;
  using Backlog = StorageBacklog;
  std::optional<Backlog> backlog;  // none: the fixed values
};

std::u16string BuildOutputParameters(std::int32_t shift_state, std::int32_t shift_number,
                                     std::int32_t check_number,
                                     std::u16string_view cash_balance = u"1000",
                                     const StorageStatus& storage = {});

}  // namespace kassivo
