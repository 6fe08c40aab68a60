// Score and rewards: what an award adds and shows, the multiplier steps, the extra-life, extra-bomb and
// score power-up thresholds (each at most once per award), the reset of the multiplier, and the
// head-up display's lives, bombs and "Power Up at" line.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "player/power_up.h"
#include "render/image_set.h"
#include "scoring/score.h"
#include "shell/game_flow.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

class ScoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);  // Medium: extra lives every 100000, bombs every 150000
  }
  int Plays(Sound sound) const {
    int n = 0;
    for (const AudioEvent& e : fx.hp.audio.Log())
      if (e.op == AudioOp::Start && e.sample == game.sounds.Sample(sound)) ++n;
    return n;
  }
  std::vector<const FloatingText*> Texts() {
    std::vector<const FloatingText*> out;
    std::as_const(game.floatingTexts).ForEach([&](const FloatingText& t) { out.push_back(&t); });
    return out;
  }
  std::vector<int> TokenKinds() {
    std::vector<int> out;
    std::as_const(game.powerUps).ForEach([&](const PowerUp& p) { out.push_back(p.kind); });
    return out;
  }

  test::GameFixture fx{43};
  Game& game = fx.game;
};

TEST_F(ScoreTest, AKillAddsItsPointsTimesTheMultiplierAndShowsThem) {
  game.state.multiplier = 3;
  AwardPoints(game, 200, 150, 100, true);
  EXPECT_EQ(game.state.score, 300);
  EXPECT_EQ(game.state.killCount, 1);
  const std::vector<const FloatingText*> texts = Texts();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0]->text, "300");
  EXPECT_EQ(texts[0]->x, 200);
  EXPECT_EQ(texts[0]->y, 150);
  EXPECT_EQ(texts[0]->life, 30);

  AwardPoints(game, 200, 150, 7, false);
  EXPECT_EQ(game.state.score, 321);
  EXPECT_EQ(game.state.killCount, 1) << "an award that is not a kill counts no kill";
  EXPECT_EQ(Texts().size(), 1u) << "and shows nothing";
}

TEST_F(ScoreTest, TheMultiplierRisesAt25And50And100KillsAndStopsAt11) {
  struct Step {
    int kill, multiplier;
  };
  const Step steps[] = {{24, 1}, {25, 2}, {49, 2}, {50, 3}, {99, 3}, {100, 4}};
  int kills = 0;
  for (const Step& s : steps) {
    while (kills < s.kill) {
      AwardPoints(game, 0, 0, 0, true);
      ++kills;
    }
    EXPECT_EQ(game.state.multiplier, s.multiplier) << "after " << s.kill << " kills";
  }
  EXPECT_EQ(Plays(Sound::Bonus2), 3);

  game.state.multiplier = 10;
  game.state.killCount = 12799;
  AwardPoints(game, 0, 0, 0, true);
  EXPECT_EQ(game.state.multiplier, 11);
  game.state.killCount = 1000000;
  AwardPoints(game, 0, 0, 0, true);
  EXPECT_EQ(game.state.multiplier, 11) << "never above 11";
}

TEST_F(ScoreTest, TheMultiplierStepIsAnnouncedAboveAndLeftOfTheShip) {
  game.ship.x = 500;
  game.ship.y = 400;
  game.state.killCount = 24;
  game.floatingTexts.Clear();
  AwardPoints(game, 10, 10, 25, true);
  const std::vector<const FloatingText*> texts = Texts();
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[1]->text, "2X Multiplier");
  EXPECT_EQ(texts[1]->x, 422);
  EXPECT_EQ(texts[1]->y, 368);
  EXPECT_EQ(texts[1]->life, 50);
  EXPECT_EQ(Plays(Sound::Bonus2), 1);
}

