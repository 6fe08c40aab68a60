// The player's ship: volley patterns and the fire beat, inertia and its limits, walls, heading, the
// engine trail, view scrolling, bombs, the function keys, and each control scheme driven by scripted
// input for a few frames.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "enemies/black_hole.h"
#include "enemies/simple_kinds.h"
#include "enemies/triangle.h"
#include "player/ship.h"
#include "player/shots.h"
#include "shell/game_flow.h"
#include "support/game_fixture.h"

namespace qv {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kFireUp = 38, kFireRight = 39, kFireLeft = 37, kFireDown = 40;  // the arrows
constexpr int kMoveLeft = 'S', kMoveRight = 'D', kMoveUp = 'E', kMoveDown = 'X';
constexpr int kSpace = 32;

class ShipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    game.sounds.Load();
    NewGameReset(game);  // Medium: 2 cannons, shot speed 3
    game.input.debounce = 0;
    game.settings.controlType = ControlType::Keyboard;
    game.settings.inertia = 0;
    game.ship.x = 512;
    game.ship.y = 384;
  }

  // One game frame of the ship: the devices are polled, then the ship updates.
  void Frame() {
    input.Poll();
    UpdateShip(game);
  }
  void Frames(int n) {
    for (int i = 0; i < n; ++i) Frame();
  }
  // Script helpers in terms of the frames still to come.
  int Next() const { return input.frame() + 1; }
  void Hold(int key) { input.HoldKey(Next(), key, 1 << 30); }
  void Release(int key) { input.At({HeadlessInput::Event::kKeyUp, Next(), key, 0, 0}); }
  void MouseTo(int x, int y) { input.At({HeadlessInput::Event::kMouseMove, Next(), x, y, 0}); }
  void MouseButton(int button, bool down) {
    input.At({down ? HeadlessInput::Event::kMouseDown : HeadlessInput::Event::kMouseUp, Next(), button, 0, 0});
  }
  void Axis(int slot, float value) { input.SetJoyAxis(Next(), 0, slot, value); }
  void JoyButton(int button, bool down) {
    input.At({down ? HeadlessInput::Event::kJoyDown : HeadlessInput::Event::kJoyUp, Next(), 0, button, 0});
  }

  int Plays(Sound sound) const {
    int n = 0;
    for (const AudioEvent& e : fx.hp.audio.Log())
      if (e.op == AudioOp::Start && e.sample == game.sounds.Sample(sound)) ++n;
    return n;
  }
  int SparksSince(int slotBefore) const {
    const int count = game.settings.particleCount;
    return ((game.particles.nextSlot - slotBefore) % count + count) % count;
  }
  std::vector<Shot> Shots() {
    std::vector<Shot> out;
    std::as_const(game.shots).ForEach([&](const Shot& s) { out.push_back(s); });
    return out;
  }
  std::vector<std::string> Texts() {
    std::vector<std::string> out;
    std::as_const(game.floatingTexts).ForEach([&](const FloatingText& t) { out.push_back(t.text); });
    return out;
  }

  test::GameFixture fx{7};
  Game& game = fx.game;
  HeadlessInput& input = fx.hp.input;
};

// ---- Volleys ----

struct VolleyShot {
  int angle;
  float factor;
  bool leadOut = false;  // created 25 velocity steps ahead of the ship
};

struct VolleyCase {
  const char* name;
  int cannons;
  bool reverse, side, debug;
  std::vector<VolleyShot> shots;
};

