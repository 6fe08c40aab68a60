#include "glow_canvas.h"

#include <algorithm>
#include <cmath>

namespace qv::sprites {
namespace {

float Clamp01(float v) { return std::clamp(v, 0.0f, 1.0f); }

float DistanceToSegment(Vec2 p, Vec2 a, Vec2 b, float* along) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float lengthSq = dx * dx + dy * dy;
  float t = 0;
  if (lengthSq > 1e-12f) t = Clamp01(((p.x - a.x) * dx + (p.y - a.y) * dy) / lengthSq);
  const float cx = a.x + t * dx - p.x, cy = a.y + t * dy - p.y;
  *along = t;
  return std::sqrt(cx * cx + cy * cy);
}

// The pixel rectangle a shape with this bounding box (grown by `pad`) can touch, clipped to the mask.
struct PixelBox {
  int x0, y0, x1, y1;  // inclusive
};

PixelBox BoxAround(const Coverage& mask, float minX, float minY, float maxX, float maxY, float pad) {
  PixelBox box;
  box.x0 = std::max(0, static_cast<int>(std::floor(minX - pad)));
  box.y0 = std::max(0, static_cast<int>(std::floor(minY - pad)));
  box.x1 = std::min(mask.width - 1, static_cast<int>(std::ceil(maxX + pad)));
  box.y1 = std::min(mask.height - 1, static_cast<int>(std::ceil(maxY + pad)));
  return box;
}

void Raise(Coverage& mask, int x, int y, float v) {
  float& cell = mask.value[static_cast<std::size_t>(y) * mask.width + x];
  cell = std::max(cell, v);
}

// Coverage of a pixel whose centre lies `d` pixels inside an edge (negative: outside).
float EdgeCoverage(float d) { return Clamp01(d + 0.5f); }

// A soft limit: linear up to the knee, then easing into 1, so overlapping light saturates smoothly.
float SoftLimit(float v) {
  constexpr float kKnee = 0.75f;
  if (v <= kKnee) return std::max(v, 0.0f);
  return kKnee + (1 - kKnee) * (1 - std::exp(-(v - kKnee) / (1 - kKnee)));
}

std::vector<float> GaussianKernel(float sigma) {
  const int radius = std::max(1, static_cast<int>(std::ceil(sigma * 3)));
  std::vector<float> kernel(static_cast<std::size_t>(2 * radius + 1));
  float sum = 0;
  for (int i = -radius; i <= radius; ++i) {
    const float w = std::exp(-(static_cast<float>(i * i)) / (2 * sigma * sigma));
    kernel[static_cast<std::size_t>(i + radius)] = w;
    sum += w;
  }
  for (float& w : kernel) w /= sum;
  return kernel;
}

}  // namespace

Rgb ColourFromBytes(int red, int green, int blue) {
  const float peak = static_cast<float>(std::max({red, green, blue, 1}));
  return {static_cast<float>(red) / peak, static_cast<float>(green) / peak, static_cast<float>(blue) / peak};
}

Rgb Mix(Rgb a, Rgb b, float t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }

Coverage::Coverage(int w, int h) : width(w), height(h), value(static_cast<std::size_t>(w) * h, 0.0f) {}

void Coverage::Clear() { std::fill(value.begin(), value.end(), 0.0f); }

LightBuffer::LightBuffer(int w, int h) : width(w), height(h), rgb(static_cast<std::size_t>(w) * h * 3, 0.0f) {}

void LightBuffer::Add(const Coverage& mask, Rgb colour, float strength) {
  for (std::size_t i = 0; i < mask.value.size(); ++i) {
    const float c = mask.value[i] * strength;
    if (c <= 0) continue;
    rgb[i * 3] += colour.r * c;
    rgb[i * 3 + 1] += colour.g * c;
    rgb[i * 3 + 2] += colour.b * c;
  }
}

void LightBuffer::Add(const LightBuffer& other, float strength) {
  for (std::size_t i = 0; i < rgb.size() && i < other.rgb.size(); ++i) rgb[i] += other.rgb[i] * strength;
}

void CoverSegment(Coverage& mask, Vec2 a, Vec2 b, float halfWidth, float fromStrength, float toStrength) {
  const PixelBox box = BoxAround(mask, std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x),
                                 std::max(a.y, b.y), halfWidth + 1);
  for (int y = box.y0; y <= box.y1; ++y) {
    for (int x = box.x0; x <= box.x1; ++x) {
      float t = 0;
      const float d = DistanceToSegment({x + 0.5f, y + 0.5f}, a, b, &t);
      const float c = EdgeCoverage(halfWidth - d);
      if (c > 0) Raise(mask, x, y, c * (fromStrength + (toStrength - fromStrength) * t));
    }
  }
}

void CoverRing(Coverage& mask, Vec2 centre, float radius, float halfWidth) {
  const float reach = radius + halfWidth;
  const PixelBox box = BoxAround(mask, centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach, 1);
  for (int y = box.y0; y <= box.y1; ++y) {
    for (int x = box.x0; x <= box.x1; ++x) {
      const float d = std::hypot(x + 0.5f - centre.x, y + 0.5f - centre.y);
      const float c = EdgeCoverage(halfWidth - std::fabs(d - radius));
      if (c > 0) Raise(mask, x, y, c);
    }
  }
}

void CoverDisc(Coverage& mask, Vec2 centre, float radius) {
  const PixelBox box = BoxAround(mask, centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius, 1);
  for (int y = box.y0; y <= box.y1; ++y) {
    for (int x = box.x0; x <= box.x1; ++x) {
      const float d = std::hypot(x + 0.5f - centre.x, y + 0.5f - centre.y);
      const float c = EdgeCoverage(radius - d);
      if (c > 0) Raise(mask, x, y, c);
    }
  }
}

