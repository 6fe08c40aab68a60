#include "platform/headless/headless_graphics.h"

namespace qv {

bool HeadlessGraphicsBackend::FullscreenModeExists(int width, int height, int depth, int) {
  return fullscreenModes.count({width, height, depth}) > 0;
}

bool HeadlessGraphicsBackend::WindowModeExists(int width, int height) {
  return width > 0 && height > 0 && width <= desktopWidth && height <= desktopHeight;
}

bool HeadlessGraphicsBackend::Open(const DisplayRequest& request) {
  const bool ok = request.windowed ? WindowModeExists(request.width, request.height)
                                   : FullscreenModeExists(request.width, request.height, request.depth, request.hz);
  if (!ok) return false;
  open_ = true;
  opened_ = request;
  ++opens_;
  return true;
}

void HeadlessGraphicsBackend::Clear() { batches_.clear(); }

void HeadlessGraphicsBackend::Present(bool vsync) {
  ++presents_;
  lastVsync_ = vsync ? 1 : 0;
  if (onPresent) onPresent();
}

TextureId HeadlessGraphicsBackend::CreateTexture(int, int, const std::uint8_t*, bool) { return nextTexture_++; }

void HeadlessGraphicsBackend::DeleteTexture(TextureId) {}

bool HeadlessGraphicsBackend::GrabFrame(TextureId& texture, int, int, int w, int h) {
  if (w <= 0 || h <= 0) return false;
  if (texture == 0) texture = nextTexture_++;
  return true;
}

void HeadlessGraphicsBackend::Draw(const BatchState& state, const Vertex*, int vertexCount, const std::uint32_t*,
                                   int indexCount) {
  verticesSent_ += vertexCount;
  if (keepBatches) batches_.push_back({state, vertexCount, indexCount});
}

}  // namespace qv
