// The name entry after a game that made the table: the character cycle, typing, the arrows and the
// sticks with their rest, the confirming controls, and the entry reaching the table and the file.
#include "scoring/name_entry.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>
#include <utility>

#include "scoring/high_scores.h"
#include "support/drawn_text.h"
#include "support/game_fixture.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

TEST(NameCharCycle, StepsByTheCodeRules) {
  struct Case {
    int code, direction, expected;
  };
  const Case cases[] = {
      // Up: space, A..Z, [..`, {..~, !..@, space.
      {' ', 1, 'A'}, {'A', 1, 'B'}, {'Z', 1, '['}, {'`', 1, '{'}, {'~', 1, '!'}, {'!', 1, '"'}, {'?', 1, '@'},
      {'@', 1, ' '},
      // Lower case steps within the letters and leaves them at 'z'.
      {'a', 1, 'b'}, {'y', 1, 'z'}, {'z', 1, '['},
      // Down: the same cycle backwards.
      {' ', -1, '@'}, {'@', -1, '?'}, {'!', -1, '~'}, {'{', -1, '`'}, {'[', -1, 'Z'}, {'A', -1, ' '},
      {'b', -1, 'a'}, {'z', -1, 'y'}, {'a', -1, ' '},
      // Codes that never reach the buffer still land in the cycle.
      {200, 1, '!'}, {0, -1, '@'},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StepNameChar(c.code, c.direction), c.expected) << c.code << " stepped " << c.direction;
}

TEST(NameCharCycle, UpVisitsEveryCharacterButLowerCaseOnceAndDownRetracesIt) {
  std::vector<int> up = {' '};
  for (int c = StepNameChar(' ', 1); c != ' ' && up.size() < 200; c = StepNameChar(c, 1)) up.push_back(c);
  ASSERT_EQ(up.size(), 95u - 26u);
  const std::set<int> distinct(up.begin(), up.end());
  EXPECT_EQ(distinct.size(), up.size());
  for (const int c : up) {
    EXPECT_TRUE(c >= 32 && c <= 126 && !(c >= 'a' && c <= 'z')) << c;
  }
  for (std::size_t k = 0; k < up.size(); ++k) EXPECT_EQ(StepNameChar(up[(k + 1) % up.size()], -1), up[k]);
}

TEST(NameCharCycle, SwapCaseTouchesOnlyLetters) {
  EXPECT_EQ(SwapLetterCase('A'), 'a');
  EXPECT_EQ(SwapLetterCase('z'), 'Z');
  EXPECT_EQ(SwapLetterCase('@'), '@');
  EXPECT_EQ(SwapLetterCase('['), '[');
  EXPECT_EQ(SwapLetterCase(' '), ' ');
}

void SetName(Game& game, const std::string& name) {
  for (std::size_t i = 0; i < kNameLength; ++i) game.nameBuffer[i] = name[i];
}

class NameEntryTest : public ::testing::Test {
 protected:
  NameEntryTest() {
    game.state.score = 150000;
    game.state.gameDifficulty = 1;
    game.state.gameTicks = 3050;
    game.state.scoreEligible = 1;
  }
  std::string Name() const { return NameText(game.nameBuffer); }
  int Presented() const { return fx.hp.gfx.FramesPresented(); }

  test::TempWorkDir dir;
  test::GameFixture fx{5};
  Game& game = fx.game;
  HeadlessInput& input = fx.hp.input;
};

// Frames count from 1 at the screen's first present: an event at frame f is seen after f frames.
struct ScriptCase {
  const char* what;
  std::string before;
  std::function<void(HeadlessInput&)> script;
  std::string after;
};

// The screen run over a fresh game with `c.before` in the name buffer, `c`'s script, and Enter at
// `enterFrame`: the name it leaves and the frames it presented.
std::pair<std::string, int> RunScript(const ScriptCase& c, int enterFrame) {
  test::GameFixture local{5};
  Game& g = local.game;
  g.state.score = 150000;
  SetName(g, c.before);
  c.script(local.hp.input);
  local.hp.input.TapKey(enterFrame, kKeyEnter);
  EnterHighScore(g);
  return {NameText(g.nameBuffer), local.hp.gfx.FramesPresented()};
}

