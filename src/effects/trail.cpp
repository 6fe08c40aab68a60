#include "effects/trail.h"

#include <memory>

#include "shell/game.h"

namespace qv {

namespace {

// A spark hangs still at full colour while its life is 28 or more (its first 12 frames).
constexpr int kDriftBelowLife = 28;

}  // namespace

void AddTrailSpark(Game& game, float x, float y, float vx, float vy, int red, int green, int blue) {
  auto spark = std::make_shared<TrailSpark>();
  spark->x = x;
  spark->y = y;
  spark->red = red;
  spark->green = green;
  spark->blue = blue;
  spark->vx = vx * 1.5f;
  spark->vy = vy * 1.5f;
  spark->life = 40;
  game.trailSparks.Append(std::move(spark));
}

void UpdateTrail(Game& game) {
  EntityList<TrailSpark>& sparks = game.trailSparks;
  sparks.ForEach([&sparks](TrailSpark& s) {
    s.life -= 1;
    if (s.life < kDriftBelowLife) {
      // Cooling: blue dims fastest, so the spark runs from yellow-white to orange and red.
      s.red = static_cast<int>(static_cast<float>(s.red) * 0.91f);
      s.green = static_cast<int>(static_cast<float>(s.green) * 0.88f);
      s.blue = static_cast<int>(static_cast<float>(s.blue) * 0.86f);
      s.x += s.vx;
      s.y += s.vy;
      s.vx *= 0.999f;
      s.vy *= 0.999f;
    }
    if (s.life < 1) sparks.Remove(s);
  });
}

void DrawTrail(Game& game) {
  Graphics& gfx = game.gfx;
  const EntityList<TrailSpark>& sparks = game.trailSparks;
  const float sx = static_cast<float>(game.view.scrollX), sy = static_cast<float>(game.view.scrollY);
  gfx.SetBlend(kAddBlend);
  gfx.SetScale(2, 2);
  gfx.SetAlpha(0.23f);
  // A hot core of 2 x 2 pixels under every spark, then the soft glow over them all.
  sparks.ForEach([&](const TrailSpark& s) {
    gfx.SetColor(s.red, s.green, s.blue);
    gfx.Rect(s.x - sx, s.y - sy, 1, 1);
  });
  sparks.ForEach([&](const TrailSpark& s) {
    gfx.SetColor(s.red, s.green, s.blue);
    gfx.DrawImage(game.images.particle, s.x - sx, s.y - sy);
  });
  gfx.SetAlpha(1);
  gfx.SetScale(1, 1);
}

}  // namespace qv
