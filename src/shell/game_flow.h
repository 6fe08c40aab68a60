// The flow of one game: the reset at its start, the "GET READY" sequence before each life, the loss
// of a ship, clearing the world, the bomb's destruction of every enemy, and "GAME OVER".
#pragma once

namespace qv {

struct Game;
struct GameState;

void NewGameReset(Game& game);
// The player ended the game from the menu of a get-ready sequence: the game ends before its next
// frame, without the game-over sequence, and goes on to the after-game steps.
bool EndedFromMenu(const GameState& st);
// The ship to the middle of the playfield, the view centred on it.
void CentreShip(Game& game);
void GetReadySequence(Game& game);
// The ship touches something deadly. True when it was destroyed (false while a shield, god mode or
// a running sequence protects it).
bool ShipHit(Game& game);
// Empties the world; `full` false keeps the enemies that touched the ship, the particles and the grid.
void ClearWorld(Game& game, bool full);
// Every enemy ends at once, without points (the bomb).
void KillAllEnemies(Game& game);
// Returns 1 when the player chose to leave the program from its menu.
int GameOverSequence(Game& game);
// The swelling "GET READY" / "GAME OVER" title at phase a (0..1): up to scale 20, dark to bright green.
void DrawSwellingTitle(Game& game, const char* text, float a);
// A circle outline of single points, the integer midpoint way.
void DrawPointCircle(Game& game, int cx, int cy, int r);

// The difficulty table.
struct DifficultyRow {
  float speedFactor;
  int powerUpDuration, lives, bombs, cannons;
  float shotSpeed;
  int startTicks;
};
inline constexpr DifficultyRow kDifficulties[3] = {
    {0.75f, 20, 4, 4, 2, 4.0f, 1},
    {1.0f, 18, 3, 3, 2, 3.0f, 1},
    {1.25f, 16, 2, 2, 2, 3.0f, 7000},
};
// Base speeds in the order Square, Pinwheel, Diamond, Cube, Seeker, BlackHole, Snake, Interceptor,
// Butterfly, Triangle.
inline constexpr float kBaseSpeeds[10] = {3.1f, 2.25f, 3.25f, 3.0f, 4.35f, 2.5f, 3.5f, 4.45f, 5.0f, 2.0f};

}  // namespace qv
