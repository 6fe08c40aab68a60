// PNG reading and writing for the game's images. Every image the game loads is decoded to plain
// 8-bit RGBA, rows top-down, whatever the file's own colour type, depth or interlacing.
//
// Decoding treats its input as hostile: a damaged, truncated or oversized file is refused with
// false (and a short reason), never a crash, an out-of-bounds read or a leak. Images wider or
// taller than kMaxPngSide, or whose RGBA pixels would exceed kMaxPngBytes, are refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qv {

struct RgbaImage {
  int width = 0, height = 0;
  std::vector<std::uint8_t> pixels;  // width * height * 4 bytes: R, G, B, A; rows top-down
};

inline constexpr int kMaxPngSide = 16384;
inline constexpr std::size_t kMaxPngBytes = std::size_t{256} * 1024 * 1024;

// Decodes a whole PNG held in memory. On failure `out` is left untouched.
bool DecodePng(const std::uint8_t* data, std::size_t size, RgbaImage& out, std::string* error = nullptr);
bool LoadPngFile(const std::string& path, RgbaImage& out, std::string* error = nullptr);

// Encodes as 8-bit RGBA, no ancillary chunks (no time stamp), so equal pixels give equal bytes.
// Refuses an image whose sizes are out of range or whose pixel buffer does not match them.
bool EncodePng(const RgbaImage& image, std::vector<std::uint8_t>& out);
// Writes through a temporary file in the same folder that is flushed and then renamed over the
// target, so an interrupted write never leaves a truncated image behind.
bool SavePngFile(const std::string& path, const RgbaImage& image);

}  // namespace qv
