// The background star field: fixed grey stars that scroll slower than the playfield (a half to about a
// quarter of its speed, the nearer and brighter ones faster), which gives the arena depth. The field
// always holds the most stars the settings allow; the star-count setting only chooses how many show.
#pragma once

#include <vector>

#include "platform/graphics.h"
#include "platform/random.h"

namespace qv {

inline constexpr int kMaxStars = 10000;

struct StarField {
  std::vector<int> starX = std::vector<int>(kMaxStars + 1, 0);
  std::vector<int> starY = std::vector<int>(kMaxStars + 1, 0);
  std::vector<float> starDepth = std::vector<float>(kMaxStars + 1, 2.0f);
};

// Scatters every star over the larger of playfield and screen, 100 pixels beyond it on every side.
void CreateStars(StarField& stars, Rng& rng, int fieldWidth, int fieldHeight, int viewWidth, int viewHeight);

// Draws stars 0..starCount (so starCount + 1 of them; none for 0 or less) with parallax.
void DrawStars(Graphics& gfx, const StarField& stars, int starCount, int scrollX, int scrollY);

}  // namespace qv