TEST_F(NameEntryTest, TypingWritesTheCharacterAndMovesOn) {
  const ScriptCase cases[] = {
      {"lower case, shift for capitals, digits, space; the old name stays elsewhere", "Zorvexil",
       [](HeadlessInput& in) {
         in.TapKey(1, 'A');
         in.HoldKey(3, kKeyLeftShift, 5);
         in.TapKey(4, 'B');
         in.TapKey(6, '7');
         in.TapKey(8, kKeySpace);
       },
       "aB7 exil"},
      {"the right shift key too", "        ",
       [](HeadlessInput& in) {
         in.HoldKey(1, kKeyRightShift, 3);
         in.TapKey(2, 'Q');
       },
       "Q       "},
      {"after the eighth character the cursor is back on the first", "        ",
       [](HeadlessInput& in) {
         for (int k = 0; k < 9; ++k) in.TapKey(1 + 2 * k, 'A' + k);
       },
       "ibcdefgh"},
      {"typing goes on while the sticks rest", "        ",
       [](HeadlessInput& in) {
         in.TapKey(1, 'X');
         in.TapKey(2, 'Y');
         in.TapKey(3, 'Z');
       },
       "xyz     "},
  };
  for (const ScriptCase& c : cases) {
    const auto [name, presented] = RunScript(c, 40);
    EXPECT_EQ(name, c.after) << c.what;
    EXPECT_EQ(presented, 40) << c.what;
  }
}

TEST_F(NameEntryTest, SticksAndArrowsStepThroughTheCycleWithTheirRest) {
  // Slot 1 is the default move-Y axis, slot 0 move-X, slot 2 fire-Y.
  const ScriptCase cases[] = {
      {"a held stick acts at once, then each time the 8-frame rest runs out", "        ",
       [](HeadlessInput& in) {
         in.SetJoyAxis(1, 0, 1, 1.0f);  // acts on frames 1, 9 and 17
         in.SetJoyAxis(24, 0, 1, 0.0f);
       },
       "C       "},
      {"a stick let go and pushed again acts at once, rest or not", "        ",
       [](HeadlessInput& in) {
         in.SetJoyAxis(1, 0, 1, 1.0f);  // frames 1, 9, 17
         in.SetJoyAxis(20, 0, 1, 0.0f);
         in.SetJoyAxis(21, 0, 1, 1.0f);  // and 21, four frames into the rest
         in.SetJoyAxis(22, 0, 1, 0.0f);
       },
       "D       "},
      {"a lean under 0.3 is no lean", "        ",
       [](HeadlessInput& in) { in.SetJoyAxis(1, 0, 1, 0.29f); },
       "        "},
      {"the stick leaning up steps back through the cycle", "        ",
       [](HeadlessInput& in) {
         in.SetJoyAxis(1, 0, 1, -1.0f);
         in.SetJoyAxis(2, 0, 1, 0.0f);
       },
       "@       "},
      {"Down held waits out the opening rest, then steps every 8 frames", "        ",
       [](HeadlessInput& in) { in.HoldKey(1, kKeyDown, 37); },  // frames 20, 28 and 36
       "C       "},
      {"Up held steps back once the rest is over", "        ",
       [](HeadlessInput& in) { in.HoldKey(1, kKeyUp, 21); },  // frame 20
       "@       "},
      {"Right held moves once per press", "        ",
       [](HeadlessInput& in) {
         in.HoldKey(1, kKeyRight, 30);
         in.TapKey(32, 'K');
       },
       " k      "},
      {"Left from the first character wraps to the last", "        ",
       [](HeadlessInput& in) {
         in.TapKey(1, kKeyLeft);
         in.TapKey(3, 'K');
       },
       "       k"},
      {"the stick's horizontal moves the cursor once, then waits out 15 frames", "        ",
       [](HeadlessInput& in) {
         in.SetJoyAxis(1, 0, 0, 1.0f);  // frames 1 and 16
         in.SetJoyAxis(17, 0, 0, 0.0f);
         in.TapKey(18, 'K');
       },
       "  k     "},
      {"the fire stick swaps the case of a letter", "q       ",
       [](HeadlessInput& in) {
         in.SetJoyAxis(1, 0, 2, 1.0f);
         in.SetJoyAxis(2, 0, 2, 0.0f);
       },
       "Q       "},
  };
  for (const ScriptCase& c : cases) EXPECT_EQ(RunScript(c, 45).first, c.after) << c.what;
}