TEST_F(ShipTest, VolleyPatternsCreateTheirShotsInTableOrder) {
  const std::vector<VolleyCase> cases = {
      {"one cannon", 1, false, false, false, {{0, 3.2f}}},
      {"two cannons fork", 2, false, false, false, {{2, 3.15f}, {-2, 3.15f}}},
      {"three cannons", 3, false, false, false, {{0, 3.2f}, {4, 3.15f}, {-4, 3.15f}}},
      {"four cannons", 4, false, false, false, {{2, 3.15f}, {-2, 3.15f}, {5, 3.1f}, {-5, 3.1f}}},
      {"one cannon, rear", 1, true, false, false, {{0, 3.2f}, {-180, 3.0f}}},
      {"two cannons, sides", 2, false, true, false, {{2, 3.15f}, {-2, 3.15f}, {90, 3.0f}, {-90, 3.0f}}},
      {"three cannons, both timed cannons",
       3,
       true,
       true,
       false,
       {{0, 3.2f}, {4, 3.15f}, {-4, 3.15f}, {-180, 3.0f}, {90, 3.0f}, {-90, 3.0f}}},
      {"debug one", 1, false, false, true, {{0, 2.0f}}},
      {"debug two, led out", 2, false, false, true, {{12, 2.0f, true}, {-12, 2.0f, true}}},
      {"debug three",
       3,
       false,
       false,
       true,
       {{3, 2.0f}, {2, 2.05f}, {0, 2.05f}, {-2, 2.05f}, {-3, 2.0f}}},
      {"debug four", 4, false, false, true, {{-2, 2.0f}, {0, 2.25f}, {2, 2.0f}}},
      {"debug two, rear: only the fork is led out",
       2,
       true,
       false,
       true,
       {{12, 2.0f, true}, {-12, 2.0f, true}, {-180, 2.0f}}},
      {"debug four, both timed cannons",
       4,
       true,
       true,
       true,
       {{-2, 2.0f}, {0, 2.25f}, {2, 2.0f}, {-180, 2.0f}, {90, 2.0f}, {-90, 2.0f}}},
  };
  Hold(kFireRight);  // fire vector (1, 0): a shot's direction is its pattern angle
  for (const VolleyCase& c : cases) {
    SCOPED_TRACE(c.name);
    game.shots.Clear();
    game.ship.cannons = c.cannons;
    game.ship.shotSpeed = 3;
    game.ship.reverseTimer = c.reverse ? 10 : 0;
    game.ship.sideTimer = c.side ? 10 : 0;
    game.debugMode = c.debug ? 1 : 0;
    game.ship.fireCooldown = 0;
    const int soundsBefore = Plays(Sound::ShotBorn);
    Frame();
    const std::vector<Shot> shots = Shots();
    ASSERT_EQ(shots.size(), c.shots.size());
    for (std::size_t i = 0; i < shots.size(); ++i) {
      const VolleyShot& want = c.shots[i];
      const double speed = 3.0 * want.factor, a = want.angle * kPi / 180;
      const float vx = static_cast<float>(speed * std::cos(a)), vy = static_cast<float>(speed * std::sin(a));
      EXPECT_NEAR(shots[i].vx, vx, 1e-4) << "shot " << i;
      EXPECT_NEAR(shots[i].vy, vy, 1e-4) << "shot " << i;
      EXPECT_NEAR(shots[i].nominalSpeed, speed, 1e-4) << "shot " << i;
      const float lead = want.leadOut ? 25.0f : 0.0f;
      EXPECT_NEAR(shots[i].x, 512 + lead * vx, 1e-3) << "shot " << i;
      EXPECT_NEAR(shots[i].y, 384 + lead * vy, 1e-3) << "shot " << i;
    }
    EXPECT_EQ(Plays(Sound::ShotBorn) - soundsBefore, 1) << "one sound per volley";
  }
}

TEST_F(ShipTest, AVolleyAimsAlongTheNormalisedFireVector) {
  game.ship.cannons = 1;
  game.ship.shotSpeed = 5;
  Hold(kFireRight);
  Hold(kFireUp);
  Frame();
  EXPECT_NEAR(game.input.fireX, 1 / std::sqrt(2.0f), 1e-6);
  EXPECT_NEAR(game.input.fireY, -1 / std::sqrt(2.0f), 1e-6);
  ASSERT_EQ(game.shots.Count(), 1);
  const Shot& s = *game.shots.Front();
  EXPECT_NEAR(s.vx, 16 / std::sqrt(2.0f), 1e-4);  // 5 x 3.2 along the diagonal
  EXPECT_NEAR(s.vy, -16 / std::sqrt(2.0f), 1e-4);
}

struct BeatCase {
  int cannons;
  bool debug;
  int reload;
};

