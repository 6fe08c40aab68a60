#include "platform/png_io.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string_view>

#include "platform/text_file.h"

namespace qv {
namespace {

// libpng reports errors by longjmp. Every function below that calls setjmp keeps only plain data
// in its frame; buffers with destructors are owned by the caller, outside the jump.

struct PngErrorSink {
  char message[160];
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
  auto* sink = static_cast<PngErrorSink*>(png_get_error_ptr(png));
  if (sink != nullptr) {
    std::snprintf(sink->message, sizeof sink->message, "%s", message != nullptr ? message : "PNG error");
  }
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}  // warnings (bad ancillary chunks) are ignored

// libpng's own buffers (rows, zlib state, ancillary chunks) are small for any image we accept, but
// a chunk may claim a length of up to 2 GiB and libpng would try to allocate it. Refusing large
// allocations makes such a file fail cleanly instead of exhausting memory.
constexpr png_alloc_size_t kMaxLibpngAllocation = 8 * 1024 * 1024;

png_voidp LimitedMalloc(png_structp, png_alloc_size_t size) {
  return size > kMaxLibpngAllocation ? nullptr : std::malloc(size);
}

void LimitedFree(png_structp, png_voidp block) { std::free(block); }

struct MemoryReader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep dest, png_size_t length) {
  auto* reader = static_cast<MemoryReader*>(png_get_io_ptr(png));
  if (reader == nullptr || length > reader->size - reader->pos) {
    png_error(png, "file is truncated");
  }
  std::memcpy(dest, reader->data + reader->pos, length);
  reader->pos += length;
}

void WriteToVector(png_structp png, png_bytep src, png_size_t length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
  out->insert(out->end(), src, src + length);
}

void FlushNothing(png_structp) {}

struct DecodedHeader {
  png_uint_32 width;
  png_uint_32 height;
  std::size_t rowBytes;
  int channels;
  int bitDepth;
  std::uint64_t storedBytes;  // the image's rows as the file stores them, before decompression
};

// Deflate cannot squeeze data by more than about 1032 to 1, so a file whose stored rows would need more
// than this many times its own size is cut short or lying about its size: it is refused before a
// pixel buffer for the size it claims is made. (Without this, a few bytes could demand 256 MiB.)
constexpr std::uint64_t kMaxDeflateRatio = 1032;

// Reads the chunks up to the image data and asks libpng to expand everything to 8-bit RGBA.
bool ReadHeaderAndSetTransforms(png_structp png, png_infop info, DecodedHeader* header) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);

  const std::uint64_t storedBits = std::uint64_t{png_get_image_width(png, info)} * png_get_channels(png, info) *
                                   png_get_bit_depth(png, info);
  header->storedBytes = std::uint64_t{png_get_image_height(png, info)} * (1 + (storedBits + 7) / 8);
  const int colourType = png_get_color_type(png, info);
  const bool hasAlpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  png_set_expand(png);  // palette to RGB, low-depth grey to 8 bits, tRNS to an alpha channel
  png_set_scale_16(png);
  if ((colourType & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(png);
  if (!hasAlpha) png_set_filler(png, 0xff, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);

  header->width = png_get_image_width(png, info);
  header->height = png_get_image_height(png, info);
  header->rowBytes = png_get_rowbytes(png, info);
  header->channels = png_get_channels(png, info);
  header->bitDepth = png_get_bit_depth(png, info);
  return true;
}

bool ReadImageRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, info);  // reads up to IEND, so a file cut after its pixels is refused too
  return true;
}

bool WriteImageRows(png_structp png, png_infop info, const RgbaImage* image, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, static_cast<png_uint_32>(image->width), static_cast<png_uint_32>(image->height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(png, 9);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, nullptr);
  return true;
}

void SetError(std::string* error, const char* message) {
  if (error != nullptr) *error = message;
}

bool ValidSize(int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxPngSide || height > kMaxPngSide) return false;
  return static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4 <= kMaxPngBytes;
}

}  // namespace