TEST_F(NameEntryTest, EnterAndTheMouseConfirmAtOnceAJoystickButtonOnlyAfterTheRest) {
  struct Case {
    const char* what;
    ControlType scheme;
    std::function<void(HeadlessInput&, int first)> script;
    int frames;
  };
  const Case cases[] = {
      {"Enter", ControlType::DualAnalog, [](HeadlessInput& in, int f) { in.TapKey(f, kKeyEnter); }, 1},
      {"the mouse bomb button", ControlType::Mouse, [](HeadlessInput& in, int f) { in.ClickMouse(f, 2); }, 1},
      {"the dual-stick bomb button held from the game", ControlType::DualAnalog,
       [](HeadlessInput& in, int) { in.PressJoy(1, 0, 2, 1000); }, 20},
      {"the joypad bomb button held from the game", ControlType::Joypad,
       [](HeadlessInput& in, int) { in.PressJoy(1, 0, 4, 1000); }, 20},
      {"a joystick button means nothing to the keyboard scheme", ControlType::Keyboard,
       [](HeadlessInput& in, int f) {
         in.PressJoy(1, 0, 2, 1000);
         in.TapKey(f + 39, kKeyEnter);
       },
       40},
      {"the bomb key is a space here, not a confirmation", ControlType::Keyboard,
       [](HeadlessInput& in, int f) {
         in.TapKey(f, kKeySpace);
         in.TapKey(f + 5, kKeyEnter);
       },
       6},
  };
  for (const Case& c : cases) {
    test::GameFixture local{5};
    Game& g = local.game;
    g.state.score = 150000;
    g.settings.controlType = c.scheme;
    // The button went down during the game, before the screen opened.
    c.script(local.hp.input, 2);
    local.hp.input.Poll();
    const int before = local.hp.gfx.FramesPresented();
    EnterHighScore(g);
    EXPECT_EQ(local.hp.gfx.FramesPresented() - before, c.frames) << c.what;
    EXPECT_EQ(g.input.debounce, 20) << c.what;
  }
}

TEST_F(NameEntryTest, CheatModeEntersNothingAndShowsNothing) {
  game.state.scoreEligible = 0;
  const HighScoreTable before = game.scores;
  input.TapKey(1, kKeyEnter);
  EXPECT_EQ(EnterHighScore(game), kNoHighScoreRow);
  EXPECT_EQ(Presented(), 0);
  EXPECT_EQ(game.scores, before);
  EXPECT_FALSE(std::filesystem::exists("hiscores.dat"));
}

TEST_F(NameEntryTest, TheEntryIsInTheTableAndTheFileBeforeTheScreenReturns) {
  game.state.score = 150000;  // beats the Medium table's best, 100000
  input.TapKey(1, 'A');
  input.HoldKey(2, kKeyLeftShift, 4);
  input.TapKey(3, 'B');
  input.TapKey(5, kKeyEnter);
  EXPECT_EQ(EnterHighScore(game), 0);
  const HighScoreRow& row = game.scores.rows[0][1];
  EXPECT_EQ(row.score, 150000);
  EXPECT_EQ(row.name, "aB      ");
  EXPECT_EQ(row.time, "1 mn, 1 sec");
  EXPECT_EQ(row.settings, "5.0,1024X768,1024X768,Dual Analog,0,0,0,0,0");
  EXPECT_EQ(row.checksum, RowChecksum(row.score, row.time, row.name, row.settings));
  EXPECT_EQ(game.scores.rows[1][1].score, 100000);
  EXPECT_EQ(game.state.tableLowScore, 28000) << "the old eighth place is now the tenth";

  HighScoreTable saved;
  ASSERT_TRUE(LoadHighScores("hiscores.dat", saved));
  EXPECT_EQ(saved.rows[0][1], row);

  // The next entry of the run starts from this name; Enter keeps it as it is.
  game.state.score = 30000;  // above the new tenth place, 28000
  input.TapKey(7, kKeyEnter);
  EXPECT_EQ(EnterHighScore(game), 9);
  ASSERT_TRUE(LoadHighScores("hiscores.dat", saved));
  EXPECT_EQ(saved.rows[9][1].name, "aB      ");
  EXPECT_EQ(saved.rows[9][1].score, 30000);
}