TEST_F(ShipTest, VolleysFallOnAFixedBeatWhetherOrNotThePlayerFires) {
  const BeatCase cases[] = {{1, false, 4}, {2, false, 5}, {3, false, 5}, {4, false, 6},
                            {1, true, 4},  {2, true, 8},  {3, true, 10}, {4, true, 8}};
  for (const BeatCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.cannons << " cannons, debug " << c.debug);
    game.ship.cannons = c.cannons;
    game.debugMode = c.debug ? 1 : 0;
    game.ship.fireCooldown = 0;
    // Not firing: the cooldown still reloads on the beat.
    Frame();
    EXPECT_EQ(game.ship.fireCooldown, c.reload);
    EXPECT_EQ(game.shots.Count(), 0);
    // Starting to fire just after the beat waits for the next one.
    Hold(kFireLeft);
    std::vector<int> volleyFrames;
    for (int f = 2; f <= 2 + 3 * c.reload; ++f) {
      const int before = Plays(Sound::ShotBorn);
      Frame();
      if (Plays(Sound::ShotBorn) > before) volleyFrames.push_back(f);
    }
    EXPECT_EQ(volleyFrames, (std::vector<int>{1 + c.reload, 1 + 2 * c.reload, 1 + 3 * c.reload}));
    Release(kFireLeft);
    Frame();
    game.shots.Clear();
  }
}

// ---- Movement ----

TEST_F(ShipTest, KeyboardDiagonalIsNormalisedToTheShipSpeed) {
  Hold(kMoveRight);
  Hold(kMoveDown);
  Frames(3);
  const float step = 6 / std::sqrt(2.0f);
  EXPECT_NEAR(game.ship.x, 512 + 3 * step, 1e-3);
  EXPECT_NEAR(game.ship.y, 384 + 3 * step, 1e-3);
}

TEST_F(ShipTest, InertiaLetsTheShipDriftAtAShrinkingSpeed) {
  game.settings.inertia = 0.9f;
  Hold(kMoveRight);
  Frame();
  Release(kMoveRight);
  std::vector<float> steps;
  float last = game.ship.x;
  for (int i = 0; i < 3; ++i) {
    Frame();
    steps.push_back(game.ship.x - last);
    last = game.ship.x;
  }
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_NEAR(steps[0], 5.4f, 1e-4);
  EXPECT_NEAR(steps[1], 4.86f, 1e-4);
  EXPECT_NEAR(steps[2], 4.374f, 1e-4);
}

TEST_F(ShipTest, AWallUndoesTheStepAndBouncesTheDrift) {
  game.settings.inertia = 0.5f;
  game.ship.x = 1006;
  game.ship.lastMoveX = 1;
  Frame();  // drift 0.5 x 6 = 3 would reach 1009, beyond 1024 - 16
  EXPECT_FLOAT_EQ(game.ship.x, 1006);
  EXPECT_FLOAT_EQ(game.ship.lastMoveX, -0.5f);
  Frame();  // the drift now runs back out of the wall
  EXPECT_FLOAT_EQ(game.ship.x, 1004.5f);

  game.settings.inertia = 0;
  game.ship.y = 17;
  Hold(kMoveUp);
  Frames(5);
  EXPECT_FLOAT_EQ(game.ship.y, 17) << "its own movement never takes the ship within 16 pixels of an edge";
}

TEST_F(ShipTest, ABlackHoleCanPullTheShipPastTheWallMargin) {
  auto hole = std::make_shared<BlackHole>();
  hole->x = 5;
  hole->y = 384;
  hole->size = 20;
  game.blackHoles.Append(hole);
  game.ship.x = 17;
  Frames(3);  // each frame 20 / 30 pixels toward the hole, dormant as it is
  EXPECT_NEAR(game.ship.x, 17 - 3 * 20.0f / 30, 1e-4);
  EXPECT_LT(game.ship.x, 16);
}

struct HeadingCase {
  float mx, my;
  int angle;
};

TEST_F(ShipTest, HeadingIsTheMoveDirectionLessNinetyTruncatedTowardZero) {
  game.settings.controlType = ControlType::DualAnalog;
  const HeadingCase cases[] = {
      {1, 0, -90},          {0, 1, 0},          {-1, 0, 90},    {0, -1, -180},
      {0.7f, 0.7f, -45},    {1, 0.5f, -63},     // -63.43: toward zero, not down to -64
      {-1, -0.5f, -243},    // atan2 -153.43 less 90
      {-1, 0.001f, 89},     // 179.94 less 90
  };
  for (const HeadingCase& c : cases) {
    game.ship.x = 512;
    game.ship.y = 384;
    Axis(0, c.mx);
    Axis(1, c.my);
    Frame();
    EXPECT_EQ(game.ship.angle, c.angle) << c.mx << ", " << c.my;
  }
  Axis(0, 0);
  Axis(1, 0);
  Frame();
  EXPECT_EQ(game.ship.angle, 89) << "a still ship keeps its heading";
}

