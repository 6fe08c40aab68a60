#include "enemies/snake.h"

#include <algorithm>
#include <memory>

#include "effects/grid.h"
#include "effects/particles.h"
#include "enemies/black_hole.h"
#include "platform/degmath.h"
#include "shell/game.h"
#include "shell/game_flow.h"

namespace qv {

namespace {

void Sparks(Game& game, const Snake& s, int count, ColourSlot colour) {
  Burst(game, s, 0, count, game.colours[colour], 0);
}

// The segment's small explosion as the chain death reaches it; a bombed snake's tail bursts silently.
void BurstSegment(Game& game, Snake& s) {
  game.snakes.Remove(s);
  if (s.spawnDelay < 50) PlayAt(game, Sound::SnakeHit, 1, s.x, s.y);
  Sparks(game, s, 8, kSnakeTailColour);
}

}  // namespace

// A whole snake or none: every segment is appended after the ones behind it, so every segment's
// test sees the same count.
Snake* SpawnSnake(Game& game, float x, float y, int index, int delay, float vx, float vy, int placement) {
  AdjustForSpawn(game, x, y, placement);
  if (game.snakes.Count() > kMaxSnakeObjects) return nullptr;
  auto s = std::make_shared<Snake>();
  s->x = x;
  s->y = y;
  s->spin = static_cast<float>(game.rng.RandInt(0, 359));
  s->spawnDelay = delay;
  s->index = index;
  s->dying = 0;
  if (index == 24) {
    PlayAt(game, Sound::Wee, 1, x, y);
    s->isHead = 1;
    s->heading = static_cast<int>(s->spin);
    s->turnDirection = game.rng.RandInt(0, 1);
    const float speed = game.rng.RandReal(0.5f, 2);
    s->vx = CosDeg(s->heading) * speed;
    s->vy = SinDeg(s->heading) * speed;
  } else {
    s->isHead = 0;
    s->vx = vx;
    s->vy = vy;
  }
  if (index >= 1) {
    Snake* behind = SpawnSnake(game, x, y, index - 1, delay, 0, 0, 0);
    if (behind) {
      s->next = game.snakes.Share(*behind);
      behind->leader = s;
      behind->leaderX = x;
      behind->leaderY = y;
    }
  }
  return &game.snakes.Append(std::move(s));
}

void Update(Game& game, Snake& s) {
  if (s.spawnDelay > 0) {
    s.spawnDelay -= 1;
    if (s.dying) {
      if (s.next) {
        s.next->dying = 1;
        s.next->spawnDelay = s.spawnDelay;
      }
      BurstSegment(game, s);
    }
    return;
  }
  s.spin += 1;
  const float speed = game.state.kindSpeed[kKindSnake];
  if (const std::shared_ptr<Snake> leader = s.leader.lock()) {
    s.leaderX = leader->x;
    s.leaderY = leader->y;
  }
  if (!s.isHead) {
    // A tail segment chases its leader, or where its burst leader was last seen.
    const float dx = s.leaderX - s.x, dy = s.leaderY - s.y;
    float d = Length(dx, dy);
    if (d == 0) d = 0.001f;
    const float k = d <= 15 ? 1.0f / 32 : speed;
    s.vx = dx / d * k;
    s.vy = dy / d * k;
  } else {
    s.vx += CosDeg(s.heading) * speed;
    s.vy += SinDeg(s.heading) * speed;
    s.heading += s.turnDirection == 0 ? 4 : -4;
    if (game.rng.RandInt(1, 100) > 90) s.turnDirection = 1 - s.turnDirection;
    if (BlackHole* hole = PullTowardHoles(game, s, kSnakePull)) {
      Kill(game, s, false);
      Absorb(game, *hole, 1);
      return;
    }
  }
  CapSpeed(s, speed);
  s.x += s.vx;
  s.y += s.vy;
  // Every bounce turns the head's heading by 90 degrees per axis.
  const float w = static_cast<float>(game.view.fieldWidth), h = static_cast<float>(game.view.fieldHeight);
  if (s.x < 8 || s.x > w - 8) s.heading += 90;
  if (s.y < 8 || s.y > h - 8) s.heading += 90;
  WallBounce(game, s, 8);
  const float dx = s.x - game.ship.x, dy = s.y - game.ship.y;
  if (dx * dx + dy * dy < 576) {
    s.killedShip = 1;
    MarkWholeSnake(s);
    if (ShipHit(game)) game.snakes.Remove(s);
  }
}

void Kill(Game& game, Snake& s, bool byPlayer) {
  if (!s.isHead) {
    // The tail cannot be shot: the shot only sparks on it.
    if (byPlayer) PlayAt(game, Sound::TailHit, 1, s.x, s.y);
    Sparks(game, s, 8, kSnakeTailColour);
    return;
  }
  if (byPlayer) AwardKill(game, s, 100, Sound::QuarkHit, 1);
  Sparks(game, s, 32, kSnakeHeadColour);
  ShockGrid(game.grid, static_cast<int>(s.x), static_cast<int>(s.y));
  if (s.next) {
    s.next->dying = 1;
    s.next->spawnDelay = byPlayer ? 30 : 300;
  }
  game.snakes.Remove(s);
}

void MarkWholeSnake(Snake& s) {
  for (std::shared_ptr<Snake> p = s.leader.lock(); p; p = p->leader.lock()) p->killedShip = 1;
  for (Snake* p = s.next.get(); p; p = p->next.get()) p->killedShip = 1;
  s.killedShip = 1;
}

void Draw(Game& game, const Snake& s) {
  Graphics& gfx = game.gfx;
  gfx.SetRotation(static_cast<float>(static_cast<int>(Atan2Deg(s.vy, s.vx) + 90)));
  gfx.SetColor(255, 255, 255);
  gfx.SetOrigin(0, 0);
  gfx.SetAlpha(1);
  gfx.SetScale(1, 1);
  gfx.SetBlend(kAddBlend);
  const float sx = s.x - game.view.scrollX, sy = s.y - game.view.scrollY;
  if (s.index == 24)
    gfx.DrawImage(game.images.snakeHead, sx, sy, 0);
  else
    gfx.DrawImage(game.images.snakeTail, sx, sy, std::clamp(s.index, 0, 23));
  gfx.SetRotation(0);
}

}  // namespace qv
