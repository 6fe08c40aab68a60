#include "catalogue.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "glow_canvas.h"
#include "painter.h"
#include "shapes.h"

namespace qv::sprites {
namespace {

struct SingleImage {
  const char* file;
  float halfWidth, halfHeight;  // reach of the shape from the centre, design pixels
  bool mirrorY;
  void (*draw)(Painter&);
};

// In the order the game loads them.
const SingleImage kSingles[] = {
    {"greensquare.png", 14, 14, false, DrawSquare},
    {"purplesquare1.png", 14, 14, false, DrawCube},
    {"purplesquare2.png", 9.5f, 9.5f, false, DrawCubeHalf},
    {"bluediamond.png", 15.5f, 15.5f, false, DrawDiamond},
    {"pinkpinwheel.png", 14.5f, 14.5f, false, DrawPinwheel},
    {"indigotriangle.png", 14, 14, false, DrawButterfly},
    {"bluecircle.png", 12, 12, false, DrawSeeker},
    {"redclone.png", 15.5f, 15.5f, false, DrawInterceptor},
    {"orangetriangle.png", 14.5f, 14.5f, false, DrawTriangle},
    {"redcircle.png", 35, 35, false, DrawBlackHole},
    {"whiteplayer.png", 15.5f, 15.5f, true, DrawPlayerShip},
    {"yellowshot.png", 3, 6.5f, false, DrawShot},
    {"whitestar.png", 28.5f, 28.5f, false, DrawStar},
    {"snakehead.png", 13.5f, 13.5f, false, DrawSnakeHead},
};

struct StripImage {
  const char* file;
  int frames;
  int SetStyle::*cell;
  float designHalf;  // reach of the largest frame's shape, design pixels
  void (*draw)(Painter&, int frame);
};

const StripImage kStrips[] = {
    {"icons.png", kIconFrames, &SetStyle::iconCell, 13, DrawIcon},
    {"snaketail.png", kSnakeTailFrames, &SetStyle::snakeTailCell, 9.5f, DrawSnakeTail},
    {"powerups.png", kPowerUpFrames, &SetStyle::powerUpCell, 13.5f, DrawPowerUp},
};

// Shapes keep their size in a cell unless the cell is too small for the shape and its halo, as
// the small icon cells of the "low" and "med" sets are; the wide bloom may then fade at the edge.
float FitInCell(const SetStyle& style, int cell, float designHalf) {
  const float room = static_cast<float>(cell) / 2 - (style.lineWidth / 2 + 1.5f * style.haloSigma + 1);
  return std::min(1.0f, room / (designHalf * style.shapeScale));
}

RgbaImage DrawStrip(const SetStyle& style, const StripImage& strip) {
  const int cell = style.*strip.cell;
  RgbaImage image;
  image.width = cell * strip.frames;
  image.height = cell;
  image.pixels.assign(static_cast<std::size_t>(image.width) * image.height * 4, 0);
  const float fit = FitInCell(style, cell, strip.designHalf);
  for (int frame = 0; frame < strip.frames; ++frame) {
    Painter painter(style, cell, cell, fit);
    strip.draw(painter, frame);
    PasteCell(image, painter.Finish(), frame * cell, 0);
  }
  return image;
}

std::uint8_t Byte(float v) { return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255)); }

// Fully saturated colour of a hue in degrees: red 0, yellow 60, green 120, cyan 180, blue 240,
// magenta 300, red again at 360.
Rgb Hue(float degrees) {
  const float h = std::fmod(std::max(degrees, 0.0f), 360.0f) / 60.0f;
  const float rising = h - std::floor(h), falling = 1 - rising;
  switch (static_cast<int>(h)) {
    case 0: return {1, rising, 0};
    case 1: return {falling, 1, 0};
    case 2: return {0, 1, rising};
    case 3: return {0, falling, 1};
    case 4: return {rising, 0, 1};
    default: return {1, 0, falling};
  }
}

}  // namespace

