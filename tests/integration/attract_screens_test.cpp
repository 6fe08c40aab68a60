// The four attract screens through their real frame loops on the headless devices: how long each
// runs, how the start controls end it, what each draws where, and the title's build-up.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <string>

#include "enemies/black_hole.h"
#include "platform/degmath.h"
#include "render/image_set.h"
#include "screens/attract.h"
#include "screens/credits.h"
#include "screens/enemies.h"
#include "screens/friends.h"
#include "screens/top_scores.h"
#include "shell/shared_tables.h"
#include "support/drawn_text.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

struct Attract {
  explicit Attract(std::uint32_t seed = 7) : fx(seed) {
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(QV_BUILD_DIR);  // the sprites are built beside the tests
    LoadImageSet(game.gfx, game.images, 0);
    std::filesystem::current_path(here);
  }
  int Presented() const { return fx.hp.gfx.FramesPresented(); }
  void Record() { fx.hp.gfx.SetRecorder(&records); }
  std::vector<std::size_t> Find(std::string_view text, int x, int y, float scale,
                                std::optional<Rgb> colour = std::nullopt) {
    return test::FindText(game, records, text, x, y, scale, colour);
  }

  test::GameFixture fx;
  Game& game = fx.game;
  HeadlessInput& input = fx.hp.input;
  std::vector<DrawRecord> records;
};

struct ScreenCase {
  const char* name;
  std::function<int(Game&)> show;
  int frames;
  bool countsGameTicks;
  int restAfterStart;  // the joystick rest left when the start control ends the screen
};

void PrintTo(const ScreenCase& s, std::ostream* os) { *os << s.name; }

const ScreenCase kScreens[] = {
    {"Credits", ShowCredits, 700, true, 19},
    {"TopScores", [](Game& g) { return ShowTopScores(g, -1); }, 750, false, 20},
    {"Friends", ShowFriends, 750, true, 19},
    {"Enemies", ShowEnemies, 750, false, 19},
};

class EachAttractScreen : public ::testing::TestWithParam<ScreenCase> {};

TEST_P(EachAttractScreen, RunsItsFramesAndLetsTheCycleGoOn) {
  const ScreenCase& s = GetParam();
  Attract a;
  a.game.state.gameTicks = 100;
  EXPECT_EQ(s.show(a.game), 0);
  EXPECT_EQ(a.Presented(), s.frames);
  EXPECT_EQ(a.game.state.startRequested, 0);
  EXPECT_EQ(a.game.state.gameTicks, 100 + (s.countsGameTicks ? s.frames : 0));
}

TEST_P(EachAttractScreen, TheBombKeyOrMouseButtonOnTheFirstFrameStartsAGameAtOnce) {
  const ScreenCase& s = GetParam();
  for (const bool mouse : {false, true}) {
    Attract a;
    if (mouse)
      a.input.ClickMouse(1, 2);
    else
      a.input.TapKey(1, a.game.settings.keyBomb);
    EXPECT_EQ(s.show(a.game), 0);
    EXPECT_EQ(a.Presented(), 1) << "no second frame is drawn";
    EXPECT_EQ(a.game.state.startRequested, 1);
    EXPECT_EQ(a.game.input.debounce, s.restAfterStart);
    // Only the credits screen keeps the title finished for its next visit.
    EXPECT_EQ(a.game.creditsTimer, std::string(s.name) == "Credits" ? 600 : 0);
  }
}

TEST_P(EachAttractScreen, AJoystickBombButtonWaitsOutTheRest) {
  const ScreenCase& s = GetParam();
  struct Scheme {
    ControlType type;
    int button;
  };
  for (const Scheme scheme : {Scheme{ControlType::DualAnalog, 2}, Scheme{ControlType::Joypad, 4}}) {
    Attract a;
    a.game.settings.controlType = scheme.type;
    a.input.PressJoy(1, 0, scheme.button, 1000);
    EXPECT_EQ(s.show(a.game), 0);
    EXPECT_EQ(a.Presented(), 20) << "the button counts once the 20-frame rest is over";
    EXPECT_EQ(a.game.state.startRequested, 1);
  }
  Attract other;  // another scheme's button starts nothing
  other.game.settings.controlType = ControlType::Mouse;
  other.input.PressJoy(1, 0, 2, 1000);
  EXPECT_EQ(s.show(other.game), 0);
  EXPECT_EQ(other.game.state.startRequested, 0);
}

