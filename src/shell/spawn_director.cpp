#include "shell/spawn_director.h"

#include <algorithm>
#include <cmath>

#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "platform/degmath.h"
#include "shell/game.h"

namespace qv {

namespace {

void Corner(int corner, int w, int h, Rng& rng, int& x, int& y) {
  switch (corner) {
    case 1:
      x = rng.RandInt(30, 80);
      y = rng.RandInt(30, 80);
      break;
    case 2:
      x = rng.RandInt(w - 80, w - 30);
      y = rng.RandInt(30, 80);
      break;
    case 3:
      x = rng.RandInt(w - 80, w - 30);
      y = rng.RandInt(h - 80, h - 30);
      break;
    default:
      x = rng.RandInt(30, 80);
      y = rng.RandInt(h - 80, h - 30);
      break;
  }
}

// Areas 6..11 pick one of two corners: a draw of 1..5 gives the first, 6..10 the second.
constexpr int kCornerPairs[6][2] = {{2, 1}, {3, 2}, {4, 3}, {3, 1}, {4, 1}, {4, 2}};

// A stream's length: `factor` times a random count in low..(t / 750 + high), at most `cap`.
int StreamLength(Game& game, int t, int factor, int low, int high, int cap) {
  return std::min(factor * game.rng.RandInt(low, t / 750 + high), cap);
}

void StartStream(SpawnStream& s, int area, int kind, int length, int blackHoleLength) {
  s.area = area;
  s.kind = kind;
  s.remaining = kind == kSpawnBlackHole ? blackHoleLength : length;
}

}  // namespace

int PickKind(Game& game, int n) {
  const int level = std::min(n / 1100, 8);
  if (level <= 0) return kSpawnPinwheel;
  if (level < 8) return game.rng.RandInt(0, level);
  return game.rng.RandInt(0, 9);
}

void SpawnAreaPosition(Game& game, int spawnArea, int& x, int& y) {
  Rng& rng = game.rng;
  const int w = game.view.fieldWidth, h = game.view.fieldHeight;
  if (spawnArea >= 1 && spawnArea <= 4) {
    Corner(spawnArea, w, h, rng, x, y);
  } else if (spawnArea == 5) {
    Corner(rng.RandInt(1, 4), w, h, rng, x, y);
  } else if (spawnArea >= 6 && spawnArea <= 11) {
    const int r = rng.RandInt(1, 10);
    Corner(kCornerPairs[spawnArea - 6][r <= 5 ? 0 : 1], w, h, rng, x, y);
  } else if (spawnArea == 12) {
    const int a = rng.RandInt(0, 360);
    x = static_cast<int>(game.ship.x + 240 * CosDeg(a));
    y = static_cast<int>(game.ship.y + 240 * SinDeg(a));
  } else {
    x = rng.RandInt(30, w - 30);
    y = rng.RandInt(30, h - 30);
  }
}

void SpawnEnemy(Game& game, int kind, int delay, int spawnArea, int interval, int emitKind, int emitCount) {
  if (game.input.debounce > 0) return;
  int ix = 0, iy = 0;
  SpawnAreaPosition(game, spawnArea, ix, iy);
  const float x = static_cast<float>(ix), y = static_cast<float>(iy);
  switch (kind) {
    case kSpawnPinwheel: SpawnPinwheel(game, x, y, delay, 0); break;
    case kSpawnDiamond: SpawnDiamond(game, x, y, delay, 0); break;
    case kSpawnSquare: SpawnSquare(game, x, y, delay, 0); break;
    case kSpawnCube: SpawnCube(game, x, y, 0, delay, 0); break;
    case kSpawnSeeker: SpawnSeeker(game, x, y, delay, 0, 0); break;
    case kSpawnBlackHole: SpawnBlackHole(game, x, y, 20.0f, delay, 0); break;
    case kSpawnTriangle: SpawnTriangle(game, x, y, delay, 0); break;
    case kSpawnSnake: SpawnSnake(game, x, y, 24, delay, 0.0f, 0.0f, 0); break;
    case kSpawnInterceptor: SpawnInterceptor(game, x, y, delay, 0); break;
    case kSpawnButterfly: SpawnButterfly(game, x, y, delay, 0); break;
    case kSpawnGenerator: SpawnGenerator(game, x, y, emitKind, interval, emitCount, delay); break;
    default: break;
  }
}

void SpawnTick(Game& game, int t) {
  Rng& rng = game.rng;
  auto& [a, b, c, d] = game.streams;

  if ((t / 350) % 2 == 0 && t % 33 == 0) {
    const int p = rng.RandInt(0, 12);
    SpawnEnemy(game, PickKind(game, t), 20, p, 100, 1, 20);
  }
  if (t % 444 == 0) {
    int g = PickKind(game, t / 4) + 1;
    const int count = std::min(rng.RandInt(1, 16 + t / 2000), 32);
    const int interval = std::max(rng.RandInt(1, 60) + 80 - t / 1000, 60);
    if (g == 9) g = 10;
    if (g == 6) g = rng.RandInt(3, 5);
    const int p = rng.RandInt(0, 12);
    SpawnEnemy(game, kSpawnGenerator, 20, p, interval, g, count);
  }
  if (t % 777 == 0) {
    const int area = rng.RandInt(0, 12);
    const int kind = PickKind(game, t / 3);
    StartStream(a, area, kind, StreamLength(game, t, 2, 15, 24, 100), 16);
  }
  if (t % 1850 == 0) {
    const int area = rng.RandInt(0, 12);
    const int kind = PickKind(game, t / 2);
    StartStream(b, area, kind, StreamLength(game, t, 2, 15, 24, 175), 16);
  }
  if (t % 2900 == 0) {
    const int kind = PickKind(game, t / 2);
    StartStream(c, 5, kind, StreamLength(game, t, 3, 20, 40, 300), 24);
  }
  if ((t / 4000) % 2 == 1 && t % 3333 == 0) {
    const int area = rng.RandInt(0, 11);
    const int kind = PickKind(game, t / 2);
    StartStream(d, area, kind, StreamLength(game, t, 3, 20, 40, 300), 24);
  }
  for (SpawnStream* s : {&a, &b}) {
    if (s->remaining <= 0) continue;
    s->remaining -= 1;
    if (s->remaining % 2 == 0) SpawnEnemy(game, s->kind, 24, s->area, 100, 1, 20);
  }
  for (SpawnStream* s : {&c, &d}) {
    if (s->remaining <= 0) continue;
    s->remaining -= 1;
    if (s->remaining % 3 == 0) {
      if (s->kind == kSpawnButterfly) SpawnEnemy(game, kSpawnButterfly, 20, s->area, 100, 1, 20);
      SpawnEnemy(game, s->kind, 20, s->area, 100, 1, 20);
    }
  }
}

void AdjustSpawnPoint(Game& game, float& x, float& y, int sx, int sy, int distance, int mode) {
  const float w = static_cast<float>(game.view.fieldWidth), h = static_cast<float>(game.view.fieldHeight);
  auto clampIn = [&] {
    x = std::clamp(x, 20.0f, std::max(20.0f, w - 20));
    y = std::clamp(y, 20.0f, std::max(20.0f, h - 20));
  };
  const float d = static_cast<float>(distance);
  clampIn();
  if (mode == 0) {
    // A playfield too small to hold any point that far from the ship would never let this loop end;
    // after a generous number of tries the last point is kept.
    for (int tries = 0; tries < 1000; ++tries) {
      const float dx = x - sx, dy = y - sy;
      if (dx * dx + dy * dy >= d * d) break;
      const double angle = game.rng.RandInt(0, 2880) / 8.0;
      x = sx + d * SinDeg(angle);
      y = sy + d * CosDeg(angle);
      clampIn();
    }
    return;
  }
  float dist = Length(x - sx, y - sy) + 0.001f;
  while (dist < d) {
    x -= (sx - x) / dist * 10;
    y -= (sy - y) / dist * 10;
    dist = Length(x - sx, y - sy);
    if (dist < 0.001f) {
      const int ox = game.rng.RandInt(10, 20), oy = game.rng.RandInt(10, 20);
      x = static_cast<float>(sx + (game.rng.RandInt(0, 1) ? ox : -ox));
      y = static_cast<float>(sy + (game.rng.RandInt(0, 1) ? oy : -oy));
      dist = Length(x - sx, y - sy);
    }
  }
}

}  // namespace qv
