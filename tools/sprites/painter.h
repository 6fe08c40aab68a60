// Draws neon vector shapes in a set's style. Shapes are given in design pixels around the image
// centre, x right and y down, at the size of the "high" set; the painter scales them for the set
// (and by an extra factor for shapes that must fit a fixed cell) and can mirror them vertically.
#pragma once

#include <vector>

#include "glow_canvas.h"
#include "image_sets.h"

namespace qv::sprites {

class Painter {
 public:
  Painter(const SetStyle& style, int width, int height, float extraScale = 1.0f, bool mirrorY = false);

  void SetColour(Rgb colour) { colour_ = colour; }
  // Brightness of what follows, 1 = full.
  void SetStrength(float strength) { strength_ = strength; }

  void Line(Vec2 a, Vec2 b);
  // A line whose brightness fades from `from` at a to `to` at b (shots, trails).
  void FadingLine(Vec2 a, Vec2 b, float from, float to);
  void Polyline(const std::vector<Vec2>& points);
  // A closed outline; in sets with a fill, its inside glows faintly too.
  void Polygon(const std::vector<Vec2>& points);
  void Circle(Vec2 centre, float radius, bool fillable = true);
  // A solid bright dot (eyes, rivets): always filled, in every set.
  void Dot(Vec2 centre, float radius);
  // A soft round spot of light with no outline, filling the image (the particle): its Gaussian
  // width and its edge are given as parts of half the image's shorter side.
  void SoftSpot(float sigmaPart, float radiusPart);

  // Width of the lines in design pixels, as a part of the set's own (thinner details).
  void SetLineWeight(float weight) { lineWeight_ = weight; }
  // Light of the inside of closed shapes, as a part of the set's own (dimmer backgrounds).
  void SetFillWeight(float weight) { fillWeight_ = weight; }

  RgbaImage Finish() const;

 private:
  Vec2 Map(Vec2 p) const;
  void Commit(bool outline);

  const SetStyle& style_;
  int width_, height_;
  float scale_;
  bool mirrorY_;
  Rgb colour_{1, 1, 1};
  float strength_ = 1;
  float lineWeight_ = 1;
  float fillWeight_ = 1;
  Coverage stroke_, core_, fill_;
  LightBuffer colourLight_, coreLight_, fillLight_;
};

// One side of a single image whose shape reaches `halfExtent` design pixels from the centre along
// that side: room for the shape at the set's scale plus its glow, rounded up to an odd number so the centre is a pixel.
int ImageSide(const SetStyle& style, float halfExtent);

}  // namespace qv::sprites
