// The snake: a head that wanders in slow loops and 24 tail segments that follow it. Every segment
// kills the ship, only the head can be shot, and when the head dies the tail bursts one segment per
// frame from the neck backward. Each segment is an object of its own in the snakes list.
#pragma once

#include <memory>

#include "enemies/enemy.h"

namespace qv {

struct Snake : Enemy {
  int isHead = 0;
  int dying = 0;                  // the segment ahead died: burst on the next update
  std::shared_ptr<Snake> next;    // the segment behind
  int index = 24;                 // 24 the head, 23 .. 0 down the tail
  std::weak_ptr<Snake> leader;    // the segment ahead; none for the head
  float leaderX = 0, leaderY = 0;  // where the leader was last seen (a burst leader's last place)
  int heading = 0;                // the head's direction of travel
  int turnDirection = 0;          // 0 turns +4 degrees a frame, 1 turns -4
};

inline constexpr int kMaxSnakeObjects = 384;

Snake* SpawnSnake(Game& game, float x, float y, int index, int delay, float vx, float vy, int placement);
void Update(Game& game, Snake& s);
void Kill(Game& game, Snake& s, bool byPlayer);
void MarkWholeSnake(Snake& s);
void Draw(Game& game, const Snake& s);

}  // namespace qv
