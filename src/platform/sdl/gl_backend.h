// The OpenGL 2.1 drawing device in an SDL window.
//
// Full screen never switches the monitor's mode: it opens on the desktop's own mode and scales the
// game's W x H frame to fit, aspect kept, with black bars (letterbox). A window opens at W x H when it
// fits the desktop. `FrameMapping` converts between frame and window pixels for the mouse.
#pragma once

#include <SDL.h>

#include "platform/graphics.h"

namespace qv {

struct FrameMapping {
  int frameWidth = 1024, frameHeight = 768;
  int offsetX = 0, offsetY = 0;  // drawable pixels of the frame's top-left corner
  float scale = 1;               // drawable pixels per frame pixel
  int windowWidth = 1024, windowHeight = 768;  // the drawable, in pixels
  // Drawable pixels per window point: above 1 on a high-density display, where the window's size and
  // the mouse are counted in points and the picture is drawn at the full pixel count.
  float pixelsPerPoint = 1;
};

// How a frame of frameWidth x frameHeight sits in a window (or screen) of windowWidth x windowHeight:
// as large as fits, shape kept, centred between black bars.
FrameMapping LetterboxMapping(int frameWidth, int frameHeight, int windowWidth, int windowHeight,
                              float pixelsPerPoint = 1);
// A window position in points (a mouse event's) as a frame position, and a frame position as a window
// one (where the mouse is warped to).
void WindowToFrame(const FrameMapping& m, float windowX, float windowY, float& frameX, float& frameY);
void FrameToWindow(const FrameMapping& m, float frameX, float frameY, int& windowX, int& windowY);

class GlBackend : public GraphicsBackend {
 public:
  GlBackend();
  ~GlBackend() override;

  bool FullscreenModeExists(int width, int height, int depth, int hz) override;
  bool WindowModeExists(int width, int height) override;
  bool Open(const DisplayRequest& request) override;
  bool IsOpen() const override { return window_ != nullptr; }
  void Clear() override;
  void Present(bool vsync) override;
  void AllowScreenSaver(bool allow) override;
  TextureId CreateTexture(int width, int height, const std::uint8_t* rgba, bool mipmap) override;
  void DeleteTexture(TextureId texture) override;
  bool GrabFrame(TextureId& texture, int x, int y, int w, int h) override;
  void Draw(const BatchState& state, const Vertex* vertices, int vertexCount, const std::uint32_t* indices,
            int indexCount) override;

  const FrameMapping& mapping() const { return mapping_; }
  SDL_Window* window() const { return window_; }
  bool videoAvailable() const { return videoOk_; }

 private:
  void UpdateMapping();
  void ApplyBlend(int blend);
  void ApplyViewport(const Viewport& viewport);

  bool videoOk_ = false;
  SDL_Window* window_ = nullptr;
  SDL_GLContext context_ = nullptr;
  FrameMapping mapping_;
  int currentBlend_ = -1;
  TextureId currentTexture_ = 0;
  Viewport currentViewport_{-1, -1, -1, -1};
  int swapInterval_ = -2;
  int refreshHz_ = 60;
};

}  // namespace qv