TEST_F(NameEntryTest, ClosingTheWindowKeepsTheNameAsTyped) {
  game.state.gameDifficulty = 2;
  game.state.score = 47000;  // between the Hard table's 50000 and 45100
  input.TapKey(1, 'J');
  input.TapKey(2, 'O');
  input.RequestQuit(3);
  EXPECT_EQ(EnterHighScore(game), 1);
  EXPECT_EQ(Presented(), 3);
  HighScoreTable saved;
  ASSERT_TRUE(LoadHighScores("hiscores.dat", saved));
  EXPECT_EQ(saved.rows[1][2].name, "jo      ");
  EXPECT_EQ(saved.rows[1][2].score, 47000);
}

TEST_F(NameEntryTest, DrawsTheTextsAndTheCursorWhereThePlayerLooks) {
  std::vector<DrawRecord> records;
  fx.hp.gfx.SetRecorder(&records);
  game.state.gameDifficulty = 2;
  game.state.score = 123456;
  SetName(game, "Zorvexil");
  input.TapKey(1, kKeyRight);
  input.TapKey(2, kKeyRight);
  input.TapKey(3, kKeyEnter);  // frames 0 to 2 drawn; the cursor is on character 2 in the last
  EnterHighScore(game);

  const Rgb white{255, 255, 255}, green{0, 255, 0}, yellow{255, 255, 0};
  struct Text {
    std::string text;
    int x, y;
    Rgb colour;
  };
  const Text texts[] = {
      {"Congratulations!", 262, 144, white},
      {"You are in the top 10.", 262, 184, white},
      {"Difficulty Level: Hard", 262, 224, white},
      {"Score: 123456", 312, 304, green},
      {"Time:  1 mn, 1 sec", 312, 344, green},
      {"Name:  Zorvexil", 312, 384, green},
      {"Up and Down to select letter,", 262, 464, white},
      {"Left and Right to select position.", 262, 504, white},
      {"Press Enter when done.", 262, 544, white},
  };
  for (const Text& t : texts)
    EXPECT_EQ(test::FindText(game, records, t.text, t.x, t.y, 3, t.colour).size(), 3u) << t.text;

  // The underlines of the last frame: one under each character, the cursor's yellow.
  std::vector<const DrawRecord*> underlines;
  for (const DrawRecord& r : records)
    if (r.kind == DrawRecord::kLine && r.points[1] == 406 && r.points[3] == 406) underlines.push_back(&r);
  ASSERT_EQ(underlines.size(), 24u);
  for (int i = 0; i < kNameLength; ++i) {
    const DrawRecord& line = *underlines[static_cast<std::size_t>(16 + i)];
    EXPECT_EQ(line.points[0], 417 + 15 * i);
    EXPECT_EQ(line.points[2], 429 + 15 * i);
    const Rgb expected = i == 2 ? yellow : green;
    EXPECT_EQ((Rgb{line.r, line.g, line.b}), expected) << "underline " << i;
  }
}

TEST_F(NameEntryTest, OpensWithAFanfareAndClicksOnEveryEdit) {
  ASSERT_GT(game.sounds.Load(std::string(QV_BUILD_DIR) + "/sounds"), 0);
  const SampleId fanfare = game.sounds.Sample(Sound::Bonus1Entry);
  const SampleId click = game.sounds.Sample(Sound::QuarkHit);
  ASSERT_NE(fanfare, click);
  fx.hp.audio.ClearLog();
  input.TapKey(1, 'A');      // typing moves on: one click
  input.TapKey(3, kKeyLeft);  // one click
  input.TapKey(5, kKeyEnter);
  EnterHighScore(game);
  int fanfares = 0, clicks = 0;
  for (const AudioEvent& e : fx.hp.audio.Log()) {
    if (e.op != AudioOp::Start) continue;
    fanfares += e.sample == fanfare;
    clicks += e.sample == click;
  }
  EXPECT_EQ(fanfares, 1);
  EXPECT_EQ(clicks, 2);
}

}  // namespace
}  // namespace qv
