// The reference number (RRN) and authorisation code the card terminal
// invents from the local date and time.
//
// RRNCode: year (four digits), month, day, hour (24-hour), minute and second
// (two digits each), then the millisecond without leading zeros: 15 to 17
// digits. 2024-03-05 09:07:04.056 gives "2024030509070456".
//
// AuthorizationCode: the millisecond without leading zeros, then second and
// minute (two digits each): 5 to 7 digits. 09:07:04.056 gives "560407".
//
// Fields outside their usual ranges are written as their decimal digits,
// zero-padded to the field's width; a negative field keeps its "-".
#pragma once

#include <string>

#include "platform/platform.h"

namespace kassivo {

std::u16string RRNCode(const LocalDateTime& time);

std::u16string AuthorizationCode(const LocalDateTime& time);

}  // namespace kassivo