std::vector<SetImage> DrawImageSet(const SetStyle& style) {
  std::vector<SetImage> images;
  for (const StripImage& strip : kStrips) images.push_back({strip.file, DrawStrip(style, strip)});
  for (const SingleImage& single : kSingles) {
    Painter painter(style, ImageSide(style, single.halfWidth), ImageSide(style, single.halfHeight), 1.0f, single.mirrorY);
    single.draw(painter);
    images.push_back({single.file, painter.Finish()});
  }
  Painter particle(style, style.particleSide, style.particleSide);
  DrawParticle(particle);
  images.push_back({"particle.png", particle.Finish()});
  return images;
}

RgbaImage DrawDesktopIcon(int size) {
  const SetStyle* high = nullptr;
  for (const SetStyle& style : ImageSets())
    if (std::string_view(style.folder) == "high") high = &style;
  // The ship fills about two thirds of the plate, its strokes growing with it so small sizes stay
  // readable and large ones do not turn into hairlines.
  const float grow = static_cast<float>(size) * 0.34f / (15.5f * high->shapeScale);
  Painter painter(*high, size, size, grow, true);
  painter.SetLineWeight(std::max(1.0f, grow * 0.55f));
  DrawPlayerShip(painter);
  const RgbaImage ship = painter.Finish();

  RgbaImage icon;
  icon.width = icon.height = size;
  icon.pixels.assign(static_cast<std::size_t>(size) * size * 4, 0);
  const float radius = static_cast<float>(size) * 0.18f;
  const Rgb plate{0.02f, 0.03f, 0.10f}, tint{0.35f, 1.0f, 0.85f};
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      // Rounded corners: coverage of the plate, anti-aliased over one pixel.
      const float cx = std::clamp(static_cast<float>(x) + 0.5f, radius, size - radius);
      const float cy = std::clamp(static_cast<float>(y) + 0.5f, radius, size - radius);
      const float d = std::hypot(static_cast<float>(x) + 0.5f - cx, static_cast<float>(y) + 0.5f - cy);
      const float cover = std::clamp(radius - d + 0.5f, 0.0f, 1.0f);
      const std::size_t i = (static_cast<std::size_t>(y) * size + x) * 4;
      // The sprite is drawn for additive blending: its alpha is its brightness.
      const float light = ship.pixels[i + 3] / 255.0f;
      const auto channel = [&](int c, float base, float tinted) {
        const float sprite = ship.pixels[i + static_cast<std::size_t>(c)] / 255.0f;
        return Byte(base + light * sprite * tinted);
      };
      icon.pixels[i] = channel(0, plate.r, tint.r);
      icon.pixels[i + 1] = channel(1, plate.g, tint.g);
      icon.pixels[i + 2] = channel(2, plate.b, tint.b);
      icon.pixels[i + 3] = Byte(cover);
    }
  }
  return icon;
}

RgbaImage DrawColourPicker() {
  // The settings screen reads strip pixel i + 1 for marker position i = 0..119, so the ramps run
  // from pixel 1 to pixel 120 and the outermost columns repeat their ends.
  RgbaImage image;
  image.width = kPickerFrameWidth * 3;
  image.height = kPickerFrameHeight;
  image.pixels.assign(static_cast<std::size_t>(image.width) * image.height * 4, 0);
  auto put = [&image](int x, int y, Rgb c, float alpha) {
    const std::size_t i = (static_cast<std::size_t>(y) * image.width + x) * 4;
    image.pixels[i] = Byte(c.r);
    image.pixels[i + 1] = Byte(c.g);
    image.pixels[i + 2] = Byte(c.b);
    image.pixels[i + 3] = Byte(alpha);
  };
  for (int y = 0; y < kPickerFrameHeight; ++y) {
    for (int x = 0; x < kPickerFrameWidth; ++x) {
      const float t = std::clamp(static_cast<float>(x - 1) / 119.0f, 0.0f, 1.0f);
      put(x, y, {t, t, t}, 1);                             // frame 0: brightness, black to white
      put(kPickerFrameWidth + x, y, Hue(t * 360.0f), 1);  // frame 1: the spectrum, red to red
      const bool edge = x == 0 || y == 0 || x == kPickerFrameWidth - 1 || y == kPickerFrameHeight - 1;
      if (edge) put(2 * kPickerFrameWidth + x, y, {1, 1, 0.7f}, 1);  // frame 2: highlight box
    }
  }
  return image;
}

}  // namespace qv::sprites