TEST_F(ScoreTest, EachThresholdFiresAtMostOncePerAward) {
  game.state.lives = 3;
  game.state.bombs = 3;
  game.state.nextPowerUpScore = 1000000;  // out of the way
  AwardPoints(game, 0, 0, 300000, false);  // past two extra lives and two extra bombs at once
  EXPECT_EQ(game.state.extraLifeCount, 2);
  EXPECT_EQ(game.state.extraBombCount, 2);
  EXPECT_EQ(Plays(Sound::BrainBorn), 1);
  EXPECT_EQ(Plays(Sound::Buzz2), 1);
  EXPECT_EQ(TokenKinds(), (std::vector<int>{4, 5}));
  EXPECT_EQ(game.state.lives, 3) << "the life comes only when the token is collected";

  AwardPoints(game, 0, 0, 0, false);  // the next award catches up
  EXPECT_EQ(game.state.extraLifeCount, 3);
  EXPECT_EQ(game.state.extraBombCount, 3);
  EXPECT_EQ(TokenKinds(), (std::vector<int>{4, 5, 4, 5}));
  AwardPoints(game, 0, 0, 0, false);
  EXPECT_EQ(game.state.extraLifeCount, 4) << "the third life's threshold, 300000, is reached as well";
  EXPECT_EQ(game.state.extraBombCount, 3) << "the third bomb's, 450000, is not";
}

TEST_F(ScoreTest, WithTenShipsOrNineBombsOnlyTheSoundTellsOfTheThreshold) {
  game.state.lives = 10;
  game.state.bombs = 9;
  game.state.nextPowerUpScore = 1000000;
  AwardPoints(game, 0, 0, 150000, false);
  EXPECT_EQ(Plays(Sound::BrainBorn), 1);
  EXPECT_EQ(Plays(Sound::Buzz2), 1);
  EXPECT_TRUE(game.powerUps.Empty());
  EXPECT_EQ(game.state.extraLifeCount, 2) << "the next threshold is 200000 all the same";
}

TEST_F(ScoreTest, ScorePowerUpsGrowRarerWithTheSquareOfTheMultiplier) {
  game.state.multiplier = 4;
  game.state.nextPowerUpScore = 5000;
  AwardPoints(game, 0, 0, 1250, false);  // 5000
  EXPECT_EQ(game.state.nextPowerUpScore, 5000 + 2500 * 16);
  EXPECT_EQ(game.powerUps.Count(), 1);
  EXPECT_EQ(Plays(Sound::BonusBorn), 1);
  AwardPoints(game, 0, 0, 10000, false);  // 45000
  EXPECT_EQ(game.powerUps.Count(), 2);
  EXPECT_EQ(game.state.nextPowerUpScore, 85000);
}

struct ResetCase {
  int score, next;
};

TEST_F(ScoreTest, ResettingTheMultiplierAimsTheNextPowerUpAtTheNextMultipleOf5000) {
  for (const ResetCase& c : {ResetCase{0, 5000}, ResetCase{4999, 5000}, ResetCase{5000, 10000},
                             ResetCase{12345, 15000}, ResetCase{99999, 100000}}) {
    game.state.score = c.score;
    game.state.multiplier = 7;
    game.state.killCount = 300;
    game.powerUpMessageTimer = 0;
    ResetMultiplier(game);
    EXPECT_EQ(game.state.nextPowerUpScore, c.next) << c.score;
    EXPECT_EQ(game.state.multiplier, 1);
    EXPECT_EQ(game.state.killCount, 0);
    EXPECT_EQ(game.powerUpMessageTimer, 180);
    EXPECT_EQ(game.powerUpMessage, "Power Up at " + std::to_string(c.next));
  }
}

TEST_F(ScoreTest, TheShownHighScoreFollowsTheScoreOnceItIsBeaten) {
  game.state.hiScoreShown = 1000;
  AwardPoints(game, 0, 0, 600, false);
  EXPECT_EQ(game.state.hiScoreShown, 1000);
  AwardPoints(game, 0, 0, 500, false);
  EXPECT_EQ(game.state.hiScoreShown, 1100);
}

TEST_F(ScoreTest, ANewGameTakesTheTableOfTheConfiguredDifficulty) {
  game.scores.rows[0][2].score = 123456;
  game.scores.rows[9][2].score = 2345;
  game.settings.difficulty = 2;
  game.state.score = 999;
  PrepareScoreTable(game);
  EXPECT_EQ(game.state.hiScoreShown, 123456);
  EXPECT_EQ(game.state.tableLowScore, 2345);
  EXPECT_EQ(game.state.score, 0);
}

// ---- The head-up display ----

