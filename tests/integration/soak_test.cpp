// The whole program for hundreds of thousands of frames: a bot (support/soak_bot.h) plays games on
// every difficulty, dies, bombs, enters names, and wanders through the options menu, the settings hub
// and every settings and controller screen, changing the display among the modes the pretend desktop
// offers. After every frame the world and the settings are checked: every object in exactly one list,
// counts within their caps, every position and velocity finite, the settings within their ranges and
// the view the size of the open display. From game to game the memory the process holds must level
// off. The first failed check stops the run and names the frame.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "player/power_up.h"
#include "player/shots.h"
#include "scoring/high_scores.h"
#include "shell/program.h"
#include "support/game_fixture.h"
#include "support/soak_bot.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#else
constexpr bool kSanitized = false;
#endif

// The first broken rule of a frame, as text; empty while all hold.
class Checks {
 public:
  void Fail(const std::string& what) {
    if (first_.empty()) first_ = what;
  }
  bool ok() const { return first_.empty(); }
  const std::string& first() const { return first_; }

  // Every value finite; a whole array at once (a NaN or an infinity times zero is NaN).
  void Finite(std::span<const float> values, const char* what) {
    float probe = 0;
    for (float v : values) probe += v * 0.0f;
    if (probe == 0) return;
    for (std::size_t i = 0; i < values.size(); ++i)
      if (!std::isfinite(values[i])) {
        Fail(std::string(what) + " [" + std::to_string(i) + "] is " + std::to_string(values[i]));
        return;
      }
  }
  void Finite(std::initializer_list<float> values, const std::string& what) {
    for (float v : values)
      if (!std::isfinite(v)) Fail(what + " is not finite");
  }
  template <class T>
  void Range(T value, T low, T high, const char* what) {
    if (value < low || value > high) {
      std::ostringstream s;
      s << what << " = " << value << ", outside " << low << ".." << high;
      Fail(s.str());
    }
  }

 private:
  std::string first_;
};

// Every object of `list` in play, in its own slot, and in no other list; positions and speeds finite.
// `walkDone`: no walk of the lists is under way, so a removed object must have left its slot. (The
// death sequence runs inside the walk of the enemy that hit the ship: the enemies it cleared keep their
// slots, out of play, until that walk ends.)
template <class T>
void CheckList(Checks& c, const EntityList<T>& list, const char* name, int cap, bool walkDone,
               std::vector<const void*>& seen) {
  const std::string n(name);
  if (list.Count() > cap) c.Fail(n + ": " + std::to_string(list.Count()) + " objects, over the cap of " + std::to_string(cap));
  int inPlay = 0;
  for (std::size_t i = 0; i < list.SlotCount(); ++i) {
    const T* o = list.SlotObject(i);
    if (o->inList) ++inPlay;
    else if (walkDone) c.Fail(n + " still holds a removed object in slot " + std::to_string(i));
    if (o->slot != i) c.Fail(n + ": object in slot " + std::to_string(i) + " says slot " + std::to_string(o->slot));
    seen.push_back(o);
    if constexpr (requires { o->vx; }) c.Finite({o->x, o->y, o->vx, o->vy}, n + " position or velocity");
  }
  if (inPlay != list.Count())
    c.Fail(n + ": " + std::to_string(inPlay) + " objects in play, but the count says " + std::to_string(list.Count()));
}

constexpr int kSnakeSegments = 25;  // a whole snake is spawned or none, after one look at the count

