#include "platform/png_io.h"

#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace qv {
namespace {

using Bytes = std::vector<std::uint8_t>;

RgbaImage MakeImage(int width, int height) {
  RgbaImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(static_cast<std::size_t>(width) * height * 4);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) image.pixels[i] = static_cast<std::uint8_t>(i * 37 + 11);
  return image;
}

Bytes EncodeOrDie(const RgbaImage& image) {
  Bytes bytes;
  EXPECT_TRUE(EncodePng(image, bytes));
  return bytes;
}

std::uint32_t ReadBe32(const Bytes& b, std::size_t at) {
  return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) | (std::uint32_t{b[at + 2]} << 8) | b[at + 3];
}

void WriteBe32(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v >> 24);
  b[at + 1] = static_cast<std::uint8_t>(v >> 16);
  b[at + 2] = static_cast<std::uint8_t>(v >> 8);
  b[at + 3] = static_cast<std::uint8_t>(v);
}

// Offset of the length field of the first chunk with this type.
std::size_t FindChunk(const Bytes& b, const char* type) {
  std::size_t at = 8;
  while (at + 12 <= b.size()) {
    if (std::memcmp(&b[at + 4], type, 4) == 0) return at;
    at += 12 + ReadBe32(b, at);
  }
  ADD_FAILURE() << "no chunk " << type;
  return 0;
}

// Recomputes a chunk's CRC after its contents were edited, so only the edit itself is wrong.
void FixCrc(Bytes& b, std::size_t chunk) {
  const std::uint32_t length = ReadBe32(b, chunk);
  const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, &b[chunk + 4], length + 4));
  WriteBe32(b, chunk + 8 + length, crc);
}

Bytes WithIhdrSize(Bytes b, std::uint32_t width, std::uint32_t height) {
  const std::size_t ihdr = FindChunk(b, "IHDR");
  WriteBe32(b, ihdr + 8, width);
  WriteBe32(b, ihdr + 12, height);
  FixCrc(b, ihdr);
  return b;
}

TEST(PngIo, EncodeThenDecodeGivesBackEveryByte) {
  const RgbaImage image = MakeImage(7, 5);
  const Bytes bytes = EncodeOrDie(image);
  RgbaImage decoded;
  std::string error;
  ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), decoded, &error)) << error;
  EXPECT_EQ(decoded.width, 7);
  EXPECT_EQ(decoded.height, 5);
  EXPECT_EQ(decoded.pixels, image.pixels);
}

TEST(PngIo, EncodingIsDeterministic) {
  const RgbaImage image = MakeImage(16, 9);
  EXPECT_EQ(EncodeOrDie(image), EncodeOrDie(image));
}

TEST(PngIo, EncodeRefusesImagesThatDoNotAddUp) {
  Bytes out;
  RgbaImage empty;
  EXPECT_FALSE(EncodePng(empty, out));
  RgbaImage short_buffer = MakeImage(4, 4);
  short_buffer.pixels.pop_back();
  EXPECT_FALSE(EncodePng(short_buffer, out));
  RgbaImage negative = MakeImage(2, 2);
  negative.width = -2;
  EXPECT_FALSE(EncodePng(negative, out));
  EXPECT_TRUE(out.empty());
}

class PngFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("qv_png_io_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::filesystem::path dir_;
};

TEST_F(PngFileTest, SaveReplacesTheFileAndLeavesNoTemporary) {
  const std::string path = (dir_ / "sprite.png").string();
  { std::ofstream(path) << "an older file that is not even a PNG"; }
  const RgbaImage image = MakeImage(3, 4);
  ASSERT_TRUE(SavePngFile(path, image));
  RgbaImage loaded;
  std::string error;
  ASSERT_TRUE(LoadPngFile(path, loaded, &error)) << error;
  EXPECT_EQ(loaded.pixels, image.pixels);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_)) ++files;
  EXPECT_EQ(files, 1);
}