TEST_P(EachAttractScreen, AClosedWindowEndsTheProgramPromptly) {
  const ScreenCase& s = GetParam();
  Attract a;
  a.input.RequestQuit(5);
  EXPECT_EQ(s.show(a.game), 1);
  EXPECT_EQ(a.Presented(), 5);
}

INSTANTIATE_TEST_SUITE_P(AttractScreens, EachAttractScreen, ::testing::ValuesIn(kScreens),
                         [](const ::testing::TestParamInfo<ScreenCase>& info) { return info.param.name; });

// --- Credits ---

TEST(CreditsScreen, EachVisitAddsTwoAwakeBlackHolesNearTheCentre) {
  Attract a;
  a.input.TapKey(1, a.game.settings.keyBomb);
  ShowCredits(a.game);
  ASSERT_EQ(a.game.blackHoles.Count(), 2);
  a.game.blackHoles.ForEach([](const BlackHole& h) {
    EXPECT_EQ(h.active, 1);
    EXPECT_GE(h.size, 12);
    EXPECT_LE(h.size, 50);
    EXPECT_GE(h.x, 412);
    EXPECT_LE(h.x, 612);
    EXPECT_GE(h.y, 284);
    EXPECT_LE(h.y, 484);
  });
  a.input.TapKey(3, a.game.settings.keyBomb);
  ShowCredits(a.game);
  EXPECT_EQ(a.game.blackHoles.Count(), 4);
}

TEST(CreditsScreen, TheTitleBuildsUpACopyEvery25FramesAndGrowsTo20) {
  struct Case {
    int timer;
    int copies;
    float width;  // of the first copy, from its leftmost to its rightmost point
  };
  // "Quorvax 2" spans 8 cells and 4 units of the last glyph: 44 units.
  const Case cases[] = {{0, 1, 0}, {24, 1, 44}, {25, 2, 25 / 24.0f * 44}, {480, 20, 880}, {600, 25, 880}};
  for (const Case& c : cases) {
    Attract a;
    a.game.settings.particleStyle = -1;  // no sparks among the lines
    a.game.creditsTimer = c.timer;
    a.Record();
    a.input.TapKey(1, a.game.settings.keyBomb);
    ShowCredits(a.game);
    // The title is the only text in the cycling colour.
    const CyclingColour& cc = a.game.cycling;
    std::vector<const DrawRecord*> title;
    for (const DrawRecord& r : a.records)
      if (r.kind == DrawRecord::kLine && r.r == cc.red && r.g == cc.green && r.b == cc.blue) title.push_back(&r);
    std::vector<DrawRecord> alone;
    a.game.gfx.SetRecorder(&alone);
    a.game.DrawText(kCreditsTitle, 0, 0, 1);
    ASSERT_EQ(title.size() % alone.size(), 0u);
    EXPECT_EQ(static_cast<int>(title.size() / alone.size()), c.copies) << "timer " << c.timer;
    float left = 1e9f, right = -1e9f;
    for (std::size_t k = 0; k < alone.size(); ++k) {
      left = std::min({left, title[k]->points[0], title[k]->points[2]});
      right = std::max({right, title[k]->points[0], title[k]->points[2]});
    }
    EXPECT_NEAR(right - left, c.width, 1e-3) << "timer " << c.timer;
  }
}

