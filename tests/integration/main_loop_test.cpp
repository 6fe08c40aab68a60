// The whole program through its real loops on the headless devices: the attract cycle, a game started
// with the bomb key and ended from the menu, the name entry and the top-scores screen after it, and
// leaving from an attract screen. Each frame is told apart by what it drew.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "scoring/high_scores.h"
#include "shell/game.h"
#include "shell/program.h"
#include "support/drawn_text.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

enum class Seen { Credits, TopScores, Friends, Enemies, NameEntry, Game, Other };

const char* Name(Seen s) {
  switch (s) {
    case Seen::Credits: return "credits";
    case Seen::TopScores: return "top scores";
    case Seen::Friends: return "friends";
    case Seen::Enemies: return "enemies";
    case Seen::NameEntry: return "name entry";
    case Seen::Game: return "game";
    case Seen::Other: return "other";
  }
  return "";
}

bool Contains(const std::vector<DrawRecord>& records, const std::vector<DrawRecord>& strokes) {
  return !test::FindRun(records, strokes, [](const DrawRecord&) { return true; }).empty();
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs the program at 1024 x 768 and notes, frame by frame, which screen drew it. Consecutive frames
// of one screen make one entry of `screens`.
class MainLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const int cx = 512, cy = 384;
    marks_ = {
        {Seen::Credits, test::TextStrokes("Special Thanks To", cx - 128, 768 - 160, 3.2f)},
        {Seen::TopScores, test::TextStrokes("SCORE", cx - 250, cy - 180, 3)},
        {Seen::Friends, test::TextStrokes("Know Your Friends", 277, 10, 4.5f)},
        {Seen::Enemies, test::TextStrokes("Know Your Enemies", 277, 10, 4.5f)},
        {Seen::NameEntry, test::TextStrokes("Congratulations!", cx - 250, cy - 240, 3)},
    };
  }

  int Run() {
    game = std::make_unique<Game>(hp->platform);
    hp->gfx.SetRecorder(&frame_);
    hp->backend.onPresent = [this] {
      Seen seen = Seen::Other;
      if (game->state.startRequested) {
        seen = Seen::Game;
      } else {
        for (const auto& [screen, strokes] : marks_)
          if (Contains(frame_, strokes)) seen = screen;
      }
      if (screens.empty() || screens.back() != seen) screens.push_back(seen);
      if (afterEachFrame) afterEachFrame(seen);
      frame_.clear();
    };
    const int status = RunProgram(*game);
    hp->backend.onPresent = nullptr;
    hp->gfx.SetRecorder(nullptr);
    return status;
  }

  // A score table whose every row holds `score`, valid in every column.
  static void WriteScoreTable(int score) {
    HighScoreTable table;
    for (int c = 0; c < kDifficultyCount; ++c)
      for (int r = 0; r < kHighScorePlaces; ++r) {
        HighScoreRow& row = table.rows[r][c];
        row = {score, "", "Nobody", "", RowChecksum(score, "", "Nobody", "")};
      }
    ASSERT_TRUE(SaveHighScores(std::string(kHighScoreFileName), table));
  }

  // A pad in port 0 whose right stick (the default fire axes, slots 3 and 2) turns a circle every 72
  // frames from `from` to `to`, then rests; the dual-stick scheme is kept on the first run.
  void CircleFire(int from, int to) {
    hp->input.SetJoyCount(1);
    for (int f = from; f <= to; ++f) {
      const double a = f * 5.0 * 3.14159265358979 / 180.0;
      hp->input.SetJoyAxis(f, 0, 3, static_cast<float>(std::cos(a)));
      hp->input.SetJoyAxis(f, 0, 2, static_cast<float>(std::sin(a)));
    }
    hp->input.SetJoyAxis(to + 1, 0, 3, 0);
    hp->input.SetJoyAxis(to + 1, 0, 2, 0);
  }

  // Escape, then "End Game" (one row above "Continue"), then "Yes" (one row above "No").
  void EndGameFromMenu(int frame) {
    hp->input.TapKey(frame, kKeyEscape);
    hp->input.TapKey(frame + 5, kKeyUp);
    hp->input.TapKey(frame + 8, kKeyEnter);
    hp->input.TapKey(frame + 13, kKeyUp);
    hp->input.TapKey(frame + 16, kKeyEnter);
  }

  std::string Sequence() const {
    std::string s;
    for (Seen seen : screens) s += std::string(s.empty() ? "" : ", ") + Name(seen);
    return s;
  }

  test::TempWorkDir dir;
  std::unique_ptr<HeadlessPlatform> hp = std::make_unique<HeadlessPlatform>(7);
  std::unique_ptr<Game> game;
  std::vector<Seen> screens;
  std::function<void(Seen)> afterEachFrame;

 private:
  std::vector<std::pair<Seen, std::vector<DrawRecord>>> marks_;
  std::vector<DrawRecord> frame_;
};

TEST_F(MainLoopTest, TheAttractCycleShowsItsFourScreensInOrderUntilTheBombKeyStartsAGame) {
  // One cycle is 700 + 750 + 750 + 750 frames; the bomb key comes during the second credits.
  hp->input.TapKey(3000, kKeySpace);
  hp->input.RequestQuit(3100);
  EXPECT_EQ(Run(), 0);
  const std::vector<Seen> expected = {Seen::Credits, Seen::TopScores, Seen::Friends, Seen::Enemies,
                                      Seen::Credits, Seen::Game};
  EXPECT_EQ(screens, expected) << Sequence();
  EXPECT_EQ(game->creditsTimer, 600);
}

