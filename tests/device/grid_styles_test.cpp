// The grid's twenty styles in a real OpenGL window: each is drawn over a bent lattice, the window is
// captured with ImageMagick's `import` into build/grid_styles/style_NN.png, and the picture must show
// something (style 20 must show nothing). tests/e2e/grid_styles.sh runs this under Xvfb; without a
// display, or without `import`, it skips.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "effects/grid.h"
#include "platform/png_io.h"
#include "platform/sdl/gl_backend.h"
#include "platform/sdl/sdl_clock.h"
#include "platform/sdl/sdl_input.h"
#include "shell/game.h"

namespace qv {
namespace {

// The styles make no sound.
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

bool HaveProgram(const char* name) {
  return std::system((std::string("command -v ") + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Pixels of the capture brighter than a dim grey on any channel.
long LitPixels(const RgbaImage& image) {
  long lit = 0;
  for (std::size_t p = 0; p + 3 < image.pixels.size(); p += 4)
    if (image.pixels[p] > 24 || image.pixels[p + 1] > 24 || image.pixels[p + 2] > 24) ++lit;
  return lit;
}

// The same dents, bulges and shocks for every style, and a few frames for them to ripple.
void Bend(Grid& grid) {
  ResetGrid(grid);
  PullGrid(grid, 300, 260, 12, 9);
  PullGrid(grid, 760, 520, 8, -5);
  PushGrid(grid, 520, 380, 6, 1);
  for (int n = 0; n < 12; ++n) ShockGrid(grid, 100 + 75 * n, 150 + 40 * (n % 5));
  PullGrid(grid, 200, 620, 20, 12);
  for (int f = 0; f < 8; ++f) UpdateGrid(grid);
}

TEST(GridStylesOnScreen, EveryStyleDrawsAPictureAndStyleTwentyNone) {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) GTEST_SKIP() << "no X display";
  if (!HaveProgram("import")) GTEST_SKIP() << "ImageMagick's import is not installed";

  const std::filesystem::path out = std::filesystem::path(QV_BUILD_DIR) / "grid_styles";
  std::filesystem::create_directories(out);
  bool opened = false;
  {
    GlBackend backend;
    Graphics gfx(backend);
    if (backend.videoAvailable() && gfx.OpenDisplay({1024, 768, 32, 60, true})) {
      opened = true;
      SdlInput input(backend);
      SilentAudio audio;
      SdlClock clock;
      Rng rng(3);
      Platform platform{gfx, input, audio, clock, rng};
      Game game(platform);
      game.images.particle = gfx.LoadImage(std::string(QV_BUILD_DIR) + "/gfx/solid/particle.png");
      ASSERT_TRUE(game.images.particle) << "the sprites are built with the tests";

      // The window's place on the screen: the capture is of the screen, cut to the window.
      int left = 0, top = 0;
      SDL_GetWindowPosition(backend.window(), &left, &top);
      const std::string crop = "1024x768+" + std::to_string(left) + "+" + std::to_string(top);

      for (int style = 0; style <= 20; ++style) {
        Bend(game.grid);
        // Two frames, so the picture is in the window whichever buffer was shown before.
        for (int frame = 0; frame < 2; ++frame) {
          gfx.Cls();
          DrawGrid(game, style, false);
          gfx.Flip(false);
          input.Poll();
        }
        SDL_Delay(150);
        char name[32];
        std::snprintf(name, sizeof name, "style_%02d.png", style);
        const std::filesystem::path file = out / name;
        std::filesystem::remove(file);
        const std::string command = "import -window root -crop " + crop + " +repage " + file.string();
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        RgbaImage shot;
        ASSERT_TRUE(LoadPngFile(file.string(), shot)) << file;
        const long lit = LitPixels(shot);
        if (style == 20) {
          EXPECT_EQ(lit, 0) << "style 20 draws nothing";
        } else {
          EXPECT_GT(lit, 5000) << "style " << style << " looks blank: " << file;
        }
        std::printf("style %2d: %ld lit pixels -> %s\n", style, lit, file.c_str());
      }
    }
  }
  if (!opened) GTEST_SKIP() << "no OpenGL window could be opened on " << display;
}

}  // namespace
}  // namespace qv
