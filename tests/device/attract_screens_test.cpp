// Pictures of the screens between games as a player sees them, in a real OpenGL window: the credits
// while the title builds up and once it is complete, the top scores in their three forms and with
// the details held, "Know Your Friends" and "Know Your Enemies" on a tall and on a low screen, and the
// name entry. The pictures are kept in build/attract_screens/; without a display the tests skip.
#include <gtest/gtest.h>

#include <SDL.h>

#include <string>
#include <utility>

#include "effects/particles.h"
#include "scoring/high_scores.h"
#include "scoring/name_entry.h"
#include "screen_rig.h"
#include "screens/credits.h"
#include "screens/enemies.h"
#include "screens/friends.h"
#include "screens/top_scores.h"
#include "shell/shared_tables.h"

namespace qv {
namespace {

class AttractScreensOnScreen : public test::ScreenTest {
 protected:
  AttractScreensOnScreen() : ScreenTest("attract_screens") {}

  // A game on a fresh window of the given size, as start-up leaves it; false when the test cannot
  // go on (it was skipped or failed).
  bool Open(int width, int height) {
    OpenGame(width, height);
    if (!Ready()) return false;
    Game& g = game();
    g.versionText = BuildVersionText();
    EXPECT_EQ(g.view.viewWidth, width);
    EXPECT_EQ(g.view.viewHeight, height);
    BuildDefaultHighScores(g.scores);
    InitParticles(g);
    return true;
  }

  // Runs `frame` for frames first..last-1 on screen, then captures frame `last`.
  template <class Frame>
  void ShootFrames(const std::string& name, int first, int last, long minLit, Frame frame) {
    for (int i = first; i < last; ++i) rig_->Present([&] { frame(i); });
    Shoot(name, minLit, [&] { frame(last); });
  }
};

TEST_F(AttractScreensOnScreen, Credits) {
  if (!Open(1024, 768)) return;
  Game& g = game();
  StartCredits(g);
  ShootFrames("credits_building", 0, 300, 3000, [&](int i) { CreditsFrame(g, i); });
  g.creditsTimer = kCreditsTimerFull;
  StartCredits(g);
  ShootFrames("credits", 0, 160, 8000, [&](int i) { CreditsFrame(g, i); });
}

TEST_F(AttractScreensOnScreen, TopScores) {
  if (!Open(1024, 768)) return;
  Game& g = game();
  TopScoresView cycle = StartTopScores(g, -1);
  ShootFrames("top_scores", 0, 40, 5000, [&](int i) { TopScoresFrame(g, cycle, i); });

  g.state.gameDifficulty = 1;
  g.state.gameTicks = 41250;
  const int row = InsertScore(g.scores, 95000, "Zorvexil", "13 mns, 45 secs", "5.0,1024X768,1024X768,Mouse,0,2,1,0,0",
                              1, g.state.tableLowScore);
  TopScoresView entered = StartTopScores(g, row);
  ShootFrames("top_scores_new_entry", 0, 40, 5000, [&](int i) { TopScoresFrame(g, entered, i); });

  g.state.score = 4321;
  g.state.gameTicks = 3050;
  TopScoresView missed = StartTopScores(g, -20);
  ShootFrames("top_scores_missed", 0, 40, 5000, [&](int i) { TopScoresFrame(g, missed, i); });

  SDL_Event press{};
  press.type = SDL_KEYDOWN;
  press.key.keysym.sym = SDLK_p;
  press.key.keysym.scancode = SDL_SCANCODE_P;
  SDL_PushEvent(&press);
  rig_->input->Poll();
  ASSERT_TRUE(g.in.KeyDown(kTopScoresDetailKey));
  ShootFrames("top_scores_details", 40, 60, 5000, [&](int i) { TopScoresFrame(g, entered, i); });
}

TEST_F(AttractScreensOnScreen, FriendsAndEnemies) {
  for (const auto& [width, height] : {std::pair{1024, 768}, std::pair{800, 480}}) {
    if (!Open(width, height)) return;
    Game& g = game();
    StartCredits(g);  // the demo black holes swirl the friends' sparks
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    FriendsView view;
    ShootFrames("friends_" + size, 0, 560, 5000, [&](int i) { FriendsFrame(g, view, i); });
    ShootFrames("enemies_" + size, 0, 560, 5000, [&](int i) { EnemiesFrame(g, i); });
  }
}

TEST_F(AttractScreensOnScreen, NameEntry) {
  if (!Open(1024, 768)) return;
  Game& g = game();
  g.state.score = 123450;
  g.state.gameTicks = 41250;
  g.state.gameDifficulty = 2;
  const std::string name = "Zorv";
  for (std::size_t k = 0; k < name.size(); ++k) g.nameBuffer[k] = name[k];
  NameEntry entry;
  entry.position = 4;
  entry.timeText = "13 mns, 45 secs";
  ShootFrames("name_entry", 0, 40, 5000, [&](int i) {
    if (i % 10 == 0) SpawnFirework(g, 2);
    UpdateParticles(g, 0);
    DrawNameEntry(g, entry);
    DrawParticles(g);
  });
}

}  // namespace
}  // namespace qv
