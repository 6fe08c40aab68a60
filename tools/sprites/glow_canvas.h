// Floating-point drawing surfaces for the sprite generator.
//
// A Coverage is a mask of how much of each pixel one shape covers, computed analytically from the
// distance to the shape (so edges are anti-aliased without supersampling). Masks of one shape are
// combined with max, so a polyline does not flare where its segments meet. A LightBuffer holds
// linear RGB light; masks are added into it in a colour. The final image is light + blurred light
// (the glow), turned into straight RGBA whose alpha is the brightness, ready for additive drawing.
#pragma once

#include <vector>

#include "platform/png_io.h"

namespace qv::sprites {

struct Vec2 {
  float x = 0, y = 0;
};

struct Rgb {
  float r = 0, g = 0, b = 0;
};

// A colour table entry (0..255 components) as light of strength 1 in its brightest channel.
Rgb ColourFromBytes(int red, int green, int blue);
Rgb Mix(Rgb a, Rgb b, float t);

struct Coverage {
  Coverage(int width, int height);
  int width, height;
  std::vector<float> value;  // 0..1 per pixel, row-major

  void Clear();
};

struct LightBuffer {
  LightBuffer(int width, int height);
  int width, height;
  std::vector<float> rgb;  // 3 floats per pixel, row-major

  // Adds `colour * strength * coverage` to every pixel.
  void Add(const Coverage& mask, Rgb colour, float strength);
  // Adds `other * strength` pixel by pixel; both buffers have the same size.
  void Add(const LightBuffer& other, float strength);
};

// Shapes in pixel coordinates (pixel centres at +0.5). Each raises the mask to the shape's coverage.
// A segment of the given half width with round caps; brightness may fade from `fromStrength` at a
// to `toStrength` at b.
void CoverSegment(Coverage& mask, Vec2 a, Vec2 b, float halfWidth, float fromStrength = 1, float toStrength = 1);
// The outline of a circle.
void CoverRing(Coverage& mask, Vec2 centre, float radius, float halfWidth);
// A filled disc.
void CoverDisc(Coverage& mask, Vec2 centre, float radius);
// A filled polygon (even-odd rule), edges anti-aliased.
void CoverPolygon(Coverage& mask, const std::vector<Vec2>& points);
// A soft radial spot: exp(-r^2 / 2 sigma^2), reaching exactly 0 at `radius`.
void CoverSoftSpot(Coverage& mask, Vec2 centre, float sigma, float radius);

// Separable Gaussian blur; light outside the buffer counts as none.
LightBuffer Blur(const LightBuffer& light, float sigma);

// Turns light into straight RGBA for additive drawing: channels are softly limited to 1, alpha is
// the brightest channel and colour is light / alpha, so colour x alpha gives back the light. Alpha
// fades over `edgeFade` pixels to 0 in the outermost ring of pixels, so no glow is ever cut off by
// a hard edge, not even when the game filters or scales the image.
RgbaImage ToRgba(const LightBuffer& light, float edgeFade);

// Copies `cell` into `strip` with its top-left at (left, top); sizes are the caller's to match.
void PasteCell(RgbaImage& strip, const RgbaImage& cell, int left, int top);

}  // namespace qv::sprites