// ---- Trail ----

TEST_F(ShipTest, TheTrailIsEmittedOnlyWhileAMoveComponentExceedsATenth) {
  game.settings.controlType = ControlType::DualAnalog;
  struct Case {
    float mx, my;
    int sparks;
  };
  for (const Case& c : {Case{0.1f, 0, 0}, Case{0.11f, 0, 3}, Case{0, -0.2f, 3}, Case{0.05f, -0.1f, 0},
                        Case{0, 0, 0}}) {
    game.trailSparks.Clear();
    Axis(0, c.mx);
    Axis(1, c.my);
    Frame();
    EXPECT_EQ(game.trailSparks.Count(), c.sparks) << c.mx << ", " << c.my;
  }
}

TEST_F(ShipTest, TheTrailFollowsADriftUntilItFallsToATenth) {
  game.settings.inertia = 0.9f;
  Hold(kMoveLeft);
  Frame();
  Release(kMoveLeft);
  Frames(40);
  // One frame under power, then 21 drifting frames while 0.9^n is above 0.1.
  EXPECT_EQ(game.trailSparks.Count(), 3 * 22);
}

TEST_F(ShipTest, TrailSparksCircleBehindTheShip) {
  game.state.gameTicks = 10;  // b = 120, 165, 210 degrees
  Hold(kMoveRight);
  Frame();
  std::vector<std::pair<float, float>> at;
  std::as_const(game.trailSparks).ForEach([&](const TrailSpark& s) { at.emplace_back(s.x, s.y); });
  ASSERT_EQ(at.size(), 3u);
  for (int i = 0; i < 3; ++i) {
    const double b = (120 + 45 * i) * kPi / 180;
    EXPECT_NEAR(at[i].first, 518 - 12 + 8 * std::sin(b), 1e-3) << i;
    EXPECT_NEAR(at[i].second, 384 + 8 * std::cos(b), 1e-3) << i;
  }
}

// ---- Scrolling ----

struct ScrollCase {
  float shipX;
  int scrollBefore, scrollAfter;
};

TEST_F(ShipTest, TheViewGlidesInEvenStepsNearAnEdgeAndStops80PixelsOut) {
  game.settings.scroll = 1;
  const ScrollCase cases[] = {
      {450, 0, -2},  {350, 0, -4},   {250, 0, -6}, {150, 0, -8}, {50, 0, -10},
      {500, 0, 0},                                   // exactly 500 from the edge: no glide
      {50, -75, -80},                                // 8 more would pass the 80-pixel overrun
      {574, 0, 2},                                   // 450 from the right edge
      {1000, 75, 80},                                // 99 from the right edge, clamped
  };
  for (const ScrollCase& c : cases) {
    game.ship.x = c.shipX;
    game.ship.y = 384;
    game.view.scrollX = c.scrollBefore;
    game.view.scrollY = 0;
    Frame();
    EXPECT_EQ(game.view.scrollX, c.scrollAfter) << c.shipX << " with the view at " << c.scrollBefore;
    EXPECT_EQ(game.view.scrollY, 0);
  }
  game.ship.x = 512;
  game.ship.y = 730;  // 38 above the bottom edge
  game.view.scrollX = game.view.scrollY = 0;
  Frame();
  EXPECT_EQ(game.view.scrollY, 10);
}

TEST_F(ShipTest, WithoutScrollingTheViewStays) {
  game.settings.scroll = 0;
  game.ship.x = 30;
  game.view.scrollX = 0;
  Frame();
  EXPECT_EQ(game.view.scrollX, 0);
}

// ---- Bombs ----

TEST_F(ShipTest, ABombClearsTheEnemiesWithoutPointsAndShieldsTheShip) {
  game.state.multiplier = 5;
  game.state.bombs = 3;
  auto p = std::make_shared<Pinwheel>();
  p->x = 100;
  p->y = 100;
  game.pinwheels.Append(p);
  const int slot = game.particles.nextSlot;
  Bomb(game);
  EXPECT_EQ(game.state.bombs, 2);
  EXPECT_EQ(game.input.debounce, 60);
  EXPECT_EQ(game.ship.shieldTimer, 65);
  EXPECT_EQ(game.state.multiplier, 1);
  EXPECT_EQ(game.state.score, 0);
  EXPECT_TRUE(game.pinwheels.Empty());
  EXPECT_EQ(SparksSince(slot), 720 + 16) << "720 bomb sparks and the pinwheel's 16";
  EXPECT_EQ(Plays(Sound::Explo1), 1);
}

