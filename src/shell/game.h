// Everything the running program holds, in one object passed by reference: the devices, the game's
// records, the settings and tables, the effects and the entity lists. A test makes a fresh Game over a
// fresh headless platform and gets a clean world.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "audio/sound_bank.h"
#include "effects/grid.h"
#include "effects/particles.h"
#include "effects/stars.h"
#include "effects/trail.h"
#include "platform/platform.h"
#include "player/shot_targets.h"
#include "render/display.h"
#include "render/image_set.h"
#include "render/vector_font.h"
#include "scoring/floating_text.h"
#include "scoring/high_scores.h"
#include "settings/colours.h"
#include "settings/dual_stick.h"
#include "settings/key_names.h"
#include "settings/settings.h"
#include "settings/status_message.h"
#include "shell/game_state.h"
#include "shell/shared_tables.h"

namespace qv {

struct Shot;
struct Square;
struct Pinwheel;
struct Diamond;
struct Cube;
struct Seeker;
struct BlackHole;
struct Snake;
struct Interceptor;
struct Butterfly;
struct Generator;
struct Triangle;
struct PowerUp;

// The spawn streams of the director.
struct SpawnStream {
  int kind = 0;
  int area = 0;
  int remaining = 0;
};

struct Game {
  explicit Game(Platform& platform);

  // Devices.
  Graphics& gfx;
  Input& in;
  Audio& audio;
  Clock& clock;
  Rng& rng;

  // Records of the running game.
  GameState state;
  PlayerShip ship;
  InputState input;
  ViewState view;

  // Settings and tables.
  Settings settings;
  ActiveJoyConfig activeJoy;
  StatusMessage status;
  ColourTable colours;
  KeyNames keyNames{};
  DisplayTables display;
  ImageSet images;
  VectorFont font;
  SoundBank sounds;
  HighScoreTable scores;
  std::array<int, 8> nameBuffer;
  CircleTable circle{};
  CyclingColour cycling;
  std::string versionText;
  std::string dataFolder;  // where gfx/ and sounds/ are ("" for the working folder)
  // Set when start-up could not open the configured display and fell back for this run: these are
  // the player's choices, saved in place of the fallback.
  std::optional<DisplayChoice> configuredDisplay;
  int creditsTimer = 0;  // credits frames shown so far, up to 600: the title builds up only once
  // The scores at which a game of each difficulty gives an extra ship and an extra bomb (every multiple
  // of them). The game settings screen changes them; they last for this run only and are not saved.
  std::array<int, kDifficultyCount> extraLifeScores{75000, 100000, 200000};
  std::array<int, kDifficultyCount> extraBombScores{100000, 150000, 250000};
  DualStickState dualStick;  // the dual-stick screen's selection, captures and wizard, kept between visits

  // Effects.
  Grid grid;
  StarField stars;
  ParticlePool particles;
  EntityList<TrailSpark> trailSparks;

  // The fourteen entity lists, in their fixed order.
  EntityList<Shot> shots;
  EntityList<Square> squares;
  EntityList<Pinwheel> pinwheels;
  EntityList<Diamond> diamonds;
  EntityList<Cube> cubes;
  EntityList<Seeker> seekers;
  EntityList<BlackHole> blackHoles;
  EntityList<Snake> snakes;
  EntityList<Interceptor> interceptors;
  EntityList<Butterfly> butterflies;
  EntityList<Generator> generators;
  EntityList<Triangle> triangles;
  EntityList<PowerUp> powerUps;
  EntityList<FloatingText> floatingTexts;

  std::array<SpawnStream, 4> streams{};  // A, B, C, D
  int nextHumSlot = 0;                   // the hum slot the next black hole gets
  int debugMode = 0;                     // the alternative fire pattern and the frame counter shown
  std::string powerUpMessage;            // the bottom line of the head-up display
  int powerUpMessageTimer = 0;
  std::vector<ParticleAttractor> attractorScratch;  // reused every frame by the spark swirl
  ShotTargets shotTargets;                          // the enemies indexed while the shots fly

  // The program is leaving: the window was closed, a signal arrived or the player chose to quit.
  bool quitting = false;
  // Polls the devices; true once the program has been asked to end.
  bool ShouldQuit();

  // Convenience: plays a sound at the effects volume of the settings.
  ChannelId PlaySound(float rate, float pan, float volume, Sound sound) {
    return sounds.PlaySound(rate, pan, volume, sound, settings.sfxVolume);
  }
  // Text in the stroke font.
  void DrawText(std::string_view text, int x, int y, float scale) { DrawVectorText(gfx, font, text, x, y, scale); }
};

}  // namespace qv
