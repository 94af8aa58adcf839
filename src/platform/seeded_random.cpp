#include "platform/seeded_random.h"

namespace kassivo {

int SeededRandom::Next() {
  // 4294967000 is the largest multiple of 1000 not above 2^32.
  constexpr std::uint32_t kLimit = 4294967000u;
  while (true) {
    const std::uint32_t draw = static_cast<std::uint32_t>(engine_());
    if (draw < kLimit) return static_cast<int>(draw % 1000);
  }
}

}  // namespace kassivo