TEST_F(ShipTest, WithNoBombLeftTheBombButtonDoesNothing) {
  game.state.bombs = 0;
  game.ship.shieldTimer = 0;
  game.input.debounce = 0;
  const int slot = game.particles.nextSlot;
  Hold(kSpace);
  Frame();
  EXPECT_EQ(game.state.bombs, 0);
  EXPECT_EQ(game.input.debounce, 0);
  EXPECT_EQ(game.ship.shieldTimer, 0);
  EXPECT_EQ(SparksSince(slot), 0);
  EXPECT_EQ(Plays(Sound::Explo1), 0);
}

TEST_F(ShipTest, AHeldBombButtonWaitsOutTheDebounce) {
  game.state.bombs = 9;
  game.input.debounce = 5;
  Hold(kSpace);
  std::vector<int> bombFrames;
  for (int f = 1; f <= 70; ++f) {
    const int before = game.state.bombs;
    Frame();
    if (game.state.bombs < before) bombFrames.push_back(f);
  }
  EXPECT_EQ(bombFrames, (std::vector<int>{5, 65}));
}

// ---- Function keys ----

TEST_F(ShipTest, SettingKeysCycleAndSayWhatTheyDid) {
  Settings& s = game.settings;
  struct Case {
    int key;
    int* field;
    int before, after;
    std::string message;
  };
  const Case cases[] = {
      {114, &s.gridStyle, 19, 20, "Grid Style =20"},
      {114, &s.gridStyle, 20, 0, "Grid Style =0"},
      {115, &s.starCount, 9900, 10000, "Number of Stars =10000"},
      {115, &s.starCount, 10000, 0, "Number of Stars =0"},
      {116, &s.particleGravity, 1, 0, "Particle Gravity OFF"},
      {116, &s.particleGravity, 0, 1, "Particle Gravity ON"},
      {117, &s.particleStyle, 2, 3, "Particle - Style 3"},
      {117, &s.particleStyle, 3, 0, "Particle - Style 0"},
      {118, &game.debugMode, 0, 1, "Debug ON"},
      {118, &game.debugMode, 1, 0, "Debug OFF"},
  };
  for (const Case& c : cases) {
    game.floatingTexts.Clear();
    *c.field = c.before;
    input.TapKey(Next(), c.key);
    Frame();
    Frame();  // the key is up again: one press, one change
    EXPECT_EQ(*c.field, c.after) << c.message;
    EXPECT_EQ(Texts(), std::vector<std::string>{c.message});
  }
  const FloatingText& t = *game.floatingTexts.Front();
  EXPECT_EQ(t.x, 412);
  EXPECT_EQ(t.y, 320);
  EXPECT_EQ(t.life, 70);
}

TEST_F(ShipTest, CheatKeysNeedCheatModeAndCheatingCostsTheTableForGood) {
  PlayerShip& ship = game.ship;
  GameState& st = game.state;
  auto press = [&](int key) {
    input.TapKey(Next(), key);
    Frame();
  };
  ship.cannons = 2;
  press('1');
  press('X');
  press(113);  // F2
  EXPECT_EQ(ship.reverseTimer, 0);
  EXPECT_EQ(ship.cannons, 2);
  EXPECT_EQ(st.godMode, 0);
  EXPECT_EQ(st.scoreEligible, 1);

  press(112);  // F1
  EXPECT_EQ(st.cheatMode, 1);
  EXPECT_EQ(st.scoreEligible, 0);
  press('1');
  EXPECT_EQ(ship.reverseTimer, 449) << "450, less this frame's tick";
  press('2');
  EXPECT_EQ(ship.sideTimer, 449);
  press('3');
  EXPECT_EQ(ship.superTimer, 449);
  press('4');
  EXPECT_EQ(ship.bouncyTimer, 449);
  press('X');
  press('X');
  press('X');
  EXPECT_EQ(ship.cannons, 4);
  press('Z');
  press('Z');
  press('Z');
  EXPECT_FLOAT_EQ(ship.shotSpeed, 5);
  press(113);
  EXPECT_EQ(st.godMode, 1);
  EXPECT_EQ(Texts().back(), "God Mode ON");

  press(112);
  EXPECT_EQ(st.cheatMode, 0);
  EXPECT_EQ(Texts().back(), "Cheatmode OFF");
  EXPECT_EQ(st.scoreEligible, 0) << "turning cheats off does not make the game eligible again";
}

