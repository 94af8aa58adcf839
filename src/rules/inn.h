// Taxpayer numbers (INN) and their check digits.
//
// A 10-digit number is valid when digit 10 is the sum of digits 1-9 weighted
// 2 4 10 3 5 9 4 6 8, mod 11, mod 10. A 12-digit number is valid when digit
// 11 is the sum of digits 1-10 weighted 7 2 4 10 3 5 9 4 6 8 and digit 12 the
// sum of digits 1-11 weighted 3 7 2 4 10 3 5 9 4 6 8, each mod 11, mod 10.
// Any other text (another length, a character that is not a digit) is not a
// valid number of either length.
#pragma once

#include <string_view>

namespace kassivo {

bool IsValidInn10(std::u16string_view text);
bool IsValidInn12(std::u16string_view text);

}  // namespace kassivo