void CoverPolygon(Coverage& mask, const std::vector<Vec2>& points) {
  if (points.size() < 3) return;
  float minX = points[0].x, maxX = points[0].x, minY = points[0].y, maxY = points[0].y;
  for (const Vec2& p : points) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  const PixelBox box = BoxAround(mask, minX, minY, maxX, maxY, 1);
  for (int y = box.y0; y <= box.y1; ++y) {
    for (int x = box.x0; x <= box.x1; ++x) {
      const Vec2 p{x + 0.5f, y + 0.5f};
      bool inside = false;
      float nearest = 1e9f;
      for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
        const Vec2 a = points[j], b = points[i];
        if ((a.y > p.y) != (b.y > p.y) && p.x < (b.x - a.x) * (p.y - a.y) / (b.y - a.y) + a.x) inside = !inside;
        float t = 0;
        nearest = std::min(nearest, DistanceToSegment(p, a, b, &t));
      }
      const float c = EdgeCoverage(inside ? nearest : -nearest);
      if (c > 0) Raise(mask, x, y, c);
    }
  }
}

void CoverSoftSpot(Coverage& mask, Vec2 centre, float sigma, float radius) {
  const float atEdge = std::exp(-(radius * radius) / (2 * sigma * sigma));
  const PixelBox box = BoxAround(mask, centre.x - radius, centre.y - radius, centre.x + radius, centre.y + radius, 1);
  for (int y = box.y0; y <= box.y1; ++y) {
    for (int x = box.x0; x <= box.x1; ++x) {
      const float dx = x + 0.5f - centre.x, dy = y + 0.5f - centre.y;
      const float rSq = dx * dx + dy * dy;
      if (rSq >= radius * radius) continue;
      const float v = (std::exp(-rSq / (2 * sigma * sigma)) - atEdge) / (1 - atEdge);
      Raise(mask, x, y, Clamp01(v));
    }
  }
}

LightBuffer Blur(const LightBuffer& light, float sigma) {
  if (sigma <= 0) return light;
  const std::vector<float> kernel = GaussianKernel(sigma);
  const int radius = static_cast<int>(kernel.size() / 2);
  const int w = light.width, h = light.height;
  LightBuffer across(w, h), result(w, h);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      for (int k = -radius; k <= radius; ++k) {
        const int sx = x + k;
        if (sx < 0 || sx >= w) continue;
        const float weight = kernel[static_cast<std::size_t>(k + radius)];
        const std::size_t from = (static_cast<std::size_t>(y) * w + sx) * 3, to = (static_cast<std::size_t>(y) * w + x) * 3;
        for (int c = 0; c < 3; ++c) across.rgb[to + c] += light.rgb[from + c] * weight;
      }
    }
  }
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      for (int k = -radius; k <= radius; ++k) {
        const int sy = y + k;
        if (sy < 0 || sy >= h) continue;
        const float weight = kernel[static_cast<std::size_t>(k + radius)];
        const std::size_t from = (static_cast<std::size_t>(sy) * w + x) * 3, to = (static_cast<std::size_t>(y) * w + x) * 3;
        for (int c = 0; c < 3; ++c) result.rgb[to + c] += across.rgb[from + c] * weight;
      }
    }
  }
  return result;
}

RgbaImage ToRgba(const LightBuffer& light, float edgeFade) {
  RgbaImage image;
  image.width = light.width;
  image.height = light.height;
  image.pixels.assign(static_cast<std::size_t>(light.width) * light.height * 4, 0);
  for (int y = 0; y < light.height; ++y) {
    for (int x = 0; x < light.width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * light.width + x;
      const float r = SoftLimit(light.rgb[i * 3]), g = SoftLimit(light.rgb[i * 3 + 1]), b = SoftLimit(light.rgb[i * 3 + 2]);
      float alpha = std::max({r, g, b});
      if (edgeFade > 0) {
        // Distance from this pixel to the outermost ring of pixels, which always ends up empty.
        const float border = static_cast<float>(std::min({x, y, light.width - 1 - x, light.height - 1 - y}));
        const float t = Clamp01(border / edgeFade);
        alpha *= t * t * (3 - 2 * t);
      }
      const int alpha8 = static_cast<int>(std::lround(alpha * 255));
      if (alpha8 <= 0) continue;  // fully transparent pixels stay black, which keeps files small
      const float peak = std::max({r, g, b});
      auto channel = [peak](float v) { return static_cast<std::uint8_t>(std::lround(Clamp01(v / peak) * 255)); };
      image.pixels[i * 4] = channel(r);
      image.pixels[i * 4 + 1] = channel(g);
      image.pixels[i * 4 + 2] = channel(b);
      image.pixels[i * 4 + 3] = static_cast<std::uint8_t>(alpha8);
    }
  }
  return image;
}

void PasteCell(RgbaImage& strip, const RgbaImage& cell, int left, int top) {
  for (int y = 0; y < cell.height; ++y) {
    const int ty = top + y;
    if (ty < 0 || ty >= strip.height) continue;
    for (int x = 0; x < cell.width; ++x) {
      const int tx = left + x;
      if (tx < 0 || tx >= strip.width) continue;
      const std::size_t from = (static_cast<std::size_t>(y) * cell.width + x) * 4;
      const std::size_t to = (static_cast<std::size_t>(ty) * strip.width + tx) * 4;
      for (int c = 0; c < 4; ++c) strip.pixels[to + c] = cell.pixels[from + c];
    }
  }
}

}  // namespace qv::sprites
