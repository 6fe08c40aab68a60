// libFuzzer target for the PNG decoder: any bytes must decode or be refused without a crash, a
// leak or an out-of-bounds access; whatever decodes must survive a round trip through the encoder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "platform/png_io.h"

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
  return 0;
}
