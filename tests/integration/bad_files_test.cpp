// The whole program over damaged, truncated, empty, huge, binary and unreadable versions of each file it
// reads ("Config.txt", "Colours.txt", "hiscores.dat", the PNG files of the "user" image set), and over
// extreme settings: it starts, plays a game of a few hundred frames, exits with status 0, keeps
// defaults or corrects values where the rules say so, and leaves complete files behind.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "platform/text_file.h"
#include "render/display.h"
#include "scoring/high_scores.h"
#include "settings/colours.h"
#include "settings/config_file.h"
#include "shell/game.h"
#include "shell/program.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace qv {
namespace {

namespace fs = std::filesystem;

// ---------------------------------------------------------------------------------------------------
// One run of the program.

// What a run left behind, in a form that a child process can hand back through a pipe.
struct RunFacts {
  int status = -1;
  int playFrames = 0;  // frames presented while a game was in play
  Settings settings;
  std::array<Rgb, kColourSlotCount> colours{};
  bool defaultScores = false;
  int userImagesLoaded = 0;
  int gridCellsAcross = 0, gridCellsDown = 0;
  int viewWidth = 0, fieldWidth = 0;
};
static_assert(std::is_trivially_copyable_v<RunFacts>);

constexpr int kStartFrame = 5;   // Space starts a game from the first attract screen
constexpr int kQuitFrame = 450;  // the window is closed: 100 frames of get-ready, then about 340 of play
constexpr int kPlayedAGame = 100;  // frames of play that show a game was under way

int UserImagesLoaded(const ImageSet& images) {
  int loaded = 0;
  for (const ImageHandle* image :
       {&images.icons, &images.snakeTail, &images.powerUps, &images.greenSquare, &images.purpleSquare1,
        &images.purpleSquare2, &images.blueDiamond, &images.pinkPinwheel, &images.indigoTriangle,
        &images.blueCircle, &images.redClone, &images.orangeTriangle, &images.redCircle, &images.whitePlayer,
        &images.yellowShot, &images.whiteStar, &images.snakeHead, &images.particle}) {
    loaded += *image != nullptr;
  }
  return loaded;
}

using PlatformSetUp = std::function<void(HeadlessPlatform&)>;

// Runs the program in the working folder: Space starts a game, the window is closed at quitFrame.
RunFacts RunProgramHere(const PlatformSetUp& setUp, int quitFrame = kQuitFrame) {
  HeadlessPlatform hp;
  if (setUp) setUp(hp);
  hp.input.TapKey(kStartFrame, kKeySpace);
  hp.input.RequestQuit(quitFrame);
  auto game = std::make_unique<Game>(hp.platform);
  RunFacts facts;
  hp.backend.onPresent = [&] {
    facts.playFrames += game->state.startRequested && !game->state.shipInactive && !game->state.gameOver;
  };
  facts.status = RunProgram(*game);
  hp.backend.onPresent = nullptr;
  facts.settings = game->settings;
  facts.colours = game->colours.colours;
  HighScoreTable defaults;
  BuildDefaultHighScores(defaults);
  facts.defaultScores = true;
  for (int row = 0; row < kHighScorePlaces; ++row) {
    for (int column = 0; column < kDifficultyCount; ++column) {
      facts.defaultScores = facts.defaultScores && game->scores.rows[row][column] == defaults.rows[row][column];
    }
  }
  facts.userImagesLoaded = UserImagesLoaded(game->images);
  facts.gridCellsAcross = game->grid.cellsAcross;
  facts.gridCellsDown = game->grid.cellsDown;
  facts.viewWidth = game->view.viewWidth;
  facts.fieldWidth = game->view.fieldWidth;
  return facts;
}

// The same, as the unprivileged user in a child process: permissions do not bind the superuser.
// Empty when this machine cannot run anything unprivileged.
std::optional<RunFacts> RunProgramUnprivileged(const fs::path& folder, const std::string& stderrPath) {
  // Everything in the folder becomes the unprivileged user's, as if that player had made it.
  if (::geteuid() == 0) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      (void)::lchown(entry.path().c_str(), test::kNobody, test::kNoGroup);
    }
  }
  test::LetNobodyIn(folder, true);
  int pipe[2];
  if (::pipe(pipe) != 0) return std::nullopt;
  const int result = test::RunUnprivileged(
      [&] {
        ::close(pipe[0]);
        const RunFacts facts = RunProgramHere(nullptr);
        return ::write(pipe[1], &facts, sizeof facts) == static_cast<ssize_t>(sizeof facts) ? 0 : 1;
      },
      stderrPath);
  ::close(pipe[1]);
  RunFacts facts;
  const ssize_t got = ::read(pipe[0], &facts, sizeof facts);
  ::close(pipe[0]);
  if (result == test::kCouldNotDropPrivileges) return std::nullopt;
  EXPECT_EQ(result, 0) << "the program's process failed";
  if (got != static_cast<ssize_t>(sizeof facts)) return RunFacts{};
  return facts;
}

