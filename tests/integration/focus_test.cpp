// A player who switches to another window finds the game paused in its menu, whether the game was in
// play or in its get-ready sequence; the menu's answers then work as they do after Escape.
#include <gtest/gtest.h>

#include "shell/game_flow.h"
#include "shell/program.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

struct FocusRig {
  test::GameFixture fx{5};
  Game& game = fx.game;
  HeadlessInput& input = fx.hp.input;
  int quit = 0, lastFrameMs = 0;

  // "End Game" is one row above the selected "Continue"; the dialog's "Yes" one row above "No".
  void EndGameFromMenuAt(int frame) {
    input.TapKey(frame, kKeyUp);
    input.TapKey(frame + 3, kKeyEnter);
    input.TapKey(frame + 8, kKeyUp);
    input.TapKey(frame + 11, kKeyEnter);
  }

  void StartGame() {
    game.state.startRequested = 1;
    ClearWorld(game, true);
    NewGameReset(game);
    game.state.shipInactive = 1;
    GetReadySequence(game);
    game.state.shipInactive = 0;
  }
};

TEST(FocusLoss, InPlayOpensTheMenuAndEndGameEndsTheGame) {
  FocusRig rig;
  rig.input.LoseFocus(150);  // the get-ready takes 100 frames
  rig.EndGameFromMenuAt(160);
  rig.input.RequestQuit(400);
  rig.StartGame();
  const int ticksAtStart = rig.game.state.gameTicks;
  PlayGame(rig.game, rig.quit, rig.lastFrameMs);
  EXPECT_EQ(rig.quit, 0) << "the game ended, the program goes on";
  EXPECT_EQ(rig.game.state.startRequested, 0);
  EXPECT_EQ(rig.game.state.gameOver, 1);
  // Play stopped while the menu was open: about 50 frames of play, not the 250 until the quit.
  EXPECT_LT(rig.game.state.gameTicks - ticksAtStart, 60);
  EXPECT_LT(rig.input.frame(), 400);
}

TEST(FocusLoss, InPlayContinuingResumesTheGame) {
  FocusRig rig;
  rig.input.LoseFocus(150);
  rig.input.TapKey(160, kKeyEnter);  // "Continue" is selected on entry
  rig.input.RequestQuit(300);
  rig.StartGame();
  PlayGame(rig.game, rig.quit, rig.lastFrameMs);
  EXPECT_EQ(rig.quit, 1) << "only the quit at frame 300 ended it";
  EXPECT_EQ(rig.game.state.startRequested, 1);
}

TEST(FocusLoss, DuringGetReadyEndGameSkipsPlayAndTheGameOverSequence) {
  FocusRig rig;
  rig.input.LoseFocus(20);
  rig.EndGameFromMenuAt(30);
  rig.input.RequestQuit(1000);
  rig.StartGame();
  const int framesAfterGetReady = rig.fx.hp.gfx.FramesPresented();
  const int ticksAtStart = rig.game.state.gameTicks;
  PlayGame(rig.game, rig.quit, rig.lastFrameMs);
  EXPECT_EQ(rig.quit, 0);
  EXPECT_EQ(rig.game.state.startRequested, 0);
  EXPECT_EQ(rig.game.state.gameTicks, ticksAtStart) << "not a single frame of play";
  EXPECT_EQ(rig.fx.hp.gfx.FramesPresented(), framesAfterGetReady) << "no game-over sequence";
}

TEST(FocusLoss, DuringGetReadyExitProgramLeavesThroughTheOrderlyExit) {
  FocusRig rig;
  rig.input.LoseFocus(20);
  // "Exit Program" is three rows above "Continue".
  rig.input.TapKey(30, kKeyUp);
  rig.input.TapKey(33, kKeyUp);
  rig.input.TapKey(36, kKeyUp);
  rig.input.TapKey(39, kKeyEnter);
  rig.StartGame();
  PlayGame(rig.game, rig.quit, rig.lastFrameMs);
  EXPECT_EQ(rig.quit, 1);
  EXPECT_LT(rig.input.frame(), 100);
}

}  // namespace
}  // namespace qv
