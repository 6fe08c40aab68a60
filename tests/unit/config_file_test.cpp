#include "settings/config_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "settings/stick_axis.h"
#include "temp_folder.h"

namespace qv {
namespace {

using test_files::ReadBytes;
using test_files::SplitCrLf;
using test_files::TempFolder;
using test_files::WriteBytes;

using Pairs = std::vector<std::pair<std::string, std::string>>;

// The file the game writes with every setting at its default, as pairs of key and value lines.
const Pairs kDefaultSettingsPairs = {
    {"[Windowed]", "False"},       {"[Control Type]", "Dual Analog"}, {"[Hybrid Config]", "0"},
    {"[Joypad Config]", "0"},      {"[Joypad Left]", "0"},            {"[Joypad Up]", "1"},
    {"[Joypad Right]", "2"},       {"[Joypad Down]", "3"},            {"[Joypad Option]", "0"},
    {"[Joypad Bomb]", "4"},        {"[Autofire]", "0"},               {"[Key Bomb]", "32"},
    {"[Key Move Left]", "83"},     {"[Key Move Right]", "68"},        {"[Key Move Up]", "69"},
    {"[Key Move Down]", "88"},     {"[Key Fire Left]", "37"},         {"[Key Fire Right]", "39"},
    {"[Key Fire Up]", "38"},       {"[Key Fire Down]", "40"},         {"[SFX Volume]", "50"},
    {"[Music Volume]", "50"},      {"[Grid Style]", "0"},             {"[Grid Red]", "32"},
    {"[Grid Green]", "80"},        {"[Grid Blue]", "200"},            {"[Grid Opacity]", "85"},
    {"[Grid Spacing]", "2"},       {"[Full Grid]", "1"},              {"[Gfx Set]", "0"},
    {"[Show Stars]", "300"},       {"[Scroll]", "0"},                 {"[Playfield Width]", "1024"},
    {"[Playfield Height]", "768"}, {"[Screen Width]", "1024"},        {"[Screen Height]", "768"},
    {"[Particle Count]", "2048"},  {"[Particle Life]", "40"},         {"[Particle Gravity]", "1"},
    {"[Particle Decay]", "0.949999988"}, {"[Particle Style]", "0"},   {"[Mouse Sensitivity]", "50"},
    {"[Mouse Fire]", "1"},         {"[Mouse Bomb]", "2"},             {"[Difficulty]", "1"},
    {"[Inertia]", "0"},            {"[Used Port]", "0"},
};
const Pairs kDefaultPortPairs = {
    {"[Joy Move X]", "1"},
    {"[Joy Move Y]", "2"},
    {"[Joy Fire X]", "4"},
    {"[Joy Fire Y]", "3"},
    {"[Joy Move X Inverted]", "1"},
    {"[Joy Move Y Inverted]", "1"},
    {"[Joy Fire X Inverted]", "1"},
    {"[Joy Fire Y Inverted]", "1"},
    {"[Joy Move X Scale]", "1"},
    {"[Joy Move Y Scale]", "1"},
    {"[Joy Fire X Scale]", "1"},
    {"[Joy Fire Y Scale]", "1"},
    {"[Joy Move X Center]", "0.00000000"},
    {"[Joy Move Y Center]", "0.00000000"},
    {"[Joy Fire X Center]", "0.00000000"},
    {"[Joy Fire Y Center]", "0.00000000"},
    {"[Joy Move X Dead Zone]", "0.00000000"},
    {"[Joy Move Y Dead Zone]", "0.00000000"},
    {"[Joy Fire X Dead Zone]", "0.00000000"},
    {"[Joy Fire Y Dead Zone]", "0.00000000"},
    {"[Joy Option]", "1"},
    {"[Joy Bomb]", "2"},
};

std::string CrLfText(const Pairs& pairs) {
  std::string text;
  for (const auto& [key, value] : pairs) text += key + "\r\n" + value + "\r\n";
  return text;
}

// A port block: "[Joy Port]" and the given pairs, padded with unknown pairs to the block's 22.
std::string PortBlock(std::string_view port, const Pairs& pairs) {
  std::string text = "[Joy Port]\n" + std::string(port) + "\n";
  for (const auto& [key, value] : pairs) text += key + "\n" + value + "\n";
  for (std::size_t i = pairs.size(); i < 22; ++i) text += "[Filler]\n0\n";
  return text;
}

Settings Parsed(std::string_view text) {
  Settings settings;
  ParseConfig(text, settings);
  return settings;
}

TEST(ConfigFile, DefaultFileIsTheKnown278CrLfLines) {
  std::string expected = CrLfText(kDefaultSettingsPairs);
  for (int port = 0; port < 4; ++port) {
    expected += CrLfText({{"[Joy Port]", std::to_string(port)}}) + CrLfText(kDefaultPortPairs);
  }
  const std::string text = FormatConfig(Settings{});
  EXPECT_EQ(text, expected);
  EXPECT_EQ(SplitCrLf(text).size(), 278u);
}

TEST(ConfigFile, EmptyTextLeavesEveryDefault) { EXPECT_EQ(Parsed(""), Settings{}); }

TEST(ConfigFile, SavedSettingsLoadBackExactly) {
  Settings saved;
  saved.windowed = true;
  saved.controlType = ControlType::Hybrid;
  int next = 7;  // distinct values, so a key that reads into the wrong field shows
  for (int* field : {&saved.hybridMode, &saved.joypadMode, &saved.joypadLeftButton, &saved.joypadUpButton,
                     &saved.joypadRightButton, &saved.joypadDownButton, &saved.joypadOptionButton,
                     &saved.joypadBombButton, &saved.autofire, &saved.keyBomb, &saved.keyMoveLeft,
                     &saved.keyMoveRight, &saved.keyMoveUp, &saved.keyMoveDown, &saved.keyFireLeft,
                     &saved.keyFireRight, &saved.keyFireUp, &saved.keyFireDown, &saved.gridStyle,
                     &saved.gridRed, &saved.gridGreen, &saved.gridBlue, &saved.gridSpacing,
                     &saved.starCount, &saved.scroll, &saved.playfieldWidth, &saved.playfieldHeight,
                     &saved.screenWidth, &saved.screenHeight, &saved.particleCount, &saved.particleLife,
                     &saved.particleGravity, &saved.particleStyle, &saved.mouseFireButton,
                     &saved.mouseBombButton}) {
    *field = next++;
  }
  saved.keyMoveUp = -3;
  saved.fullGrid = 0;
  saved.gfxSet = 4;
  saved.difficulty = 2;
  saved.usedPort = 3;
  saved.sfxVolume = 0.07f;
  saved.musicVolume = 1.0f;
  saved.gridOpacity = 0.33f;
  saved.mouseSensitivity = 0.99f;
  saved.inertia = 0.9f;
  saved.particleDecay = 0.123456789f;
  for (int p = 0; p < 4; ++p) {
    JoyPortConfig& port = saved.joyPorts[static_cast<std::size_t>(p)];
    port = {.moveXAxis = p, .moveYAxis = 15 - p, .fireXAxis = 5 + p, .fireYAxis = 9 + p,
            .moveXInvert = -1, .moveYInvert = 1, .fireXInvert = p % 2 ? -1 : 1, .fireYInvert = -1,
            .moveXScale = 180, .moveYScale = 255, .fireXScale = 1, .fireYScale = 180.0f + p,
            .moveXCentre = -0.25f, .moveYCentre = 0.01f * p, .fireXCentre = 1.0f, .fireYCentre = -0.9f,
            .moveXDeadZone = 0.5f, .moveYDeadZone = -0.1f, .fireXDeadZone = 0.3f, .fireYDeadZone = 0.0f,
            .optionButton = 10 + p, .bombButton = 20 + p};
  }
  EXPECT_EQ(Parsed(FormatConfig(saved)), saved);
}

// Every whole number of hundredths must be written back as it was read, or each save would drift.
TEST(ConfigFile, HundredthsSurviveRepeatedSaves) {
  for (int hundredths = 0; hundredths <= 100; ++hundredths) {
    const std::string line = std::to_string(hundredths);
    const Settings once = Parsed("[Inertia]\n" + line + "\n[SFX Volume]\n" + line);
    const std::string text = FormatConfig(once);
    EXPECT_NE(text.find("[Inertia]\r\n" + line + "\r\n"), std::string::npos) << line;
    EXPECT_NE(text.find("[SFX Volume]\r\n" + line + "\r\n"), std::string::npos) << line;
    EXPECT_EQ(Parsed(text), once) << line;
  }
}

TEST(ConfigFile, ValuesAreWrittenTruncatedToTheFileForm) {
  Settings settings;
  settings.gridOpacity = 0.8399999f;
  settings.joyPorts[0].moveXScale = 1.5f;
  const Settings reloaded = Parsed(FormatConfig(settings));
  EXPECT_FLOAT_EQ(reloaded.gridOpacity, 0.83f);
  EXPECT_EQ(reloaded.joyPorts[0].moveXScale, 1.0f);
}

struct KeyCase {
  std::string_view what;
  std::string text;
  double (*field)(const Settings&);
  double expected;
};

double Windowed(const Settings& s) { return s.windowed; }
double Control(const Settings& s) { return static_cast<int>(s.controlType); }
double GfxSet(const Settings& s) { return s.gfxSet; }
double FullGrid(const Settings& s) { return s.fullGrid; }
double GridStyle(const Settings& s) { return s.gridStyle; }
double KeyBomb(const Settings& s) { return s.keyBomb; }
double ParticleCount(const Settings& s) { return s.particleCount; }
double ParticleLife(const Settings& s) { return s.particleLife; }
double ParticleDecay(const Settings& s) { return s.particleDecay; }
double SfxVolume(const Settings& s) { return s.sfxVolume; }
double Sensitivity(const Settings& s) { return s.mouseSensitivity; }
double Inertia(const Settings& s) { return s.inertia; }
double UsedPort(const Settings& s) { return s.usedPort; }
double Difficulty(const Settings& s) { return s.difficulty; }
double ScreenWidth(const Settings& s) { return s.screenWidth; }
double Port1MoveXInvert(const Settings& s) { return s.joyPorts[1].moveXInvert; }
double Port1FireYInvert(const Settings& s) { return s.joyPorts[1].fireYInvert; }
double Port1MoveXScale(const Settings& s) { return s.joyPorts[1].moveXScale; }
double Port1MoveXCentre(const Settings& s) { return s.joyPorts[1].moveXCentre; }
double Port1FireYDeadZone(const Settings& s) { return s.joyPorts[1].fireYDeadZone; }
double Port1MoveYAxis(const Settings& s) { return s.joyPorts[1].moveYAxis; }
double Port1BombButton(const Settings& s) { return s.joyPorts[1].bombButton; }

TEST(ConfigFile, KeysAreReadWithTheirChecks) {
  const KeyCase cases[] = {
      {"windowed true", "[Windowed]\ntrue", Windowed, 1},
      {"windowed True", "[Windowed]\nTrue", Windowed, 1},
      {"windowed TRUE with CR LF", "[Windowed]\r\nTRUE\r\n", Windowed, 1},
      {"windowed yes", "[Windowed]\nyes", Windowed, 0},
      {"windowed 1", "[Windowed]\n1", Windowed, 0},
      {"windowed last wins", "[Windowed]\nTrue\n[Windowed]\nFalse", Windowed, 0},
      {"control lower case", "[Control Type]\njoypad", Control, 3},
      {"control upper case", "[Control Type]\nHYBRID", Control, 4},
      {"control with space", "[Control Type]\nMouse\n[Control Type]\ndual analog", Control, 0},
      {"unknown control kept", "[Control Type]\nKeyboard\n[Control Type]\nGamepad", Control, 2},
      {"gfx set user", "[Gfx Set]\n4", GfxSet, 4},
      {"gfx set 3", "[Gfx Set]\n3", GfxSet, 3},
      {"gfx set above", "[Gfx Set]\n3\n[Gfx Set]\n5", GfxSet, 0},
      {"gfx set below", "[Gfx Set]\n3\n[Gfx Set]\n-1", GfxSet, 0},
      {"full grid 2", "[Full Grid]\n2", FullGrid, 0},
      {"full grid -1", "[Full Grid]\n-1", FullGrid, 0},
      {"full grid 0", "[Full Grid]\n0", FullGrid, 0},
      {"particle count above", "[Particle Count]\n60000", ParticleCount, 50000},
      {"particle count at limit", "[Particle Count]\n50000", ParticleCount, 50000},
      {"particle count negative kept", "[Particle Count]\n-5", ParticleCount, -5},
      {"particle life above", "[Particle Life]\n501", ParticleLife, 500},
      {"particle life at limit", "[Particle Life]\n500", ParticleLife, 500},
      {"decay above", "[Particle Decay]\n1", ParticleDecay, 0.9999f},
      {"decay below", "[Particle Decay]\n0", ParticleDecay, 0.01f},
      {"decay inside", "[Particle Decay]\n0.5", ParticleDecay, 0.5f},
      {"decay not a number", "[Particle Decay]\nnan", ParticleDecay, 0.01f},
      {"volume in hundredths", "[SFX Volume]\n75", SfxVolume, 0.75f},
      {"hundredths read as a real", "[Inertia]\n50.5", Inertia, 0.505f},
      {"hundredths unchecked", "[Mouse Sensitivity]\n250", Sensitivity, 2.5f},
      {"used port inside", "[Used Port]\n3", UsedPort, 3},
      {"used port above kept", "[Used Port]\n2\n[Used Port]\n4", UsedPort, 2},
      {"used port below kept", "[Used Port]\n2\n[Used Port]\n-1", UsedPort, 2},
      {"difficulty inside", "[Difficulty]\n0", Difficulty, 0},
      {"difficulty above kept", "[Difficulty]\n0\n[Difficulty]\n3", Difficulty, 0},
      {"key code kept as read", "[Key Bomb]\n99999", KeyBomb, 99999},
      {"lenient key code", "[Key Bomb]\n$ff", KeyBomb, 255},
      {"size kept as read", "[Screen Width]\n-640", ScreenWidth, -640},
      {"unknown key skipped with its value", "[Nope]\n[Grid Style]\n[Grid Style]\n7", GridStyle, 7},
      {"keys are case-sensitive", "[grid style]\n7", GridStyle, 0},
      {"keys are not trimmed", "[Grid Style] \n7", GridStyle, 0},
      {"missing final value reads 0", "[Grid Style]\n5\n[Grid Style]", GridStyle, 0},
      {"extra line shifts later pairs", "[Grid Style]\n5\n\n[Grid Style]\n7\n", GridStyle, 5},
      {"repeated key last wins", "[Grid Style]\n5\n[Grid Style]\n9\n[Grid Style]\n6", GridStyle, 6},
      {"invert -1", PortBlock("1", {{"[Joy Move X Inverted]", "-1"}}), Port1MoveXInvert, -1},
      {"invert 0", PortBlock("1", {{"[Joy Move X Inverted]", "-1"}}) + PortBlock("1", {{"[Joy Move X Inverted]", "0"}}),
       Port1MoveXInvert, 1},
      {"invert 2", PortBlock("1", {{"[Joy Fire Y Inverted]", "-1"}, {"[Joy Fire Y Inverted]", "2"}}),
       Port1FireYInvert, 1},
      {"scale 0", PortBlock("1", {{"[Joy Move X Scale]", "0"}}), Port1MoveXScale, 1},
      {"scale whole", PortBlock("1", {{"[Joy Move X Scale]", "180"}}), Port1MoveXScale, 180},
      {"scale fraction", PortBlock("1", {{"[Joy Move X Scale]", "255.9"}}), Port1MoveXScale, 255},
      {"centre beyond 1", PortBlock("1", {{"[Joy Move X Center]", "-0.5"}, {"[Joy Move X Center]", "1.5"}}),
       Port1MoveXCentre, 0},
      {"centre inside", PortBlock("1", {{"[Joy Move X Center]", "-0.5"}}), Port1MoveXCentre, -0.5},
      {"centre at 1", PortBlock("1", {{"[Joy Move X Center]", "1"}}), Port1MoveXCentre, 1},
      {"dead zone beyond -1", PortBlock("1", {{"[Joy Fire Y Dead Zone]", "-1.01"}}), Port1FireYDeadZone, 0},
      {"dead zone inside", PortBlock("1", {{"[Joy Fire Y Dead Zone]", "0.25"}}), Port1FireYDeadZone, 0.25},
      {"axis kept as read", PortBlock("1", {{"[Joy Move Y]", "16"}}), Port1MoveYAxis, 16},
      {"button kept as read", PortBlock("1", {{"[Joy Bomb]", "-7"}}), Port1BombButton, -7},
      {"port keys outside a block", "[Joy Bomb]\n9", Port1BombButton, 2},
  };
  for (const KeyCase& c : cases) EXPECT_EQ(c.field(Parsed(c.text)), c.expected) << c.what;
}

TEST(ConfigFile, PortBlockReadsItsOwnPortAndNoOther) {
  const Settings settings = Parsed(PortBlock("2", {{"[Joy Option]", "11"}, {"[Joy Move X]", "9"}}));
  EXPECT_EQ(settings.joyPorts[2].optionButton, 11);
  EXPECT_EQ(settings.joyPorts[2].moveXAxis, 9);
  for (const int port : {0, 1, 3}) EXPECT_EQ(settings.joyPorts[static_cast<std::size_t>(port)], JoyPortConfig{});
}

TEST(ConfigFile, PortBlockConsumesTwentyTwoPairsWhateverTheyHold) {
  // Settings keys and another "[Joy Port]" inside a block are consumed and ignored; the pair after the
  // block is read as a setting again.
  const std::string text =
      PortBlock("0", {{"[Grid Style]", "9"}, {"[Joy Port]", "1"}, {"[Joy Bomb]", "5"}}) + "[Grid Style]\n8\n";
  const Settings settings = Parsed(text);
  EXPECT_EQ(settings.gridStyle, 8);
  EXPECT_EQ(settings.joyPorts[0].bombButton, 5);
  EXPECT_EQ(settings.joyPorts[1], JoyPortConfig{});
}

TEST(ConfigFile, PortBlockOfAPortThatCannotExistIsSkippedWhole) {
  for (const std::string_view port : {"4", "-1", "2147483647", "junk5"}) {
    const Settings settings =
        Parsed(PortBlock(port, {{"[Joy Bomb]", "5"}, {"[Difficulty]", "0"}}) + "[Grid Style]\n8\n");
    EXPECT_EQ(settings.gridStyle, 8) << port;
    EXPECT_EQ(settings.difficulty, 1) << port;
    // "junk5" reads as port 0, whose record then takes the block
    const bool portZero = port == "junk5";
    EXPECT_EQ(settings.joyPorts[0].bombButton, portZero ? 5 : 2) << port;
    for (std::size_t p = 1; p < 4; ++p) EXPECT_EQ(settings.joyPorts[p], JoyPortConfig{}) << port;
  }
}

TEST(ConfigFile, ShortPortBlockAtTheEndReadsMissingValuesAsEmpty) {
  // Pairs past the end of the file read as empty keys and values: nothing matches, nothing breaks.
  const Settings settings = Parsed("[Joy Port]\n3\n[Joy Move X Center]\n0.5\n[Joy Fire X Scale]");
  EXPECT_FLOAT_EQ(settings.joyPorts[3].moveXCentre, 0.5f);
  EXPECT_EQ(settings.joyPorts[3].fireXScale, 1.0f);  // the empty value reads 0, which becomes 1
}

class ConfigFileOnDisk : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(folder.Made()); }
  TempFolder folder;
  StatusMessage status;
};

