#include "platform/random.h"

namespace qv {

void Rng::Seed(std::uint32_t seed) {
  // splitmix the seed so that neighbouring seeds give unrelated sequences
  std::uint64_t z = seed + 0x9e3779b97f4a7c15ULL;
  z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
  z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
  state_ = z ^ (z >> 31);
  if (state_ == 0) state_ = 1;
}

std::uint32_t Rng::Next() {
  // xorshift64*: fast, tiny state, good enough for a game
  state_ ^= state_ >> 12;
  state_ ^= state_ << 25;
  state_ ^= state_ >> 27;
  return static_cast<std::uint32_t>((state_ * 0x2545F4914F6CDD1DULL) >> 32);
}

int Rng::RandInt(int a, int b) {
  if (a > b) {
    const int t = a;
    a = b;
    b = t;
  }
  const std::uint64_t span = static_cast<std::uint64_t>(static_cast<std::int64_t>(b) - a) + 1;
  // multiply-shift maps 32 random bits onto the span without a modulo bias worth noticing
  const std::uint64_t r = (static_cast<std::uint64_t>(Next()) * span) >> 32;
  return static_cast<int>(static_cast<std::int64_t>(a) + static_cast<std::int64_t>(r));
}

float Rng::RandReal(float a, float b) {
  // 24 random bits give every float in [0, 1) that the mantissa can hold
  const double unit = static_cast<double>(Next() >> 8) / 16777216.0;
  float r = static_cast<float>(a + (static_cast<double>(b) - a) * unit);
  if (a < b && r >= b) r = a;  // rounding to float must never reach the open end
  return r;
}

}  // namespace qv