// ---- Control schemes ----

TEST_F(ShipTest, DualAnalogReadsBothSticksThroughTheRecordAndItsDeadZones) {
  game.settings.controlType = ControlType::DualAnalog;
  ActiveJoyConfig& j = game.activeJoy;
  j.moveXDeadZone = j.moveYDeadZone = j.fireXDeadZone = j.fireYDeadZone = 0.2f;
  game.ship.cannons = 1;

  // Both move components inside their dead zones: the ship stays.
  Axis(0, 0.1f);
  Axis(1, 0.15f);
  Frame();
  EXPECT_FLOAT_EQ(game.ship.x, 512);
  EXPECT_EQ(game.trailSparks.Count(), 0);

  // One component outside: the whole vector counts, the small part included.
  Axis(1, 0.5f);
  Frame();
  EXPECT_FLOAT_EQ(game.ship.x, 512 + 0.1f * 6);
  EXPECT_FLOAT_EQ(game.ship.y, 384 + 0.5f * 6);
  EXPECT_EQ(game.ship.angle, static_cast<int>(std::atan2(0.5, 0.1) * 180 / kPi - 90));
  EXPECT_EQ(game.trailSparks.Count(), 3);

  // Fire inside its dead zones: no volley on the beat.
  Axis(0, 0);
  Axis(1, 0);
  Axis(3, 0.15f);
  Axis(2, 0.1f);
  game.ship.fireCooldown = 0;
  Frame();
  EXPECT_EQ(game.shots.Count(), 0);

  // Scale, inversion and centre: 1 / 2 x -1 - 0.25 = -0.75 on fire X.
  j.fireXScale = 2;
  j.fireXInvert = -1;
  j.fireXCentre = 0.25f;
  Axis(3, 1);
  Axis(2, 0);
  game.ship.fireCooldown = 0;
  Frame();
  ASSERT_EQ(game.shots.Count(), 1);
  EXPECT_LT(game.shots.Front()->vx, 0);
  EXPECT_NEAR(game.shots.Front()->vy, 0, 1e-6);

  // The bomb is the record's bomb button on the port in use.
  game.state.bombs = 2;
  JoyButton(j.bombButton, true);
  Frame();
  EXPECT_EQ(game.state.bombs, 1);
}

TEST_F(ShipTest, MouseMovesByTheOffsetFromTheCentreAndRecentresThePointer) {
  game.settings.controlType = ControlType::Mouse;
  game.settings.mouseSensitivity = 0.5f;
  game.ship.cannons = 1;
  struct Case {
    int dx;
    float moveX;
  };
  // dx / 128 x (1 + 5 x 0.5); lengths above 1 + 10 x 0.5 = 6 are divided by 6.
  for (const Case& c : {Case{64, 1.75f}, Case{200, 5.46875f}, Case{256, 7.0f / 6}, Case{-32, -0.875f}}) {
    game.ship.x = 512;
    MouseTo(512 + c.dx, 384);
    Frame();
    EXPECT_NEAR(game.input.moveX, c.moveX, 1e-5) << c.dx;
    EXPECT_NEAR(game.ship.x, 512 + 6 * c.moveX, 1e-3) << c.dx;
    EXPECT_EQ(input.MouseX(), 512) << "the pointer goes back to the centre";
    EXPECT_EQ(input.MouseY(), 384);
  }
}

TEST_F(ShipTest, MouseFiresAlongItsMotionWhileTheButtonIsHeld) {
  game.settings.controlType = ControlType::Mouse;
  game.settings.autofire = 0;
  game.ship.cannons = 1;
  MouseButton(1, true);
  MouseTo(512, 384 - 32);
  game.ship.fireCooldown = 0;
  Frame();
  EXPECT_FLOAT_EQ(game.input.fireX, 0);
  EXPECT_FLOAT_EQ(game.input.fireY, -1);  // (0, -2) normalised by the volley
  ASSERT_EQ(game.shots.Count(), 1);
  EXPECT_LT(game.shots.Front()->vy, 0);
  // No motion, button held: the fire vector keeps its direction.
  game.ship.fireCooldown = 0;
  Frame();
  EXPECT_EQ(game.shots.Count(), 2);
  EXPECT_FLOAT_EQ(game.input.fireY, -1);
  // Button up without autofire: firing stops.
  MouseButton(1, false);
  game.ship.fireCooldown = 0;
  Frame();
  EXPECT_EQ(game.shots.Count(), 2);
  // With autofire the last direction stays.
  game.settings.autofire = 1;
  game.input.fireX = 1;
  game.input.fireY = 0;
  game.ship.fireCooldown = 0;
  Frame();
  EXPECT_EQ(game.shots.Count(), 3);
}