TEST_F(ConfigFileOnDisk, MissingFileLeavesSettingsUntouched) {
  Settings settings;
  settings.gridStyle = 12;
  const Settings before = settings;
  EXPECT_FALSE(LoadConfig(folder.File("Config.txt"), settings, status));
  EXPECT_EQ(settings, before);
  EXPECT_EQ(status.statusMessage, "Config load failed.");
  EXPECT_EQ(status.statusMessageFrames, 120);
}

TEST_F(ConfigFileOnDisk, SaveThenLoadReportsBothAndRestoresTheSettings) {
  Settings saved;
  saved.difficulty = 2;
  saved.joyPorts[3].bombButton = 9;
  ASSERT_TRUE(SaveConfig(folder.File("Config.txt"), saved, status));
  EXPECT_EQ(status.statusMessage, "Config file saved.");
  EXPECT_EQ(ReadBytes(folder.File("Config.txt")), FormatConfig(saved));

  status.statusMessageFrames = 0;
  Settings loaded;
  ASSERT_TRUE(LoadConfig(folder.File("Config.txt"), loaded, status));
  EXPECT_EQ(loaded, saved);
  EXPECT_EQ(status.statusMessage, "Config file loaded.");
  EXPECT_EQ(status.statusMessageFrames, 120);
}