// ---------------------------------------------------------------------------------------------------
// The files as a player who has played a while has them.

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

Settings PlayedSettings() {
  Settings s;
  s.windowed = true;
  s.controlType = ControlType::Keyboard;
  s.gridStyle = 7;
  s.starCount = 1234;
  s.particleCount = 5000;
  s.difficulty = 0;  // "Easy": the ship that nobody steers lasts the few hundred frames of the test
  s.gfxSet = 4;  // the "user" set
  return s;
}

ColourTable PlayedColours() {
  ColourTable table;
  for (std::size_t i = 0; i < table.colours.size(); ++i) {
    const int n = static_cast<int>(i);
    table.colours[i] = {100 + n, 150 - n, 7 * n};
  }
  return table;
}

HighScoreTable PlayedScores() {
  HighScoreTable table;
  BuildDefaultHighScores(table);
  int low = 0;
  InsertScore(table, 300000, "Ada     ", "5 mns, 2 secs", "5.0,1024X768,1024X768,Keyboard,0,4,7,0,0", 0, low);
  return table;
}

const char* const kUserImages[] = {
    "icons.png",        "snaketail.png",     "powerups.png",   "greensquare.png", "purplesquare1.png",
    "purplesquare2.png", "bluediamond.png",  "pinkpinwheel.png", "indigotriangle.png", "bluecircle.png",
    "redclone.png",     "orangetriangle.png", "redcircle.png", "whiteplayer.png", "yellowshot.png",
    "whitestar.png",    "snakehead.png",     "particle.png"};

// The game's own "user" set, as the build made it.
std::string UserImage(const char* name) { return ReadAll(fs::path(QV_BUILD_DIR) / "gfx/user" / name); }

void WritePlayedFiles() {
  WriteAll("Config.txt", FormatConfig(PlayedSettings()));
  WriteAll("Colours.txt", FormatColours(PlayedColours()));
  WriteAll("hiscores.dat", FormatHighScores(PlayedScores()));
  for (const char* name : kUserImages) WriteAll(fs::path("gfx/user") / name, UserImage(name));
}

// ---------------------------------------------------------------------------------------------------
// Damage.

enum class Damage { Damaged, Truncated, Empty, Huge, Binary, Unreadable };

const char* DamageName(Damage d) {
  switch (d) {
    case Damage::Damaged: return "Damaged";
    case Damage::Truncated: return "Truncated";
    case Damage::Empty: return "Empty";
    case Damage::Huge: return "Huge";
    case Damage::Binary: return "Binary";
    case Damage::Unreadable: return "Unreadable";
  }
  return "";
}

std::string RandomBytes(std::size_t size, std::uint32_t seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(random() & 0xff);
  return bytes;
}

constexpr std::size_t kHugeBytes = 24u << 20;  // beyond any size the game reads a text file to

