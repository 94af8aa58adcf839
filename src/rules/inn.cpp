#include "rules/inn.h"

#include <array>
#include <cstddef>

namespace kassivo {

namespace {

bool AllDigits(std::u16string_view text) {
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return false;
  }
  return true;
}

// The check digit of the digits weighted by `weights`, from the first digit.
template <std::size_t N>
int CheckDigit(std::u16string_view text, const std::array<int, N>& weights) {
  int sum = 0;
  for (std::size_t i = 0; i < N; ++i) sum += weights[i] * (text[i] - u'0');
  return sum % 11 % 10;
}

constexpr std::array<int, 9> kWeights10 = {2, 4, 10, 3, 5, 9, 4, 6, 8};
constexpr std::array<int, 10> kWeights11 = {7, 2, 4, 10, 3, 5, 9, 4, 6, 8};
constexpr std::array<int, 11> kWeights12 = {3, 7, 2, 4, 10, 3, 5, 9, 4, 6, 8};

}  // namespace

bool IsValidInn10(std::u16string_view text) {
  return text.size() == 10 && AllDigits(text) && CheckDigit(text, kWeights10) == text[9] - u'0';
}

bool IsValidInn12(std::u16string_view text) {
  return text.size() == 12 && AllDigits(text) && CheckDigit(text, kWeights11) == text[10] - u'0' &&
         CheckDigit(text, kWeights12) == text[11] - u'0';
}

}  // namespace kassivo
