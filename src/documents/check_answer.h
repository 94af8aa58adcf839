// DocumentOutputParameters, the answer to a check and a correction check.
//
// The text, with a carriage return (U+000D) after each piece and none after
// the last:
//   <?xml version="1.0" encoding="UTF-8"?> ⏎ <DocumentOutputParameters>⏎
//   <Parameters⏎ ShiftNumber="s"⏎ CheckNumber="c"⏎ ShiftClosingCheckNumber="c"⏎
//   AddressSiteInspections="XmlEscape(FNSURL)"⏎ FiscalSign="FiscalSign(c)"⏎
//   DateTime=""⏎ /></DocumentOutputParameters>
// (the declaration is followed by one space before its carriage return).
//
// FiscalSign(c): "FF" + c·1275 + "SS" + c·623, both products 32-bit
// two's-complement (they wrap), in decimal with "-" when negative.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kassivo {

std::u16string FiscalSign(std::int32_t check_number);

std::u16string BuildDocumentOutputParameters(std::int32_t shift_number, std::int32_t check_number,
                                             std::u16string_view fns_url);

}  // namespace kassivo
