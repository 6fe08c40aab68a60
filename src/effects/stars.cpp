#include "effects/stars.h"

#include <algorithm>

namespace qv {

void CreateStars(StarField& stars, Rng& rng, int fieldWidth, int fieldHeight, int viewWidth, int viewHeight) {
  const int w = std::max(fieldWidth, viewWidth), h = std::max(fieldHeight, viewHeight);
  for (int i = 0; i <= kMaxStars; ++i) {
    stars.starX[i] = rng.RandInt(-100, w + 100);
    stars.starY[i] = rng.RandInt(-100, h + 100);
    stars.starDepth[i] = 2.0f + static_cast<float>(i % 8) / 4.0f;  // 2, 2.25 ... 3.75
  }
}

void DrawStars(Graphics& gfx, const StarField& stars, int starCount, int scrollX, int scrollY) {
  if (starCount <= 0) return;
  const int last = std::min(starCount, kMaxStars);
  gfx.SetBlend(kAddBlend);
  gfx.SetScale(2, 2);
  gfx.SetAlpha(0.8f);
  gfx.SetLineWidth(2);
  for (int i = 0; i <= last; ++i) {
    const float depth = stars.starDepth[i];
    const int grey = static_cast<int>(480.0f / depth);
    gfx.SetColor(grey, grey, grey);
    gfx.Rect(stars.starX[i] - scrollX / depth, stars.starY[i] - scrollY / depth, 1, 1);
  }
  gfx.SetAlpha(1);
  gfx.SetScale(1, 1);
}

}  // namespace qv
