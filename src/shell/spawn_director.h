// The spawn director: from the game clock alone it decides which enemies enter, how many and where.
// Singles, generators and four streams run side by side, each picking a kind from a pool that widens
// every 22 seconds. The only brake is `debounce`, during which nothing is placed.
#pragma once

namespace qv {

struct Game;

// Director kind numbers.
enum DirectorKind : int {
  kSpawnPinwheel,
  kSpawnDiamond,
  kSpawnSquare,
  kSpawnCube,
  kSpawnSeeker,
  kSpawnBlackHole,
  kSpawnTriangle,
  kSpawnSnake,
  kSpawnInterceptor,
  kSpawnButterfly,
  kSpawnGenerator,
};

void SpawnTick(Game& game, int gameTicks);
int PickKind(Game& game, int n);
void SpawnEnemy(Game& game, int kind, int delay, int spawnArea, int interval, int emitKind, int emitCount);
// Resolves a spawn-area code (0..12) to a position.
void SpawnAreaPosition(Game& game, int spawnArea, int& x, int& y);
// Moves a spawn point away from the ship (sx, sy): mode 0 re-places it on the circle of radius
// `distance`, mode 1 pushes it straight away.
void AdjustSpawnPoint(Game& game, float& x, float& y, int sx, int sy, int distance, int mode);

}  // namespace qv