TEST_F(ConfigFileOnDisk, EmptyFileLoadsAndKeepsTheDefaults) {
  WriteBytes(folder.File("Config.txt"), "");
  Settings settings;
  EXPECT_TRUE(LoadConfig(folder.File("Config.txt"), settings, status));
  EXPECT_EQ(settings, Settings{});
  EXPECT_EQ(status.statusMessage, "Config file loaded.");
}

TEST_F(ConfigFileOnDisk, FailedSaveLeavesTheMessageAlone) {
  status.Show("Colour file loaded.");
  EXPECT_FALSE(SaveConfig(folder.File("gone/Config.txt"), Settings{}, status));
  EXPECT_EQ(status.statusMessage, "Colour file loaded.");
}

TEST(JoystickRecord, ActiveCopyOfTheDefaultsIsTheDefaultActiveCopy) {
  EXPECT_EQ(ApplyUsedPort(Settings{}), ActiveJoyConfig{});
}

TEST(JoystickRecord, ActiveCopyTakesThePortInUseWithZeroBasedAxes) {
  Settings settings;
  JoyPortConfig& port = settings.joyPorts[2];
  port = {.moveXAxis = 0, .moveYAxis = 15, .fireXAxis = 16, .fireYAxis = -2147483647 - 1,
          .moveXInvert = -1, .moveYInvert = 1, .fireXInvert = -1, .fireYInvert = 1,
          .moveXScale = 180, .moveYScale = 255, .fireXScale = 2, .fireYScale = 3,
          .moveXCentre = 0.1f, .moveYCentre = 0.2f, .fireXCentre = 0.3f, .fireYCentre = 0.4f,
          .moveXDeadZone = 0.5f, .moveYDeadZone = 0.6f, .fireXDeadZone = 0.7f, .fireYDeadZone = 0.8f,
          .optionButton = 6, .bombButton = 7};
  settings.usedPort = 2;
  const ActiveJoyConfig active = ApplyUsedPort(settings);
  EXPECT_EQ(active.moveXAxis, -1);  // no axis
  EXPECT_EQ(active.moveYAxis, 14);
  EXPECT_EQ(active.fireXAxis, -1);  // numbers no joystick has read as no axis
  EXPECT_EQ(active.fireYAxis, -1);
  EXPECT_EQ(active.moveXInvert, -1);
  EXPECT_EQ(active.fireXInvert, -1);
  EXPECT_EQ(active.moveYScale, 255.0f);
  EXPECT_EQ(active.fireYScale, 3.0f);
  EXPECT_EQ(active.fireXCentre, 0.3f);
  EXPECT_EQ(active.fireYDeadZone, 0.8f);
  EXPECT_EQ(active.optionButton, 6);
  EXPECT_EQ(active.bombButton, 7);

  settings.usedPort = 9;  // never a port: the first one is used
  EXPECT_EQ(ApplyUsedPort(settings).moveYAxis, 1);
}

TEST(JoystickRecord, ReadStickAxisScalesInvertsAndCentresTheRightSlot) {
  AxisSlots slots{};
  for (std::size_t i = 0; i < slots.size(); ++i) slots[i] = 0.01f * static_cast<float>(i + 1);
  struct Case {
    int axis;
    float scale;
    int invert;
    float centre;
    float expected;
  };
  const Case cases[] = {
      {0, 1, 1, 0, 0.01f},
      {10, 1, 1, 0, 0.11f},
      {11, 1, 1, 0, 0.13f},  // the extra axes skip slot 11
      {14, 1, 1, 0, 0.16f},
      {4, 0.5f, -1, 0.25f, -0.05f / 0.5f - 0.25f},
      {4, 0, 1, 0, 0.05f},  // a zero divisor reads unscaled
      {-1, 1, 1, 0.5f, 0},  // no axis: at rest, without the centre
      {15, 1, 1, 0.5f, 0},
      {-2147483647 - 1, 1, 1, 0.5f, 0},
  };
  for (const Case& c : cases) {
    EXPECT_FLOAT_EQ(ReadStickAxis(slots, c.axis, c.scale, c.invert, c.centre), c.expected) << c.axis;
  }
}

}  // namespace
}  // namespace qv
