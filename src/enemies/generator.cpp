#include "enemies/generator.h"

#include <cmath>
#include <memory>

#include "effects/grid.h"
#include "effects/particles.h"
#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "scoring/score.h"
#include "shell/game.h"
#include "shell/game_flow.h"
#include "shell/spawn_director.h"

namespace qv {

namespace {

// The colour of the kind a generator emits, by its kind number 1..10.
ColourSlot EmittedColour(int kind) {
  static constexpr ColourSlot kSlots[10] = {kSquareColour,   kPinwheelColour,  kDiamondColour,    kCubeColour,
                                             kSeekerColour,   kBlackHoleColour, kTriangleColour,   kSnakeHeadColour,
                                             kInterceptorColour, kButterflyColour};
  return kSlots[(kind >= 1 && kind <= 10) ? kind - 1 : 0];
}

enum class Shape { kSquare, kDiamond, kCircle, kTriangle };

Shape ShapeOf(int kind) {
  switch (kind) {
    case 2:
    case 3: return Shape::kDiamond;
    case 5:
    case 6:
    case 8: return Shape::kCircle;
    case 7:
    case 10: return Shape::kTriangle;
    default: return Shape::kSquare;
  }
}

void Outline(Graphics& gfx, const float* pts, int n) {
  for (int i = 0; i < n; ++i) {
    const int j = (i + 1) % n;
    gfx.Line(pts[2 * i], pts[2 * i + 1], pts[2 * j], pts[2 * j + 1]);
  }
}

}  // namespace

int EmissionInterval(const Generator& g) { return g.period + 42 - static_cast<int>(g.size); }

Generator* SpawnGenerator(Game& game, float x, float y, int kind, int period, int size, int delay) {
  AdjustSpawnPoint(game, x, y, static_cast<int>(game.ship.x), static_cast<int>(game.ship.y), 160, 0);
  PlayAt(game, Sound::Cat, 1, x, y);
  auto g = std::make_shared<Generator>();
  g->x = x;
  g->y = y;
  g->size = static_cast<float>(size);
  g->spin = static_cast<float>(game.rng.RandInt(0, 359));
  g->period = period;
  g->kind = kind;
  g->spawnDelay = delay;
  return &game.generators.Append(std::move(g));
}

void Update(Game& game, Generator& g) {
  if (g.spawnDelay > 0) {
    g.spawnDelay -= 1;
    return;
  }
  g.spin += 1;
  const float dx = g.x - game.ship.x, dy = g.y - game.ship.y;
  const float reach = 12 + g.size / 2;
  if (dx * dx + dy * dy < reach * reach + 144) {
    g.killedShip = 1;
    ShipHit(game);  // a generator stays whatever happened to the ship
  }
  const int p = EmissionInterval(g);
  if (p != 0 && static_cast<int>(g.spin) % p == 0) EmitEnemy(game, g);
}

void EmitEnemy(Game& game, Generator& g) {
  PushGrid(game.grid, g.x, g.y, 6, 0.9f);
  const int ox = game.rng.RandInt(-10, 10), oy = game.rng.RandInt(-10, 10);
  const float x = g.x + ox, y = g.y + oy;
  switch (g.kind) {
    case 1: SpawnSquare(game, x, y, 5, 1); break;
    case 2: SpawnPinwheel(game, x, y, 5, 1); break;
    case 3: SpawnDiamond(game, x, y, 5, 1); break;
    case 4: SpawnCube(game, x, y, 0, 5, 1); break;
    case 5: SpawnSeeker(game, x, y, 5, 0, 1); break;
    case 6: SpawnBlackHole(game, x, y, 10, 5, 1); break;
    case 7: SpawnTriangle(game, x, y, 5, 1); break;
    case 8: SpawnSnake(game, x, y, 24, 5, 0, 0, 0); break;
    case 9: SpawnInterceptor(game, x, y, 5, 1); break;
    case 10: SpawnButterfly(game, x, y, 5, 1); break;
    default: break;
  }
}

void Hit(Game& game, Generator& g, bool byPlayer) {
  g.size -= 1;
  if (!byPlayer) g.size = 0;
  Burst(game, g, 0, g.size >= 1 ? 4 : 12, game.colours[EmittedColour(g.kind)], 0);
  if (g.size >= 1) {
    PlayAt(game, Sound::GenHit1, 1 + g.size / 64, g.x, g.y);
    if (byPlayer) AwardPoints(game, static_cast<int>(g.x), static_cast<int>(g.y), 1, false);
    return;
  }
  PlayAt(game, Sound::GenKilled1, 1, g.x, g.y);
  if (byPlayer) AwardPoints(game, static_cast<int>(g.x), static_cast<int>(g.y), 200, true);
  game.generators.Remove(g);
}

void Draw(Game& game, const Generator& g) {
  Graphics& gfx = game.gfx;
  const int p = EmissionInterval(g);
  const bool flash = p != 0 && (static_cast<int>(g.spin) + 8) % p < 8;
  const Rgb& c = game.colours[EmittedColour(g.kind)];
  if (flash)
    gfx.SetColor(255, 255, 255);
  else
    gfx.SetColor(c.red, c.green, c.blue);
  const float sx = g.x - game.view.scrollX, sy = g.y - game.view.scrollY;
  const Shape shape = ShapeOf(g.kind);

  static constexpr float kSquareFill[8] = {12, 12, 12, -12, -12, -12, -12, 12};
  static constexpr float kDiamondFill[8] = {0, 12, 12, 0, 0, -12, -12, 0};
  static constexpr float kTriangleFill[6] = {0, 8, 6, -4, -6, -4};
  const float* fill = kSquareFill;
  int fillPoints = 4;
  float d = 16, alpha = 0.1f + g.size / 256;
  switch (shape) {
    case Shape::kDiamond: fill = kDiamondFill; d = 14; break;
    case Shape::kCircle: fill = game.circle.data(); fillPoints = 18; d = 8; break;
    case Shape::kTriangle: fill = kTriangleFill; fillPoints = 3; d = 8; alpha = 0.1f; break;
    case Shape::kSquare: break;
  }
  gfx.SetOrigin(sx, sy);
  gfx.SetScale(g.size / d, g.size / d);
  gfx.SetAlpha(alpha);
  gfx.Poly(fill, fillPoints);
  gfx.SetAlpha(1);
  gfx.SetScale(1, 1);
  gfx.SetOrigin(0, 0);

  switch (shape) {
    case Shape::kSquare: {
      const float h = 8 + g.size / 4;
      const float outer[8] = {sx - h, sy - h, sx + h, sy - h, sx + h, sy + h, sx - h, sy + h};
      const float inner[8] = {sx - 8, sy - 8, sx + 8, sy - 8, sx + 8, sy + 8, sx - 8, sy + 8};
      Outline(gfx, outer, 4);
      Outline(gfx, inner, 4);
      break;
    }
    case Shape::kDiamond: {
      const float h = 12 + g.size / 4;
      const float outer[8] = {sx, sy - h, sx + h, sy, sx, sy + h, sx - h, sy};
      const float inner[8] = {sx, sy - 8, sx + 8, sy, sx, sy + 8, sx - 8, sy};
      Outline(gfx, outer, 4);
      Outline(gfx, inner, 4);
      break;
    }
    case Shape::kCircle: {
      const float k = (1 + g.size / 16) / 1.1f;
      float outer[36], inner[36];
      for (int i = 0; i < 18; ++i) {
        outer[2 * i] = sx + game.circle[2 * i] * k;
        outer[2 * i + 1] = sy + game.circle[2 * i + 1] * k;
        inner[2 * i] = sx + game.circle[2 * i];
        inner[2 * i + 1] = sy + game.circle[2 * i + 1];
      }
      Outline(gfx, outer, 18);
      Outline(gfx, inner, 18);
      break;
    }
    case Shape::kTriangle: {
      const float q = g.size / 4;
      const float outer[6] = {sx, sy + 12 + q, sx + 9 + q, sy - 4 - q, sx - 9 - q, sy - 4 - q};
      const float inner[6] = {sx, sy + 12, sx + 9, sy - 4, sx - 9, sy - 4};
      Outline(gfx, outer, 3);
      Outline(gfx, inner, 3);
      break;
    }
  }
}

}  // namespace qv
