#include "enemies/cube.h"

#include <memory>

#include "effects/grid.h"
#include "enemies/black_hole.h"
#include "platform/degmath.h"
#include "shell/game.h"

namespace qv {

Cube* SpawnCube(Game& game, float x, float y, int shrink, int delay, int placement) {
  if (game.cubes.Count() > kMaxCubes - 1) return nullptr;
  AdjustForSpawn(game, x, y, shrink == 0 && placement == 0 ? 0 : 1);
  auto e = std::make_shared<Cube>();
  e->shrink = shrink;
  if (shrink == 0)
    FinishSpawn(game, *e, x, y, -1, 0.25f, 2, delay, Sound::Snake1);
  else
    StartMoving(game, *e, x, y, -1, 0.25f, 2, delay);  // halves appear silently
  return &game.cubes.Append(std::move(e));
}

void Update(Game& game, Cube& e) {
  if (e.spawnDelay > 0) {
    e.spawnDelay -= 1;
    return;
  }
  e.spin += 1;
  e.x += e.vx;
  e.y += e.vy;
  WallBounce(game, e, 8);
  SteerToward(e, game.ship.x, game.ship.y, static_cast<float>(game.view.fieldWidth), 2.5f);
  if (BlackHole* hole = PullTowardHoles(game, e, kStandardPull)) {
    Kill(game, e, false);
    Absorb(game, *hole, 1);
    return;
  }
  Separate(game.cubes, e, 1300.0f - 20 * e.shrink, 1);
  CapSpeed(e, game.state.kindSpeed[kKindCube] - e.shrink / 4);
  // A half circles about its chasing path: the orbit moves the position directly.
  const double orbit = e.spin * (e.shrink + 6);
  e.x += SinDeg(orbit) * e.shrink;
  e.y += CosDeg(orbit) * e.shrink;
  const float reach = 12.0f - e.shrink;
  if (TouchesShip(game, e, reach * reach + 144)) game.cubes.Remove(e);
}

void Kill(Game& game, Cube& e, bool byPlayer) {
  if (byPlayer) {
    AwardKill(game, e, e.shrink == 0 ? 100 : 50, Sound::QuarkHit, e.shrink == 0 ? 1.0f : 1.25f);
    // Only a player's shot splits a whole cube; the parent still counts toward the cap.
    if (e.shrink == 0) {
      for (int i = 0; i < 3; ++i) {
        const int rx = game.rng.RandInt(-30, 30), ry = game.rng.RandInt(-30, 30);
        SpawnCube(game, e.x + rx, e.y + ry, 4, 2, 1);
      }
    }
  }
  Burst(game, e, 3, 16, game.colours[kCubeColour], e.spin);
  ShockGrid(game.grid, static_cast<int>(e.x), static_cast<int>(e.y));
  game.cubes.Remove(e);
}

void Draw(Game& game, const Cube& e) {
  const float h = 12.0f - e.shrink;
  const float halo[8] = {0, h, h, 0, 0, -h, -h, 0};
  DrawHalo(game, e, game.colours[kCubeColour], e.spin + 45, halo, 4);
  DrawImageAt(game, e, e.shrink == 0 ? game.images.purpleSquare1 : game.images.purpleSquare2, e.spin);
}

}  // namespace qv
