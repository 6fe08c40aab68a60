// The game's one random generator. Seeded once (from the millisecond clock in the game, with a fixed
// number in tests), so a seed and a script of input replay a game exactly.
#pragma once

#include <cstdint>

namespace qv {

class Rng {
 public:
  explicit Rng(std::uint32_t seed = 0x5eed) { Seed(seed); }

  void Seed(std::uint32_t seed);
  // A uniform integer from the inclusive range between a and b, whichever is larger.
  int RandInt(int a, int b);
  // A uniform real in [a, b).
  float RandReal(float a, float b);
  // The raw 32 random bits behind both.
  std::uint32_t Next();

 private:
  std::uint64_t state_ = 0;
};

}  // namespace qv
