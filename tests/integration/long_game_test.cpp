// Long headless games with fixed seeds on each difficulty: the ship cannot die, a pad steers it in
// slow wandering loops (heading for a power-up whenever one is out) and fires in circles, and the
// frames run as in play: director, ship, world, drawing. Across the games every enemy kind must have
// entered the playfield and every power-up kind must have been collected, and nothing may crash.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "effects/particles.h"
#include "enemies/black_hole.h"
#include "enemies/cube.h"
#include "enemies/generator.h"
#include "enemies/interceptor.h"
#include "enemies/simple_kinds.h"
#include "enemies/snake.h"
#include "enemies/triangle.h"
#include "platform/headless/headless_platform.h"
#include "player/power_up.h"
#include "player/ship.h"
#include "render/display.h"
#include "render/vector_font.h"
#include "scoring/floating_text.h"
#include "scoring/high_scores.h"
#include "shell/frame.h"
#include "shell/game.h"
#include "shell/game_flow.h"
#include "shell/spawn_director.h"
#include "shell/world.h"

namespace qv {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;

// A dual-stick pad on port 0. The right stick turns a full circle every 72 frames. The left stick
// turns a loop every 400 frames around a centre that itself wanders, except while a power-up is out:
// then it points at the nearest one (random power-ups are rare late in a game, and the rarest kinds
// would otherwise seldom be met).
class LoopingPad : public HeadlessInput {
 public:
  explicit LoopingPad(const Game*& game) : game_(game) {}

  void Poll() override {
    HeadlessInput::Poll();
    ++frame_;
    seeking_ = false;
    if (!game_) return;
    const PlayerShip& ship = game_->ship;
    float best = 1e9f;
    std::as_const(game_->powerUps).ForEach([&](const PowerUp& p) {
      const float d = std::hypot(p.x - ship.x, p.y - ship.y);
      if (d < best && d > 1) {
        best = d;
        seekX_ = (p.x - ship.x) / d;
        seekY_ = (p.y - ship.y) / d;
        seeking_ = true;
      }
    });
  }
  int JoyCount() const override { return 1; }
  float JoyAxis(int port, int slot) const override {
    if (port != 0) return 0;
    const double f = static_cast<double>(frame_);
    switch (slot) {
      case 0:
        return seeking_ ? seekX_ : static_cast<float>(0.7 * std::cos(f * 0.9 * kDeg) + 0.3 * std::cos(f * 0.13 * kDeg));
      case 1:
        return seeking_ ? seekY_ : static_cast<float>(0.7 * std::sin(f * 0.9 * kDeg) + 0.3 * std::sin(f * 0.17 * kDeg));
      case 3: return static_cast<float>(std::cos(f * 5 * kDeg));
      case 2: return static_cast<float>(std::sin(f * 5 * kDeg));
      default: return 0;
    }
  }

 private:
  const Game*& game_;
  long frame_ = 0;
  bool seeking_ = false;
  float seekX_ = 0, seekY_ = 0;
};

struct Tally {
  std::set<std::string> kindsSeen;
  std::set<int> powerUpsCollected;
};

// A token as it was at the end of the last frame: a collected token is collected where it was.
struct TokenSeen {
  int kind;
  float x, y;
};

void PlayLongGame(int difficulty, std::uint32_t seed, int frames, Tally& tally) {
  const Game* watched = nullptr;
  HeadlessPlatform hp(seed);
  LoopingPad pad(watched);
  Platform platform{hp.gfx, pad, hp.audio, hp.clock, hp.rng};
  Game game(platform);
  BuildVectorFont(game.font);
  game.settings.windowed = true;
  BuildModeTable(game.display, game.settings);
  SelectModeFromSettings(game.display, game.settings);
  game.activeJoy = ApplyUsedPort(game.settings);
  OpenDisplay(game);
  BuildDefaultHighScores(game.scores);
  InitParticles(game);
  game.sounds.Load();
  watched = &game;

  game.settings.difficulty = difficulty;
  game.settings.controlType = ControlType::DualAnalog;
  // The lattice is not drawn (style 20): drawing it would triple the time of these games, and its
  // drawing has tests of its own. It still moves under every impulse.
  game.settings.gridStyle = 20;
  ClearWorld(game, true);
  NewGameReset(game);
  CentreShip(game);
  game.state.godMode = 1;

  const std::array<std::pair<const char*, std::function<int()>>, 11> lists = {{
      {"square", [&] { return game.squares.Count(); }},
      {"pinwheel", [&] { return game.pinwheels.Count(); }},
      {"diamond", [&] { return game.diamonds.Count(); }},
      {"cube", [&] { return game.cubes.Count(); }},
      {"seeker", [&] { return game.seekers.Count(); }},
      {"black hole", [&] { return game.blackHoles.Count(); }},
      {"snake", [&] { return game.snakes.Count(); }},
      {"interceptor", [&] { return game.interceptors.Count(); }},
      {"butterfly", [&] { return game.butterflies.Count(); }},
      {"generator", [&] { return game.generators.Count(); }},
      {"triangle", [&] { return game.triangles.Count(); }},
  }};
  std::map<const PowerUp*, TokenSeen> tokens;

  for (int f = 0; f < frames; ++f) {
    // One frame as the game plays it.
    SpawnTick(game, game.state.gameTicks);
    UpdateShip(game);
    UpdateWorld(game, 0);
    DrawWorld(game);
    PresentFrame(game);
    game.state.gameTicks += 1;
    game.gfx.Cls();
    ASSERT_EQ(game.state.gameOver, 0);

    for (const auto& [name, count] : lists)
      if (count() > 0) tally.kindsSeen.insert(name);

    // A collected token leaves its name (or the payout) as a fresh floating text where it was.
    std::as_const(game.floatingTexts).ForEach([&](const FloatingText& t) {
      if (t.life != 50) return;
      for (int k = 0; k < kPowerUpKinds; ++k)
        if (t.text == PowerUpName(k)) tally.powerUpsCollected.insert(k);
      if (t.text != "2000 Points!") return;
      for (const auto& [token, seen] : tokens)
        if (static_cast<int>(seen.x - 72) == t.x && static_cast<int>(seen.y - 8) == t.y)
          tally.powerUpsCollected.insert(seen.kind);
    });
    tokens.clear();
    std::as_const(game.powerUps).ForEach([&](const PowerUp& p) { tokens[&p] = {p.kind, p.x, p.y}; });
    hp.audio.ClearLog();
  }
}

TEST(LongGame, EveryKindAppearsAndEveryPowerUpIsCollectedAcrossLongGames) {
  Tally tally;
  PlayLongGame(0, 101, 30000, tally);
  PlayLongGame(1, 202, 30000, tally);
  PlayLongGame(2, 303, 30000, tally);
  const std::set<std::string> allKinds = {"square",     "pinwheel",   "diamond", "cube",
                                          "seeker",     "black hole", "snake",   "interceptor",
                                          "butterfly",  "generator",  "triangle"};
  EXPECT_EQ(tally.kindsSeen, allKinds);
  std::set<int> allPowerUps;
  for (int k = 0; k < kPowerUpKinds; ++k) allPowerUps.insert(k);
  EXPECT_EQ(tally.powerUpsCollected, allPowerUps);
}

}  // namespace
}  // namespace qv
