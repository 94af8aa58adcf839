// The code-to-name tables of a check.
//
// OperationTypeName: 1 ПРИХОД, 2 ВОЗВРАТ ПРИХОДА, 3 РАСХОД, 4 ВОЗВРАТ РАСХОДА;
// any other code has an empty name.
// TaxationSystemName: 0 ОБЩАЯ ... 5 ПАТЕНТНАЯ СИСТЕМА НАЛОГ.; any other code
// has an empty name.
// PaymentMethodName and CalculationSubjectName look a trimmed attribute text
// up exactly, as text ("01" is not "1"); a text outside the table, the empty
// text included, has the name "<!>".
#pragma once

#include <cstdint>
#include <string_view>

namespace kassivo {

inline constexpr std::u16string_view kUnknownCodeName = u"<!>";

std::u16string_view OperationTypeName(std::int32_t code);
std::u16string_view TaxationSystemName(std::int32_t code);
std::u16string_view PaymentMethodName(std::u16string_view key);
std::u16string_view CalculationSubjectName(std::u16string_view key);

}  // namespace kassivo