TEST_F(MainLoopTest, AGameThatScoredNothingGoesStraightBackToTheAttractCycle) {
  hp->input.TapKey(5, kKeySpace);
  EndGameFromMenu(200);
  hp->input.RequestQuit(400);
  EXPECT_EQ(Run(), 0);
  const std::vector<Seen> expected = {Seen::Credits, Seen::Game, Seen::Credits};
  EXPECT_EQ(screens, expected) << Sequence();
}

// A qualifying game ended from the menu: the name typed on the name-entry screen, then the table with
// the new row highlighted; the row is in the file while that table shows, before any exit.
TEST_F(MainLoopTest, AQualifyingGameEndedFromTheMenuEntersItsNameAndShowsItsRow) {
  WriteScoreTable(0);
  hp->input.TapKey(5, kKeySpace);
  CircleFire(5, 900);
  EndGameFromMenu(920);
  hp->input.TapKey(980, 'Q');
  hp->input.TapKey(983, 'A');
  hp->input.TapKey(990, kKeyEnter);
  hp->input.RequestQuit(1200);
  std::string fileWhileShowing;
  afterEachFrame = [&](Seen seen) {
    if (seen == Seen::TopScores && fileWhileShowing.empty()) fileWhileShowing = ReadAll("hiscores.dat");
  };
  EXPECT_EQ(Run(), 0);

  const std::vector<Seen> expected = {Seen::Credits, Seen::Game, Seen::NameEntry, Seen::TopScores};
  EXPECT_EQ(screens, expected) << Sequence();
  const HighScoreRow& row = game->scores.rows[0][1];
  EXPECT_GT(row.score, 0);
  EXPECT_EQ(row.name, "qa      ");
  EXPECT_EQ(row.checksum, RowChecksum(row.score, row.time, row.name, row.settings));
  HighScoreTable saved;
  ParseHighScores(fileWhileShowing, saved);
  EXPECT_EQ(saved.rows[0][1], row) << "the new row reached the file before the program left";
}

TEST_F(MainLoopTest, AScoreEqualToTheTenthPlaceSkipsTheNameEntryButShowsTheScores) {
  // The same game twice: the first run finds its score, the second starts from a table full of it.
  const auto playTheGame = [this] {
    hp->input.TapKey(5, kKeySpace);
    CircleFire(5, 900);
    EndGameFromMenu(920);
    hp->input.RequestQuit(1100);
  };
  WriteScoreTable(0);
  playTheGame();
  ASSERT_EQ(Run(), 0);
  const int score = game->scores.rows[0][1].score;
  ASSERT_GT(score, 0);

  game.reset();
  hp = std::make_unique<HeadlessPlatform>(7);
  screens.clear();
  WriteScoreTable(score);
  playTheGame();
  int lastScore = -1;
  afterEachFrame = [&](Seen seen) {
    if (seen == Seen::Game) lastScore = game->state.score;
  };
  ASSERT_EQ(Run(), 0);
  EXPECT_EQ(lastScore, score) << "the second run played the same game";
  const std::vector<Seen> expected = {Seen::Credits, Seen::Game, Seen::TopScores};
  EXPECT_EQ(screens, expected) << Sequence();
  EXPECT_EQ(game->scores.rows[9][1].score, score) << "nothing was inserted";
  EXPECT_EQ(game->scores.rows[0][1].name, "Nobody");
}

// The desktop's screen saver stays off while a game is played, and may start in the attract screens,
// the name entry and the menus (a game paused in its menu may rest the screen).
TEST_F(MainLoopTest, TheScreenSaverIsKeptOffOnlyDuringPlay) {
  WriteScoreTable(0);
  hp->input.TapKey(5, kKeySpace);
  CircleFire(5, 900);
  hp->input.TapKey(920, kKeyEscape);
  int menuFrames = 0, menuFramesAllowed = 0;
  afterEachFrame = [&](Seen seen) {
    const int frame = hp->input.frame();
    const bool allowed = hp->backend.screenSaverAllowed;
    if (seen == Seen::Credits) {
      EXPECT_TRUE(allowed) << "attract, frame " << frame;
    }
    if (seen == Seen::Game && frame > 200 && frame < 900) {
      EXPECT_FALSE(allowed) << "play, frame " << frame;
    }
    if (frame > 925 && frame < 935) {
      ++menuFrames;
      menuFramesAllowed += allowed ? 1 : 0;
    }
    if (seen == Seen::NameEntry || seen == Seen::TopScores) {
      EXPECT_TRUE(allowed) << "after the game, frame " << frame;
    }
  };
  EndGameFromMenu(940);
  hp->input.TapKey(1000, kKeyEnter);
  hp->input.RequestQuit(1100);
  EXPECT_EQ(Run(), 0);
  EXPECT_GT(menuFrames, 0);
  EXPECT_EQ(menuFramesAllowed, menuFrames) << "the in-game menu lets the screen rest";
}

TEST_F(MainLoopTest, ExitProgramFromAnAttractScreenLeavesWithTheFilesSaved) {
  hp->input.TapKey(50, kKeyEscape);
  // "Exit Program" is two rows above "Continue" between games.
  hp->input.TapKey(55, kKeyUp);
  hp->input.TapKey(58, kKeyUp);
  hp->input.TapKey(61, kKeyEnter);
  EXPECT_EQ(Run(), 0);
  EXPECT_LT(hp->input.frame(), 100) << "the program left at once";
  EXPECT_FALSE(ReadAll("Config.txt").empty());
  EXPECT_FALSE(ReadAll("Colours.txt").empty());
  EXPECT_FALSE(ReadAll("hiscores.dat").empty());
}

}  // namespace
}  // namespace qv