class HudTest : public ScoreTest {
 protected:
  void SetUp() override {
    ScoreTest::SetUp();
    // The icons come from the image set built beside the program.
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(QV_BUILD_DIR);
    LoadImageSet(game.gfx, game.images, 0);
    std::filesystem::current_path(here);
    ASSERT_TRUE(game.images.icons);
    fx.hp.gfx.SetRecorder(&records);
  }
  // Whether the lines of `text` drawn alone at (x, y) appear, in order, among the recorded ones.
  bool TextDrawn(const std::string& text, int x, int y) {
    std::vector<DrawRecord> alone;
    fx.hp.gfx.SetRecorder(&alone);
    game.DrawText(text, x, y, 3);
    fx.hp.gfx.SetRecorder(&records);
    if (alone.empty()) return false;
    for (std::size_t start = 0; start + alone.size() <= records.size(); ++start) {
      bool same = true;
      for (std::size_t i = 0; i < alone.size() && same; ++i)
        same = records[start + i].kind == alone[i].kind && records[start + i].points == alone[i].points;
      if (same) return true;
    }
    return false;
  }
  int Icons(int frame) {
    int n = 0;
    for (const DrawRecord& r : records)
      if (r.kind == DrawRecord::kImage && r.image == game.images.icons.get() && r.frame == frame) ++n;
    return n;
  }
  std::vector<DrawRecord> records;
};

struct HudCase {
  int lives, bombs;
  int shipIcons, bombIcons;
  std::string livesText, bombsText;  // empty: no number
};

TEST_F(HudTest, SpareShipsAndBombsShowAsIconsWithACountFromTwo) {
  const int cx = 512;
  const HudCase cases[] = {
      {1, 0, 0, 0, "", ""},
      {2, 1, 1, 1, "", ""},    // one spare ship: the icon alone
      {3, 2, 1, 1, "2", "2"},  // two spare ships, two bombs: icon and number
      {10, 9, 1, 1, "9", "9"},
  };
  for (const HudCase& c : cases) {
    records.clear();
    game.state.lives = c.lives;
    game.state.bombs = c.bombs;
    DrawTopDisplay(game);
    EXPECT_EQ(Icons(0), c.shipIcons) << c.lives << " lives";
    EXPECT_EQ(Icons(1), c.bombIcons) << c.bombs << " bombs";
    for (const DrawRecord& r : records) {
      if (r.kind != DrawRecord::kImage) continue;
      EXPECT_FLOAT_EQ(r.points[0], r.frame == 0 ? cx - 16 : cx + 16);
      EXPECT_FLOAT_EQ(r.points[1], 19);
    }
    for (const char* digit : {"1", "2", "3", "9"}) {
      EXPECT_EQ(TextDrawn(digit, cx - 48, 10), c.livesText == digit) << c.lives << " lives, digit " << digit;
      EXPECT_EQ(TextDrawn(digit, cx + 32, 10), c.bombsText == digit) << c.bombs << " bombs, digit " << digit;
    }
  }
}

TEST_F(HudTest, TheTopLineFadesAsTheShipNearsTheTopEdge) {
  struct Case {
    float shipY, alpha;
  };
  for (const Case& c : {Case{384, 0.8f}, Case{80, 0.8f}, Case{40, 0.6f}, Case{16, 0.54f}}) {
    records.clear();
    game.ship.y = c.shipY;
    DrawTopDisplay(game);
    ASSERT_FALSE(records.empty());
    EXPECT_NEAR(records.back().alpha, c.alpha, 1e-5) << c.shipY;
  }
}

TEST_F(HudTest, ThePowerUpLineFadesAndIsRebuiltHalfwayThrough) {
  ResetMultiplier(game);  // "Power Up at 5000", 180 frames
  game.powerUpMessage = "Shield";
  game.state.nextPowerUpScore = 7500;
  for (int i = 0; i < 89; ++i) DrawPowerUpMessage(game);
  EXPECT_EQ(game.powerUpMessage, "Shield") << "a collected name shows until the timer reaches 90";
  records.clear();
  DrawPowerUpMessage(game);
  EXPECT_EQ(game.powerUpMessageTimer, 90);
  EXPECT_EQ(game.powerUpMessage, "Power Up at 7500");
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.back().r, 90);
  EXPECT_EQ(records.back().g, 90 / 2 + 165);
  for (int i = 0; i < 90; ++i) DrawPowerUpMessage(game);
  records.clear();
  DrawPowerUpMessage(game);
  EXPECT_TRUE(records.empty()) << "nothing once the timer has run out";
}

}  // namespace
}  // namespace qv