TEST(CreditsScreen, AFinishedTitleCirclesOnARadiusOf12) {
  Attract a;
  a.game.creditsTimer = 600;
  a.Record();
  a.input.TapKey(1, a.game.settings.keyBomb);
  ShowCredits(a.game);
  const CyclingColour& cc = a.game.cycling;
  const Rgb colour{cc.red, cc.green, cc.blue};
  // Centred: (1024 - 8 x 20 x 5.5) / 2 = 72 across; (768 - 360) / 2 - 50 + 75 - 75 = 154 down. Copies
  // j and j + 18 share a place; these three have theirs to themselves.
  for (const int j : {7, 8, 17}) {
    const double angle = 20.0 * j;
    const int x = static_cast<int>(72 + CosDeg(angle) * 12), y = static_cast<int>(154 + SinDeg(angle) * 12);
    EXPECT_EQ(a.Find(kCreditsTitle, x, y, 20, colour).size(), 1u) << "copy " << j;
  }
}

TEST(CreditsScreen, CreditLinesSitAtTheBottomAndThePromptBlinksEvery60Frames) {
  Attract a;
  a.game.versionText = BuildVersionText();
  a.Record();
  a.input.TapKey(31, a.game.settings.keyBomb);  // frames 0..30: the prompt shows on frame 30 only
  ShowCredits(a.game);
  const Rgb green{32, 160, 32};
  EXPECT_EQ(a.Find(kCreditLine, 336, 488, 3.2f, green).size(), 31u);
  EXPECT_EQ(a.Find(kAuthorLine, 400, 528, 3.2f, green).size(), 31u);
  EXPECT_EQ(a.Find("Version 5.0 - Mar 13, 2006", 332, 568, 3, green).size(), 31u);
  EXPECT_EQ(a.Find("Special Thanks To", 384, 608, 3.2f, Rgb{240, 32, 200}).size(), 31u);
  EXPECT_EQ(a.Find(kThanksLine, 64, 648, 3.2f, Rgb{200, 32, 240}).size(), 31u);
  EXPECT_EQ(a.Find("Press BOMB Button to Start", 252, 736, 4, Rgb{255, 255, 0}).size(), 1u);
}

TEST(CreditsScreen, ScaleWithTheScreensWidth) {
  Attract a;
  a.game.view.viewWidth = 1280;
  a.game.view.viewHeight = 1024;
  a.Record();
  a.input.TapKey(1, a.game.settings.keyBomb);
  ShowCredits(a.game);
  // k = 1.25: "Special Thanks To" at size 4, 160 pixels left of the centre.
  EXPECT_EQ(a.Find("Special Thanks To", 480, 864, 3.2f * 1.25f, Rgb{240, 32, 200}).size(), 1u);
}

// --- Top scores ---

TEST(TopScoresScreen, ShowsTheRightTableAndHighlightsTheNewEntryInYellow) {
  struct Case {
    int highlightRow, lastDifficulty;
    std::string heading;
  };
  const Case cases[] = {{-1, 2, "TOP SCORES - Easy"}, {3, 2, "TOP SCORES - Hard"}, {-20, 1, "TOP SCORES - Medium"}};
  const Rgb yellow{255, 255, 0};
  for (const Case& c : cases) {
    Attract a;
    a.game.state.gameDifficulty = c.lastDifficulty;
    a.game.state.score = 1;
    a.Record();
    a.input.TapKey(1, a.game.settings.keyBomb);
    ShowTopScores(a.game, c.highlightRow);
    EXPECT_EQ(a.Find(c.heading, 312, 164, 4, Rgb{0, 0, 240}).size(), 1u) << c.heading;
    EXPECT_EQ(a.Find("SCORE", 262, 204, 3, Rgb{64, 240, 64}).size(), 1u);
    EXPECT_EQ(a.Find("NAME", 412, 204, 3, Rgb{64, 240, 64}).size(), 1u);
    EXPECT_EQ(a.Find("TIME", 642, 204, 3, Rgb{64, 240, 64}).size(), 1u);
    // Row 3 of the table shown, right-aligned on 332.
    const int column = c.highlightRow == -1 ? 0 : c.lastDifficulty;
    const HighScoreRow& row3 = a.game.scores.rows[3][static_cast<std::size_t>(column)];
    const std::string score = std::to_string(row3.score);
    const int x = 332 - 14 * static_cast<int>(score.size());
    const bool highlighted = c.highlightRow == 3;
    EXPECT_EQ(a.Find(score, x, 324, 3, yellow).size(), highlighted ? 1u : 0u) << c.heading;
    EXPECT_EQ(a.Find(row3.name, 392, 324, 3, yellow).size(), highlighted ? 1u : 0u) << c.heading;
    EXPECT_EQ(a.Find(row3.time, 576, 324, 3, yellow).size(), highlighted ? 1u : 0u) << c.heading;
    EXPECT_EQ(a.Find(score, x, 324, 3).size(), 1u) << c.heading;
    // The best row is in the newest colour of the trail.
    const CyclingColour& cc = a.game.cycling;
    const std::string best = std::to_string(a.game.scores.rows[0][static_cast<std::size_t>(column)].score);
    const Rgb newest{cc.red, cc.green, cc.blue};
    EXPECT_EQ(a.Find(best, 332 - 14 * static_cast<int>(best.size()), 234, 3, newest).size(), 1u);
  }
}

