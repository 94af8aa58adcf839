// Placeholder until the number formats are built.
#include "common/number_format.h"

#include <stdexcept>
#include <string>

#include "common/text.h"

namespace kassivo {

std::u16string FormatMoney(double, const NumberFormat&) { throw std::logic_error("not built"); }
std::u16string FormatQuantity(double, const NumberFormat&) { throw std::logic_error("not built"); }
std::u16string FormatGeneral(double, const NumberFormat&) { throw std::logic_error("not built"); }

std::optional<double> ParseNumber(std::u16string_view text, const NumberFormat&) {
  const std::string s = ToUtf8(text);
  try {
    std::size_t used = 0;
    const double v = std::stod(s, &used);
    if (used != s.size()) return std::nullopt;
    return v;
  } catch (...) {
    return std::nullopt;
  }
}

}  // namespace kassivo