// Replaces the first occurrence of `from` in the file's text.
std::string Edited(std::string text, std::string_view from, std::string_view to) {
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// Damage as a player's disk, editor or file manager might deal it, for each text file.
std::string DamagedConfig() {
  std::string text = FormatConfig(PlayedSettings());
  // Values out of range, and a value line lost inside the first joystick block, which shifts it.
  text = Edited(text, "[Particle Count]\r\n5000", "[Particle Count]\r\n999999");
  text = Edited(text, "[Difficulty]\r\n0", "[Difficulty]\r\n7");
  text = Edited(text, "[Particle Decay]\r\n0.949999988", "[Particle Decay]\r\n5");
  text = Edited(text, "[Used Port]\r\n0", "[Used Port]\r\n-3");
  text = Edited(text, "[Joy Move Y]\r\n2\r\n", "[Joy Move Y]\r\n");
  return text;
}

std::string DamagedColours() {
  // The name line of the first entry is gone: every later value moves up one line.
  return FormatColours(PlayedColours()).substr(std::string("squares\r\n").size());
}

std::string DamagedScores() {
  // One digit of one score changed: its row fails its check.
  return Edited(FormatHighScores(PlayedScores()), "300000", "300001");
}

void DamageFile(const fs::path& path, Damage damage, const std::string& damaged, std::uint32_t seed) {
  const std::string good = ReadAll(path);
  switch (damage) {
    case Damage::Damaged: WriteAll(path, damaged); break;
    case Damage::Truncated: WriteAll(path, good.substr(0, good.size() / 8)); break;
    case Damage::Empty: WriteAll(path, ""); break;
    case Damage::Huge: WriteAll(path, good + std::string(kHugeBytes, '\n')); break;
    case Damage::Binary: WriteAll(path, RandomBytes(65536, seed)); break;
    case Damage::Unreadable: ::chmod(path.c_str(), 0); break;
  }
}

// Every file of the user set gets the damage; a huge picture is a good one followed by tens of
// megabytes, only for the ship.
void DamageUserImages(Damage damage) {
  std::uint32_t seed = 1;
  for (const char* name : kUserImages) {
    const fs::path path = fs::path("gfx/user") / name;
    if (damage == Damage::Huge && std::string_view(name) != "whiteplayer.png") continue;
    std::string flipped = ReadAll(path);
    for (std::size_t i = flipped.size() / 3; i < flipped.size() / 3 + 8; ++i) flipped[i] = static_cast<char>(~flipped[i]);
    DamageFile(path, damage, flipped, seed++);
  }
}

// ---------------------------------------------------------------------------------------------------
// The table.

enum class Target { Config, Colours, Scores, Images };

struct BadFileCase {
  Target target;
  Damage damage;
};

std::string CaseName(const testing::TestParamInfo<BadFileCase>& info) {
  static const char* const kTargets[] = {"Config", "Colours", "Scores", "UserImages"};
  return std::string(kTargets[static_cast<int>(info.param.target)]) + DamageName(info.param.damage);
}

const char* TargetFile(Target t) {
  switch (t) {
    case Target::Config: return "Config.txt";
    case Target::Colours: return "Colours.txt";
    case Target::Scores: return "hiscores.dat";
    case Target::Images: return "gfx/user/whiteplayer.png";
  }
  return "";
}

class BadFiles : public testing::TestWithParam<BadFileCase> {
 protected:
  test::TempWorkDir dir;
};

TEST_P(BadFiles, TheProgramStartsPlaysAndExitsCleanly) {
  const BadFileCase c = GetParam();
  WritePlayedFiles();
  switch (c.target) {
    case Target::Config: DamageFile("Config.txt", c.damage, DamagedConfig(), 11); break;
    case Target::Colours: DamageFile("Colours.txt", c.damage, DamagedColours(), 12); break;
    case Target::Scores: DamageFile("hiscores.dat", c.damage, DamagedScores(), 13); break;
    case Target::Images: DamageUserImages(c.damage); break;
  }
  const std::string before = c.target == Target::Images ? "" : ReadAll(TargetFile(c.target));

  RunFacts run;
  const fs::path stderrPath = dir.path().parent_path() / (dir.path().filename().string() + ".stderr");
  const bool unreadable = c.damage == Damage::Unreadable;
  if (unreadable) {
    const std::optional<RunFacts> facts = RunProgramUnprivileged(dir.path(), stderrPath.string());
    if (!facts) GTEST_SKIP() << "cannot run as an unprivileged user here, and permissions do not bind root";
    run = *facts;
  } else {
    run = RunProgramHere(nullptr);
  }

  EXPECT_EQ(run.status, 0);
  EXPECT_GT(run.playFrames, kPlayedAGame) << "a game should have been played";

  const Settings played = PlayedSettings();
  const Settings defaults;
  // The settings the run ended with: those of the file where it could be read, defaults elsewhere.
  if (c.target == Target::Config) {
    switch (c.damage) {
      case Damage::Damaged:
        EXPECT_EQ(run.settings.starCount, played.starCount);
        EXPECT_EQ(run.settings.particleCount, 50000) << "a pool larger than the game has is brought down";
        EXPECT_EQ(run.settings.difficulty, defaults.difficulty) << "a difficulty the game lacks keeps the one before";
        EXPECT_EQ(run.settings.particleDecay, 0.9999f);
        EXPECT_EQ(run.settings.usedPort, defaults.usedPort);
        break;
      case Damage::Truncated:  // the first eighth of the file: up to "[Grid Style]"
        EXPECT_TRUE(run.settings.windowed);
        EXPECT_EQ(run.settings.controlType, ControlType::Keyboard);
        EXPECT_EQ(run.settings.gridStyle, defaults.gridStyle);
        EXPECT_EQ(run.settings.starCount, defaults.starCount);
        break;
      default:
        EXPECT_EQ(run.settings.controlType, defaults.controlType);
        EXPECT_EQ(run.settings.starCount, defaults.starCount);
        EXPECT_EQ(run.settings.gfxSet, defaults.gfxSet);
        break;
    }
  } else {
    EXPECT_EQ(run.settings.starCount, played.starCount);
    EXPECT_EQ(run.settings.gfxSet, played.gfxSet);
  }

  if (c.target == Target::Colours) {
    const ColourTable playedColours = PlayedColours();
    switch (c.damage) {
      case Damage::Damaged:  // read by position: the first entry now holds green, blue and a name
        EXPECT_EQ(run.colours[0], (Rgb{playedColours.colours[0].green, playedColours.colours[0].blue, 0}));
        break;
      case Damage::Truncated:
        EXPECT_EQ(run.colours[0], playedColours.colours[0]);
        EXPECT_EQ(run.colours[kTrailColour], (Rgb{0, 0, 0})) << "lines missing at the end read as 0";
        break;
      case Damage::Empty: EXPECT_EQ(run.colours[kSquareColour], (Rgb{0, 0, 0})); break;
      case Damage::Huge:
      case Damage::Unreadable: EXPECT_EQ(run.colours, ColourTable{}.colours); break;
      case Damage::Binary: break;  // any numbers at all; drawing clamps them
    }
  } else {
    EXPECT_EQ(run.colours, PlayedColours().colours);
  }

  // Any damage to the score file brings back the built-in table.
  EXPECT_EQ(run.defaultScores, c.target == Target::Scores);

  if (c.target == Target::Images) {
    // A picture that cannot be read leaves its entry empty; the huge one is a good picture still.
    EXPECT_EQ(run.userImagesLoaded, c.damage == Damage::Huge ? 18 : 0);
  } else if (c.target != Target::Config) {
    EXPECT_EQ(run.userImagesLoaded, 18);
  }

  // The files are complete after the exit: rewritten from what the run held, or, where the player's
  // file could not be written, the player's file as it was.
  if (unreadable && c.target != Target::Images) {
    ::chmod(TargetFile(c.target), 0644);
    EXPECT_EQ(ReadAll(TargetFile(c.target)), before) << "an unreadable file is not overwritten";
    const std::string said = ReadAll(stderrPath);
    EXPECT_EQ(said, "quorvax: could not save " + std::string(TargetFile(c.target)) + " in " +
                        dir.path().string() + "\n");
  } else {
    if (unreadable) {
      EXPECT_EQ(ReadAll(stderrPath), "") << "every file could be saved";
    }
    Settings saved;
    ParseConfig(ReadAll("Config.txt"), saved);
    EXPECT_EQ(FormatConfig(saved), ReadAll("Config.txt"));
    ColourTable colours;
    ParseColours(ReadAll("Colours.txt"), colours);
    EXPECT_EQ(colours.colours, run.colours);
    HighScoreTable scores;
    EXPECT_TRUE(LoadHighScores("hiscores.dat", scores));
  }
  std::error_code ec;
  fs::remove(stderrPath, ec);
}

std::vector<BadFileCase> AllCases() {
  std::vector<BadFileCase> cases;
  for (Target t : {Target::Config, Target::Colours, Target::Scores, Target::Images}) {
    for (Damage d : {Damage::Damaged, Damage::Truncated, Damage::Empty, Damage::Huge, Damage::Binary,
                     Damage::Unreadable}) {
      cases.push_back({t, d});
    }
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EachFileEachDamage, BadFiles, testing::ValuesIn(AllCases()), CaseName);

// ---------------------------------------------------------------------------------------------------
// Extreme settings: the largest screen over the finest grid, the biggest pools, negative counts and
// indices outside every table, each through a whole run.

struct ExtremeCase {
  const char* name;
  std::string overrides;  // pairs added after a complete file; the last occurrence of a key wins
  PlatformSetUp setUp;
  std::function<void(const RunFacts&)> check;
  // Every frame at the largest size moves and draws well over a million lattice points: that run is
  // kept shorter.
  int quitFrame = kQuitFrame;
  int playFrames = kPlayedAGame;
};

std::string Pairs(std::initializer_list<std::pair<const char*, const char*>> pairs) {
  std::string text;
  for (const auto& [key, value] : pairs) text += std::string(key) + "\r\n" + value + "\r\n";
  return text;
}

// A joystick on port 0 whose every axis leans and whose buttons are all held now and then.
void BusyJoystick(HeadlessPlatform& hp) {
  hp.input.SetJoyCount(1);
  for (int f = 1; f < kQuitFrame; f += 7) {
    for (int slot = 0; slot < 16; ++slot) hp.input.SetJoyAxis(f, 0, slot, ((f + slot) % 5 - 2) * 0.6f);
    if (f > kStartFrame + 150) hp.input.PressJoy(f, 0, (f / 7) % 16, f + 3);
  }
}

const ExtremeCase kExtremeCases[] = {
    {"LargestScreenOverTheLargestPlayfieldWithTheFinestGrid",
     Pairs({{"[Windowed]", "True"}, {"[Screen Width]", "5120"}, {"[Screen Height]", "4096"},
            {"[Playfield Width]", "5120"}, {"[Playfield Height]", "4096"}, {"[Grid Spacing]", "0"},
            {"[Full Grid]", "1"}}),
     [](HeadlessPlatform& hp) {
       hp.backend.desktopWidth = 5120;
       hp.backend.desktopHeight = 4096;
     },
     [](const RunFacts& r) {
       EXPECT_EQ(r.viewWidth, 5120);
       EXPECT_EQ(r.gridCellsAcross, 5120 / 4);
       EXPECT_EQ(r.gridCellsDown, 4096 / 4);
     },
     kStartFrame + 100 + 30, 20},
    {"FiftyThousandLongLivedParticles",
     Pairs({{"[Particle Count]", "50000"}, {"[Particle Life]", "500"}, {"[Particle Style]", "3"},
            {"[Particle Decay]", "0.9999"}}),
     nullptr, [](const RunFacts& r) { EXPECT_EQ(r.settings.particleCount, 50000); }},
    {"MoreParticlesThanThePoolHolds", Pairs({{"[Particle Count]", "2000000000"}, {"[Particle Life]", "100000"}}),
     nullptr,
     [](const RunFacts& r) {
       EXPECT_EQ(r.settings.particleCount, 50000);
       EXPECT_EQ(r.settings.particleLife, 500);
     }},
    {"TenThousandStarsOverAScrollingPlayfield",
     Pairs({{"[Show Stars]", "10000"}, {"[Playfield Width]", "2560"}, {"[Playfield Height]", "2048"}}), nullptr,
     [](const RunFacts& r) {
       EXPECT_EQ(r.settings.starCount, 10000);
       EXPECT_EQ(r.settings.scroll, 1) << "a playfield larger than the screen scrolls";
     }},
    {"NegativeCountsAndSizes",
     Pairs({{"[Show Stars]", "-5"}, {"[Particle Count]", "-100"}, {"[Particle Life]", "-7"},
            {"[Particle Gravity]", "-3"}, {"[Playfield Width]", "-800"}, {"[Playfield Height]", "-600"},
            {"[Grid Spacing]", "-1"}}),
     nullptr,
     [](const RunFacts& r) {
       EXPECT_EQ(r.fieldWidth, kMinSide) << "a size the game cannot draw becomes the nearest one it can";
     }},
    {"IndicesOutsideEveryTable",
     Pairs({{"[Control Type]", "Hybrid"}, {"[Hybrid Config]", "7"}, {"[Joypad Config]", "-3"},
            {"[Grid Style]", "99"}, {"[Particle Style]", "-2147483648"}, {"[Grid Spacing]", "9"},
            {"[Gfx Set]", "17"}, {"[Difficulty]", "-1"}, {"[Used Port]", "9"}, {"[Mouse Fire]", "9"},
            {"[Mouse Bomb]", "-1"}, {"[Key Move Left]", "999"}, {"[Key Move Up]", "-5"},
            {"[Key Fire Left]", "256"}, {"[Grid Red]", "-50"}, {"[Grid Blue]", "999"},
            {"[Grid Opacity]", "500"}, {"[Inertia]", "300"}, {"[Mouse Sensitivity]", "-200"},
            {"[SFX Volume]", "999"}, {"[Autofire]", "5"}, {"[Scroll]", "-2"}}),
     nullptr,
     [](const RunFacts& r) {
       EXPECT_EQ(r.settings.gfxSet, 0);
       EXPECT_EQ(r.settings.difficulty, 0) << "a difficulty the game lacks keeps the one before";
       EXPECT_EQ(r.settings.usedPort, 0) << "a port no joystick sits in keeps the one before";
     }},
    {"JoystickSettingsOutsideEveryTable",
     Pairs({{"[Control Type]", "Dual Analog"}, {"[Used Port]", "3"}, {"[Joy Port]", "3"},
            {"[Joy Move X]", "99"}, {"[Joy Move Y]", "-4"}, {"[Joy Fire X]", "0"}, {"[Joy Fire Y]", "16"},
            {"[Joy Move X Inverted]", "-1"}, {"[Joy Move Y Inverted]", "7"}, {"[Joy Fire X Inverted]", "1"},
            {"[Joy Fire Y Inverted]", "0"}, {"[Joy Move X Scale]", "$7FFFFFFF"}, {"[Joy Move Y Scale]", "-1"},
            {"[Joy Fire X Scale]", "0"}, {"[Joy Fire Y Scale]", "1"}, {"[Joy Move X Center]", "1.5"},
            {"[Joy Move Y Center]", "-1"}, {"[Joy Fire X Center]", "nan"}, {"[Joy Fire Y Center]", "0"},
            {"[Joy Move X Dead Zone]", "1"}, {"[Joy Move Y Dead Zone]", "-7"}, {"[Joy Fire X Dead Zone]", "0"},
            {"[Joy Fire Y Dead Zone]", "0"}, {"[Joy Option]", "-1"}, {"[Joy Bomb]", "99"},
            {"[Joy Port]", "17"}}),
     BusyJoystick, [](const RunFacts& r) { EXPECT_EQ(r.settings.usedPort, 3); }},
    {"JoypadButtonsOutsideEveryTable",
     Pairs({{"[Control Type]", "Joypad"}, {"[Joypad Config]", "1"}, {"[Joypad Left]", "99"},
            {"[Joypad Up]", "-1"}, {"[Joypad Right]", "16"}, {"[Joypad Down]", "2147483647"},
            {"[Joypad Option]", "-2147483648"}, {"[Joypad Bomb]", "40"}}),
     BusyJoystick, nullptr},
};

class ExtremeSettings : public testing::TestWithParam<ExtremeCase> {
 protected:
  test::TempWorkDir dir;
};

TEST_P(ExtremeSettings, TheProgramStartsPlaysAndExitsCleanly) {
  const ExtremeCase& c = GetParam();
  Settings base;
  base.difficulty = 0;
  WriteAll("Config.txt", FormatConfig(base) + c.overrides);
  const RunFacts run = RunProgramHere(c.setUp, c.quitFrame);
  EXPECT_EQ(run.status, 0);
  EXPECT_GT(run.playFrames, c.playFrames) << "a game should have been played";
  if (c.check) c.check(run);
  // What the run saved is a complete file that reads back as itself.
  Settings saved;
  ParseConfig(ReadAll("Config.txt"), saved);
  EXPECT_EQ(FormatConfig(saved), ReadAll("Config.txt"));
}

INSTANTIATE_TEST_SUITE_P(Each, ExtremeSettings, testing::ValuesIn(kExtremeCases),
                         [](const testing::TestParamInfo<ExtremeCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace qv