TEST(TopScoresScreen, AGameOffTheTableShowsItsScoreAndTimeInRedBeneath) {
  for (const int highlightRow : {-20, -1}) {
    Attract a;
    a.game.state.gameDifficulty = 1;
    a.game.state.score = 1234;
    a.game.state.gameTicks = 3050;
    a.Record();
    a.input.TapKey(1, a.game.settings.keyBomb);
    ShowTopScores(a.game, highlightRow);
    const std::size_t expected = highlightRow == -20 ? 1 : 0;
    EXPECT_EQ(a.Find("1234", 308, 564, 3, Rgb{255, 0, 0}).size(), expected) << highlightRow;
    EXPECT_EQ(a.Find("1 mn, 1 sec", 544, 564, 3, Rgb{255, 0, 0}).size(), expected) << highlightRow;
  }
}

TEST(TopScoresScreen, HoldingPShowsTheSmallTableWithSettingsUntilReleased) {
  Attract a;
  a.game.scores.rows[1][0].settings = "5.0,800X600,1024X768,Mouse,1,2,3,1,50";
  a.Record();
  a.input.HoldKey(1, 'P', 2);                   // held on frame 1 only
  a.input.TapKey(3, a.game.settings.keyBomb);  // frames 0, 1 and 2
  ShowTopScores(a.game, -1);
  // Easy row 1: 181000, six digits from 248.
  const std::vector<std::size_t> large = a.Find("181000", 248, 264, 3);
  const std::vector<std::size_t> small = a.Find("181000", 248, 266, 2);
  const std::vector<std::size_t> details = a.Find("5.0,800X600,1024X768,Mouse,1,2,3,1,50", 248, 282, 2);
  ASSERT_EQ(large.size(), 2u);
  ASSERT_EQ(small.size(), 1u);
  ASSERT_EQ(details.size(), 1u);
  EXPECT_LT(large[0], small[0]);
  EXPECT_LT(small[0], details[0]);
  EXPECT_LT(details[0], large[1]);
  EXPECT_EQ(a.Find("Vornakel", 392, 266, 2).size(), 1u);
  EXPECT_EQ(a.Find("Vornakel", 392, 264, 3).size(), 2u);
}

TEST(TopScoresScreen, TheAttractFormTurnsThroughTheDifficultiesEvery250Frames) {
  Attract a;
  TopScoresView view = StartTopScores(a.game, -1);
  a.Record();
  const std::pair<int, std::string> frames[] = {
      {249, "TOP SCORES - Easy"}, {250, "TOP SCORES - Medium"}, {500, "TOP SCORES - Hard"}, {749, "TOP SCORES - Hard"}};
  for (const auto& [frame, heading] : frames) {
    a.records.clear();
    TopScoresFrame(a.game, view, frame);
    EXPECT_EQ(a.Find(heading, 312, 164, 4).size(), 1u) << frame;
  }
}

// --- Friends and enemies ---

