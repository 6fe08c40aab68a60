// Power-ups: tokens that drift about the playfield until the ship collects them. Left alone, the two
// timed-cannon kinds hatch into a Butterfly and two of the other kinds that meet merge into a
// Butterfly generator; active black holes swallow them.
#pragma once

#include <string_view>

#include "shell/entity_list.h"

namespace qv {

struct Game;

struct PowerUp : Listed {
  float x = 0, y = 0, vx = 0, vy = 0;
  float spin = 0;
  int kind = 0;  // 0..8
  int spawnDelay = 2;
  int age = 0;   // frames it has moved
  int done = 0;  // leaves the list at the end of its update
};

inline constexpr int kPowerUpKinds = 9;
std::string_view PowerUpName(int kind);  // "Reverse Shooter" ... "Bouncy Shots"
int PowerUpFrame(int kind);             // its frame of the power-up image

// Places a new power-up of `requested` kind, or a kind chosen from the weapon's state for -1.
void SpawnPowerUp(Game& game, int requested);
void UpdatePowerUp(Game& game, PowerUp& p);
void DrawPowerUp(Game& game, const PowerUp& p);
void CollectPowerUp(Game& game, PowerUp& p);
void DestroyPowerUp(Game& game, PowerUp& p);

}  // namespace qv