void CheckWorld(Checks& c, const Game& g, bool playing) {
  std::vector<const void*> seen;
  const bool walkDone = g.state.shipInactive == 0;
  // Away from play the attract screens show up to 16 demonstration black holes.
  const int holeCap = playing ? kMaxBlackHoles : 16;
  constexpr int kNoCap = 1 << 30;
  CheckList(c, g.shots, "shots", kMaxShots, walkDone, seen);
  CheckList(c, g.squares, "squares", kNoCap, walkDone, seen);
  CheckList(c, g.pinwheels, "pinwheels", kNoCap, walkDone, seen);
  CheckList(c, g.diamonds, "diamonds", kNoCap, walkDone, seen);
  CheckList(c, g.cubes, "cubes", kMaxCubes, walkDone, seen);
  CheckList(c, g.seekers, "seekers", kNoCap, walkDone, seen);
  CheckList(c, g.blackHoles, "black holes", holeCap, walkDone, seen);
  CheckList(c, g.snakes, "snakes", kMaxSnakeObjects + kSnakeSegments, walkDone, seen);
  CheckList(c, g.interceptors, "interceptors", kMaxInterceptors, walkDone, seen);
  CheckList(c, g.butterflies, "butterflies", kNoCap, walkDone, seen);
  CheckList(c, g.generators, "generators", kNoCap, walkDone, seen);
  CheckList(c, g.triangles, "triangles", kNoCap, walkDone, seen);
  CheckList(c, g.powerUps, "power-ups", kNoCap, walkDone, seen);
  CheckList(c, g.floatingTexts, "floating texts", kNoCap, walkDone, seen);
  CheckList(c, g.trailSparks, "trail sparks", kNoCap, walkDone, seen);
  std::sort(seen.begin(), seen.end());
  if (std::adjacent_find(seen.begin(), seen.end()) != seen.end()) c.Fail("an object is in two lists, or twice in one");

  const PlayerShip& s = g.ship;
  c.Finite({s.x, s.y, s.lastMoveX, s.lastMoveY, s.aimX, s.aimY, s.shotSpeed}, "the ship");
  const InputState& in = g.input;
  c.Finite({in.moveX, in.moveY, in.fireX, in.fireY}, "the control readings");

  const Grid& grid = g.grid;
  const std::size_t points = static_cast<std::size_t>(grid.cellsAcross + 1) * static_cast<std::size_t>(grid.cellsDown + 1);
  if (grid.x.size() < points || grid.y.size() < points || grid.vx.size() < points || grid.vy.size() < points)
    c.Fail("the grid holds fewer points than its size");
  c.Finite(std::span(grid.x).first(std::min(points, grid.x.size())), "grid x");
  c.Finite(std::span(grid.y).first(std::min(points, grid.y.size())), "grid y");
  c.Finite(std::span(grid.vx).first(std::min(points, grid.vx.size())), "grid vx");
  c.Finite(std::span(grid.vy).first(std::min(points, grid.vy.size())), "grid vy");
  if (grid.cellWidth > 0 && grid.cellsAcross != g.view.fieldWidth / grid.cellWidth)
    c.Fail("the grid is " + std::to_string(grid.cellsAcross) + " cells across a playfield " +
           std::to_string(g.view.fieldWidth) + " wide");

  const auto& slots = g.particles.slots;
  if (slots.size() != static_cast<std::size_t>(kParticleCapacity)) c.Fail("the particle pool changed size");
  c.Range(g.particles.nextSlot, 0, kParticleCapacity - 1, "the next particle slot");
  static_assert(sizeof(Particle) >= 4 * sizeof(float));
  for (std::size_t i = 0; i < slots.size() && c.ok(); i += 1024) {
    float probe = 0;
    for (std::size_t k = i; k < std::min(slots.size(), i + 1024); ++k)
      probe += (slots[k].x + slots[k].y + slots[k].vx + slots[k].vy) * 0.0f;
    if (probe != 0) c.Fail("a particle near slot " + std::to_string(i) + " is not finite");
  }

  if (g.stars.starX.size() != static_cast<std::size_t>(kMaxStars + 1) || g.stars.starY.size() != g.stars.starX.size())
    c.Fail("the star field changed size");
}

