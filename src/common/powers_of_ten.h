// Powers of ten as 64-bit integers: kPowersOf10[k] is 10^k for k from 0 to
// 19, every power of ten below 2^64.
#pragma once

#include <array>
#include <cstdint>

namespace kassivo {

inline constexpr std::array<std::uint64_t, 20> kPowersOf10 = [] {
  std::array<std::uint64_t, 20> powers{};
  std::uint64_t power = 1;
  for (std::uint64_t& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

}  // namespace kassivo