TEST_F(ShipTest, KeyboardAutofireMakesTheFireDirectionSticky) {
  game.ship.cannons = 1;
  struct Step {
    std::vector<int> down, up;
    float fireX, fireY;
  };
  game.settings.autofire = 1;
  const Step steps[] = {
      {{kFireRight}, {}, 1, 0},
      {{}, {kFireRight}, 1, 0},             // released: still firing right
      {{kFireUp}, {}, 0, -1},               // up alone: x from the horizontal keys, none held
      {{kFireRight}, {}, 1, -1},            // right and up together
      {{}, {kFireRight, kFireUp}, 1, -1},   // all released: the diagonal stays
      {{kFireLeft, kFireDown}, {}, -1, 1},
  };
  for (const Step& s : steps) {
    for (int k : s.down) Hold(k);
    for (int k : s.up) Release(k);
    game.ship.fireCooldown = 100;  // off the beat: the vector is not normalised by a volley
    Frame();
    EXPECT_FLOAT_EQ(game.input.fireX, s.fireX);
    EXPECT_FLOAT_EQ(game.input.fireY, s.fireY);
  }
  // Without autofire, releasing every key stops the fire.
  game.settings.autofire = 0;
  Release(kFireLeft);
  Release(kFireDown);
  Frame();
  EXPECT_FLOAT_EQ(game.input.fireX, 0);
  EXPECT_FLOAT_EQ(game.input.fireY, 0);
}

TEST_F(ShipTest, JoypadModesSwapStickAndButtons) {
  game.settings.controlType = ControlType::Joypad;
  const Settings& s = game.settings;
  game.ship.cannons = 1;
  // Mode 0: the stick moves, the four buttons fire; the "up" button fires down the screen.
  game.settings.joypadMode = 0;
  Axis(0, -1);
  Axis(1, 0);
  JoyButton(s.joypadUpButton, true);
  game.ship.fireCooldown = 0;
  Frame();
  EXPECT_FLOAT_EQ(game.ship.x, 506);
  EXPECT_EQ(game.ship.angle, 90);
  ASSERT_EQ(game.shots.Count(), 1);
  EXPECT_GT(game.shots.Front()->vy, 0);
  EXPECT_NEAR(game.shots.Front()->vx, 0, 1e-6);

  // Mode 1: the buttons move, the stick fires.
  game.shots.Clear();
  game.settings.joypadMode = 1;
  JoyButton(s.joypadUpButton, false);
  JoyButton(s.joypadRightButton, true);
  Axis(0, 0);
  Axis(1, -1);
  game.ship.fireCooldown = 0;
  Frame();
  EXPECT_FLOAT_EQ(game.ship.x, 512);
  EXPECT_EQ(game.ship.angle, -90);
  ASSERT_EQ(game.shots.Count(), 1);
  EXPECT_LT(game.shots.Front()->vy, 0);

  game.state.bombs = 3;
  JoyButton(s.joypadBombButton, true);
  Frame();
  EXPECT_EQ(game.state.bombs, 2);
}

TEST_F(ShipTest, HybridZeroAimsFromTheShipToTheMouse) {
  game.settings.controlType = ControlType::Hybrid;
  game.settings.hybridMode = 0;
  game.settings.autofire = 0;
  game.ship.cannons = 1;
  game.view.scrollX = 100;  // the ship sits at screen x 412
  MouseTo(412, 384 + 50);
  MouseButton(1, true);
  Hold(kMoveLeft);
  game.ship.fireCooldown = 0;
  Frame();
  EXPECT_FLOAT_EQ(game.ship.x, 506);
  EXPECT_FLOAT_EQ(game.ship.aimX, 412);
  EXPECT_FLOAT_EQ(game.ship.aimY, 434);
  ASSERT_EQ(game.shots.Count(), 1);
  EXPECT_GT(game.shots.Front()->vy, 0);
  EXPECT_NEAR(game.shots.Front()->vx, 0, 1e-6) << "aimed from where the ship was before it moved";
  MouseButton(1, false);
  Frame();
  EXPECT_FLOAT_EQ(game.input.fireX, 0);
  EXPECT_FLOAT_EQ(game.input.fireY, 0);
  EXPECT_EQ(input.mouseMoves(), 0) << "this mode leaves the pointer where it is";
}