void CheckSettings(Checks& c, const Game& g) {
  const Settings& s = g.settings;
  c.Range(static_cast<int>(s.controlType), 0, kControlTypeCount - 1, "the control type");
  c.Range(s.hybridMode, 0, 2, "the hybrid mode");
  c.Range(s.joypadMode, 0, 1, "the joypad mode");
  for (int b : {s.joypadLeftButton, s.joypadUpButton, s.joypadRightButton, s.joypadDownButton, s.joypadOptionButton,
                s.joypadBombButton})
    c.Range(b, 0, kJoyButtons - 1, "a joypad button");
  c.Range(s.autofire, 0, 1, "autofire");
  for (int k : {s.keyBomb, s.keyMoveLeft, s.keyMoveRight, s.keyMoveUp, s.keyMoveDown, s.keyFireLeft, s.keyFireRight,
                s.keyFireUp, s.keyFireDown})
    c.Range(k, 8, kKeyCount - 1, "a key binding");
  c.Range(s.sfxVolume, 0.0f, 1.0f, "the effects volume");
  c.Range(s.musicVolume, 0.0f, 1.0f, "the music volume");
  c.Range(s.gridStyle, 0, 20, "the grid style");
  for (int v : {s.gridRed, s.gridGreen, s.gridBlue}) c.Range(v, 0, 255, "a grid colour component");
  c.Range(s.gridOpacity, 0.0f, 1.0f, "the grid brightness");
  c.Range(s.gfxSet, 0, 4, "the image set");
  c.Range(s.starCount, 0, kMaxStars, "the star count");
  c.Range(s.scroll, 0, 1, "scrolling");
  c.Range(s.particleStyle, 0, 3, "the particle style");
  c.Range(s.mouseSensitivity, 0.0f, 1.0f, "the mouse sensitivity");
  c.Range(s.mouseFireButton, 1, 3, "the mouse fire button");
  c.Range(s.mouseBombButton, 1, 3, "the mouse bomb button");
  c.Range(s.difficulty, 0, kDifficultyCount - 1, "the difficulty");
  c.Range(s.inertia, 0.0f, 1.0f, "the inertia");
  c.Range(s.usedPort, 0, kJoyPortCount - 1, "the port in use");
  for (const JoyPortConfig& p : s.joyPorts) {
    for (int a : {p.moveXAxis, p.moveYAxis, p.fireXAxis, p.fireYAxis}) c.Range(a, 0, 15, "a stick axis");
    for (int i : {p.moveXInvert, p.moveYInvert, p.fireXInvert, p.fireYInvert})
      if (i != 1 && i != -1) c.Fail("a stick inversion is " + std::to_string(i));
    for (float v : {p.moveXScale, p.moveYScale, p.fireXScale, p.fireYScale})
      if (!(v > 0) || !std::isfinite(v)) c.Fail("a stick scale is " + std::to_string(v));
    for (float v : {p.moveXCentre, p.moveYCentre, p.fireXCentre, p.fireYCentre, p.moveXDeadZone, p.moveYDeadZone,
                    p.fireXDeadZone, p.fireYDeadZone})
      c.Range(v, -0.9f, 0.9f, "a stick centre or dead zone");
    c.Range(p.optionButton, 0, kJoyButtons - 1, "the stick option button");
    c.Range(p.bombButton, 0, kJoyButtons - 1, "the stick bomb button");
  }
  for (int d = 0; d < kDifficultyCount; ++d) {
    c.Range(g.extraLifeScores[static_cast<std::size_t>(d)], 25000, 300000, "a free-player score");
    c.Range(g.extraBombScores[static_cast<std::size_t>(d)], 25000, 300000, "a free-bomb score");
  }
  c.Range(g.display.modeIndex, 0, kLastModeIndex, "the screen mode");
  c.Range(g.display.playfieldIndex, 0, kLastModeIndex, "the playfield size");
}

void CheckView(Checks& c, const Game& g, const HeadlessGraphicsBackend& backend) {
  if (!backend.IsOpen()) {
    c.Fail("no display is open");
    return;
  }
  const DisplayRequest& open = backend.opened();
  if (g.view.viewWidth != open.width || g.view.viewHeight != open.height)
    c.Fail("the view is " + std::to_string(g.view.viewWidth) + " x " + std::to_string(g.view.viewHeight) +
           " on a display of " + std::to_string(open.width) + " x " + std::to_string(open.height));
  if (g.view.fieldWidth <= 0 || g.view.fieldHeight <= 0) c.Fail("the playfield has no size");
}

