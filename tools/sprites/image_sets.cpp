#include "image_sets.h"

#include <algorithm>

namespace qv::sprites {

float SetStyle::GlowMargin() const {
  const float widest = std::max(bloomStrength > 0 ? bloomSigma : 0.0f, haloStrength > 0 ? haloSigma : 0.0f);
  return lineWidth / 2 + 2.5f * widest + 1;
}

const std::array<SetStyle, kSetCount>& ImageSets() {
  // folder, user-only, icon, tail, power-up cells, particle side, scale, line, core, core light, fill,
  // halo sigma and strength, bloom sigma and strength
  static const std::array<SetStyle, kSetCount> sets = {{
      {"solid", false, 64, 56, 64, 16, 1.00f, 2.0f, 0.45f, 0.70f, 0.38f, 0.7f, 0.30f, 0.0f, 0.0f},
      {"low", false, 24, 32, 64, 16, 0.90f, 1.5f, 0.55f, 1.00f, 0.0f, 1.0f, 0.60f, 2.2f, 0.60f},
      {"med", false, 32, 32, 64, 32, 0.95f, 1.7f, 0.55f, 1.10f, 0.0f, 1.3f, 0.80f, 3.0f, 1.10f},
      {"high", false, 64, 56, 64, 32, 1.00f, 2.0f, 0.55f, 1.20f, 0.0f, 1.6f, 1.00f, 4.0f, 1.60f},
      {"user", true, 64, 56, 64, 32, 1.00f, 2.0f, 0.55f, 1.20f, 0.0f, 1.6f, 1.00f, 4.0f, 1.60f},
  }};
  return sets;
}

}  // namespace qv::sprites
