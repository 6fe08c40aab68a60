// A real OpenGL window for pictures of what the game draws: the SDL devices with silent audio, and a
// capture of the window through ImageMagick's `import`. Tests that use it skip without a display.
#pragma once

#include <SDL.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "platform/headless/headless_input.h"
#include "platform/png_io.h"
#include "platform/sdl/gl_backend.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_input.h"
#include "shell/game.h"

namespace qv::test {

class SilentAudio : public Audio {
 public:
  SampleId LoadSample(const std::string&, bool) override { return 0; }
  ChannelId StartPaused(SampleId) override { return 0; }
  void SetRate(ChannelId, float) override {}
  void SetPan(ChannelId, float) override {}
  void SetVolume(ChannelId, float) override {}
  void Resume(ChannelId) override {}
  void Stop(ChannelId) override {}
  bool IsPlaying(ChannelId) const override { return false; }
  void Tick() override {}
};

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
  SilentAudio audio;
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

  // Shows the frame drawn by `draw` (twice, so it is on screen whichever buffer was shown before)
  // and writes the window's picture to `file`.
  template <class Draw>
  bool Capture(const std::filesystem::path& file, Draw draw) {
    for (int frame = 0; frame < 2; ++frame) {
      gfx.Cls();
      draw();
      gfx.Flip(false);
      input->Poll();
    }
    return Grab(file);
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

}  // namespace qv::test
