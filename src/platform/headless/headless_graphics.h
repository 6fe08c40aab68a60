// A graphics device with no screen: it accepts every call, keeps the batches it is sent and counts
// them, so tests and benchmarks can check what the game draws and how many draw calls it costs.
#pragma once

#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "platform/graphics.h"

namespace qv {

class HeadlessGraphicsBackend : public GraphicsBackend {
 public:
  struct Batch {
    BatchState state;
    int vertexCount = 0;
    int indexCount = 0;
  };

  // Sizes the pretend desktop offers: full-screen modes by (width, height, depth) and the largest window.
  std::set<std::tuple<int, int, int>> fullscreenModes = {{1024, 768, 32}, {640, 480, 16}};
  int desktopWidth = 1920, desktopHeight = 1200;
  bool keepBatches = false;  // keep every batch of the current frame (off for benchmarks)
  // Called after each presented frame: tests look at the whole program between its frames.
  std::function<void()> onPresent;

  bool FullscreenModeExists(int width, int height, int depth, int hz) override;
  bool WindowModeExists(int width, int height) override;
  bool Open(const DisplayRequest& request) override;
  bool IsOpen() const override { return open_; }
  void Clear() override;
  void Present(bool vsync) override;
  void AllowScreenSaver(bool allow) override { screenSaverAllowed = allow; }
  bool screenSaverAllowed = true;
  TextureId CreateTexture(int width, int height, const std::uint8_t* rgba, bool mipmap) override;
  void DeleteTexture(TextureId texture) override;
  bool GrabFrame(TextureId& texture, int x, int y, int w, int h) override;
  void Draw(const BatchState& state, const Vertex* vertices, int vertexCount, const std::uint32_t* indices,
            int indexCount) override;

  const DisplayRequest& opened() const { return opened_; }
  int opens() const { return opens_; }
  const std::vector<Batch>& batches() const { return batches_; }
  long long verticesSent() const { return verticesSent_; }
  int presents() const { return presents_; }
  int lastPresentVsync() const { return lastVsync_; }

 private:
  bool open_ = false;
  DisplayRequest opened_;
  int opens_ = 0;
  TextureId nextTexture_ = 1;
  std::vector<Batch> batches_;
  long long verticesSent_ = 0;
  int presents_ = 0;
  int lastVsync_ = -1;
};

}  // namespace qv
