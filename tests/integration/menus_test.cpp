// The options menu, the yes/no dialog and the settings hub, run through their real frame loops with
// scripted keys, mouse and joystick: what each control chooses, what each menu returns, where the
// pointer goes, what is drawn, and that a closed window ends every menu at once.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "settings/menus.h"
#include "support/control_rig.h"

namespace qv {
namespace {

// A menu still open after this many frames is closed like a window, so a faulty menu fails its test
// instead of hanging it.
constexpr int kGuardFrame = 400;

// One game on headless devices with a script of input, one event every other frame.
struct MenuRig : test::ControlRig {
  MenuRig() : ControlRig(kGuardFrame) {}
};

// The colour of every place in `records` where `text` was drawn at (x, y) and `scale` with lines
// 2 pixels wide, in drawing order.
std::vector<MenuColour> Drawn(const std::vector<DrawRecord>& records, std::string_view text, int x, int y,
                              float scale) {
  std::vector<MenuColour> found;
  for (const std::size_t i : test::FindText(records, text, x, y, scale, 2.0f))
    found.push_back({records[i].r, records[i].g, records[i].b});
  return found;
}

const MenuColour kGreen{0, 200, 0};
const MenuColour kRed{255, 0, 0};

// ---------------------------------------------------------------------------------------------------
// The options menu.

TEST(OptionsMenuTest, BetweenGamesThreeRowsOnABlackScreen) {
  MenuRig rig;
  const int cx = rig.cx, cy = rig.cy;
  rig.Tap(kKeyEscape);
  rig.game.gfx.SetLineWidth(1);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  EXPECT_EQ(OptionsMenu(rig.game, 0), 0);
  ASSERT_EQ(rig.input.frame(), 2);

  EXPECT_EQ(Drawn(records, "Options", cx - 280, cy - 120, 6), (std::vector<MenuColour>{kRed, kRed}));
  EXPECT_EQ(Drawn(records, "Exit Program", cx - 280, cy - 40, 4), (std::vector<MenuColour>{kGreen, kGreen}));
  EXPECT_EQ(Drawn(records, "Settings", cx - 280, cy, 4), (std::vector<MenuColour>{kGreen, kGreen}));
  EXPECT_EQ(Drawn(records, "Continue", cx - 280, cy + 40, 4),
            (std::vector<MenuColour>{{255, 255, 0}, {255, 255, 8}}))
      << "selected on entry";
  EXPECT_TRUE(Drawn(records, "End Game", cx - 280, cy + 40, 4).empty());
  EXPECT_TRUE(Drawn(records, "Continue", cx - 280, cy + 80, 4).empty());
  for (const DrawRecord& r : records) EXPECT_NE(r.kind, DrawRecord::kImage) << "no backdrop between games";
  EXPECT_FALSE(rig.game.display.menuBackdrop->texture) << "nothing was copied from the screen";
}

TEST(OptionsMenuTest, InAGameFourRowsOverTheShrunkenDarkenedPicture) {
  MenuRig rig;
  const int cx = rig.cx, cy = rig.cy;
  rig.Tap(kKeyEscape, 1);
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  rig.game.gfx.SetBlend(kAddBlend);
  EXPECT_EQ(OptionsMenu(rig.game, 1), 0);
  ASSERT_EQ(rig.input.frame(), 2);

  EXPECT_TRUE(rig.game.display.menuBackdrop->texture) << "the screen was copied on entry";
  int backdrops = 0;
  for (const DrawRecord& r : records) {
    if (r.kind != DrawRecord::kImage) continue;
    ++backdrops;
    EXPECT_EQ(r.image, rig.game.display.menuBackdrop.get());
    EXPECT_EQ(r.points, (std::vector<float>{static_cast<float>(cx), static_cast<float>(cy)}));
    EXPECT_EQ((MenuColour{r.r, r.g, r.b}), (MenuColour{64, 64, 128}));
    EXPECT_EQ(r.blend, kSolidBlend);
  }
  EXPECT_EQ(backdrops, 2) << "one a frame";
  // The text after the backdrop is full size: the backdrop's scale was put back.
  EXPECT_EQ(Drawn(records, "Options", cx - 280, cy - 120, 6).size(), 2u);
  EXPECT_EQ(Drawn(records, "Exit Program", cx - 280, cy - 40, 4).size(), 2u);
  EXPECT_EQ(Drawn(records, "Settings", cx - 280, cy, 4).size(), 2u);
  EXPECT_EQ(Drawn(records, "End Game", cx - 280, cy + 40, 4), (std::vector<MenuColour>{kGreen, kGreen}));
  EXPECT_EQ(Drawn(records, "Continue", cx - 280, cy + 80, 4),
            (std::vector<MenuColour>{{255, 255, 0}, {255, 255, 8}}));

  // The pointer mark beside "Continue": eight spokes a frame from (cx - 304, cy + 96).
  int spokes = 0;
  for (const DrawRecord& r : records)
    if (r.kind == DrawRecord::kLine && r.points[0] == cx - 304 && r.points[1] == cy + 96) ++spokes;
  EXPECT_EQ(spokes, 16);
}

TEST(OptionsMenuTest, EscapeAndLeftContinueFromAnyRow) {
  struct Case {
    int inGame;
    int key;
    int upsBefore;
  };
  const Case cases[] = {{0, kKeyEscape, 0}, {0, kKeyLeft, 0}, {1, kKeyEscape, 0}, {1, kKeyLeft, 0},
                        {0, kKeyEscape, 2}, {1, kKeyEscape, 3}, {1, kKeyLeft, 1}};
  for (const Case& c : cases) {
    MenuRig rig;
    rig.Tap(kKeyUp, c.upsBefore).Tap(c.key);
    EXPECT_EQ(OptionsMenu(rig.game, c.inGame), 0) << "inGame " << c.inGame << ", key " << c.key << ", ups " << c.upsBefore;
    EXPECT_EQ(rig.input.frame(), rig.last()) << "at once";
  }
}

TEST(OptionsMenuTest, ExitProgramReturnsOneAtOnceByEveryChooseControl) {
  struct Case {
    const char* name;
    int inGame;
    std::function<void(MenuRig&)> choose;
  };
  const Case cases[] = {
      {"Enter", 0, [](MenuRig& r) { r.Tap(kKeyUp, 2).Tap(kKeyEnter); }},
      {"right arrow", 0, [](MenuRig& r) { r.Tap(kKeyUp, 2).Tap(kKeyRight); }},
      {"bomb key", 0, [](MenuRig& r) { r.Tap(kKeyUp, 2).Tap(r.game.settings.keyBomb); }},
      {"a changed bomb key", 0, [](MenuRig& r) {
         r.game.settings.keyBomb = 'B';
         r.Tap(kKeyUp, 2).Tap('B');
       }},
      {"click", 0, [](MenuRig& r) { r.Click(100, r.cy - 40 + 10); }},
      {"in a game", 1, [](MenuRig& r) { r.Tap(kKeyUp, 3).Tap(kKeyEnter); }},
      {"down wraps to it", 1, [](MenuRig& r) { r.Tap(kKeyDown).Tap(kKeyEnter); }},
  };
  for (const Case& c : cases) {
    MenuRig rig;
    c.choose(rig);
    EXPECT_EQ(OptionsMenu(rig.game, c.inGame), 1) << c.name;
    EXPECT_EQ(rig.input.frame(), rig.last()) << c.name << ": no question asked";
    EXPECT_FALSE(rig.game.quitting) << c.name;
  }
}

TEST(OptionsMenuTest, KeyboardStepsMoveThePointerSoHoverDoesNotUndoThem) {
  MenuRig rig;
  // The mouse rests over "Settings"; up selects "Exit Program" and a few frames later Enter chooses.
  rig.input.At({HeadlessInput::Event::kMouseMove, 1, 200, rig.cy + 5, 0});
  rig.next = 4;
  rig.Tap(kKeyUp);
  rig.next += 4;
  rig.Tap(kKeyEnter);
  EXPECT_EQ(OptionsMenu(rig.game, 0), 1);
  EXPECT_EQ(rig.input.frame(), rig.last());
}

TEST(OptionsMenuTest, EndGameAsksAndYesEndsTheGame) {
  MenuRig rig;
  const int cx = rig.cx, cy = rig.cy;
  rig.Tap(kKeyUp).Tap(kKeyEnter);  // "End Game"
  rig.Tap(kKeyUp).Tap(kKeyEnter);  // "Yes"
  std::vector<DrawRecord> records;
  rig.fx.hp.gfx.SetRecorder(&records);
  EXPECT_EQ(OptionsMenu(rig.game, 1), 2);
  EXPECT_EQ(rig.input.frame(), rig.last());
  EXPECT_EQ(rig.game.input.debounce, 20);
  EXPECT_FALSE(Drawn(records, "End Game?", cx - 280, cy - 80, 6).empty());
  EXPECT_FALSE(Drawn(records, "Yes", cx - 280, cy, 4).empty());
  EXPECT_FALSE(Drawn(records, "No", cx - 280, cy + 40, 4).empty());
}

TEST(OptionsMenuTest, EndGameAnsweredNoStaysInTheMenu) {
  MenuRig rig;
  rig.Tap(kKeyUp).Tap(kKeyEnter);  // "End Game"
  rig.Tap(kKeyEnter);              // "No"
  const int answered = rig.last();
  rig.next += 6;
  rig.Tap(kKeyEscape);
  EXPECT_EQ(OptionsMenu(rig.game, 1), 0);
  EXPECT_EQ(rig.input.frame(), rig.last()) << "still open after the answer at frame " << answered;
}

TEST(OptionsMenuTest, AHeldJoystickButtonChoosesOnlyWhenDebounceHasRunOut) {
  // Held from before the menu opens: entry sets debounce to 20, so nothing is chosen until frame 20.
  MenuRig rig;
  rig.input.PressJoy(1, 0, 3, 1000);
  EXPECT_EQ(OptionsMenu(rig.game, 0), 0) << "\"Continue\"";
  EXPECT_EQ(rig.input.frame(), 20);
  EXPECT_EQ(rig.game.input.debounce, 10);
}

TEST(OptionsMenuTest, KeysAndClicksLeftOverAreDroppedOnTheWayOut) {
  MenuRig rig;
  rig.input.TapKey(2, 'A');
  rig.input.ClickMouse(2, 2);
  rig.next = 4;
  rig.Tap(kKeyEscape);
  EXPECT_EQ(OptionsMenu(rig.game, 0), 0);
  EXPECT_EQ(rig.input.KeyHit('A'), 0);
  EXPECT_EQ(rig.input.MouseHit(2), 0);
}

// ---------------------------------------------------------------------------------------------------
// The yes/no dialog.

TEST(ConfirmDialogTest, EveryChooseControlAnswersWithTheSelection) {
  struct Case {
    const char* name;
    std::function<void(MenuRig&)> script;
    bool yes;
  };
  const Case cases[] = {
      {"Escape on No", [](MenuRig& r) { r.Tap(kKeyEscape); }, false},
      {"Escape on Yes", [](MenuRig& r) { r.Tap(kKeyUp).Tap(kKeyEscape); }, true},
      {"Enter on No", [](MenuRig& r) { r.Tap(kKeyEnter); }, false},
      {"Enter after down wraps to Yes", [](MenuRig& r) { r.Tap(kKeyDown).Tap(kKeyEnter); }, true},
      {"right arrow", [](MenuRig& r) { r.Tap(kKeyUp).Tap(kKeyRight); }, true},
      {"bomb key", [](MenuRig& r) { r.Tap(kKeyUp).Tap(r.game.settings.keyBomb); }, true},
      {"left does nothing", [](MenuRig& r) { r.Tap(kKeyUp).Tap(kKeyLeft).Tap(kKeyEnter); }, true},
      {"click on Yes", [](MenuRig& r) { r.Click(300, r.cy + 10); }, true},
      {"click on No", [](MenuRig& r) { r.Click(300, r.cy + 45); }, false},
  };
  for (const Case& c : cases) {
    MenuRig rig;
    c.script(rig);
    EXPECT_EQ(ConfirmDialog(rig.game, false, "Sure?"), c.yes) << c.name;
    EXPECT_EQ(rig.input.frame(), rig.last()) << c.name;
  }
}

TEST(ConfirmDialogTest, NoIsUnderThePointerOnEntryAndAnOldHitAnswersNothing) {
  MenuRig rig;
  rig.input.TapKey(1, kKeyEnter);
  rig.input.Poll();  // an Enter hit waiting when the dialog opens
  rig.next = 4;
  rig.Tap(kKeyEscape);
  EXPECT_FALSE(ConfirmDialog(rig.game, false, "Sure?"));
  EXPECT_EQ(rig.input.frame(), rig.last());
  EXPECT_EQ(rig.input.MouseX(), rig.cx - 300);
  EXPECT_EQ(rig.input.MouseY(), rig.cy + 50);
}

TEST(ConfirmDialogTest, TheTitleOrConfirm) {
  for (const std::string title : {"Keep Changes?", ""}) {
    MenuRig rig;
    rig.Tap(kKeyEscape);
    std::vector<DrawRecord> records;
    rig.fx.hp.gfx.SetRecorder(&records);
    ConfirmDialog(rig.game, false, title);
    const std::string shown = title.empty() ? "Confirm" : title;
    EXPECT_EQ(Drawn(records, shown, rig.cx - 280, rig.cy - 80, 6), (std::vector<MenuColour>{kRed, kRed})) << shown;
  }
}

TEST(ConfirmDialogTest, AJoystickButtonAnswersAndSetsDebounce) {
  for (const bool yes : {false, true}) {
    MenuRig rig;
    if (yes) rig.Tap(kKeyUp);
    rig.input.PressJoy(1, 0, 0, 1000);
    EXPECT_EQ(ConfirmDialog(rig.game, true, "Sure?"), yes);
    EXPECT_EQ(rig.input.frame(), 20);
    EXPECT_EQ(rig.game.input.debounce, 20);
  }
}

// ---------------------------------------------------------------------------------------------------
// The settings hub, with stand-in screens that return scripted results.

struct FakeScreens {
  struct Call {
    int screen;  // 0 audio, 1 video, 2 controls, 3 game
    bool withBackdrop;
    int frame;
  };
  std::vector<int> results[4];  // per screen, the results of its visits in turn (then 0)
  std::vector<Call> calls;
  std::function<void(Game&, int screen)> during;  // what a screen does to the game while open

