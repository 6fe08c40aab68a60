// A real OpenGL window for pictures of what the game draws: the SDL devices with silent audio, and a
// capture of the window through ImageMagick's `import`. `ScreenTest` is the fixture of the picture
// tests: it opens the window and a game over it and keeps the pictures in a folder of the build.
// Tests that use it skip without a display.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/headless/headless_input.h"
#include "platform/null_audio.h"
#include "platform/png_io.h"
#include "platform/sdl/gl_backend.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_input.h"
#include "render/display.h"
#include "render/vector_font.h"
#include "shell/game.h"

namespace qv::test {

inline bool HaveProgram(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Pixels brighter than a dim grey on any channel.
inline long LitPixels(const RgbaImage& image) {
  long lit = 0;
  for (std::size_t p = 0; p + 3 < image.pixels.size(); p += 4)
    if (image.pixels[p] > 24 || image.pixels[p + 1] > 24 || image.pixels[p + 2] > 24) ++lit;
  return lit;
}

// Lit pixels in the box x0..x1-1, y0..y1-1 of the picture (the part of it inside the picture).
inline long LitIn(const RgbaImage& image, int x0, int y0, int x1, int y1) {
  long lit = 0;
  for (int y = std::max(y0, 0); y < std::min(y1, image.height); ++y)
    for (int x = std::max(x0, 0); x < std::min(x1, image.width); ++x) {
      const std::uint8_t* p = &image.pixels[(static_cast<std::size_t>(y) * image.width + x) * 4];
      if (p[0] > 24 || p[1] > 24 || p[2] > 24) ++lit;
    }
  return lit;
}

// Why a picture cannot be taken here, or empty when it can.
inline std::string ScreenUnavailable() {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) return "no X display";
  if (!HaveProgram("import")) return "ImageMagick's import is not installed";
  return "";
}

// The window's own events are taken in, but keys, mouse and joysticks come from a script, and after
// the chosen frames have been presented `afterFrame` runs (a picture of the window is taken there).
class ScriptedWindowInput : public HeadlessInput {
 public:
  explicit ScriptedWindowInput(Input& window) : window_(window) {}
  void Poll() override {
    window_.Poll();
    HeadlessInput::Poll();
    const auto it = afterFrame.find(frame());
    if (it != afterFrame.end()) it->second();
  }
  std::map<int, std::function<void()>> afterFrame;

 private:
  Input& window_;
};

struct ScreenRig {
  GlBackend backend;
  Graphics gfx{backend};
  std::unique_ptr<SdlInput> input;
  NullAudio audio;
  SdlClock clock;
  Rng rng{3};
  std::unique_ptr<Platform> platform;
  bool opened = false;

  ScreenRig(int width, int height) {
    if (!backend.videoAvailable() || !gfx.OpenDisplay({width, height, 32, 60, true})) return;
    opened = true;
    input = std::make_unique<SdlInput>(backend);
    platform = std::make_unique<Platform>(Platform{gfx, *input, audio, clock, rng});
  }

  // Presents the frame drawn by `draw` and takes in the window's events.
  template <class Draw>
  void Present(Draw draw) {
    gfx.Cls();
    draw();
    gfx.Flip(false);
    input->Poll();
  }

  // Presents the frame drawn by `draw` twice, so it is on screen whichever buffer was shown before.
  template <class Draw>
  void Show(Draw draw) {
    Present(draw);
    Present(draw);
  }

  // Writes the window's picture as it is on screen now to `file`.
  bool Grab(const std::filesystem::path& file) {
    SDL_Delay(150);
    int left = 0, top = 0;
    SDL_GetWindowPosition(backend.window(), &left, &top);
    const std::string crop = std::to_string(gfx.Width()) + "x" + std::to_string(gfx.Height()) + "+" +
                             std::to_string(left) + "+" + std::to_string(top);
    std::filesystem::remove(file);
    const std::string command = "import -window root -crop " + crop + " +repage " + file.string();
    return std::system(command.c_str()) == 0;
  }
};

// Where the game's keys, mouse and joysticks come from: the window itself, or a script laid out frame
// by frame on `input()` (the window's own events are still taken in).
enum class Controls { Window, Script };

// Pictures of the game in a real window, kept as build/<folder>/<name>.png and in `shots_`. A test
// that cannot take pictures here (no display, no `import`, no window) is skipped.
class ScreenTest : public ::testing::Test {
 protected:
  explicit ScreenTest(const std::string& folder) : out_(std::filesystem::path(QV_BUILD_DIR) / folder) {}