bool DecodePng(const std::uint8_t* data, std::size_t size, RgbaImage& out, std::string* error) {
  if (data == nullptr || size < 8 || png_sig_cmp(data, 0, 8) != 0) {
    SetError(error, "not a PNG file");
    return false;
  }
  PngErrorSink sink{};
  png_structp png = png_create_read_struct_2(PNG_LIBPNG_VER_STRING, &sink, OnPngError, OnPngWarning, nullptr,
                                             LimitedMalloc, LimitedFree);
  if (png == nullptr) {
    SetError(error, "out of memory");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    SetError(error, "out of memory");
    return false;
  }
  MemoryReader reader{data, size, 0};
  png_set_read_fn(png, &reader, ReadFromMemory);
  png_set_user_limits(png, kMaxPngSide, kMaxPngSide);
  png_set_chunk_malloc_max(png, 8 * 1024 * 1024);  // no text or profile chunk may demand more
#ifdef QUORVAX_FUZZING
  // Fuzzing builds only: with the checksums checked, nearly every mutated input would be refused at
  // its first chunk and the decoding behind it would never be exercised.
  png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
#ifdef PNG_IGNORE_ADLER32
  png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
#endif
#endif

  RgbaImage decoded;
  std::vector<png_bytep> rows;
  bool ok = false;
  DecodedHeader header{};
  if (!ReadHeaderAndSetTransforms(png, info, &header)) {
    SetError(error, sink.message[0] != '\0' ? sink.message : "bad PNG header");
  } else if (header.width > kMaxPngSide || header.height > kMaxPngSide ||
             !ValidSize(static_cast<int>(header.width), static_cast<int>(header.height))) {
    SetError(error, "image is too large or empty");
  } else if (header.storedBytes / kMaxDeflateRatio > size) {
    SetError(error, "image data is too short for its size");
  } else if (header.channels != 4 || header.bitDepth != 8 || header.rowBytes != std::size_t{header.width} * 4) {
    SetError(error, "unsupported PNG layout");
  } else {
    decoded.width = static_cast<int>(header.width);
    decoded.height = static_cast<int>(header.height);
    decoded.pixels.resize(header.rowBytes * header.height);
    rows.resize(header.height);
    for (png_uint_32 y = 0; y < header.height; ++y) rows[y] = decoded.pixels.data() + y * header.rowBytes;
    ok = ReadImageRows(png, info, rows.data());
    if (!ok) SetError(error, sink.message[0] != '\0' ? sink.message : "bad PNG data");
  }
  png_destroy_read_struct(&png, &info, nullptr);
  if (ok) out = std::move(decoded);
  return ok;
}

bool LoadPngFile(const std::string& path, RgbaImage& out, std::string* error) {
  // A PNG larger than the biggest pixel buffer we accept plus generous overhead is not worth reading.
  const std::optional<std::string> bytes = ReadFileBytes(path, kMaxPngBytes + kMaxPngBytes / 2);
  if (!bytes) {
    SetError(error, "cannot read file");
    return false;
  }
  return DecodePng(reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size(), out, error);
}

bool EncodePng(const RgbaImage& image, std::vector<std::uint8_t>& out) {
  if (!ValidSize(image.width, image.height) ||
      image.pixels.size() != static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 4) {
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, OnPngWarning);
  if (png == nullptr) return false;
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    return false;
  }
  std::vector<std::uint8_t> encoded;
  std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
  const std::size_t stride = static_cast<std::size_t>(image.width) * 4;
  // libpng takes non-const row pointers but only reads them when writing.
  auto* base = const_cast<std::uint8_t*>(image.pixels.data());
  for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = base + y * stride;
  png_set_write_fn(png, &encoded, WriteToVector, FlushNothing);
  const bool ok = WriteImageRows(png, info, &image, rows.data());
  png_destroy_write_struct(&png, &info);
  if (ok) out = std::move(encoded);
  return ok;
}

bool SavePngFile(const std::string& path, const RgbaImage& image) {
  std::vector<std::uint8_t> bytes;
  if (path.empty() || !EncodePng(image, bytes)) return false;
  return WriteFileAtomic(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace qv
