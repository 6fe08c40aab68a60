// Whole games on the headless devices with a fixed seed: from the new-game reset through play, deaths
// and "GAME OVER", with a pad that holds the ship still and fires in circles.
#include <gtest/gtest.h>

#include <cmath>

#include "shell/game_flow.h"
#include "shell/program.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

struct RunResult {
  int score = 0;
  int lives = 0;
  int gameTicks = 0;
  int startTicks = 0;
  int framesPresented = 0;
  int kills = 0;
  int spawns = 0;
};

// The right stick turns a full circle every 72 frames (slots 3 and 2 are the default fire axes); the
// left stick rests.
void ScriptCircleFire(HeadlessInput& input, int frames) {
  input.SetJoyCount(1);
  for (int f = 1; f <= frames; ++f) {
    const double a = f * 5.0 * 3.14159265358979 / 180.0;
    input.SetJoyAxis(f, 0, 3, static_cast<float>(std::cos(a)));
    input.SetJoyAxis(f, 0, 2, static_cast<float>(std::sin(a)));
  }
}

RunResult PlayOneGame(int difficulty, std::uint32_t seed, int frameLimit) {
  test::GameFixture fx(seed);
  Game& game = fx.game;
  game.settings.difficulty = difficulty;
  ScriptCircleFire(fx.hp.input, frameLimit);
  fx.hp.input.RequestQuit(frameLimit);

  RunResult r;
  game.state.startRequested = 1;
  ClearWorld(game, true);
  NewGameReset(game);
  r.startTicks = game.state.gameTicks;
  game.state.shipInactive = 1;
  GetReadySequence(game);
  game.state.shipInactive = 0;
  int quit = 0, lastFrameMs = 0;
  PlayGame(game, quit, lastFrameMs);
  r.score = game.state.score;
  r.lives = game.state.lives;
  r.gameTicks = game.state.gameTicks;
  r.framesPresented = fx.hp.gfx.FramesPresented();
  return r;
}

class GameRun : public ::testing::TestWithParam<int> {};

TEST_P(GameRun, PlaysFromGetReadyToGameOver) {
  const int difficulty = GetParam();
  const RunResult r = PlayOneGame(difficulty, 1234, 60000);
  EXPECT_EQ(r.lives, 0) << "the game should end by losing every ship";
  EXPECT_GT(r.score, 0) << "the circling fire should kill something";
  // The clock only moves in play: every presented frame beyond the play frames belongs to a sequence
  // (100 frames of get-ready before each life, a 100-frame explosion per death, 179 of game over).
  const int lives = kDifficulties[difficulty].lives;
  const int playFrames = r.gameTicks - r.startTicks;
  EXPECT_EQ(r.framesPresented - playFrames, lives * 100 + lives * 100 + 179);
}

TEST_P(GameRun, TheSameSeedPlaysTheSameGame) {
  const int difficulty = GetParam();
  const RunResult a = PlayOneGame(difficulty, 99, 60000);
  const RunResult b = PlayOneGame(difficulty, 99, 60000);
  EXPECT_EQ(a.score, b.score);
  EXPECT_EQ(a.gameTicks, b.gameTicks);
  EXPECT_EQ(a.framesPresented, b.framesPresented);
}

INSTANTIATE_TEST_SUITE_P(Difficulties, GameRun, ::testing::Values(0, 1, 2));

}  // namespace
}  // namespace qv