  // A fresh window of `width` x `height` and a game over it that has opened no display yet. Skips
  // the test when no picture can be taken; the work folder is then the build folder, where the
  // sprites are.
  void OpenWindow(int width, int height, Controls controls = Controls::Window) {
    game_.reset();
    platform_.reset();
    input_.reset();
    rig_.reset();
    const std::string unavailable = ScreenUnavailable();
    if (!unavailable.empty()) GTEST_SKIP() << unavailable;
    std::filesystem::current_path(QV_BUILD_DIR);
    std::filesystem::create_directories(out_);
    rig_ = std::make_unique<ScreenRig>(width, height);
    if (!rig_->opened) GTEST_SKIP() << "no OpenGL window could be opened";
    if (controls == Controls::Script) {
      input_ = std::make_unique<ScriptedWindowInput>(*rig_->input);
      platform_ = std::make_unique<Platform>(Platform{rig_->gfx, *input_, rig_->audio, rig_->clock, rig_->rng});
    }
    game_ = std::make_unique<Game>(controls == Controls::Script ? *platform_ : *rig_->platform);
  }

  // OpenWindow, then the game as start-up leaves it: the stroke font, and its windowed display of
  // `width` x `height` (screen and playfield) opened from the settings with the sprites of its image set.
  void OpenGame(int width, int height, Controls controls = Controls::Window) {
    OpenWindow(width, height, controls);
    if (!Ready()) return;
    Game& g = *game_;
    BuildVectorFont(g.font);
    g.settings.windowed = true;
    g.settings.screenWidth = g.settings.playfieldWidth = width;
    g.settings.screenHeight = g.settings.playfieldHeight = height;
    BuildModeTable(g.display, g.settings);
    SelectModeFromSettings(g.display, g.settings);
    ASSERT_TRUE(OpenDisplay(g));
    ASSERT_TRUE(g.images.whitePlayer) << "the sprites are built with the tests";
  }

  // False once the set-up has skipped the test or failed it.
  static bool Ready() { return !IsSkipped() && !HasFatalFailure(); }

  // The window's picture as it is on screen now, kept as `name`; its lit pixels are reported.
  void Photograph(const std::string& name) {
    const std::filesystem::path file = out_ / (name + ".png");
    ASSERT_TRUE(rig_->Grab(file)) << file;
    RgbaImage shot;
    ASSERT_TRUE(LoadPngFile(file.string(), shot)) << file;
    std::printf("%s: %ld lit pixels -> %s\n", name.c_str(), LitPixels(shot), file.c_str());
    shots_[name] = std::move(shot);
  }

  // The picture kept as `name` once the scripted frame `frame` has been presented.
  void ShootAfter(int frame, const std::string& name) {
    input_->afterFrame[frame] = [this, name] { Photograph(name); };
  }

  // The frame `draw` draws, shown and kept as `name`.
  template <class Draw>
  void Capture(const std::string& name, Draw draw) {
    rig_->Show(draw);
    Photograph(name);
  }

  // Capture, and more than `minLit` pixels must show.
  template <class Draw>
  void Shoot(const std::string& name, long minLit, Draw draw) {
    Capture(name, draw);
    ASSERT_EQ(shots_.count(name), 1u) << name;
    EXPECT_GT(LitPixels(shots_[name]), minLit) << name << " looks blank";
  }

  Game& game() { return *game_; }
  ScriptedWindowInput& input() { return *input_; }

  std::filesystem::path out_;
  std::unique_ptr<ScreenRig> rig_;
  std::unique_ptr<ScriptedWindowInput> input_;  // with Controls::Script
  std::unique_ptr<Platform> platform_;          // the game's devices with Controls::Script
  std::unique_ptr<Game> game_;
  std::map<std::string, RgbaImage> shots_;
};

}  // namespace qv::test