// The process's resident memory, in kilobytes.
long ResidentKb() {
  std::ifstream statm("/proc/self/statm");
  long size = 0, resident = 0;
  statm >> size >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The bytes the allocator has handed out and not had back: unlike the resident size, it falls when
// memory is freed, so the memory earlier tests of the same process let go of does not hide a leak.
long HeapInUseKb() {
  const struct mallinfo2 m = mallinfo2();
  return static_cast<long>((m.uordblks + m.hblkhd) / 1024);
}

// A score table whose every row holds `score`, valid in every column: any game that scores beats it.
void WriteLowScoreTable(int score) {
  HighScoreTable table;
  for (int c = 0; c < kDifficultyCount; ++c)
    for (int r = 0; r < kHighScorePlaces; ++r)
      table.rows[r][c] = {score, "", "Nobody", "", RowChecksum(score, "", "Nobody", "")};
  ASSERT_TRUE(SaveHighScores(std::string(kHighScoreFileName), table));
}

struct SoakReport {
  long frames = 0;
  long failedFrame = -1;
  std::string failure;
  std::string screenAtFailure;
  test::BotTally tally;
  std::vector<long> residentAtGameStart;  // kilobytes
  std::vector<long> heapAtGameStart;      // kilobytes
  std::vector<int> worldSlotsAtGameStart;
  std::vector<std::string> displays;      // each display the program opened, in order
};

// Runs the program again and again (each run leaves through "Exit Program") until `totalFrames` frames
// have been presented, checking everything after each frame.
SoakReport Soak(std::uint32_t seed, long totalFrames, int framesPerRun) {
  test::TempWorkDir dir;
  WriteLowScoreTable(10);
  SoakReport report;
  test::SoakBot bot(seed, report.tally);
  std::vector<DrawRecord> frame;

  for (int run = 0; report.frames < totalFrames && report.failure.empty(); ++run) {
    auto hp = std::make_unique<HeadlessPlatform>(seed + static_cast<std::uint32_t>(run));
    // The pretend desktop: a few full-screen modes and windows up to 1600 x 1200; every other mode the
    // video screen offers fails to open and is reverted.
    hp->backend.fullscreenModes = {{640, 480, 32}, {800, 600, 32}, {1024, 768, 32}, {1280, 1024, 32}};
    hp->backend.desktopWidth = 1600;
    hp->backend.desktopHeight = 1200;
    Game game(hp->platform);
    const long runStart = report.frames;
    const long runFrames = std::min<long>(framesPerRun, totalFrames - runStart);
    bot.StartRun(game, *hp, static_cast<int>(runFrames));
    const long guard = runFrames + 30000;  // a bot that cannot find the way out
    hp->input.RequestQuit(static_cast<int>(guard));
    bool wasPlaying = false;
    int opens = 0;

    hp->backend.onPresent = [&] {
      if (!report.failure.empty()) return;
      const long n = runStart + hp->input.frame();
      bot.Observe(frame);
      const bool playing = bot.screen() == test::Screen::Play;

      if (game.state.startRequested && !wasPlaying) {
        report.residentAtGameStart.push_back(ResidentKb());
        report.heapAtGameStart.push_back(HeapInUseKb());
        report.worldSlotsAtGameStart.push_back(static_cast<int>(
            game.shots.SlotCount() + game.squares.SlotCount() + game.snakes.SlotCount() + game.cubes.SlotCount() +
            game.powerUps.SlotCount() + game.floatingTexts.SlotCount() + game.trailSparks.SlotCount()));
      }
      wasPlaying = game.state.startRequested != 0;
      if (hp->backend.opens() != opens) {
        opens = hp->backend.opens();
        const DisplayRequest& d = hp->backend.opened();
        report.displays.push_back(std::to_string(d.width) + "x" + std::to_string(d.height) +
                                  (d.windowed ? " window" : " full screen") + " over " +
                                  std::to_string(game.view.fieldWidth) + "x" + std::to_string(game.view.fieldHeight));
        report.tally.displayChanges += 1;
      }

      Checks c;
      CheckWorld(c, game, game.state.startRequested != 0);
      CheckSettings(c, game);
      CheckView(c, game, hp->backend);
      if (playing && !(game.activeJoy == ApplyUsedPort(game.settings)))
        c.Fail("play reads a joystick record that is not the one of the port in use");
      if (!c.ok()) {
        report.failedFrame = n;
        report.failure = c.first();
        report.screenAtFailure = test::ScreenName(bot.screen());
        hp->input.RequestQuit(hp->input.frame() + 1);
      }
      if (hp->input.frame() >= guard - 1 && report.failure.empty()) {
        report.failedFrame = n;
        report.failure = "the bot was stuck";
        report.screenAtFailure = test::ScreenName(bot.screen());
      }

      // The test devices keep logs of their own; only the program's memory is measured.
      hp->audio.ClearLog();
      hp->clock.ClearDelays();
      frame.clear();
      game.gfx.SetRecorder(bot.WantsRecording() ? &frame : nullptr);
    };
    game.gfx.SetRecorder(&frame);
    RunProgram(game);
    hp->backend.onPresent = nullptr;
    game.gfx.SetRecorder(nullptr);
    report.frames += hp->input.frame();
  }
  return report;
}

std::string Describe(const SoakReport& r) {
  std::ostringstream s;
  const test::BotTally& t = r.tally;
  s << r.frames << " frames in " << t.programRuns << " runs; games " << t.gamesStarted << " (lost " << t.gamesOver
    << ", ended from the menu " << t.gamesEndedFromMenu << "; easy " << t.gamesByDifficulty[0] << ", medium "
    << t.gamesByDifficulty[1] << ", hard " << t.gamesByDifficulty[2] << "); bombs tapped " << t.bombsTapped
    << "; display opens " << t.displayChanges << "\nscreens visited:";
  for (int i = 0; i < 16; ++i)
    s << " " << test::ScreenName(static_cast<test::Screen>(i)) << " " << t.screenVisits[static_cast<std::size_t>(i)] << ";";
  s << "\nplay frames by control type:";
  for (int i = 0; i < kControlTypeCount; ++i) s << " " << t.controlTypesPlayed[static_cast<std::size_t>(i)];
  s << "\nresident kB at each game start:";
  for (long kb : r.residentAtGameStart) s << " " << kb;
  s << "\nheap kB in use at each game start:";
  for (long kb : r.heapAtGameStart) s << " " << kb;
  s << "\ndisplays:";
  for (const std::string& d : r.displays) s << " " << d << ";";
  return s.str();
}

// The heap in use at the start of each game, after the first few, stays within `allowanceKb` of the
// most it was over the early games: it may move with the display and the settings the bot picks (the
// lattice of the largest playfield takes about 2 MB more than the default), but it must not keep
// growing.
void ExpectMemoryLevels(const SoakReport& r, long allowanceKb) {
  const auto& kb = r.heapAtGameStart;
  ASSERT_GE(kb.size(), 8u) << "too few games to judge";
  const std::size_t settle = 3, early = kb.size() / 3;
  const long baseline = *std::max_element(kb.begin() + settle, kb.begin() + std::max(early, settle + 1));
  const long last = *std::max_element(kb.end() - static_cast<long>(kb.size() / 3), kb.end());
  EXPECT_LE(last - baseline, allowanceKb) << "memory grew from " << baseline << " kB to " << last << " kB";
  for (int slots : r.worldSlotsAtGameStart) EXPECT_EQ(slots, 0) << "a game began over a world not cleared";
}

void ExpectCoverage(const SoakReport& r) {
  const test::BotTally& t = r.tally;
  for (int d = 0; d < kDifficultyCount; ++d) EXPECT_GT(t.gamesByDifficulty[d], 0) << "difficulty " << d;
  EXPECT_GT(t.gamesOver, 0);
  EXPECT_GT(t.gamesEndedFromMenu, 0);
  EXPECT_GT(t.screenVisits[static_cast<std::size_t>(test::Screen::NameEntry)], 0);
  for (test::Screen s : {test::Screen::Options, test::Screen::Confirm, test::Screen::Hub, test::Screen::Audio,
                         test::Screen::Video, test::Screen::GameSettings, test::Screen::Controllers})
    EXPECT_GT(t.screenVisits[static_cast<std::size_t>(s)], 0) << test::ScreenName(s);
}

// The checks themselves: a clean world passes them all, and each fault below is named.
TEST(SoakChecks, ACleanWorldPassesAndEachFaultIsCaught) {
  const auto runChecks = [](test::GameFixture& fx) {
    Checks c;
    CheckWorld(c, fx.game, true);
    CheckSettings(c, fx.game);
    CheckView(c, fx.game, fx.hp.backend);
    return c;
  };
  {
    test::GameFixture fx;
    auto square = std::make_shared<Square>();
    fx.game.squares.Append(square);
    const Checks c = runChecks(fx);
    EXPECT_TRUE(c.ok()) << c.first();
  }
  struct Fault {
    const char* name;
    std::function<void(Game&)> apply;
    const char* named;
  };
  const Fault faults[] = {
      {"a grid point's speed", [](Game& g) { g.grid.vx[5] = NAN; }, "grid vx"},
      {"a spark's position", [](Game& g) { g.particles.slots[40000].x = INFINITY; }, "particle"},
      {"an enemy's position",
       [](Game& g) {
         auto square = std::make_shared<Square>();
         square->y = NAN;
         g.squares.Append(square);
       },
       "squares position"},
      {"too many shots",
       [](Game& g) {
         for (int i = 0; i <= kMaxShots; ++i) g.shots.Append(std::make_shared<Shot>());
       },
       "over the cap"},
      {"one object listed twice",
       [](Game& g) {
         auto square = std::make_shared<Square>();
         g.squares.Append(square);
         g.squares.Append(square);
       },
       "slot"},
      {"a removed object left in its slot",
       [](Game& g) {
         auto square = std::make_shared<Square>();
         g.squares.Hold();
         g.squares.Append(square);
         g.squares.Remove(*square);
       },
       "removed object"},
      {"a volume above full", [](Game& g) { g.settings.sfxVolume = 1.05f; }, "effects volume"},
      {"an unknown control type", [](Game& g) { g.settings.controlType = static_cast<ControlType>(5); }, "control type"},
      {"a free-player score of nothing", [](Game& g) { g.extraLifeScores[1] = 0; }, "free-player"},
      {"a view unlike the display", [](Game& g) { g.view.viewWidth = 800; }, "the view is"},
      {"a grid for another playfield", [](Game& g) { g.view.fieldWidth = 2048; }, "cells across"},
  };
  for (const Fault& f : faults) {
    test::GameFixture fx;
    f.apply(fx.game);
    const Checks c = runChecks(fx);
    EXPECT_FALSE(c.ok()) << f.name;
    EXPECT_THAT(c.first(), ::testing::HasSubstr(f.named)) << f.name;
  }
}

// The long run of the normal test pass. It is far too slow under the sanitizers, which run the short
// one instead.
TEST(Soak, TheWholeProgramHoldsItsInvariantsForTwoHundredThousandFrames) {
  if (kSanitized) GTEST_SKIP() << "the short soak runs under the sanitizers";
  const SoakReport r = Soak(20261211, 200000, 70000);
  ASSERT_TRUE(r.failure.empty()) << "frame " << r.failedFrame << " (" << r.screenAtFailure << "): " << r.failure
                                 << "\n" << Describe(r);
  std::printf("%s\n", Describe(r).c_str());
  EXPECT_GE(r.frames, 200000);
  ExpectCoverage(r);
  // A leak of some tens of bytes a frame would pass this allowance over the run.
  ExpectMemoryLevels(r, 4 * 1024);
  for (test::Screen s : {test::Screen::MouseSetup, test::Screen::HybridSetup, test::Screen::KeyboardSetup,
                         test::Screen::JoypadSetup, test::Screen::DualStick})
    EXPECT_GT(r.tally.screenVisits[static_cast<std::size_t>(s)], 0) << test::ScreenName(s);
}

// The shorter soak, for the sanitizer builds.
TEST(SoakShort, TheWholeProgramHoldsItsInvariantsForTwentyThousandFrames) {
  const SoakReport r = Soak(777, 20000, 10000);
  ASSERT_TRUE(r.failure.empty()) << "frame " << r.failedFrame << " (" << r.screenAtFailure << "): " << r.failure
                                 << "\n" << Describe(r);
  std::printf("%s\n", Describe(r).c_str());
  EXPECT_GE(r.frames, 20000);
  EXPECT_GT(r.tally.gamesStarted, 1);
}

}  // namespace
}  // namespace qv
