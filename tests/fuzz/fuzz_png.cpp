// libFuzzer target for the PNG decoder and the cutting of images into frames: any bytes must decode or
// be refused without a crash, a leak or an out-of-bounds access; whatever decodes must survive a round
// trip through the encoder, and cutting it into the frames the image sets ask for must stay in bounds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/graphics.h"
#include "platform/headless/headless_graphics.h"
#include "platform/png_io.h"

namespace {

struct Strip {
  int cellWidth, cellHeight, frames;
};

// A whole picture, and every strip shape the image sets load.
constexpr Strip kStrips[] = {{0, 0, 1},   {64, 64, 2},  {24, 24, 2}, {32, 32, 2}, {56, 56, 24},
                             {32, 32, 24}, {64, 64, 11}, {122, 9, 3}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  qv::RgbaImage image;
  if (!qv::DecodePng(data, size, image)) return 0;
  if (image.width <= 0 || image.height <= 0 ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4) {
    std::abort();
  }
  std::vector<std::uint8_t> encoded;
  if (!qv::EncodePng(image, encoded)) std::abort();
  qv::RgbaImage again;
  if (!qv::DecodePng(encoded.data(), encoded.size(), again) || again.pixels != image.pixels) std::abort();

  qv::HeadlessGraphicsBackend backend;
  qv::Graphics gfx(backend);
  for (const Strip& strip : kStrips) {
    const qv::ImageHandle frames = gfx.ImageFromPixels(image, strip.cellWidth, strip.cellHeight, strip.frames);
    if (!frames) continue;
    // The frame's last pixel, and one beyond every edge, which must read as nothing.
    const int w = strip.cellWidth > 0 ? strip.cellWidth : image.width;
    const int h = strip.cellHeight > 0 ? strip.cellHeight : image.height;
    for (int frame = -1; frame <= strip.frames; ++frame) {
      gfx.ReadPixel(frames, w - 1, h - 1, frame);
      if (gfx.ReadPixel(frames, w, 0, frame) != 0 || gfx.ReadPixel(frames, 0, h, frame) != 0) std::abort();
    }
  }
  return 0;
}
