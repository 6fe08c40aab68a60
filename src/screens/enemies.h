// "Know Your Enemies": the ten enemy kinds with their names and points, one row every 50 frames,
// each moving the way it does in play: spinning, breathing, pulsing or wriggling.
#pragma once

namespace qv {

struct Game;

inline constexpr int kEnemiesLastFrame = 749;

// Frame i of the enemies screen, as the frame loop draws it.
void EnemiesFrame(Game& game, int i);

// The diamond breathes in a 256-frame cycle: wider for 128 frames, then taller for 128, each time
// swelling to nearly 1.8 times its size and back.
struct Scale2 {
  float x, y;
};
Scale2 DiamondBreath(int i);

}  // namespace qv
