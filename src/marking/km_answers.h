// The XML answers of the marking-code requests.
//
// Both answers are attribute-per-line texts: the declaration
// "<?xml version="1.0" encoding="UTF-8"?>" and one space, then the opening of
// the root element, then one attribute per line written as
// Name="value", every line ending in a single CR (U+000D), and "/>" last with
// no line break after it. Flags are written "True" / "False", integers in
// plain decimal.
//
// BuildRequestKMResult: root RequestKMResult with Checking (FFD12_Checking)
// and CheckingResult (FFD12_CheckingResult).
//
// BuildProcessingKMResult: root ProcessingKMResult with GUID (the given
// text, XML-escaped so a host's GUID can never break the answer), Result
// (FFD12_OISM_Result), ResultCode ("3" when that result is true, "0" when
// false), StatusInfo (FFD12_OISM_StatusInfo) and HandleCode
// (FFD12_OISM_HandleCode).
//
// ProcessingKMResultGUID: the GUID the processing result reports: the GUID of
// the last well-formed request, or kNoRequestProcessingGUID while no request
// has been made since the last device construction (the last request GUID is
// then kNoRequestGUID).
#pragma once

#include <string>
#include <string_view>

#include "device/settings.h"

namespace kassivo {

// The last request GUID as device construction leaves it.
inline constexpr std::u16string_view kNoRequestGUID = u"***";
inline constexpr std::u16string_view kNoRequestProcessingGUID =
    u"193DDFC8-15DF-4B14-AE84-1D5B741BC0AC";

std::u16string BuildRequestKMResult(const DriverSettings& settings);

std::u16string BuildProcessingKMResult(const DriverSettings& settings, std::u16string_view guid);

std::u16string ProcessingKMResultGUID(std::u16string_view last_request_guid);

}  // namespace kassivo
