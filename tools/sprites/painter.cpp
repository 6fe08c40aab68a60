#include "painter.h"

#include <algorithm>
#include <cmath>

namespace qv::sprites {
namespace {

constexpr Rgb kWhite{1, 1, 1};
constexpr float kEdgeFade = 2.5f;

}  // namespace

Painter::Painter(const SetStyle& style, int width, int height, float extraScale, bool mirrorY)
    : style_(style),
      width_(width),
      height_(height),
      scale_(style.shapeScale * extraScale),
      mirrorY_(mirrorY),
      stroke_(width, height),
      core_(width, height),
      fill_(width, height),
      colourLight_(width, height),
      coreLight_(width, height),
      fillLight_(width, height) {}

Vec2 Painter::Map(Vec2 p) const {
  // The centre sits on a pixel centre (the exact middle of an odd-sized image), so lines through
  // whole design coordinates fall on pixels rather than smearing over two.
  const float cx = static_cast<float>(width_ / 2) + 0.5f, cy = static_cast<float>(height_ / 2) + 0.5f;
  return {cx + p.x * scale_, cy + (mirrorY_ ? -p.y : p.y) * scale_};
}

// Adds the shape just covered to the light: the stroke in the colour, its centre line near white.
void Painter::Commit(bool outline) {
  if (outline) {
    colourLight_.Add(stroke_, colour_, strength_);
    coreLight_.Add(core_, Mix(colour_, kWhite, 0.8f), strength_ * style_.coreStrength);
    stroke_.Clear();
    core_.Clear();
  }
  if (style_.fillStrength > 0) {
    fillLight_.Add(fill_, colour_, strength_ * style_.fillStrength * fillWeight_);
    fill_.Clear();
  }
}

void Painter::Line(Vec2 a, Vec2 b) { FadingLine(a, b, 1, 1); }

void Painter::FadingLine(Vec2 a, Vec2 b, float from, float to) {
  const float half = style_.lineWidth * lineWeight_ / 2;
  CoverSegment(stroke_, Map(a), Map(b), half, from, to);
  CoverSegment(core_, Map(a), Map(b), half * style_.coreWidth, from, to);
  Commit(true);
}

void Painter::Polyline(const std::vector<Vec2>& points) {
  const float half = style_.lineWidth * lineWeight_ / 2;
  for (std::size_t i = 1; i < points.size(); ++i) {
    CoverSegment(stroke_, Map(points[i - 1]), Map(points[i]), half);
    CoverSegment(core_, Map(points[i - 1]), Map(points[i]), half * style_.coreWidth);
  }
  Commit(true);
}

void Painter::Polygon(const std::vector<Vec2>& points) {
  if (points.size() < 2) return;
  std::vector<Vec2> closed = points;
  closed.push_back(points.front());
  if (style_.fillStrength > 0) {
    std::vector<Vec2> mapped;
    for (const Vec2& p : points) mapped.push_back(Map(p));
    CoverPolygon(fill_, mapped);
  }
  Polyline(closed);
}

void Painter::Circle(Vec2 centre, float radius, bool fillable) {
  const float half = style_.lineWidth * lineWeight_ / 2;
  const Vec2 c = Map(centre);
  CoverRing(stroke_, c, radius * scale_, half);
  CoverRing(core_, c, radius * scale_, half * style_.coreWidth);
  if (fillable && style_.fillStrength > 0) CoverDisc(fill_, c, radius * scale_);
  Commit(true);
}

void Painter::Dot(Vec2 centre, float radius) {
  const Vec2 c = Map(centre);
  const float r = std::max(radius * scale_, 0.6f);
  CoverDisc(stroke_, c, r + style_.lineWidth * 0.25f);
  CoverDisc(core_, c, r);
  Commit(true);
}

void Painter::SoftSpot(float sigmaPart, float radiusPart) {
  // Light goes straight into the core layer, so the glow passes do not widen it.
  const float half = static_cast<float>(std::min(width_, height_)) / 2;
  Coverage spot(width_, height_);
  CoverSoftSpot(spot, Map({0, 0}), sigmaPart * half, radiusPart * half);
  coreLight_.Add(spot, colour_, strength_);
}

RgbaImage Painter::Finish() const {
  LightBuffer light = colourLight_;
  light.Add(coreLight_, 1);
  light.Add(fillLight_, 1);
  if (style_.haloStrength > 0) light.Add(Blur(colourLight_, style_.haloSigma), style_.haloStrength);
  if (style_.bloomStrength > 0) light.Add(Blur(colourLight_, style_.bloomSigma), style_.bloomStrength);
  return ToRgba(light, kEdgeFade);
}

int ImageSide(const SetStyle& style, float halfExtent) {
  const float half = halfExtent * style.shapeScale + style.GlowMargin();
  return 2 * static_cast<int>(std::ceil(half)) + 1;
}

}  // namespace qv::sprites
