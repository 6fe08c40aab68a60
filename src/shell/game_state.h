// The records of the running program: the game's counters and flags, the ship, the control vectors
// read each frame and the view. One instance of each lives in `Game`.
#pragma once

#include <array>

namespace qv {

inline constexpr int kKindCount = 10;
// Index of each enemy kind in `kindSpeed`.
enum EnemyKind : int {
  kKindSquare,
  kKindPinwheel,
  kKindDiamond,
  kKindCube,
  kKindSeeker,
  kKindBlackHole,
  kKindSnake,
  kKindInterceptor,
  kKindButterfly,
  kKindTriangle,
};

struct GameState {
  int score = 0;
  int multiplier = 1;  // 1 to 11
  int killCount = 0;   // kills toward the next multiplier step
  int lives = 3;       // ships left, the one in play included; at most 10
  int bombs = 3;       // at most 9
  int gameTicks = 0;   // frames since the game began: the spawn clock
  int gameOver = 0;
  int shipInactive = 0;  // get-ready, death or game-over sequence running: no ship to draw or hit
  int startRequested = 0;
  int gameDifficulty = 1;  // 0 Easy, 1 Medium, 2 Hard
  int cheatMode = 0;
  int godMode = 0;
  int scoreEligible = 1;  // the game may enter the high-score table
  int nextPowerUpScore = 1;
  int extraLifeCount = 1, extraBombCount = 1;
  int extraLifeInterval = 100000, extraBombInterval = 150000;
  int powerUpScoreStep = 2500;
  int tableLowScore = 0;  // tenth place of the table for the configured difficulty
  int hiScoreShown = 0;
  int powerUpDuration = 20;  // a timed power-up lasts powerUpDuration x 20 frames
  std::array<float, kKindCount> kindSpeed = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
};

struct PlayerShip {
  float x = 512, y = 384;
  int angle = 0;  // heading in degrees
  int speed = 6;  // pixels per frame at full deflection
  float lastMoveX = 0, lastMoveY = 0;
  float aimX = 0, aimY = 0;
  int cannons = 1;  // 1..4
  float shotSpeed = 3;  // 3..5
  int fireCooldown = 0;
  int shieldTimer = 0;
  int reverseTimer = 0, sideTimer = 0, superTimer = 0, bouncyTimer = 0;
};

struct InputState {
  float moveX = 0, moveY = 0, fireX = 0, fireY = 0;
  // While above 0, bomb and menu buttons of joysticks and the spawning of enemies wait; menus set it
  // to 20 when they close so a press cannot leak into the next screen.
  int debounce = 30;
};

struct ViewState {
  int viewWidth = 1024, viewHeight = 768;    // the opened screen or window
  int fieldWidth = 1024, fieldHeight = 768;  // the playfield
  int scrollX = 0, scrollY = 0;              // playfield point shown at the screen's top-left
};

}  // namespace qv