TEST_F(PngFileTest, MissingFilesAndFoldersFailQuietly) {
  RgbaImage out;
  std::string error;
  EXPECT_FALSE(LoadPngFile((dir_ / "absent.png").string(), out, &error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(LoadPngFile(dir_.string(), out));
  EXPECT_FALSE(SavePngFile((dir_ / "no_such_folder" / "x.png").string(), MakeImage(2, 2)));
}

struct DamagedCase {
  const char* name;
  Bytes (*make)(const Bytes& good);
};

Bytes Truncate(const Bytes& good, std::size_t keep) { return Bytes(good.begin(), good.begin() + static_cast<long>(keep)); }

const DamagedCase kDamaged[] = {
    {"empty", [](const Bytes&) { return Bytes{}; }},
    {"signature only", [](const Bytes& g) { return Truncate(g, 8); }},
    {"wrong signature",
     [](const Bytes& g) {
       Bytes b = g;
       b[1] = 'J';
       return b;
     }},
    {"cut inside IHDR", [](const Bytes& g) { return Truncate(g, 20); }},
    {"cut after IHDR", [](const Bytes& g) { return Truncate(g, 33); }},
    {"cut inside IDAT", [](const Bytes& g) { return Truncate(g, FindChunk(g, "IDAT") + 8 + ReadBe32(g, FindChunk(g, "IDAT")) / 2); }},
    {"cut before IEND", [](const Bytes& g) { return Truncate(g, g.size() - 12); }},
    {"last byte missing", [](const Bytes& g) { return Truncate(g, g.size() - 1); }},
    {"IDAT byte flipped, CRC wrong",
     [](const Bytes& g) {
       Bytes b = g;
       b[FindChunk(g, "IDAT") + 8 + 5] ^= 0x5a;
       return b;
     }},
    {"IDAT stream garbled, CRC right",
     [](const Bytes& g) {
       Bytes b = g;
       const std::size_t idat = FindChunk(g, "IDAT");
       for (std::size_t i = 2; i < ReadBe32(g, idat); i += 3) b[idat + 8 + i] ^= 0xa5;
       FixCrc(b, idat);
       return b;
     }},
    {"zero width", [](const Bytes& g) { return WithIhdrSize(g, 0, 8); }},
    {"zero height", [](const Bytes& g) { return WithIhdrSize(g, 8, 0); }},
    {"width above 16384", [](const Bytes& g) { return WithIhdrSize(g, 16385, 8); }},
    {"height near 2^31", [](const Bytes& g) { return WithIhdrSize(g, 8, 0x7fffffff); }},
    {"over 256 MiB of pixels", [](const Bytes& g) { return WithIhdrSize(g, 16384, 16384); }},
};

TEST(PngIo, DamagedFilesAreRefusedAndLeaveTheOutputAlone) {
  const Bytes good = EncodeOrDie(MakeImage(12, 8));
  for (const DamagedCase& c : kDamaged) {
    SCOPED_TRACE(c.name);
    const Bytes bad = c.make(good);
    RgbaImage out = MakeImage(1, 1);
    const RgbaImage before = out;
    std::string error;
    EXPECT_FALSE(DecodePng(bad.data(), bad.size(), out, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(out.pixels, before.pixels);
  }
  RgbaImage out;
  EXPECT_FALSE(DecodePng(nullptr, 100, out));
}

TEST(PngIo, AFileFarTooSmallForTheSizeItClaimsIsRefusedBeforeItsPixelsAreMade) {
  const Bytes good = EncodeOrDie(MakeImage(12, 8));
  // 16384 x 4096 is within the limits, but no deflate stream of these few bytes can hold 256 MiB.
  const Bytes claims = WithIhdrSize(good, 16384, 4096);
  RgbaImage out;
  std::string error;
  EXPECT_FALSE(DecodePng(claims.data(), claims.size(), out, &error));
  EXPECT_EQ(error, "image data is too short for its size");
}

TEST(PngIo, AHighlyCompressedImageStillDecodes) {
  RgbaImage flat;
  flat.width = 1024;
  flat.height = 1024;
  flat.pixels.assign(std::size_t{1024} * 1024 * 4, 0);
  const Bytes bytes = EncodeOrDie(flat);
  ASSERT_LT(bytes.size() * 500, flat.pixels.size()) << "the fixture should compress hundreds of times";
  RgbaImage out;
  std::string error;
  EXPECT_TRUE(DecodePng(bytes.data(), bytes.size(), out, &error)) << error;
}

// Fixtures in the colour types the game's own encoder never writes, made with libpng directly.
struct RawPng {
  int width = 0, height = 0, colourType = 0, bitDepth = 8;
  bool interlaced = false;
  std::vector<Bytes> rows;  // packed as the file stores them
  std::vector<png_color> palette;
  Bytes paletteAlpha;         // tRNS for palette images
  int transparentGrey = -1;   // tRNS for grey images
};

Bytes EncodeRaw(RawPng& raw) {
  Bytes out;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  std::vector<png_bytep> rows;
  for (Bytes& r : raw.rows) rows.push_back(r.data());
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    ADD_FAILURE() << "fixture could not be encoded";
    return {};
  }
  png_set_write_fn(
      png, &out,
      [](png_structp p, png_bytep data, png_size_t n) {
        auto* v = static_cast<Bytes*>(png_get_io_ptr(p));
        v->insert(v->end(), data, data + n);
      },
      nullptr);
  png_set_IHDR(png, info, raw.width, raw.height, raw.bitDepth, raw.colourType,
               raw.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!raw.palette.empty()) png_set_PLTE(png, info, raw.palette.data(), static_cast<int>(raw.palette.size()));
  if (!raw.paletteAlpha.empty()) {
    png_set_tRNS(png, info, raw.paletteAlpha.data(), static_cast<int>(raw.paletteAlpha.size()), nullptr);
  }
  png_color_16 grey{};
  if (raw.transparentGrey >= 0) {
    grey.gray = static_cast<png_uint_16>(raw.transparentGrey);
    png_set_tRNS(png, info, nullptr, 0, &grey);
  }
  png_write_info(png, info);
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return out;
}

struct ColourTypeCase {
  const char* name;
  RawPng raw;
  Bytes expected;  // RGBA, rows top-down
};

std::vector<ColourTypeCase> ColourTypeCases() {
  std::vector<ColourTypeCase> cases;
  {
    ColourTypeCase c{"palette 8-bit with tRNS", {}, {}};
    c.raw = {3, 1, PNG_COLOR_TYPE_PALETTE, 8, false, {{2, 0, 1}}, {{255, 0, 0}, {0, 128, 0}, {1, 2, 3}}, {0, 200}, -1};
    c.expected = {1, 2, 3, 255, 255, 0, 0, 0, 0, 128, 0, 200};
    cases.push_back(c);
  }
  {
    // 2 bits per pixel, four pixels in one byte: indices 3, 0, 1, 2
    ColourTypeCase c{"palette 2-bit", {}, {}};
    c.raw = {4, 1, PNG_COLOR_TYPE_PALETTE, 2, false, {{0b11000110}}, {{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {9, 8, 7}}, {}, -1};
    c.expected = {9, 8, 7, 255, 10, 20, 30, 255, 40, 50, 60, 255, 70, 80, 90, 255};
    cases.push_back(c);
  }
  {
    ColourTypeCase c{"grey 1-bit", {}, {}};
    c.raw = {3, 1, PNG_COLOR_TYPE_GRAY, 1, false, {{0b10100000}}, {}, {}, -1};
    c.expected = {255, 255, 255, 255, 0, 0, 0, 255, 255, 255, 255, 255};
    cases.push_back(c);
  }
  {
    ColourTypeCase c{"grey 8-bit with a transparent grey", {}, {}};
    c.raw = {2, 2, PNG_COLOR_TYPE_GRAY, 8, false, {{7, 90}, {200, 7}}, {}, {}, 7};
    c.expected = {7, 7, 7, 0, 90, 90, 90, 255, 200, 200, 200, 255, 7, 7, 7, 0};
    cases.push_back(c);
  }
  {
    ColourTypeCase c{"grey and alpha", {}, {}};
    c.raw = {2, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, {{60, 10, 250, 255}}, {}, {}, -1};
    c.expected = {60, 60, 60, 10, 250, 250, 250, 255};
    cases.push_back(c);
  }
  {
    // 16-bit samples are scaled to 8 bits: 0x8080 is exactly 128
    ColourTypeCase c{"RGB 16-bit", {}, {}};
    c.raw = {1, 2, PNG_COLOR_TYPE_RGB, 16, false, {{0xff, 0xff, 0x80, 0x80, 0, 0}, {0, 0, 0xff, 0xff, 0x80, 0x80}}, {}, {}, -1};
    c.expected = {255, 128, 0, 255, 0, 255, 128, 255};
    cases.push_back(c);
  }
  {
    ColourTypeCase c{"grey and alpha 16-bit", {}, {}};
    c.raw = {1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 16, false, {{0x80, 0x80, 0xff, 0xff}}, {}, {}, -1};
    c.expected = {128, 128, 128, 255};
    cases.push_back(c);
  }
  {
    // Interlacing spreads the pixels over seven passes; a 9 x 9 image touches all of them.
    ColourTypeCase c{"interlaced RGBA", {}, {}};
    c.raw = {9, 9, PNG_COLOR_TYPE_RGB_ALPHA, 8, true, {}, {}, {}, -1};
    for (int y = 0; y < 9; ++y) {
      Bytes row;
      for (int x = 0; x < 9; ++x) {
        const Bytes px = {static_cast<std::uint8_t>(x * 20), static_cast<std::uint8_t>(y * 20),
                          static_cast<std::uint8_t>(x + y), static_cast<std::uint8_t>(255 - x * y)};
        row.insert(row.end(), px.begin(), px.end());
      }
      c.expected.insert(c.expected.end(), row.begin(), row.end());
      c.raw.rows.push_back(row);
    }
    cases.push_back(c);
  }
  return cases;
}

TEST(PngIo, EveryColourTypeDecodesToRgba8) {
  for (ColourTypeCase& c : ColourTypeCases()) {
    SCOPED_TRACE(c.name);
    const Bytes bytes = EncodeRaw(c.raw);
    RgbaImage out;
    std::string error;
    ASSERT_TRUE(DecodePng(bytes.data(), bytes.size(), out, &error)) << error;
    EXPECT_EQ(out.width, c.raw.width);
    EXPECT_EQ(out.height, c.raw.height);
    EXPECT_EQ(out.pixels, c.expected);
  }
}

}  // namespace
}  // namespace qv
