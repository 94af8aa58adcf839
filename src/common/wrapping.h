// 32-bit two's-complement arithmetic without undefined behaviour, for the
// document counters and the fiscal-sign products, which wrap on overflow.
#pragma once

#include <cstdint>

namespace kassivo {

inline std::int32_t WrappingAdd(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}

inline std::int32_t WrappingMultiply(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}

}  // namespace kassivo
