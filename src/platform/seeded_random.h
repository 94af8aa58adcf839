// Pseudo-random integers 0..999 from a Mersenne Twister seeded once.
//
// The mapping from the generator's 32-bit outputs to 0..999 is done here
// (rejecting the few outputs above the last whole multiple of 1000), not by
// a library distribution, so one seed gives the same numbers with every
// standard library.
#pragma once

#include <cstdint>
#include <random>

#include "platform/platform.h"

namespace kassivo {

class SeededRandom : public Random {
 public:
  explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
  int Next() override;

 private:
  std::mt19937 engine_;
};

}  // namespace kassivo