  SettingsScreens Make() {
    auto screen = [this](int which) {
      return [this, which](Game& game, bool withBackdrop) {
        calls.push_back({which, withBackdrop, input ? input->frame() : 0});
        if (during) during(game, which);
        int visits = 0;
        for (const Call& c : calls) visits += c.screen == which;
        const std::vector<int>& r = results[which];
        return visits <= static_cast<int>(r.size()) ? r[static_cast<std::size_t>(visits - 1)] : 0;
      };
    };
    return {screen(0), screen(1), screen(2), screen(3)};
  }
  const HeadlessInput* input = nullptr;  // for the frame each screen opened in
};

// The hub's rows: "Audio", "Video", "Controls", "Game" from cy - 40 down, 40 apart.
int HubRowY(const MenuRig& rig, int row) { return rig.cy - 40 + 40 * row; }

TEST(SettingsHubTest, ReturnsTwoWhenAVideoControlsOrGameScreenAskedForANewGame) {
  struct Visit {
    int row, result;
  };
  struct Case {
    const char* name;
    std::vector<Visit> visits;
    int expected;
  };
  const Case cases[] = {
      {"Done at once", {}, 0},
      {"nothing kept", {{1, 0}, {3, 0}, {0, 0}, {2, 0}}, 0},
      {"the display changed, then the game screen kept nothing", {{1, 2}, {3, 0}}, 2},
      {"game changes kept", {{3, 2}}, 2},
      {"the controller screens", {{2, 2}}, 2},
      {"the audio screen never ends a game", {{0, 2}}, 0},
      {"the same screen twice, the second time kept", {{3, 0}, {3, 2}}, 2},
  };
  for (const Case& c : cases) {
    MenuRig rig;
    FakeScreens fake;
    for (const Visit& v : c.visits) {
      fake.results[v.row].push_back(v.result);
      rig.Click(100, HubRowY(rig, v.row) + 5);
    }
    rig.Tap(kKeyEscape);
    EXPECT_EQ(SettingsHub(rig.game, false, fake.Make()), c.expected) << c.name;
    EXPECT_EQ(rig.input.frame(), rig.last()) << c.name;
    ASSERT_EQ(fake.calls.size(), c.visits.size()) << c.name;
    for (std::size_t i = 0; i < c.visits.size(); ++i) EXPECT_EQ(fake.calls[i].screen, c.visits[i].row) << c.name;
    EXPECT_EQ(rig.game.input.debounce, 20) << c.name;
  }
}

TEST(SettingsHubTest, AfterEachScreenThePointerRestsOnItsRow) {
  for (int row = 0; row < 4; ++row) {
    MenuRig rig;
    FakeScreens fake;
    rig.Click(100, HubRowY(rig, row) + 2);
    rig.Tap(kKeyEscape);
    SettingsHub(rig.game, false, fake.Make());
    ASSERT_EQ(fake.calls.size(), 1u) << row;
    EXPECT_EQ(rig.input.MouseX(), rig.cx - 300) << row;
    EXPECT_EQ(rig.input.MouseY(), HubRowY(rig, row) + 20) << row;
  }
}

TEST(SettingsHubTest, DoneIsUnderThePointerOnEntryAndLeftLeavesFromAnyRow) {
  MenuRig rig;
  FakeScreens fake;
  rig.Tap(kKeyUp, 3).Tap(kKeyLeft);
  EXPECT_EQ(SettingsHub(rig.game, false, fake.Make()), 0);
  EXPECT_EQ(rig.input.frame(), rig.last());
  EXPECT_TRUE(fake.calls.empty());

  MenuRig entry;
  entry.Tap(kKeyEnter);
  SettingsHub(entry.game, false, fake.Make());
  EXPECT_EQ(entry.input.MouseY(), entry.cy + 140);
  EXPECT_TRUE(fake.calls.empty()) << "Enter on \"Done\" opens nothing";
}

TEST(SettingsHubTest, AButtonStillHeldAfterAScreenWaitsTwentyFramesToChooseAgain) {
  MenuRig rig;
  FakeScreens fake;
  fake.input = &rig.input;
  fake.during = [](Game& game, int) { game.input.debounce = 0; };  // the screen ended with debounce spent
  rig.input.At({HeadlessInput::Event::kMouseMove, 1, 100, HubRowY(rig, 0) + 5, 0});
  rig.input.PressJoy(1, 0, 0, 1000);
  rig.input.RequestQuit(60);
  SettingsHub(rig.game, false, fake.Make());
  ASSERT_EQ(fake.calls.size(), 3u);
  EXPECT_EQ(fake.calls[0].frame, 20) << "debounce of the entry";
  EXPECT_EQ(fake.calls[1].frame, 40) << "debounce set again after the screen";
  EXPECT_EQ(fake.calls[2].frame, 60);
}

TEST(SettingsHubTest, ControlsAppliesThePortInUseAfterwards) {
  MenuRig rig;
  FakeScreens fake;
  fake.during = [](Game& game, int) {
    game.settings.usedPort = 2;
    game.settings.joyPorts[2].optionButton = 7;
  };
  rig.Click(100, HubRowY(rig, 2) + 5).Tap(kKeyEscape);
  SettingsHub(rig.game, false, fake.Make());
  EXPECT_EQ(rig.game.activeJoy.optionButton, 7);
}

// ---------------------------------------------------------------------------------------------------
// The options menu with the hub behind "Settings".

TEST(OptionsMenuTest, SettingsThatNeedANewGameEndTheRunningGameOnly) {
  for (const int inGame : {1, 0}) {
    MenuRig rig;
    FakeScreens fake;
    fake.results[1] = {2};
    rig.Click(100, rig.cy + 5);                 // "Settings"
    rig.Click(100, HubRowY(rig, 1) + 5);        // "Video": new display settings kept
    rig.Tap(kKeyEscape);                        // "Done"
    const int hubDone = rig.last();
    rig.next += 4;
    rig.Tap(kKeyEscape);                        // "Continue", between games
    const int result = OptionsMenu(rig.game, inGame, fake.Make());
    ASSERT_EQ(fake.calls.size(), 1u);
    EXPECT_EQ(fake.calls[0].withBackdrop, inGame == 1) << "the backdrop flag passes down";
    if (inGame == 1) {
      EXPECT_EQ(result, 2);
      EXPECT_EQ(rig.input.frame(), hubDone);
    } else {
      EXPECT_EQ(result, 0);
      EXPECT_EQ(rig.input.frame(), rig.last());
      EXPECT_EQ(rig.input.MouseX(), rig.cx - 300) << "the pointer back on \"Settings\"";
      EXPECT_EQ(rig.input.MouseY(), rig.cy + 20);
    }
  }
}

// ---------------------------------------------------------------------------------------------------
// A closed window ends every menu at once; the options menu then leaves the program.

TEST(MenusWindowCloseTest, EveryMenuEndsAtOnce) {
  struct Case {
    const char* name;
    std::function<void(MenuRig&)> script;
    std::function<int(Game&)> run;
    int expected;
  };
  const Case cases[] = {
      {"options between games", [](MenuRig&) {}, [](Game& g) { return OptionsMenu(g, 0); }, 1},
      {"options, in the dialog on Yes", [](MenuRig& r) { r.Tap(kKeyUp).Tap(kKeyEnter).Tap(kKeyUp); },
       [](Game& g) { return OptionsMenu(g, 1); }, 1},
      {"options, in the hub after a kept change",
       [](MenuRig& r) { r.Click(100, r.cy + 5).Click(100, HubRowY(r, 3) + 5); },
       [](Game& g) {
         FakeScreens fake;
         fake.results[3] = {2};
         return OptionsMenu(g, 1, fake.Make());
       },
       1},
      {"the dialog on Yes", [](MenuRig& r) { r.Tap(kKeyUp); },
       [](Game& g) { return ConfirmDialog(g, false, "") ? 1 : 0; }, 0},
      {"the hub", [](MenuRig&) {}, [](Game& g) { return SettingsHub(g, false); }, 0},
  };
  for (const Case& c : cases) {
    MenuRig rig;
    c.script(rig);
    rig.Close();
    EXPECT_EQ(c.run(rig.game), c.expected) << c.name;
    EXPECT_EQ(rig.input.frame(), rig.last()) << c.name;
  }
}

}  // namespace
}  // namespace qv