struct Layout {
  int width, height;
  int spacing, stagger;
};
const Layout kLayouts[] = {{1024, 768, 50, 0}, {800, 600, 50, 0}, {800, 599, 32, 32}, {640, 480, 32, 32}};

float X(const DrawRecord* r) { return r->points[0]; }
float Y(const DrawRecord* r) { return r->points[1]; }

TEST(FriendsScreen, RowsAreSpacedByTheScreensHeight) {
  for (const Layout& l : kLayouts) {
    Attract a;
    a.game.view.viewWidth = l.width;
    a.game.view.viewHeight = l.height;
    FriendsView view;
    a.Record();
    FriendsFrame(a.game, view, 501);
    const float cx = static_cast<float>(l.width / 2), cy = static_cast<float>(l.height / 2);
    const float r = static_cast<float>(l.spacing), s = static_cast<float>(l.stagger);
    const auto ship = test::ImageDraws(a.records, a.game.images.whitePlayer);
    const auto powerUps = test::ImageDraws(a.records, a.game.images.powerUps);
    const auto stars = test::ImageDraws(a.records, a.game.images.whiteStar);
    ASSERT_EQ(ship.size(), 1u);
    ASSERT_EQ(powerUps.size(), 9u);
    ASSERT_EQ(stars.size(), 9u);
    EXPECT_EQ(X(ship[0]), cx - 200 + s);
    EXPECT_EQ(Y(ship[0]), cy - 4 * r);
    EXPECT_EQ(powerUps[0]->frame, 2);
    EXPECT_EQ(X(powerUps[0]), cx - 200 - s);
    EXPECT_EQ(Y(powerUps[0]), cy - 3 * r);
    EXPECT_EQ(powerUps[8]->frame, 10);
    EXPECT_EQ(X(powerUps[8]), cx - 200 - s);
    EXPECT_EQ(Y(powerUps[8]), cy + 5 * r);
    for (std::size_t k = 0; k < 9; ++k) {
      EXPECT_EQ(X(stars[k]), X(powerUps[k]));
      EXPECT_EQ(Y(stars[k]), Y(powerUps[k]));
    }
    EXPECT_EQ(a.Find("Your Ship", l.width / 2 - 100, l.height / 2 - 4 * l.spacing - 10, 3,
                     a.game.colours[kPlayerColour]).size(), 1u);
    EXPECT_EQ(a.Find("Bouncy Shots", l.width / 2 - 100, l.height / 2 + 5 * l.spacing - 10, 3,
                     a.game.colours[kDiamondColour]).size(), 1u);
  }
}

TEST(FriendsScreen, RowsAppearOneEvery50Frames) {
  Attract a;
  FriendsView view;
  a.Record();
  for (const auto& [frame, rows] : {std::pair{50, 0}, std::pair{51, 1}, std::pair{101, 2}, std::pair{500, 9}}) {
    a.records.clear();
    FriendsFrame(a.game, view, frame);
    const std::size_t images = test::ImageDraws(a.records, a.game.images.whitePlayer).size() +
                               test::ImageDraws(a.records, a.game.images.powerUps).size();
    EXPECT_EQ(images, static_cast<std::size_t>(rows)) << frame;
  }
}

TEST(FriendsScreen, StarsTakeTheirColoursFromTheTrail) {
  Attract a;
  FriendsView view;
  for (int i = 0; i < 600; ++i) FriendsFrame(a.game, view, i);
  a.Record();
  FriendsFrame(a.game, view, 600);
  // Rows 2 to 9 use trail entries 0, 1, 2, 3, 4, 5, 6, 6 and 7.
  const int entries[] = {0, 1, 2, 3, 4, 5, 6, 6, 7};
  const auto stars = test::ImageDraws(a.records, a.game.images.whiteStar);
  ASSERT_EQ(stars.size(), 9u);
  for (std::size_t k = 0; k < 9; ++k) {
    const Rgb& c = view.trail.entries[static_cast<std::size_t>(entries[k])];
    EXPECT_EQ((Rgb{stars[k]->r, stars[k]->g, stars[k]->b}), c) << "row " << k + 2;
  }
  EXPECT_NE(view.trail.entries[0], view.trail.entries[7]) << "the trail holds colours of different ages";
}