TEST_F(ShipTest, HybridOneMovesByMouseAndFiresByKeys) {
  game.settings.controlType = ControlType::Hybrid;
  game.settings.hybridMode = 1;
  game.settings.mouseSensitivity = 0.5f;
  game.ship.cannons = 1;
  MouseTo(512 + 256, 384);  // 7, above the mouse limit 6: divided by 6
  Hold(kFireDown);
  game.ship.fireCooldown = 0;
  Frame();
  EXPECT_NEAR(game.ship.x, 512 + 7.0f, 1e-3);
  EXPECT_EQ(input.MouseX(), 512);
  ASSERT_EQ(game.shots.Count(), 1);
  EXPECT_GT(game.shots.Front()->vy, 0);
}

TEST_F(ShipTest, HybridTwoFireKeysNudgeTheAim) {
  game.settings.controlType = ControlType::Hybrid;
  game.settings.hybridMode = 2;
  game.settings.autofire = 0;
  game.ship.cannons = 1;
  MouseTo(512, 384);  // the pointer at the centre: the aim is not followed
  Hold(kFireUp);
  game.ship.fireCooldown = 0;
  Frame();
  EXPECT_FLOAT_EQ(game.ship.aimX, 0);
  EXPECT_FLOAT_EQ(game.ship.aimY, -0.1f);
  ASSERT_EQ(game.shots.Count(), 1);
  EXPECT_LT(game.shots.Front()->vy, 0);
  Release(kFireUp);
  Hold(kFireRight);
  Frame();
  EXPECT_FLOAT_EQ(game.ship.aimX, 0.1f);
  EXPECT_FLOAT_EQ(game.ship.aimY, -0.08f) << "a horizontal nudge narrows the vertical part";
  EXPECT_FLOAT_EQ(game.input.fireX, 0.1f);
  EXPECT_FLOAT_EQ(game.input.fireY, -0.08f);
  // With autofire the aim follows the pointer's direction from the centre every frame.
  Release(kFireRight);
  game.settings.autofire = 1;
  MouseTo(512 - 30, 384 + 40);
  Frame();
  EXPECT_FLOAT_EQ(game.ship.aimX, -0.6f);
  EXPECT_FLOAT_EQ(game.ship.aimY, 0.8f);
  EXPECT_EQ(input.MouseX(), 482) << "the pointer is not re-centred";
}

// ---- Hazards ----

TEST_F(ShipTest, ATetherAcrossTheShipDestroysIt) {
  auto a = std::make_shared<Triangle>(), b = std::make_shared<Triangle>();
  a->x = 462;
  a->y = 390;
  b->x = 562;
  b->y = 390;
  game.triangles.Append(a);
  game.triangles.Append(b);
  a->paired = b->paired = 1;
  a->partner = b;
  b->partner = a;
  a->tether = b->tether = 25;
  game.state.lives = 3;
  game.ship.shieldTimer = 0;
  Frame();
  EXPECT_EQ(game.state.lives, 2) << "the ship's centre lies 6 pixels from the line";
}

TEST_F(ShipTest, NearSegmentMeasuresToTheClosestPointOfTheSegment) {
  struct Case {
    float ax, ay, bx, by, px, py, r;
    bool near;
  };
  const Case cases[] = {
      {0, 0, 100, 0, 50, 12, 12, true},    // exactly r counts
      {0, 0, 100, 0, 50, 12.01f, 12, false},
      {0, 0, 100, 0, -9, 0, 10, true},     // beyond an end: measured to that end
      {0, 0, 100, 0, 106, 8, 10, true},
      {0, 0, 100, 0, 107, 8, 10, false},
      {5, 5, 5, 5, 8, 9, 5, true},         // a point-sized segment: |p - a| = 5
      {5, 5, 5, 5, 8, 9.1f, 5, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NearSegment(c.ax, c.ay, c.bx, c.by, c.px, c.py, c.r), c.near)
        << "(" << c.px << ", " << c.py << ") r " << c.r;
}

}  // namespace
}  // namespace qv
