// The size of the huge inputs the robustness tests pass, in megabytes.
//
// Under AddressSanitizer every megabyte allocated, copied and freed costs
// many times what it costs in a plain build (shadow memory, quarantine), so
// that there the same tests run over a tenth of the bytes: the code they try
// is the same, and the plain build tries the full sizes.
#pragma once

#include <cstddef>

namespace kassivo::testing {

#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

// `megabytes` as a count of bytes, scaled down under AddressSanitizer.
constexpr std::size_t HugeInputBytes(std::size_t megabytes) {
  return megabytes * 1024 * 1024 / (kAddressSanitizer ? 10 : 1);
}

}  // namespace kassivo::testing