TEST(EnemiesScreen, RowsAreSpacedByTheScreensHeightAndTheSnakeWriggles) {
  for (const Layout& l : kLayouts) {
    Attract a;
    a.game.view.viewWidth = l.width;
    a.game.view.viewHeight = l.height;
    a.Record();
    const int i = 501;
    EnemiesFrame(a.game, i);
    const float cx = static_cast<float>(l.width / 2), cy = static_cast<float>(l.height / 2);
    const float r = static_cast<float>(l.spacing), s = static_cast<float>(l.stagger);
    const ImageSet& im = a.game.images;
    const auto first = test::ImageDraws(a.records, im.pinkPinwheel);
    const auto second = test::ImageDraws(a.records, im.blueDiamond);
    const auto last = test::ImageDraws(a.records, im.indigoTriangle);
    ASSERT_EQ(first.size(), 1u);
    ASSERT_EQ(second.size(), 1u);
    ASSERT_EQ(last.size(), 1u);
    EXPECT_EQ(X(first[0]), cx - 200 - s);
    EXPECT_EQ(Y(first[0]), cy - 4 * r);
    EXPECT_EQ(X(second[0]), cx - 200 + s);
    EXPECT_EQ(Y(second[0]), cy - 3 * r);
    EXPECT_EQ(X(last[0]), cx - 200 - s);
    EXPECT_EQ(Y(last[0]), cy + 5 * r);

    const auto head = test::ImageDraws(a.records, im.snakeHead);
    const auto tail = test::ImageDraws(a.records, im.snakeTail);
    ASSERT_EQ(head.size(), 1u);
    ASSERT_EQ(tail.size(), 23u);
    const float headX = cx - 155 + s, midY = cy + 2 * r;
    EXPECT_EQ(X(head[0]), headX);
    EXPECT_NEAR(Y(head[0]), midY + 16 * SinDeg(i), 1e-3);
    for (int n = 1; n <= 23; ++n) {
      const DrawRecord* seg = tail[static_cast<std::size_t>(n - 1)];
      EXPECT_EQ(seg->frame, 24 - n);
      EXPECT_EQ(X(seg), headX - 13.0f * n);
      EXPECT_NEAR(Y(seg), midY + 16 * SinDeg(30.0 * n + i), 1e-3);
    }
    EXPECT_EQ(a.Find("Selena the Snake (100 pts)", l.width / 2 - 120, l.height / 2 + 2 * l.spacing - 10, 3,
                     a.game.colours[kSnakeHeadColour]).size(), 1u);
  }
}

TEST(EnemiesScreen, TheDiamondBreathesWideThenTall) {
  struct Case {
    int frame;
    float sx, sy;
  };
  const Case cases[] = {{0, 1, 1},           {32, 1.4f, 1},         {63, 1 + 63 / 80.0f, 1}, {64, 1 + 63 / 80.0f, 1},
                        {127, 1, 1},         {128, 1, 1 + 1 / 80.0f}, {190, 1, 1 + 63 / 80.0f}, {191, 1, 1.8f},
                        {255, 1, 1},         {256 + 32, 1.4f, 1}};
  for (const Case& c : cases) {
    const Scale2 s = DiamondBreath(c.frame);
    EXPECT_FLOAT_EQ(s.x, c.sx) << c.frame;
    EXPECT_FLOAT_EQ(s.y, c.sy) << c.frame;
  }
}

TEST(AttractPrompt, BlinksOnForFramesWhereTheRemainderOf50IsAbove25) {
  Attract a;
  a.Record();
  a.input.TapKey(52, a.game.settings.keyBomb);  // frames 0..51
  ShowEnemies(a.game);
  EXPECT_EQ(a.Find("Press BOMB Button to Start", 262, 736, 4, Rgb{255, 255, 0}).size(), 24u);
}

}  // namespace
}  // namespace qv
