// The whole program on the headless devices: start-up, the main loop, and the orderly exit that
// writes the settings, colour and score files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "shell/game.h"
#include "shell/program.h"
#include "support/temp_dir.h"

namespace qv {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

int CountLines(const std::string& text) { return static_cast<int>(std::count(text.begin(), text.end(), '\n')); }

std::string ValueAfter(const std::string& file, const std::string& key) {
  const std::size_t at = file.find(key + "\r\n");
  if (at == std::string::npos) return "";
  const std::size_t start = at + key.size() + 2;
  return file.substr(start, file.find("\r\n", start) - start);
}

class ProgramTest : public ::testing::Test {
 protected:
  int Run() {
    game = std::make_unique<Game>(hp.platform);
    return RunProgram(*game);
  }
  test::TempWorkDir dir;
  HeadlessPlatform hp;
  std::unique_ptr<Game> game;
};

TEST_F(ProgramTest, FirstRunWritesDefaultFilesOnExit) {
  hp.input.RequestQuit(40);
  EXPECT_EQ(Run(), 0);
  const std::string config = ReadAll("Config.txt");
  EXPECT_EQ(CountLines(config), 278);
  EXPECT_EQ(CountLines(ReadAll("Colours.txt")), 76);
  const std::string scores = ReadAll("hiscores.dat");
  EXPECT_EQ(CountLines(scores), 150);
  EXPECT_EQ(scores.substr(0, 8), "200000\r\n");
  // No joystick on a first run: keys move and the mouse aims.
  EXPECT_EQ(ValueAfter(config, "[Control Type]"), "Hybrid");
  EXPECT_EQ(ValueAfter(config, "[Hybrid Config]"), "0");
  EXPECT_FALSE(std::filesystem::exists("errors.txt"));
  EXPECT_TRUE(hp.input.mouseShown()) << "the pointer comes back on the way out";
  EXPECT_GT(hp.gfx.FramesPresented(), 30);
}

TEST_F(ProgramTest, FirstRunWithAJoystickKeepsTheDualStickScheme) {
  hp.input.SetJoyCount(1);
  hp.input.RequestQuit(5);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(ValueAfter(ReadAll("Config.txt"), "[Control Type]"), "Dual Analog");
}

TEST_F(ProgramTest, AnExistingFileIsObeyedAndKept) {
  {
    std::ofstream out("Config.txt", std::ios::binary);
    out << "[Windowed]\r\nTrue\r\n[Control Type]\r\nkeyboard\r\n[Show Stars]\r\n1234\r\n";
  }
  hp.input.RequestQuit(5);
  EXPECT_EQ(Run(), 0);
  const std::string config = ReadAll("Config.txt");
  EXPECT_EQ(ValueAfter(config, "[Windowed]"), "True");
  EXPECT_EQ(ValueAfter(config, "[Control Type]"), "Keyboard");
  EXPECT_EQ(ValueAfter(config, "[Show Stars]"), "1234");
  EXPECT_TRUE(hp.backend.opened().windowed);
}

TEST_F(ProgramTest, AnUnshowableSizeFallsBackTo1024By768ForThisRunOnly) {
  {
    std::ofstream out("Config.txt", std::ios::binary);
    out << "[Windowed]\r\nTrue\r\n[Screen Width]\r\n4000\r\n[Screen Height]\r\n3000\r\n"
        << "[Playfield Width]\r\n2048\r\n[Playfield Height]\r\n1536\r\n[Scroll]\r\n0\r\n";
  }
  hp.input.RequestQuit(5);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(ReadAll("errors.txt"), "Can not set graphics mode: Windowed - 4000X3000\r\n");
  EXPECT_EQ(hp.backend.opened().width, 1024);
  // The playfield does not depend on the screen: the run played over the configured one.
  EXPECT_EQ(game->view.fieldWidth, 2048);
  EXPECT_EQ(game->view.fieldHeight, 1536);
  // The player's choices survive the fallback and are tried again at the next start.
  const std::string config = ReadAll("Config.txt");
  EXPECT_EQ(ValueAfter(config, "[Screen Width]"), "4000");
  EXPECT_EQ(ValueAfter(config, "[Screen Height]"), "3000");
  EXPECT_EQ(ValueAfter(config, "[Playfield Width]"), "2048");
  EXPECT_EQ(ValueAfter(config, "[Playfield Height]"), "1536");
  EXPECT_EQ(ValueAfter(config, "[Windowed]"), "True");
  EXPECT_EQ(ValueAfter(config, "[Scroll]"), "0");
}

TEST_F(ProgramTest, AFullScreenThatCannotOpenFallsBackToAWindowWithoutSavingIt) {
  {
    std::ofstream out("Config.txt", std::ios::binary);
    out << "[Windowed]\r\nFalse\r\n[Screen Width]\r\n1600\r\n[Screen Height]\r\n1200\r\n"
        << "[Playfield Width]\r\n1600\r\n[Playfield Height]\r\n1200\r\n";
  }
  hp.backend.fullscreenModes.clear();  // a remote desktop: windows only
  hp.input.RequestQuit(5);
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(hp.backend.opened().windowed);
  EXPECT_EQ(hp.backend.opened().width, 1024);
  const std::string config = ReadAll("Config.txt");
  EXPECT_EQ(ValueAfter(config, "[Windowed]"), "False");
  EXPECT_EQ(ValueAfter(config, "[Screen Width]"), "1600");
  EXPECT_EQ(ValueAfter(config, "[Playfield Width]"), "1600");
}

// Alt+Enter switches between full screen and a window in any screen, without a question, and the
// choice is saved; --windowed and --fullscreen hold for one run only.
TEST_F(ProgramTest, AltEnterSwitchesTheWindowAndTheChoiceIsSaved) {
  hp.input.ToggleFullscreen(10);   // on the credits screen: full screen to a window
  hp.input.TapKey(20, kKeyEscape);  // in the options menu: back to full screen, then a window again
  hp.input.ToggleFullscreen(30);
  hp.input.ToggleFullscreen(40);
  hp.input.RequestQuit(50);
  std::vector<bool> modes;
  hp.backend.onPresent = [&] {
    if (modes.empty() || modes.back() != hp.backend.opened().windowed) modes.push_back(hp.backend.opened().windowed);
  };
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(modes, (std::vector<bool>{false, true, false, true}));
  EXPECT_EQ(ValueAfter(ReadAll("Config.txt"), "[Windowed]"), "True");
}

TEST_F(ProgramTest, AltEnterThatCannotOpenAWindowKeepsFullScreen) {
  hp.backend.desktopWidth = hp.backend.desktopHeight = 640;  // no 1024 x 768 window fits
  hp.input.ToggleFullscreen(10);
  hp.input.RequestQuit(20);
  EXPECT_EQ(Run(), 0);
  EXPECT_FALSE(hp.backend.opened().windowed);
  EXPECT_EQ(ValueAfter(ReadAll("Config.txt"), "[Windowed]"), "False");
}

TEST_F(ProgramTest, WindowedForOneRunLeavesTheSavedChoiceAlone) {
  hp.input.RequestQuit(10);
  game = std::make_unique<Game>(hp.platform);
  EXPECT_EQ(RunProgram(*game, LaunchOptions{true}), 0);
  EXPECT_TRUE(hp.backend.opened().windowed);
  EXPECT_EQ(ValueAfter(ReadAll("Config.txt"), "[Windowed]"), "False");
}

TEST_F(ProgramTest, NoDisplayAtAllEndsWithAnErrorAndTouchesNoFile) {
  hp.backend.fullscreenModes.clear();
  hp.backend.desktopWidth = hp.backend.desktopHeight = 0;
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(std::filesystem::exists("errors.txt"));
  EXPECT_FALSE(std::filesystem::exists("Config.txt"));
  EXPECT_FALSE(std::filesystem::exists("hiscores.dat"));
}

TEST_F(ProgramTest, GameFramesArePacedToTwentyMilliseconds) {
  hp.clock.workPerRead = 1;  // every clock read costs a millisecond of "work"
  hp.input.RequestQuit(60);
  EXPECT_EQ(Run(), 0);
  ASSERT_FALSE(hp.clock.delays().empty());
  for (int d : hp.clock.delays()) {
    EXPECT_GT(d, 0);
    EXPECT_LT(d, 20);
  }
}

}  // namespace
}  // namespace qv
